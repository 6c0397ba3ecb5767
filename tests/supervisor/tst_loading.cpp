// Loading the stored card set at start-up, and the start-ups that must fail.

#include "SupervisorTestSupport.h"

#include <QProcess>

using namespace supervisortest;
using supervisor::Form1;

namespace {

QStringList prefixed(const char* prefix, int n)
{
    QStringList rows;
    for (int i = 0; i < n; ++i)
        rows << QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i);
    return rows;
}

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
    void fiveFullCards();
    void emptyStringsLeaveNoRow();
    void countOtherThanThreeFiveTen_data();
    void countOtherThanThreeFiveTen();
    void typeCodes_data();
    void typeCodes();
    void textsComeBackWhole();
    void gapsKeepEveryEntryOnItsCard();
    void startUpFails_data();
    void startUpFails();
    void programEndsBeforeItsWindowShows();
};

void LoadingTest::fiveFullCards()
{
    CardFolder folder;
    folder.writeIni(cardFile(5, 0, 2, numberedStrings(5)));
    auto form = loadForm();
    QCOMPARE(form->List1(0)->rows(), prefixed("bo", 5));
    QCOMPARE(form->List1(1)->rows(), prefixed("to", 5));
    QCOMPARE(form->List1(2)->rows(), prefixed("bu", 5));
    QCOMPARE(form->List1(3)->rows(), prefixed("tu", 5));
    QCOMPARE(counters(*form), QList<qint16>({5, 5, 5, 5}));
    QCOMPARE(chosenTypes(*form), QList<int>({1, 2}));
    QCOMPARE(form->antal_val, qint16(1));
    QCOMPARE(form->antal, qint16(5));
    QCOMPARE(chosenCount(*form), 1);
    QCOMPARE(form->listhojd, qint16(1230));
    for (int k = 0; k < 4; ++k)
        QCOMPARE(form->List1(k)->Height(), 1230.0f);
    // Loading shows no picture.
    QVERIFY(!form->Image3(0)->hasPicture() && !form->Image3(1)->hasPicture());
}

void LoadingTest::emptyStringsLeaveNoRow()
{
    CardFolder folder;
    QStringList strings = numberedStrings(3);
    for (int i = 0; i < 3; ++i)
        strings[4 * i + 3].clear();
    folder.writeIni(cardFile(3, 1, 0, strings));
    auto form = loadForm();
    QCOMPARE(form->List1(3)->ListCount(), 0);
    QCOMPARE(counters(*form), QList<qint16>({3, 3, 3, 0}));
    QCOMPARE(form->List1(2)->rows(), prefixed("bu", 3));
    QCOMPARE(chosenTypes(*form), QList<int>({0, 1}));
    QCOMPARE(chosenCount(*form), 0);
    QCOMPARE(form->List1(0)->Height(), 750.0f);
}

void LoadingTest::countOtherThanThreeFiveTen_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("rows");
    QTest::newRow("7") << 7 << 7;
    QTest::newRow("12") << 12 << 12;
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("-4") << -4 << 0;
    QTest::newRow("4") << 4 << 4;
}

// Any other count reads that many cards and opens with "10 kort"; nothing is cut.
void LoadingTest::countOtherThanThreeFiveTen()
{
    QFETCH(int, count);
    QFETCH(int, rows);
    CardFolder folder;
    // What follows the last card is never read, however it looks.
    folder.writeIni(cardFile(count, 1, 1, numberedStrings(rows)) + "\"unfinished\r\nx,y\r\n");
    auto form = loadForm();
    QCOMPARE(form->antal_val, qint16(2));
    QCOMPARE(form->antal, qint16(10));
    QCOMPARE(chosenCount(*form), 2);
    QCOMPARE(form->List1(0)->rows(), prefixed("bo", rows));
    QCOMPARE(form->List1(3)->rows(), prefixed("tu", rows));
    QCOMPARE(counters(*form), QList<qint16>(4, qint16(rows)));
    QCOMPARE(form->List1(1)->Height(), 2430.0f);
}

void LoadingTest::typeCodes_data()
{
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");
    QTest::addColumn<QList<int>>("chosen");
    QTest::newRow("1 0") << 1 << 0 << QList<int>{0, 1};
    QTest::newRow("0 1") << 0 << 1 << QList<int>{1, 0};
    QTest::newRow("2 2") << 2 << 2 << QList<int>{2, 2};
    QTest::newRow("5 -1") << 5 << -1 << QList<int>{2, 2};
}

void LoadingTest::typeCodes()
{
    QFETCH(int, upper);
    QFETCH(int, lower);
    QFETCH(QList<int>, chosen);
    CardFolder folder;
    folder.writeIni(cardFile(3, upper, lower, numberedStrings(3)));
    auto form = loadForm();
    QCOMPARE(chosenTypes(*form), chosen);
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
    const QString message = loadFailure();
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
    QProcess program;
    program.setWorkingDirectory(folder.path());
    program.start(QStringLiteral(KORTVYADM_PROGRAM), {});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QString error = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(error.contains(QStringLiteral("kortvy.ini")) && error.contains(QStringLiteral("tar slut")),
             qPrintable(error));
    QCOMPARE(folder.ini(), cardFile(5, 1, 0, numberedStrings(4)));
}

QTEST_MAIN(LoadingTest)
#include "tst_loading.moc"
