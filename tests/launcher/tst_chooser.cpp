// The list of card sets as a window: what it shows of each set, what Enter and a drop do,
// and a new set named through its dialog. No dialog here waits for an answer, so the
// test answers them as a user would.
#include "launcher/BesideList.h"
#include "launcher/ChooserWindow.h"

#include "tests/support/TestSupport.h"

#include <QInputDialog>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QtTest>

#include <memory>

namespace {

QPushButton* button(QWidget* window, const QString& text)
{
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->text().remove(QLatin1Char('&')) == text)
            return b;
    qFatal("no button %s", qPrintable(text));
}

QAction* command(QWidget* window, const QString& text)
{
    for (QAction* a : window->findChildren<QAction*>())
        if (a->text().remove(QLatin1Char('&')) == text)
            return a;
    qFatal("no command %s", qPrintable(text));
}

} // namespace

class ChooserTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_root;

private slots:
    void init()
    {
        m_root = m_tmp.filePath(QString::number(QRandomGenerator::global()->generate()));
        writeBytes(m_root + "/kortvy.ini", cardFile(1, 0, 0, {"röd.bmp", "röd.bmp", "", ""}));
        writePicture(m_root, "röd.bmp", QSize(60, 60), Qt::red);
        writeBytes(m_root + "/Trasig/kortvy.ini", "inte ett tal\r\n");
    }

    void showsEachSetAndRunsTheDefault()
    {
        launcher::ChooserWindow window(m_root, launcher::Action::Edit);
        QList<QPair<launcher::Action, QString>> runs;
        connect(&window, &launcher::ChooserWindow::runRequested,
                [&](launcher::Action action, const QString& folder) { runs.append({action, folder}); });
        window.show();
        QCOMPARE(sharedMnemonics(window), QString());
        auto* list = window.findChild<QListView*>();
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(list->model()->index(0, 0).data(Qt::AccessibleTextRole).toString(), QFileInfo(m_root).fileName() + ", 1 kort");
        QVERIFY(list->model()->index(1, 0).data().toString().startsWith("Trasig\nKan inte läsas – Fel i inställningsfilen"));
        // The strip arrives once decoded: red in the middle of the first cell.
        QTRY_COMPARE(list->model()->index(0, 0).data(Qt::DecorationRole).value<QImage>().pixelColor(24, 24),
                     QColor(Qt::red));

        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(runs, (QList<QPair<launcher::Action, QString>>{{launcher::Action::Edit, m_root}}));
        // A tap runs it too. (Whether a click does is the desktop's choice.)
        const QPoint first = list->visualRect(list->model()->index(0, 0)).center();
        const std::unique_ptr<QPointingDevice> finger(QTest::createTouchDevice());
        QTest::touchEvent(&window, finger.get()).press(0, list->viewport()->mapTo(&window, first));
        QTest::touchEvent(&window, finger.get()).release(0, list->viewport()->mapTo(&window, first));
        QCOMPARE(runs.size(), 2);

        window.setCurrentSet(1);
        QVERIFY(!command(&window, "Spela")->isEnabled());
        QVERIFY(!command(&window, "Ändra")->isEnabled());
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(runs.size(), 2);
        QVERIFY(openDialog<QMessageBox>(&window)->text().startsWith("Kortleken \"Trasig\" kan inte ändras"));
    }

    // The learner would meet blank cards: the teacher is asked before the set is played.
    void aSetLackingPicturesIsPlayedOnlyWhenAsked()
    {
        const QString empty = m_root + "/Tom";
        writeBytes(empty + "/kortvy.ini", cardFile(3, 0, 1, emptyStrings(12)));
        launcher::ChooserWindow window(m_root, launcher::Action::Play);
        QStringList played;
        connect(&window, &launcher::ChooserWindow::runRequested,
                [&](launcher::Action, const QString& folder) { played << folder; });
        window.show();
        const int row = window.sets().rowOf(empty);
        QVERIFY(window.sets().index(row).data().toString().endsWith("3 kort saknar bild, 3 kort saknar ord"));
        window.setCurrentSet(row);
        window.run(launcher::Action::Play);
        QVERIFY(played.isEmpty());
        auto* asked = openDialog<QMessageBox>(&window);
        QVERIFY(asked && asked->text().contains("3 kort saknar bild"));
        button(asked, "Spela ändå")->click();
        QCOMPARE(played, QStringList{QDir(empty).absolutePath()});
    }

    void picturesDroppedOnASetGoIntoIt()
    {
        launcher::ChooserWindow window(m_root, launcher::Action::Play);
        window.show();
        auto* list = window.findChild<QListView*>();
        const QString png = writePicture(m_tmp.path(), "blå.png", QSize(8, 8), Qt::blue);
        writeBytes(m_tmp.filePath("brev.txt"), "Hej!");
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(png), QUrl::fromLocalFile(m_tmp.filePath("brev.txt"))});
        const QPoint onTrasig = list->visualRect(list->model()->index(1, 0)).center();
        QDragEnterEvent enter(onTrasig, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(onTrasig, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &drop);

        QVERIFY(drop.isAccepted());
        QTRY_VERIFY(!window.working());
        QVERIFY(QFileInfo(m_root + "/Trasig/blå.jpg").isFile());
        QVERIFY(!QFileInfo::exists(m_root + "/blå.jpg"));
        const QString told = openDialog<QMessageBox>(&window)->text();
        QVERIFY2(told.startsWith("En fil kunde inte läggas till i kortleken \"Trasig\"") && told.contains("brev.txt"),
                 qPrintable(told));
    }

    // The copying runs beside the window, which keeps answering, and stops between two
    // pictures when asked to.
    void aSlowImportLeavesTheWindowAnswering()
    {
        launcher::ChooserWindow window(m_root, launcher::Action::Edit);
        window.show();
        QSemaphore next;
        window.setPictureAdder([&](const QStringList& files, const QString&, const cardsets::ImportProgress& progress) {
            cardsets::AddedPictures result;
            for (int i = 0; i < files.size() && next.tryAcquire(1, 10000); ++i) {
                result.added << files[i];
                if (!progress(i + 1, int(files.size())))
                    break;
            }
            return result;
        });
        window.addPictures(0, {"a.jpg", "b.jpg", "c.jpg"});
        QProgressDialog* progress = nullptr;
        QTRY_VERIFY((progress = openDialog<QProgressDialog>(&window)));
        QCOMPARE(progress->labelText(), QStringLiteral("Lägger till 1 av 3 bilder…"));
        bool answered = false;
        QTimer::singleShot(0, &window, [&] { answered = true; });
        QTRY_VERIFY(answered);
        next.release();
        QTRY_COMPARE(progress->labelText(), QStringLiteral("Lägger till 2 av 3 bilder…"));
        button(progress, "Avbryt")->click();
        next.release();
        QTRY_VERIFY(!window.working());
        QVERIFY(window.findChild<QLabel*>("status")->text().endsWith(
            QStringLiteral("2 bilder lades till i kortleken \"%1\". Du avbröt innan de andra 1 hann kopieras.")
                .arg(QFileInfo(m_root).fileName())));
    }

    // A set on a read-only stick takes no pictures: the teacher is sent to a copy at once,
    // rather than told of each picture refused.
    void aSetThatCannotBeWrittenTakesNoPictures()
    {
        const QString stick = m_tmp.filePath("sticka");
        writeBytes(stick + "/kortvy.ini", cardFile(1, 0, 0, emptyStrings(4)));
        QFile::setPermissions(stick, QFile::ReadOwner | QFile::ExeOwner);
        const auto giveBack = qScopeGuard([&] { QFile::setPermissions(stick, QFile::permissions(m_root)); });
        if (QFileInfo(stick).isWritable())
            QSKIP("this user may write in any folder");
        launcher::ChooserWindow window(m_root, launcher::Action::Edit);
        window.showOtherSet(stick);
        window.setCurrentSet(window.sets().rowOf(stick));
        QVERIFY(!command(&window, "Lägg till bilder…")->isEnabled());
        window.addPictures(window.currentSet(), {m_root + "/röd.bmp"});
        QVERIFY(!window.working() && openDialog<QMessageBox>(&window)->text().contains("Kopiera till mina"));
    }

    // The chosen set's program runs in that set's folder, beside the list, which is hidden
    // meanwhile and comes back, read again, when the program ends.
    void theProgramRunsInTheChosenSetAndTheListComesBack()
    {
        const QString bin = m_tmp.filePath("bin");
        const QString ran = m_tmp.filePath("ran-in");
        writeBytes(bin + "/Kortvyadm", QStringLiteral("#!/bin/sh\nsleep 0.2\npwd > '%1'\n").arg(ran).toUtf8());
        QFile::setPermissions(bin + "/Kortvyadm", QFile::ReadOwner | QFile::ExeOwner);
        launcher::ChooserWindow window(m_root, launcher::Action::Edit);
        launcher::BesideList programs(window, bin, [] { return QString(); });
        window.show();
        window.setCurrentSet(1);
        writeBytes(m_root + "/Trasig/kortvy.ini", cardFile(1, 0, 0, emptyStrings(4)));
        window.setCurrentSet(0);
        command(&window, "Ändra")->trigger();
        QVERIFY(!window.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(window.isVisible(), 10000);
        QCOMPARE(readBytes(ran).trimmed(), QFile::encodeName(m_root));
        QVERIFY(window.sets().at(1).playable());
    }

    void aNewSetIsNamedUntilTheNameWillDo()
    {
        launcher::ChooserWindow window(m_root, launcher::Action::Edit);
        window.show();
        command(&window, "Ny kortlek…")->trigger();
        auto* ask = openDialog<QInputDialog>(&window);
        QVERIFY(ask);
        ask->setTextValue("Trasig");
        ask->accept();
        // Refused, and asked again with the name to mend.
        auto* told = openDialog<QMessageBox>(&window);
        QVERIFY(told && told->text().contains("redan en mapp som heter \"Trasig\""));
        told->accept();
        QTRY_VERIFY((ask = openDialog<QInputDialog>(&window)));
        QCOMPARE(ask->textValue(), QStringLiteral("Trasig"));
        ask->setTextValue("Frukt");
        ask->accept();
        QCOMPARE(window.sets().at(window.currentSet()).name, QStringLiteral("Frukt"));
        QCOMPARE(window.sets().rowCount(), 3);
        // A set taken away leaves its neighbour chosen, not the first set.
        QDir(window.sets().at(window.currentSet()).folder).removeRecursively();
        window.reload();
        QCOMPARE(window.sets().at(window.currentSet()).name, QStringLiteral("Trasig"));
    }
};

QTEST_MAIN(ChooserTest)
#include "tst_chooser.moc"
