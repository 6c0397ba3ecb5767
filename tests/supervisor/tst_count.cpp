// The card count: the three options, the list heights, and cutting lists to a lower count.

#include "SupervisorTestSupport.h"

#include "forms/Twips.h"

using namespace supervisortest;
using supervisor::Form1;

namespace {

// A ten-card set whose upper texts fill `texts` rows and upper pictures `pictures` rows.
QByteArray tenCards(int pictures, int texts)
{
    QStringList strings = emptyStrings(10);
    for (int i = 0; i < pictures; ++i)
        strings[4 * i] = QStringLiteral("p%1.gif").arg(i);
    for (int i = 0; i < texts; ++i)
        strings[4 * i + 2] = QStringLiteral("t%1").arg(i);
    return cardFile(10, 1, 0, strings);
}

QStringList rows(const char* prefix, int from, int to)
{
    QStringList result;
    for (int i = from; i < to; ++i)
        result << QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i);
    return result;
}

} // namespace

class CountTest : public QObject {
    Q_OBJECT

private slots:
    void optionsSetCountAndHeights();
    void lowerCountCutsLongerLists();
    void emptyRowsAfterACopyAreNotCut();
    void cuttingKeepsRowsBehindTheCounted();
    void choosingTheChosenOptionRemovesNothing();
};

void CountTest::optionsSetCountAndHeights()
{
    CardFolder folder;
    folder.writeIni(tenCards(0, 0));
    auto form = startForm();
    const struct {
        int option;
        qint16 antal;
        qint16 height;
    } steps[] = {{0, 3, 750}, {1, 5, 1230}, {2, 10, 2430}, {1, 5, 1230}, {0, 3, 750}};
    for (const auto& step : steps) {
        click(form->Option3D1(step.option));
        QVERIFY(form->Option3D1(step.option)->Value());
        QCOMPARE(form->antal, step.antal);
        QCOMPARE(form->listhojd, step.height);
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(form->List1(k)->Height(), float(step.height));
            // Position and width stay.
            QCOMPARE(form->List1(k)->Top(), 30.0f);
            QCOMPARE(form->List1(k)->Width(), 1755.0f);
            QCOMPARE(form->List1(k)->height(), forms::toPixels(30 + step.height) - 2);
        }
    }
}

void CountTest::lowerCountCutsLongerLists()
{
    CardFolder folder;
    folder.writeIni(tenCards(3, 7));
    auto form = startForm();
    QCOMPARE(counters(*form), QList<qint16>({3, 7, 0, 0}));

    click(form->Option3D1(0));
    QCOMPARE(form->List1(1)->rows(), rows("t", 0, 3));
    QCOMPARE(form->List1(0)->rows(), QStringList({"p0.gif", "p1.gif", "p2.gif"}));
    QCOMPARE(counters(*form), QList<qint16>({3, 3, 0, 0}));

    click(form->Option3D1(2));
    QCOMPARE(form->List1(1)->rows(), rows("t", 0, 3));
    QCOMPARE(counters(*form), QList<qint16>({3, 3, 0, 0}));
}

void CountTest::emptyRowsAfterACopyAreNotCut()
{
    CardFolder folder;
    folder.writeIni(tenCards(3, 0));
    auto form = startForm();
    click(form->Panel3D8);
    click(form->Command1(0));
    QCOMPARE(form->List1(2)->ListCount(), 10);
    QCOMPARE(form->antal_rader(2), qint16(3));

    click(form->Option3D1(1));
    QCOMPARE(form->List1(2)->ListCount(), 10);
    QCOMPARE(form->List1(2)->Height(), 1230.0f);
    QCOMPARE(form->antal_rader(2), qint16(3));
}

// Cutting removes the counted rows beyond the count; the rows that stood behind the
// counted ones move up and stay.
void CountTest::cuttingKeepsRowsBehindTheCounted()
{
    CardFolder folder;
    folder.writeIni(tenCards(7, 0));
    auto form = startForm();
    click(form->Panel3D8);
    click(form->Command1(0));
    QCOMPARE(form->List1(2)->ListCount(), 10);
    QCOMPARE(form->antal_rader(2), qint16(7));

    click(form->Option3D1(0));
    QCOMPARE(form->List1(2)->rows(), QStringList({"p0.gif", "p1.gif", "p2.gif", "", "", ""}));
    QCOMPARE(form->antal_rader(2), qint16(3));
    QCOMPARE(form->List1(0)->ListCount(), 3);
}

void CountTest::choosingTheChosenOptionRemovesNothing()
{
    CardFolder folder;
    folder.writeIni(cardFile(5, 1, 0, numberedStrings(5)));
    auto form = startForm();
    form->List1(0)->setHeight(100);
    click(form->Option3D1(1));
    QVERIFY(form->Option3D1(1)->Value());
    QCOMPARE(form->List1(0)->Height(), 1230.0f);
    QCOMPARE(counters(*form), QList<qint16>({5, 5, 5, 5}));
    for (int k = 0; k < 4; ++k)
        QCOMPARE(form->List1(k)->ListCount(), 5);
}

QTEST_MAIN(CountTest)
#include "tst_count.moc"
