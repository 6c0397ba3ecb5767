// "Spara", "Avbryt" and the close box: what reaches kortvy.ini, byte for byte, and how the
// tool ends.

#include "tests/supervisor/SupervisorTestSupport.h"

#include "settings/CardSetFile.h"

#include <QMessageBox>
#include <QTimer>

using namespace supervisortest;

namespace {

// The box that tells of a failed save, answered with OK as the user would: its text.
QString answerSaveBox(const SupervisorWindow& form)
{
    auto* box = form.findChild<QMessageBox*>(QStringLiteral("Sparfel"));
    if (!box || !box->isVisible())
        return {};
    const QString text = box->text();
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return text;
}

// The question of that name over the window, if it is open.
QMessageBox* question(const SupervisorWindow& form, const char* name)
{
    auto* box = form.findChild<QMessageBox*>(QString::fromUtf8(name));
    return box && box->isVisible() ? box : nullptr;
}

// Answers as the teacher would: Enter, Escape, or a click on the button of that caption.
void answer(QMessageBox* box, const QString& how)
{
    if (how == QLatin1String("Enter") || how == QLatin1String("Escape"))
        QTest::keyClick(box, how == QLatin1String("Enter") ? Qt::Key_Return : Qt::Key_Escape);
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == how)
            QTest::mouseClick(button, Qt::LeftButton);
    }
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QByteArray expected(const char* name)
{
    const QByteArray bytes = readBytes(QStringLiteral(KORTVY_TEST_DATA "/") + QLatin1String(name));
    if (bytes.isEmpty())
        qFatal("missing test data %s", name);
    return bytes;
}

} // namespace

class SavingTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { app::resetEnded(); }

    // Cards, texts and each row's display chosen by clicks, saved by "Spara".
    void savesWhatWasChosen_data()
    {
        QTest::addColumn<int>("cards");
        QTest::addColumn<QString>("reference");
        QTest::newRow("3 cards, all lists full") << 3 << QStringLiteral("save-3-cards.ini");
        QTest::newRow("5 cards, two pictures") << 5 << QStringLiteral("save-5-cards.ini");
    }
    void savesWhatWasChosen()
    {
        QFETCH(int, cards);
        QFETCH(QString, reference);
        CardFolder folder;
        folder.writeIni(cardFile(3, 2, 2, emptyStrings(3)));
        for (const char* name : {"båt.bmp", "fisk.gif", "äpple.jpg", "Öga.jpeg"})
            folder.picture(QString::fromUtf8(name));
        auto form = startForm();
        if (cards == 3) {
            for (const char* name : {"båt.bmp", "fisk.gif", "äpple.jpg"})
                chooseFile(*form, 0, QString::fromUtf8(name));
            for (const char* text : {"båt", "fisk", "äpple, rött"})
                addText(*form, 0, QString::fromUtf8(text));
            click(displayOption(*form, 0));
            click(panel(*form, "Panel3D8"));
            for (const char* name : {"Öga.jpeg", "båt.bmp", "fisk.gif"})
                chooseFile(*form, 1, QString::fromUtf8(name));
            for (const char* text : {"BÅT", "en fisk", "ÄPPLE"})
                addText(*form, 1, QString::fromUtf8(text));
            click(displayOption(*form, 4));
        } else {
            click(countOption(*form, 1));
            chooseFile(*form, 0, QStringLiteral("båt.bmp"));
            chooseFile(*form, 0, QStringLiteral("fisk.gif"));
            click(displayOption(*form, 2));
            click(panel(*form, "Panel3D8"));
            click(displayOption(*form, 3));
        }
        click(widget(*form, "Command3D5"));
        QVERIFY(app::hasEnded());
        QCOMPARE(folder.ini(), expected(qPrintable(reference)));
        QCOMPARE(folder.entries(), QStringList({"båt.bmp", "fisk.gif", "kortvy.ini", "Öga.jpeg", "äpple.jpg"}));
    }

    void savingRightAfterStartUpWritesTheSameBack()
    {
        QStringList partly = numberedStrings(5);
        for (int i = 2; i < 5; ++i)
            partly[4 * i + 1].clear();
        const QByteArray bytes = cardFile(5, 0, 2, partly);
        CardFolder folder;
        folder.writeIni(bytes);
        auto form = startForm();
        click(widget(*form, "Command3D5"));
        QCOMPARE(folder.ini(), bytes);
    }

    // "Spara" and "Avbryt" end the tool at once, with no close handler (the backdrop stays
    // until the process goes); the close box closes it. Only "Spara" writes.
    void endingTheTool_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Spara") << QStringLiteral("Command3D5");
        QTest::newRow("Avbryt") << QStringLiteral("Command3D6");
        QTest::newRow("close box") << QString();
    }
    void endingTheTool()
    {
        QFETCH(QString, how);
        CardFolder folder;
        const QByteArray bytes = cardFile(5, 1, 0, numberedStrings(5));
        folder.writeIni(bytes);
        auto form = startForm();
        // Edits before the close box would be asked about (closingWithEditsAsks).
        if (!how.isEmpty())
            click(countOption(*form, 0));
        QTimer::singleShot(0, form.get(), [&] {
            if (how.isEmpty())
                form->close();
            else
                click(control(*form, how));
        });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form->isVisible());
        QCOMPARE(bool(form->backdrop()), !how.isEmpty());
        QCOMPARE(folder.ini(), how == QLatin1String("Command3D5") ? cardFile(3, 1, 0, numberedStrings(3)) : bytes);
        QCOMPARE(folder.entries(), QStringList({"kortvy.ini"}));
    }

    // Closed from outside with edits, the window asks: Enter saves as "Spara" does, "Spara
    // inte" ends as the close box always did, Escape keeps the window and every edit.
    void closingWithEditsAsks_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Enter", "Spara inte", "Escape"})
            QTest::newRow(how) << QString::fromUtf8(how);
    }
    void closingWithEditsAsks()
    {
        QFETCH(QString, how);
        CardFolder folder;
        const QByteArray bytes = cardFile(3, 1, 0, emptyStrings(3));
        folder.writeIni(bytes);
        auto form = startForm();
        addText(*form, 0, QStringLiteral("Ahmet Şahin"));
        const QByteArray saved = settings::encodeCardSet(form->editor().cardSetToSave(), folder.iniPath());
        QVERIFY(!form->close());
        QMessageBox* box = question(*form, "Sparfråga");
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Vill du spara ändringarna i kortleken?"));
        answer(box, how);
        QVERIFY(!question(*form, "Sparfråga"));
        QCOMPARE(folder.ini(), how == QLatin1String("Enter") ? saved : bytes);
        QCOMPARE(app::hasEnded(), how == QLatin1String("Enter"));
        QCOMPARE(form->isVisible(), how == QLatin1String("Escape"));
        QCOMPARE(bool(form->backdrop()), how != QLatin1String("Spara inte"));
        QCOMPARE(list(*form, 1)->rows(), QStringList{QStringLiteral("Ahmet Şahin")});
    }

    // What a row shows is an edit like any other: after "Typ av kort" changed on either
    // page, closing asks; changed back, it does not.
    void closingAfterAnotherDisplayAsks_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("upper") << 0;
        QTest::newRow("lower") << 1;
    }
    void closingAfterAnotherDisplayAsks()
    {
        QFETCH(int, page);
        CardFolder folder;
        folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
        auto form = startForm();
        if (page == 1)
            click(panel(*form, "Panel3D8"));
        const int stored = page == 0 ? 0 : 1;  // the "Text" option, the "Bild" option
        click(displayOption(*form, 3 * page + 2));
        QVERIFY(!form->close());
        QMessageBox* box = question(*form, "Sparfråga");
        QVERIFY(box);
        answer(box, QStringLiteral("Escape"));
        click(displayOption(*form, 3 * page + stored));
        QVERIFY(form->close());
    }

    // A kortvy.ini saved by someone else since the window read it is written over only when
    // the teacher says so; "Nej", also Enter's and Escape's answer, keeps the window with
    // every edit.
    void saveAsksBeforeWritingOverAChangedFile()
    {
        CardFolder folder;
        folder.writeIni(cardFile(3, 1, 0, emptyStrings(3)));
        auto form = startForm();
        addText(*form, 0, QStringLiteral("mitt"));
        const QByteArray theirs = cardFile(3, 1, 0, numberedStrings(3));
        folder.writeIni(theirs);
        for (const char* how : {"Escape", "Enter", "Ja"}) {
            click(widget(*form, "Command3D5"));
            QMessageBox* box = question(*form, "Skrivöver");
            QVERIFY(box);
            QCOMPARE(box->text(), QStringLiteral("Kortleken har ändrats sedan du öppnade den. Spara ändå?"));
            answer(box, QString::fromUtf8(how));
            QCOMPARE(folder.ini() == theirs, !app::hasEnded());
        }
        QCOMPARE(folder.ini(), cardFile(3, 1, 0, {"", "", "mitt", "", "", "", "", "", "", "", "", ""}));
    }

    // A save that fails leaves kortvy.ini as it was, says why in a box, and keeps the window
    // open with every edit, so that a second try can succeed.
    void failedSaveKeepsFileAndWindow()
    {
        CardFolder folder;
        const QByteArray bytes = cardFile(3, 1, 0, emptyStrings(3));
        folder.writeIni(bytes);
        auto form = startForm();
        addText(*form, 0, QStringLiteral("ett"));
        {
            FileSizeLimit full(20);
            click(widget(*form, "Command3D5"));
        }
        QVERIFY(!app::hasEnded());
        QVERIFY(form->isVisible());
        const QString told = answerSaveBox(*form);
        QVERIFY2(told.contains(QStringLiteral("kunde inte sparas")) && told.contains(QStringLiteral("kortvy.ini")),
                 qPrintable(told));
        QCOMPARE(folder.ini(), bytes);
        QCOMPARE(folder.entries(), QStringList({"kortvy.ini"}));
        QCOMPARE(list(*form, 1)->rows(), QStringList({"ett"}));

        click(widget(*form, "Command3D5"));
        QVERIFY(app::hasEnded());
        QCOMPARE(folder.ini(), cardFile(3, 1, 0, {"", "", "ett", "", "", "", "", "", "", "", "", ""}));
    }
};

QTEST_MAIN(SavingTest)
#include "tst_saving.moc"
