// Kortlekar's card files as the teacher meets them: "Dela som fil…" through its save dialog,
// and the file dropped on the list coming back as a set of its own after the question.
#include "launcher/ChooserWindow.h"

#include "tests/support/TestSupport.h"

#include <QAction>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

class ChooserCardFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

private slots:
    void sharedThenDroppedComesBackChosen()
    {
        const QString root = m_tmp.filePath(QStringLiteral("Kortvy"));
        writeBytes(root + "/Djur/kortvy.ini", cardFile(1, 0, 0, {"röd.bmp", "röd.bmp", "", ""}));
        writePicture(root + "/Djur", "röd.bmp", QSize(30, 30), Qt::red);
        launcher::ChooserWindow window(root, launcher::Action::Edit);
        window.show();
        window.setCurrentSet(window.sets().rowOf(root + "/Djur"));
        QAction* share = nullptr;
        for (QAction* a : window.findChildren<QAction*>())
            share = a->text() == QStringLiteral("Dela som &fil…") ? a : share;
        QVERIFY(share && share->isEnabled());
        share->trigger();
        QFileDialog* save = nullptr;
        QTRY_VERIFY((save = openDialog<QFileDialog>(&window)));
        QCOMPARE(save->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(QFileInfo(save->selectedFiles().value(0)).fileName(), QStringLiteral("Djur.kortvy"));
        const QString file = m_tmp.filePath(QStringLiteral("Husdjur.kortvy"));
        save->selectFile(file);
        static_cast<QDialog*>(save)->accept();
        QTRY_VERIFY(QFileInfo(file).isFile() && !window.working());

        auto* list = window.findChild<QListView*>();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        const QPoint onDjur = list->visualRect(list->model()->index(0, 0)).center();
        QDragEnterEvent enter(onDjur, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &enter);
        QDropEvent drop(onDjur, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &drop);
        QMessageBox* asked = nullptr;
        QTRY_VERIFY((asked = openDialog<QMessageBox>(&window)));
        QCOMPARE(asked->text(), QStringLiteral("Lägg till kortleken \"Husdjur\" bland dina kortlekar?"));
        QCOMPARE(asked->defaultButton()->text(), QStringLiteral("Ja"));
        asked->defaultButton()->click();
        QTRY_VERIFY(QFileInfo(root + "/Husdjur/röd.bmp").isFile() && !window.working());
        QCOMPARE(readBytes(root + "/Husdjur/röd.bmp"), readBytes(root + "/Djur/röd.bmp"));
        QCOMPARE(window.sets().at(window.currentSet()).folder, root + "/Husdjur");
    }
};

QTEST_MAIN(ChooserCardFilesTest)
#include "tst_chooser_cardfiles.moc"
