// Loading the stored card set at start-up, and the start-ups that must fail.

#include "tests/supervisor/SupervisorTestSupport.h"
#include "tests/support/ProgramRun.h"

#include <QProcess>

using namespace supervisortest;
using supervisor::Form1;

namespace {

// Which option of each "Typ av kort" group is chosen: 0 "Text", 1 "Bild", 2 "Text + Bild".
QList<int> chosenTypes(const Form1& form)
{
    QList<int> chosen;
    for (int first : {0, 3}) {
        int found = -1;
        for (int i = 0; i < 3; ++i) {
            if (form.SSOption1(first + i)->Value()) {
                if (found >= 0)
                    return {};
                found = i;
            }
        }
        chosen << found;
    }
    return chosen;
}

int chosenCount(const Form1& form)
{
    int found = -1;
    for (int i = 0; i < 3; ++i)
        if (form.Option3D1(i)->Value())
            found = i;
    return found;
}

} // namespace

class LoadingTest : public QObject {
    Q_OBJECT

private slots:
    void loadsTheStoredSet_data();
    void loadsTheStoredSet();
    void textsComeBackWhole();
    void gapsKeepEveryEntryOnItsCard();
    void startUpFails_data();
    void startUpFails();
    void programEndsBeforeItsWindowShows();
};

// The stored count chooses "  3 kort", "  5 kort" or, for any other count, "10 kort",
// with its list height; every card is read into the lists, empty strings leave no row,
// nothing is cut, and the type codes choose the options of each row.
void LoadingTest::loadsTheStoredSet_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("cards");  // numbered cards in the file
    QTest::addColumn<bool>("lowerTexts");
    QTest::addColumn<int>("option");
    QTest::addColumn<QList<int>>("types");
    QTest::newRow("5 full cards, types 0 and 2") << 5 << 0 << 2 << 5 << true << 1 << QList<int>{1, 2};
    QTest::newRow("3 cards without lower texts") << 3 << 1 << 0 << 3 << false << 0 << QList<int>{0, 1};
    QTest::newRow("count 7") << 7 << 1 << 1 << 7 << true << 2 << QList<int>{0, 0};
    QTest::newRow("count 12") << 12 << 1 << 1 << 12 << true << 2 << QList<int>{0, 0};
    QTest::newRow("count 4") << 4 << 1 << 1 << 4 << true << 2 << QList<int>{0, 0};
    QTest::newRow("count 0") << 0 << 1 << 1 << 0 << true << 2 << QList<int>{0, 0};
    QTest::newRow("count -4") << -4 << 1 << 1 << 0 << true << 2 << QList<int>{0, 0};
    QTest::newRow("types 0 1") << 3 << 0 << 1 << 3 << true << 0 << QList<int>{1, 0};
    QTest::newRow("types 2 2") << 3 << 2 << 2 << 3 << true << 0 << QList<int>{2, 2};
    QTest::newRow("types 5 -1") << 3 << 5 << -1 << 3 << true << 0 << QList<int>{2, 2};
}

void LoadingTest::loadsTheStoredSet()
{
    QFETCH(int, count);
    QFETCH(int, upper);
    QFETCH(int, lower);
    QFETCH(int, cards);
    QFETCH(bool, lowerTexts);
    QFETCH(int, option);
    QFETCH(QList<int>, types);
    QStringList strings = numberedStrings(cards);
    for (int i = 0; i < cards && !lowerTexts; ++i)
        strings[4 * i + 3].clear();
    CardFolder folder;
    // What follows the last card is never read, however it looks.
    folder.writeIni(cardFile(count, upper, lower, strings) + "\"unfinished\r\nx,y\r\n");
    auto form = loadForm();

    const QList<qint16> rows{qint16(cards), qint16(cards), qint16(cards), qint16(lowerTexts ? cards : 0)};
    QCOMPARE(counters(*form), rows);
    const char* const prefixes[] = {"bo", "to", "bu", "tu"};
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(form->List1(k)->rows(), numbered(prefixes[k], rows[k]));
        QCOMPARE(form->List1(k)->Height(), float(QList<int>{750, 1230, 2430}[option]));
    }
    QCOMPARE(chosenTypes(*form), types);
    QCOMPARE(chosenCount(*form), option);
    QCOMPARE(form->antal_val, qint16(option));
    QCOMPARE(form->antal, qint16(QList<int>{3, 5, 10}[option]));
    QCOMPARE(form->listhojd, qint16(QList<int>{750, 1230, 2430}[option]));
    // Loading shows no picture.
    QVERIFY(!form->Image3(0)->hasPicture() && !form->Image3(1)->hasPicture());
}

