// Play by keys and switches without a window: where the mark stands, what each key does, the
// pace of scanning and the pause after a choice, on a clock of the test's own.

#include "exercise/KeyboardPlay.h"

#include <QtTest>

using exercise::Key;
using exercise::KeyboardPlay;
using settings::Scanning;

namespace {

KeyboardPlay play(int count, Scanning scanning = Scanning::Off, bool keyboard = true)
{
    settings::PlayOptions options;
    options.keyboard = keyboard;
    options.scanning = scanning;
    options.paceMs = 1500;
    return KeyboardPlay(qint16(count), options);
}

} // namespace

class KeysTest : public QObject {
    Q_OBJECT

private slots:
    // Whatever key comes first, it only shows the mark, on the leftmost remaining card.
    void firstKeyOnlyShowsTheMark()
    {
        for (Key key : {Key::Left, Key::Right, Key::Next, Key::Previous, Key::Home, Key::End, Key::Space, Key::Enter}) {
            KeyboardPlay keys = play(5);
            keys.removed(0);
            QCOMPARE(keys.markedSlot(), -1);
            QCOMPARE(keys.press(key, false, 0), std::nullopt);
            QCOMPARE(keys.markedSlot(), 1);
        }
    }

    // Moves go over the remaining cards only, round from one end to the other.
    void movesWrapOverTheRemainingCards()
    {
        KeyboardPlay keys = play(5);
        keys.removed(3);
        keys.press(Key::Right, false, 0);
        const QList<QPair<Key, int>> moves = {{Key::Left, 4}, {Key::Right, 0}, {Key::Next, 1}, {Key::Right, 2},
                                              {Key::Right, 4}, {Key::Previous, 2}, {Key::End, 4}, {Key::Home, 0}};
        for (const auto& [key, slot] : moves) {
            // A held arrow moves on, as on any keyboard.
            QCOMPARE(keys.press(key, true, 0), std::nullopt);
            QCOMPARE(keys.markedSlot(), slot);
        }
    }

    // Space and Enter choose the marked card once; a held key, or a press in the moment
    // after a choice, chooses nothing.
    void choosingOnceAndNotAgainAtOnce()
    {
        KeyboardPlay keys = play(3);
        keys.press(Key::Enter, false, 0);
        QCOMPARE(keys.press(Key::Space, true, 10), std::nullopt);
        QCOMPARE(keys.press(Key::Enter, false, 20), std::optional<qint16>(0));
        QCOMPARE(keys.press(Key::Enter, false, 20 + KeyboardPlay::kSettleMs - 1), std::nullopt);
        QCOMPARE(keys.press(Key::Right, false, 20 + KeyboardPlay::kSettleMs - 1), std::nullopt);
        QCOMPARE(keys.markedSlot(), 0);
        QCOMPARE(keys.press(Key::Space, false, 20 + KeyboardPlay::kSettleMs), std::optional<qint16>(0));
    }

    // When the marked card goes, the mark goes to the nearest remaining one, the following
    // one when two are as near; a card going elsewhere leaves the mark where it is.
    void markGoesToTheNearestCard()
    {
        KeyboardPlay keys = play(10);
        keys.press(Key::Home, false, 0);
        for (int i = 0; i < 4; ++i)
            keys.press(Key::Right, false, 0);
        keys.removed(7);
        QCOMPARE(keys.markedSlot(), 4);
        keys.removed(4);
        QCOMPARE(keys.markedSlot(), 5);
        keys.removed(6);
        keys.removed(5);
        QCOMPARE(keys.markedSlot(), 3);
        for (qint16 slot : {3, 2, 1, 0})
            keys.removed(slot);
        QCOMPARE(keys.markedSlot(), 8);
        keys.removed(9);
        keys.removed(8);
        QCOMPARE(keys.markedSlot(), -1);
        QCOMPARE(keys.press(Key::Enter, false, 0), std::nullopt);
    }

    // One switch: the mark waits for the first press, then steps at the pace, and a choice
    // gives the next card a whole step; Space or Enter chooses.
    void oneSwitchScansAtThePace()
    {
        KeyboardPlay keys = play(3, Scanning::OneSwitch);
        QCOMPARE(keys.nextStepAt(), KeyboardPlay::kNever);
        QVERIFY(!keys.step(100000));
        keys.press(Key::Space, false, 1000);
        QCOMPARE(keys.nextStepAt(), 2500);
        QVERIFY(!keys.step(2499));
        QVERIFY(keys.step(2500));
        QCOMPARE(keys.markedSlot(), 1);
        QVERIFY(keys.step(4000));
        QVERIFY(keys.step(5500));
        QCOMPARE(keys.markedSlot(), 0);
        QCOMPARE(keys.press(Key::Space, false, 6000), std::optional<qint16>(0));
        keys.removed(0);
        QCOMPARE(keys.markedSlot(), 1);
        QCOMPARE(keys.nextStepAt(), 7500);
        QCOMPARE(keys.press(Key::Enter, false, 6500), std::optional<qint16>(1));
    }

    // Two switches: Space moves, Enter chooses, and nothing steps by itself. Without
    // keyboard play and scanning, keys do nothing.
    void twoSwitchesAndNoKeys()
    {
        KeyboardPlay keys = play(3, Scanning::TwoSwitches);
        keys.press(Key::Space, false, 0);
        QCOMPARE(keys.press(Key::Space, false, 0), std::nullopt);
        QCOMPARE(keys.press(Key::Space, true, 0), std::nullopt);
        QCOMPARE(keys.markedSlot(), 1);
        QCOMPARE(keys.nextStepAt(), KeyboardPlay::kNever);
        QCOMPARE(keys.press(Key::Enter, false, 0), std::optional<qint16>(1));

        KeyboardPlay none = play(3, Scanning::Off, false);
        none.press(Key::Right, false, 0);
        QCOMPARE(none.press(Key::Enter, false, 0), std::nullopt);
        QCOMPARE(none.markedSlot(), -1);
    }
};

QTEST_GUILESS_MAIN(KeysTest)
#include "tst_keys.moc"
