// Choosing by resting the pointer, without a window, on a clock of the test's own.
#include "exercise/Dwell.h"

#include <QtTest>

using exercise::Dwell;
using Chosen = std::optional<qint16>;

class DwellTest : public QObject {
    Q_OBJECT

private slots:
    // Nothing before the pointer has moved once. The progress shows after the settle; moves
    // inside the card keep the rest going, and leaving the card, even for a moment, ends it.
    void aRestChooses()
    {
        Dwell dwell(5, 1000);
        dwell.pointerAt({10, 10}, 1, 0);
        dwell.pointerAt({10, 10}, 1, 2000);
        QCOMPARE(dwell.choice(5000), Chosen());
        dwell.pointerAt({11, 10}, 1, 5000);
        QVERIFY(!dwell.progress(5000 + Dwell::kSettleMs - 1) && dwell.progress(5000 + Dwell::kSettleMs)->done == 0);
        dwell.pointerAt({60, 80}, 1, 5500);
        QVERIFY(dwell.progress(5575)->slot == 1 && dwell.progress(5575)->done == 0.5);
        QCOMPARE(dwell.choice(5999), Chosen());
        dwell.pointerAt({200, 80}, 2, 5999);
        dwell.pointerAt({60, 80}, 1, 6000);
        QVERIFY(!dwell.progress(6100) && !dwell.choice(6999));
        QCOMPARE(dwell.choice(7000), Chosen(1));
    }

    // After a choice, by a rest or any other way, nothing more until the pointer has left its
    // place and comes to rest again; an empty place, or no card at all, never chooses.
    void afterAChoice()
    {
        Dwell dwell(3, 500);
        dwell.pointerAt({0, 0}, -1, 0);
        dwell.pointerAt({1, 0}, 0, 0);
        QCOMPARE(dwell.choice(500), Chosen(0));
        dwell.pointerAt({2, 0}, 0, 600);
        QVERIFY(!dwell.choice(9000) && !dwell.progress(9000) && !dwell.resting());
        dwell.removed(0);
        dwell.pointerAt({300, 0}, 2, 9000);
        dwell.chosen();
        dwell.pointerAt({301, 0}, 2, 9100);
        QVERIFY(!dwell.choice(20000));
        dwell.pointerGone(20000);
        dwell.pointerAt({0, 0}, 0, 20000);
        QVERIFY(!dwell.choice(30000));
        dwell.pointerAt({300, 0}, 2, 30000);
        QCOMPARE(dwell.choice(30500), Chosen(2));
    }
};

QTEST_GUILESS_MAIN(DwellTest)
#include "tst_dwell.moc"