void LoadingTest::textsComeBackWhole()
{
    CardFolder folder;
    const QStringList strings{"äpple.jpg", "Öga.jpeg", "ett äpple, rött", "  blank före och efter  ",
                              "a", "b", "c", "d",
                              "e", "f", "g", "h"};
    folder.writeIni(cardFile(3, 1, 0, strings));
    auto form = loadForm();
    QCOMPARE(form->List1(0)->row(0), QStringLiteral("äpple.jpg"));
    QCOMPARE(form->List1(2)->row(0), QStringLiteral("Öga.jpeg"));
    QCOMPARE(form->List1(1)->row(0), QStringLiteral("ett äpple, rött"));
    QCOMPARE(form->List1(3)->row(0), QStringLiteral("  blank före och efter  "));
}

// A file not written by the tool may leave a list's earlier entry empty and fill a later
// one: the later entry stays on its own card's row, and the counter stands past it, so a
// later choice never replaces it.
void LoadingTest::gapsKeepEveryEntryOnItsCard()
{
    CardFolder folder;
    folder.picture(QStringLiteral("b.gif"));
    folder.picture(QStringLiteral("c.gif"));
    folder.writeIni(cardFile(5, 0, 0,
                             {"", "", "", "",
                              "b.gif", "", "", "",
                              "", "", "t2", "",
                              "", "", "", "",
                              "", "", "", ""}));
    auto form = startForm();
    QCOMPARE(form->List1(0)->rows(), QStringList({"", "b.gif"}));
    QCOMPARE(form->List1(1)->rows(), QStringList({"", "", "t2"}));
    QCOMPARE(counters(*form), QList<qint16>({2, 3, 0, 0}));

    chooseFile(*form, 0, QStringLiteral("c.gif"));
    QCOMPARE(form->List1(0)->rows(), QStringList({"", "b.gif", "c.gif"}));
    QCOMPARE(form->antal_rader(0), qint16(3));
    addText(*form, 0, QStringLiteral("t3"));
    QCOMPARE(form->List1(1)->rows(), QStringList({"", "", "t2", "t3"}));
}

void LoadingTest::startUpFails_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("says");
    QTest::newRow("missing") << false << QByteArray() << QStringLiteral("finns inte");
    QTest::newRow("empty") << true << QByteArray() << QStringLiteral("tar slut");
    QTest::newRow("short") << true << cardFile(3, 1, 0, numberedStrings(2)) << QStringLiteral("tar slut");
    QTest::newRow("one string short") << true << cardFile(10, 1, 0, numberedStrings(10).mid(1))
                                      << QStringLiteral("tar slut");
    QTest::newRow("no number") << true << iniLines({"tre", "1", "0"}) << QStringLiteral("heltal");
    QTest::newRow("type not a number") << true << iniLines({"3", "\"Text\"", "0"}) << QStringLiteral("heltal");
    QTest::newRow("-32768") << true << cardFile(-32768, 1, 0, {}) << QStringLiteral("-32768");
}

// A start-up that cannot read the card set fails with a Swedish message naming the file,
// and writes nothing.
void LoadingTest::startUpFails()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, says);
    CardFolder folder;
    if (present)
        folder.writeIni(bytes);
    const QStringList before = folder.entries();
    const QString message = failureOf([] { Form1().load(); });
    QVERIFY2(message.contains(QStringLiteral("kortvy.ini")), qPrintable(message));
    QVERIFY2(message.contains(says), qPrintable(message));
    QCOMPARE(folder.entries(), before);
    if (present)
        QCOMPARE(folder.ini(), bytes);
}

void LoadingTest::programEndsBeforeItsWindowShows()
{
    CardFolder folder;
    folder.writeIni(cardFile(5, 1, 0, numberedStrings(4)));
    ProgramRun program(QStringLiteral(KORTVYADM_PROGRAM), folder.path());
    QVERIFY(program.waitForEnd(20000));
    QVERIFY(!program.crashed());
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(program.messageBoxes(), 1);
    const QString error = program.standardError();
    QVERIFY2(error.contains(QStringLiteral("kortvy.ini")) && error.contains(QStringLiteral("tar slut")),
             qPrintable(error));
    QCOMPARE(folder.ini(), cardFile(5, 1, 0, numberedStrings(4)));
}

QTEST_MAIN(LoadingTest)
#include "tst_loading.moc"
