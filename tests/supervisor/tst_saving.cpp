// "Spara", "Avbryt" and the close box: what reaches kortvy.ini, byte for byte.

#include "tests/supervisor/SupervisorTestSupport.h"

#include <QMessageBox>

using namespace supervisortest;
using supervisor::Form1;

namespace {

// The box that tells of a failed save, answered with OK as the user would: its text.
QString answerSaveBox(const Form1& form)
{
    auto* box = form.findChild<QMessageBox*>(QStringLiteral("Sparfel"));
    if (!box || !box->isVisible())
        return {};
    const QString text = box->text();
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return text;
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
    void threeCardsAllListsFull();
    void fiveCardsWithTwoPictures();
    void onlyTheFirstTenOfALongerListAreSaved();
    void savingRightAfterStartUpWritesTheSameBack_data();
    void savingRightAfterStartUpWritesTheSameBack();
    void leavingWithoutSavingWritesNothing_data();
    void leavingWithoutSavingWritesNothing();
    void failedSaveKeepsFileAndWindow();
};

void SavingTest::threeCardsAllListsFull()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 2, 2, emptyStrings(3)));
    for (const char* name : {"båt.bmp", "fisk.gif", "äpple.jpg", "Öga.jpeg"})
        folder.picture(QString::fromUtf8(name));
    auto form = startForm();
    for (const char* name : {"båt.bmp", "fisk.gif", "äpple.jpg"})
        chooseFile(*form, 0, QString::fromUtf8(name));
    for (const char* text : {"båt", "fisk", "äpple, rött"})
        addText(*form, 0, QString::fromUtf8(text));
    click(form->SSOption1(0));
    click(form->Panel3D8);
    for (const char* name : {"Öga.jpeg", "båt.bmp", "fisk.gif"})
        chooseFile(*form, 1, QString::fromUtf8(name));
    for (const char* text : {"BÅT", "en fisk", "ÄPPLE"})
        addText(*form, 1, QString::fromUtf8(text));
    click(form->SSOption1(4));

    click(form->Command3D5);
    QVERIFY(app::hasEnded());
    QCOMPARE(folder.ini(), expected("save-3-cards.ini"));
    QCOMPARE(folder.entries(), QStringList({"båt.bmp", "fisk.gif", "kortvy.ini", "Öga.jpeg", "äpple.jpg"}));
}

void SavingTest::fiveCardsWithTwoPictures()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 0, 0, emptyStrings(3)));
    for (const char* name : {"båt.bmp", "fisk.gif"})
        folder.picture(QString::fromUtf8(name));
    auto form = startForm();
    click(form->Option3D1(1));
    chooseFile(*form, 0, QStringLiteral("båt.bmp"));
    chooseFile(*form, 0, QStringLiteral("fisk.gif"));
    click(form->SSOption1(2));
    click(form->Panel3D8);
    click(form->SSOption1(3));
    click(form->Command3D5);
    QCOMPARE(folder.ini(), expected("save-5-cards.ini"));
}

// A card set loaded with twelve cards opens with ten; only the first ten are saved, and an
// unknown type code is saved as 2.
void SavingTest::onlyTheFirstTenOfALongerListAreSaved()
{
    CardFolder folder;
    folder.writeIni(cardFile(12, 0, 5, numberedStrings(12)));
    auto form = startForm();
    QCOMPARE(form->List1(0)->ListCount(), 12);
    click(form->Command3D5);
    QCOMPARE(folder.ini(), expected("save-10-cards.ini"));
}

void SavingTest::savingRightAfterStartUpWritesTheSameBack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QStringList partly = numberedStrings(5);
    for (int i = 2; i < 5; ++i)
        partly[4 * i + 1].clear();  // lower pictures of cards 2 to 4
    for (int i = 0; i < 5; ++i)
        partly[4 * i + 3].clear();  // every lower text
    QTest::newRow("3 full") << cardFile(3, 1, 0, numberedStrings(3));
    QTest::newRow("5 partly") << cardFile(5, 0, 2, partly);
    QTest::newRow("10 empty") << cardFile(10, 2, 1, emptyStrings(10));
}

void SavingTest::savingRightAfterStartUpWritesTheSameBack()
{
    QFETCH(QByteArray, bytes);
    CardFolder folder;
    folder.writeIni(bytes);
    auto form = startForm();
    click(form->Command3D5);
    QVERIFY(app::hasEnded());
    QCOMPARE(folder.ini(), bytes);
}

// "Avbryt" ends the tool and the close box unloads it; neither writes anything, whatever
// was changed before.
void SavingTest::leavingWithoutSavingWritesNothing_data()
{
    QTest::addColumn<bool>("avbryt");
    QTest::newRow("Avbryt") << true;
    QTest::newRow("close box") << false;
}

void SavingTest::leavingWithoutSavingWritesNothing()
{
    QFETCH(bool, avbryt);
    CardFolder folder;
    const QByteArray bytes = cardFile(5, 1, 0, numberedStrings(5));
    folder.writeIni(bytes);
    auto form = startForm();
    click(form->Option3D1(0));
    addText(*form, 0, QStringLiteral("ny"));
    if (avbryt) {
        click(form->Command3D6);
        QVERIFY(app::hasEnded());
        QVERIFY(!form->Form2->isVisible());
    } else {
        QVERIFY(form->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form->Form2);
    }
    QVERIFY(!form->isVisible());
    QCOMPARE(folder.ini(), bytes);
    QCOMPARE(folder.entries(), QStringList({"kortvy.ini"}));
}

// A save that fails leaves kortvy.ini as it was, says why, and keeps the window open
// with every edit, so that a second try can succeed.
void SavingTest::failedSaveKeepsFileAndWindow()
{
    CardFolder folder;
    const QByteArray bytes = cardFile(3, 1, 0, emptyStrings(3));
    folder.writeIni(bytes);
    auto form = startForm();
    addText(*form, 0, QStringLiteral("ett"));
    // A double quote cannot come through the text box, but a list could hold one.
    form->List1(3)->setRow(0, QStringLiteral("\"citat\""));
    click(form->Command3D5);
    QVERIFY(!app::hasEnded());
    QVERIFY(form->isVisible());
    const QString told = answerSaveBox(*form);
    QVERIFY2(told.contains(QStringLiteral("kunde inte sparas")) && told.contains(QStringLiteral("citattecken")),
             qPrintable(told));
    QCOMPARE(folder.ini(), bytes);
    QCOMPARE(folder.entries(), QStringList({"kortvy.ini"}));

    form->List1(3)->setRow(0, QStringLiteral("citat"));
    {
        FileSizeLimit full(20);
        click(form->Command3D5);
    }
    QVERIFY(!app::hasEnded());
    const QString full = answerSaveBox(*form);
    QVERIFY2(full.contains(QStringLiteral("kortvy.ini")), qPrintable(full));
    QCOMPARE(folder.ini(), bytes);
    QCOMPARE(folder.entries(), QStringList({"kortvy.ini"}));
    QCOMPARE(form->List1(1)->rows(), QStringList({"ett"}));

    click(form->Command3D5);
    QVERIFY(app::hasEnded());
    QCOMPARE(folder.ini(), cardFile(3, 1, 0, {"", "", "ett", "citat", "", "", "", "", "", "", "", ""}));
}

QTEST_MAIN(SavingTest)
#include "tst_saving.moc"
