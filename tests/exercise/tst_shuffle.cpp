#include "exercise/Shuffle.h"
#include "tests/exercise/ScriptedRandom.h"

#include <QTest>
#include <array>
#include <cmath>
#include <random>


namespace {

using exercise::Order;

// A fixed-seed generator that draws as the program's own does: 24 random bits per draw.
class SeededRandom : public runtime::RandomSource {
public:
    explicit SeededRandom(unsigned seed)
        : engine_(seed)
    {
    }
    void seedFromClock() override {}
    float next() override { return float(engine_() >> 8) * (1.0f / 16777216.0f); }

private:
    std::mt19937 engine_;
};

Order withMarkers()
{
    Order o;
    for (int i = 0; i <= 10; ++i)
        o(i) = qint16(70 + i);
    return o;
}

// Index 0..5 of the 3-card arrangement in the order 012, 021, 102, 120, 201, 210.
int arrangement(const Order& o)
{
    static const int codes[] = {12, 21, 102, 120, 201, 210};
    const int code = o(0) * 100 + o(1) * 10 + o(2);
    for (int a = 0; a < 6; ++a) {
        if (codes[a] == code)
            return a;
    }
    return -1;
}

const std::array<double, 6> kChance = {1.0 / 6, 1.0 / 12, 1.0 / 4, 1.0 / 12, 1.0 / 4, 1.0 / 6};

std::array<int, 6> countArrangements(runtime::RandomSource& source, int runs)
{
    std::array<int, 6> seen{};
    for (int n = 0; n < runs; ++n) {
        Order o = withMarkers();
        exercise::shuffle(o, 3, source);
        const int a = arrangement(o);
        if (a < 0)
            qFatal("not an arrangement of three cards");
        ++seen[std::size_t(a)];
        for (int i = 3; i <= 10; ++i) {
            if (o(i) != 70 + i)
                qFatal("entry %d beyond the count was changed", i);
        }
    }
    return seen;
}

} // namespace

class ShuffleTest : public QObject {
    Q_OBJECT

private slots:
    void drawScalesByCountMinusOneAndRoundsHalfToEven_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("slot");
        QTest::newRow("3: 0.25 is 0.5, to 0") << 3 << 0.25f << 0;
        QTest::newRow("3: 0.75 is 1.5, to 2") << 3 << 0.75f << 2;
        QTest::newRow("3: just above 0.25") << 3 << std::nextafter(0.25f, 1.0f) << 1;
        QTest::newRow("3: just below 0.75") << 3 << std::nextafter(0.75f, 0.0f) << 1;
        QTest::newRow("5: 0.625 is 2.5, to 2") << 5 << 0.625f << 2;
        QTest::newRow("5: 0.875 is 3.5, to 4") << 5 << 0.875f << 4;
        QTest::newRow("10: largest draw stays on slot 9") << 10 << std::nextafter(1.0f, 0.0f) << 9;
        QTest::newRow("10: 0.5 is 4.5, to 4") << 10 << 0.5f << 4;
        QTest::newRow("1: always slot 0") << 1 << 0.99f << 0;
    }
    void drawScalesByCountMinusOneAndRoundsHalfToEven()
    {
        QFETCH(int, count);
        QFETCH(float, r);
        QFETCH(int, slot);
        QCOMPARE(exercise::draw(qint16(count), r), qint16(slot));
    }

    // The shuffle with a scripted generator: a draw that lands on a taken slot is drawn again;
    // the entries from count on keep whatever they held.
    void scriptedDraws_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<float>>("draws");
        QTest::addColumn<QList<qint16>>("order");
        // 0.25 → slot 0 gets card 0; 0.75 → slot 2 gets card 1; 0.1 → 0 and 0.9 → 2 are
        // taken, until 0.5 → slot 1 gets card 2.
        QTest::newRow("3 cards") << 3 << QList<float>{0.25f, 0.75f, 0.1f, 0.9f, 0.5f} << QList<qint16>{0, 2, 1};
        // 0.625 → 2.5 → slot 2 for card 0; then slots 0 (0.0), 4 (0.99), 1 (0.3), 3 (0.7).
        QTest::newRow("5 cards") << 5 << QList<float>{0.625f, 0.0f, 0.99f, 0.3f, 0.7f} << QList<qint16>{1, 3, 0, 4, 2};
        QTest::newRow("count 0 draws nothing") << 0 << QList<float>{0.5f} << QList<qint16>{};
        QTest::newRow("count -1 draws nothing") << -1 << QList<float>{0.5f} << QList<qint16>{};
    }
    void scriptedDraws()
    {
        QFETCH(int, count);
        QFETCH(QList<float>, draws);
        QFETCH(QList<qint16>, order);
        ScriptedRandom source(draws);
        Order o = withMarkers();
        exercise::shuffle(o, qint16(count), source);
        for (int i = 0; i <= 10; ++i)
            QCOMPARE(o(i), i < order.size() ? order[i] : qint16(70 + i));
        QCOMPARE(source.used, qsizetype(order.isEmpty() ? 0 : draws.size()));
        QCOMPARE(source.seeds, 1);
    }

    void everyCountGivesAPermutationAndLeavesTheRestAlone()
    {
        for (int count : {1, 2, 3, 4, 5, 7, 10}) {
            for (int run = 0; run < 200; ++run) {
                Order o = withMarkers();
                exercise::shuffle(o, qint16(count), runtime::randomSource());
                QList<bool> seen(count, false);
                for (int i = 0; i < count; ++i) {
                    QVERIFY2(o(i) >= 0 && o(i) < count, qPrintable(QStringLiteral("count %1").arg(count)));
                    QVERIFY(!seen[o(i)]);
                    seen[o(i)] = true;
                }
                for (int i = count; i <= 10; ++i)
                    QCOMPARE(o(i), qint16(70 + i));
            }
        }
    }

    // The six arrangements of three cards come out with the chances 1/6, 1/12, 1/4, 1/12,
    // 1/4, 1/6: a chi-square test at the 0.1 % level over 60 000 shuffles with a fixed seed.
    void threeCardArrangementsFollowTheirChances()
    {
        const int runs = 60000;
        SeededRandom source(20240607u);
        const std::array<int, 6> seen = countArrangements(source, runs);
        double chiSquare = 0;
        for (std::size_t a = 0; a < 6; ++a) {
            const double expected = runs * kChance[a];
            chiSquare += (seen[a] - expected) * (seen[a] - expected) / expected;
        }
        // 5 degrees of freedom: P(chi-square > 20.52) = 0.001.
        QVERIFY2(chiSquare < 20.52, qPrintable(QStringLiteral("chi-square %1").arg(chiSquare)));
    }

    // The program's own clock-seeded generator gives the same chances: every arrangement
    // within five standard deviations of its expected count.
    void programGeneratorGivesTheSameChances()
    {
        const int runs = 60000;
        const std::array<int, 6> seen = countArrangements(runtime::randomSource(), runs);
        for (std::size_t a = 0; a < 6; ++a) {
            const double expected = runs * kChance[a];
            const double sigma = std::sqrt(runs * kChance[a] * (1 - kChance[a]));
            QVERIFY2(std::abs(seen[a] - expected) < 5 * sigma,
                     qPrintable(QStringLiteral("arrangement %1: %2 of %3").arg(a).arg(seen[a]).arg(runs)));
        }
    }
};

QTEST_GUILESS_MAIN(ShuffleTest)
#include "tst_shuffle.moc"
