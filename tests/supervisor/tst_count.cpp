// The card count: the three options, the list heights, and cutting lists to a lower count.

#include "tests/supervisor/SupervisorTestSupport.h"

#include "forms/Twips.h"

using namespace supervisortest;
using supervisor::Form1;

namespace {

// A ten-card set whose upper texts fill `texts` rows and upper pictures `pictures` rows.
QByteArray tenCards(int pictures, int texts)
{
    QStringList strings = emptyStrings(10);
    for (int i = 0; i < pictures; ++i)
        strings[4 * i] = QStringLiteral("p%1").arg(i);
    for (int i = 0; i < texts; ++i)
        strings[4 * i + 2] = QStringLiteral("t%1").arg(i);
    return cardFile(10, 1, 0, strings);
}

} // namespace

class CountTest : public QObject {
    Q_OBJECT

private slots:
    void optionsSetCountAndHeights();
    void lowerCountCutsLongerLists();
    void cuttingACopiedList_data();
    void cuttingACopiedList();
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
    QCOMPARE(form->List1(1)->rows(), numbered("t", 3));
    QCOMPARE(form->List1(0)->rows(), numbered("p", 3));
    QCOMPARE(counters(*form), QList<qint16>({3, 3, 0, 0}));

    click(form->Option3D1(2));
    QCOMPARE(form->List1(1)->rows(), numbered("t", 3));
    QCOMPARE(counters(*form), QList<qint16>({3, 3, 0, 0}));
}

// After a copy the lower picture list holds ten rows, of which `pictures` are counted. A
// lower count cuts the counted rows beyond it; the rows behind the counted ones move up
// and stay, and a count that the counted rows fit leaves the list whole.
void CountTest::cuttingACopiedList_data()
{
    QTest::addColumn<int>("pictures");
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("lowerPictures");
    QTest::newRow("3 counted, 10 → 5") << 3 << 1 << (numbered("p", 3) + QStringList(7, QString()));
    QTest::newRow("7 counted, 10 → 3") << 7 << 0 << (numbered("p", 3) + QStringList(3, QString()));
}

void CountTest::cuttingACopiedList()
{
    QFETCH(int, pictures);
    QFETCH(int, option);
    QFETCH(QStringList, lowerPictures);
    CardFolder folder;
    folder.writeIni(tenCards(pictures, 0));
    auto form = startForm();
    click(form->Panel3D8);
    click(form->Command1(0));
    QCOMPARE(form->List1(2)->ListCount(), 10);
    QCOMPARE(form->antal_rader(2), qint16(pictures));

    click(form->Option3D1(option));
    QCOMPARE(form->List1(2)->rows(), lowerPictures);
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
