// Half-even rounding, checked 16-bit values and arrays, and the random source.
#include "runtime/Int16.h"
#include "runtime/Random.h"
#include "runtime/Rounding.h"

#include <QtTest>
#include <limits>

class ValuesTest : public QObject {
    Q_OBJECT
private slots:
    void roundsHalfToEven_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("0.5") << 0.5f << 0;
        QTest::newRow("1.5") << 1.5f << 2;
        QTest::newRow("2.5") << 2.5f << 2;
        QTest::newRow("3.5") << 3.5f << 4;
        QTest::newRow("-0.5") << -0.5f << 0;
        QTest::newRow("-1.5") << -1.5f << -2;
        QTest::newRow("-2.5") << -2.5f << -2;
        QTest::newRow("just below a half") << std::nextafter(0.5f, 0.0f) << 0;
        QTest::newRow("just above a half") << std::nextafter(2.5f, 3.0f) << 3;
        QTest::newRow("1.4999") << 1.4999f << 1;
        QTest::newRow("top of range") << 32767.4f << 32767;
        QTest::newRow("bottom of range") << -32768.5f << -32768;
    }
    void roundsHalfToEven()
    {
        QFETCH(float, x);
        QFETCH(int, expected);
        QCOMPARE(int(runtime::roundHalfEven16(x)), expected);
    }

    void roundingOverflowIsAnError()
    {
        QVERIFY_THROWS_EXCEPTION(runtime::Error, runtime::roundHalfEven16(32767.5f));
        QVERIFY_THROWS_EXCEPTION(runtime::Error, runtime::roundHalfEven16(-32769.0f));
        QVERIFY_THROWS_EXCEPTION(runtime::Error, runtime::roundHalfEven16(std::numeric_limits<float>::infinity()));
        QVERIFY_THROWS_EXCEPTION(runtime::Error, runtime::roundHalfEven16(std::numeric_limits<float>::quiet_NaN()));
    }

    void sixteenBitOverflowIsAnError()
    {
        QCOMPARE(runtime::int16(32767), qint16(32767));
        QCOMPARE(runtime::int16(-32768), qint16(-32768));
        QVERIFY_THROWS_EXCEPTION(runtime::Error, runtime::int16(32768));
        QVERIFY_THROWS_EXCEPTION(runtime::Error, runtime::int16(-32769));
    }

    void arrayIndexesAreChecked()
    {
        runtime::Array<qint16, 0, 10> a;
        a(0) = 1;
        a(10) = 2;
        QCOMPARE(a(0), qint16(1));
        QCOMPARE(a(10), qint16(2));
        QCOMPARE(a(5), qint16(0));
        QVERIFY_THROWS_EXCEPTION(runtime::Error, a(11));
        QVERIFY_THROWS_EXCEPTION(runtime::Error, a(-1));
    }

    void randomDrawsLieInTheHalfOpenUnitInterval()
    {
        runtime::RandomSource source;
        source.seedFromClock();
        float low = 1, high = 0;
        double sum = 0;
        const int n = 200000;
        for (int i = 0; i < n; ++i) {
            const float r = source.next();
            QVERIFY(r >= 0.0f && r < 1.0f);
            low = std::min(low, r);
            high = std::max(high, r);
            sum += r;
        }
        QVERIFY(low < 0.001f);
        QVERIFY(high > 0.999f);
        // The mean of n uniform draws has a standard deviation of 1/sqrt(12 n) ≈ 0.00065.
        QVERIFY(std::abs(sum / n - 0.5) < 0.004);
    }

    void clockSeedsDiffer()
    {
        runtime::RandomSource a, b;
        a.seedFromClock();
        QTest::qWait(2);
        b.seedFromClock();
        bool differ = false;
        for (int i = 0; i < 8 && !differ; ++i)
            differ = a.next() != b.next();
        QVERIFY(differ);
    }

    void sourceCanBeReplaced()
    {
        struct Fixed : runtime::RandomSource {
            float next() override { return 0.25f; }
        } fixed;
        runtime::replaceRandomSource(&fixed);
        QCOMPARE(runtime::randomSource().next(), 0.25f);
        runtime::replaceRandomSource(nullptr);
        QVERIFY(&runtime::randomSource() != &fixed);
    }
};

QTEST_GUILESS_MAIN(ValuesTest)
#include "ValuesTest.moc"
