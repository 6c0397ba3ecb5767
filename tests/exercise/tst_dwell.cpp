// Choosing by resting the pointer, without a window, on a clock of the test's own.
#include "exercise/Dwell.h"

#include <QtTest>

using exercise::Dwell;

class DwellTest : public QObject {
    Q_OBJECT

private slots:
    // Nothing before the pointer has moved once. The progress shows after the settle; moves
    // inside the card keep the rest going, and leaving the card, even for a moment, ends it.
    void restsChoose()
    {
        Dwell dwell(5, 1000);
        dwell.pointerAt({10, 10}, 1, 0);
        QVERIFY(!dwell.choice(5000));
        dwell.pointerAt({11, 10}, 1, 5000);
        QVERIFY(!dwell.progress(5000 + Dwell::kSettleMs - 1) && dwell.progress(5000 + Dwell::kSettleMs)->done == 0);
        dwell.pointerAt({60, 80}, 1, 5500);
        QVERIFY(dwell.progress(5575)->slot == 1 && dwell.progress(5575)->done == 0.5 && !dwell.choice(5999));
        dwell.pointerAt({200, 80}, 2, 5999);
        dwell.pointerAt({60, 80}, 1, 6000);
        QVERIFY(!dwell.progress(6100) && !dwell.choice(6999));
        QCOMPARE(dwell.choice(7000).value_or(-1), qint16(1));

        // After a choice, nothing more until the pointer has left its place and comes to rest
        // again; an empty place, or no card at all, never chooses.
        dwell.pointerAt({60, 81}, 1, 7100);
        QVERIFY(!dwell.choice(9000) && !dwell.progress(9000) && !dwell.resting());
        dwell.pointerGone(9000);
        dwell.pointerAt({60, 80}, 1, 9000);
        QCOMPARE(dwell.choice(10000).value_or(-1), qint16(1));
        dwell.removed(1);
        dwell.pointerAt({300, 0}, 3, 10000);
        dwell.pointerAt({60, 80}, 1, 10000);
        QVERIFY(!dwell.choice(30000) && !dwell.progress(30000));
    }
};

QTEST_GUILESS_MAIN(DwellTest)
#include "tst_dwell.moc"
