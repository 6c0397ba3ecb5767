// Keys and switches without a window, on a clock of the test's own.
#include "exercise/KeyboardPlay.h"

#include <QtTest>

using exercise::Key;
using exercise::KeyboardPlay;
using settings::Scanning;
using Chosen = std::optional<qint16>;

static KeyboardPlay play(int count, Scanning scanning = Scanning::Off, bool keyboard = true)
{
    return KeyboardPlay(qint16(count), settings::PlayOptions{keyboard, scanning, 1500});
}

class KeysTest : public QObject {
    Q_OBJECT

private slots:
    // Whatever key comes first, it only shows the mark, on the leftmost remaining card. Moves
    // go over the remaining cards only, round from one end to the other; a held arrow moves on
    // as on any keyboard.
    void firstKeyThenMoves()
    {
        for (Key key : {Key::Left, Key::Right, Key::Next, Key::Previous, Key::Home, Key::End, Key::Space, Key::Enter}) {
            KeyboardPlay first = play(5);
            first.removed(0);
            QCOMPARE(first.press(key, false, 0), std::nullopt);
            QCOMPARE(first.markedSlot(), 1);
        }
        KeyboardPlay keys = play(5);
        keys.removed(3);
        keys.press(Key::Right, false, 0);
        const QList<QPair<Key, int>> moves = {{Key::Left, 4}, {Key::Right, 0}, {Key::Next, 1}, {Key::Right, 2},
                                              {Key::Right, 4}, {Key::Previous, 2}, {Key::End, 4}, {Key::Home, 0}};
        for (const auto& [key, slot] : moves) {
            keys.press(key, true, 0);
            QCOMPARE(keys.markedSlot(), slot);
        }
    }

    // Space and Enter choose once; a held key, or any press in the moment after a choice,
    // does nothing. When the marked card goes, the mark goes to the nearest remaining one,
    // the following one when two are as near; a card going elsewhere leaves the mark be.
    void choosingAndAfterwards()
    {
        KeyboardPlay once = play(3);
        once.press(Key::Enter, false, 0);
        once.release(Key::Enter, false, 0);
        QCOMPARE(once.press(Key::Space, true, 10), std::nullopt);
        once.release(Key::Space, false, 10);
        QCOMPARE(once.press(Key::Enter, false, 50), Chosen(0));
        once.release(Key::Enter, false, 50);
        QCOMPARE(once.press(Key::Enter, false, 49 + KeyboardPlay::kSettleMs), std::nullopt);
        QCOMPARE(once.press(Key::Right, false, 49 + KeyboardPlay::kSettleMs), std::nullopt);
        QCOMPARE(once.press(Key::Space, false, 50 + KeyboardPlay::kSettleMs), Chosen(0));

        KeyboardPlay keys = play(10);
        keys.press(Key::Home, false, 0);
        keys.press(Key::End, false, 0);
        keys.press(Key::Left, false, 0);
        const QList<QPair<qint16, int>> removals = {{8, 9}, {9, 7}, {6, 7}, {7, 5}, {5, 4}, {4, 3},
                                                   {3, 2}, {2, 1}, {1, 0}, {0, -1}};
        for (const auto& [slot, marked] : removals) {
            keys.removed(slot);
            QCOMPARE(keys.markedSlot(), marked);
        }
        QCOMPARE(keys.press(Key::Enter, false, 0), std::nullopt);
    }

    // Space or Enter held down 3 s on the right card chooses once, in one switch, two switch
    // and keyboard play alike, however the system repeats it: as presses it calls repeated,
    // as presses with no release, or as a release with a press at its heels, by the stamps on
    // the two where they have them, however late the press is taken. Letting go and pressing
    // again chooses at once; so does a press after keys were let go unseen.
    void aHeldKeyChoosesOnce()
    {
        for (Scanning scanning : {Scanning::Off, Scanning::OneSwitch, Scanning::TwoSwitches}) {
            const Key key = scanning == Scanning::TwoSwitches ? Key::Enter : Key::Space;
            KeyboardPlay keys = play(3, scanning);
            keys.press(key, false, 0);
            keys.release(key, false, 90);
            QCOMPARE(keys.press(key, false, 1000), Chosen(0));
            for (qint64 at = 1660; at < 4000; at += 40) {
                if (at % 120 != 20)
                    keys.release(key, at % 120 == 100, at);
                QCOMPARE(keys.press(key, at % 120 == 100, at + KeyboardPlay::kRepeatGapMs - 1), std::nullopt);
            }
            keys.release(key, false, 4000);
            QCOMPARE(keys.press(key, false, 4000 + KeyboardPlay::kRepeatGapMs), Chosen(0));
            keys.release(key, false, 5000, 9000);
            QCOMPARE(keys.press(key, false, 5300, 9000), std::nullopt);
            keys.release(key, false, 5400, 9500);
            QCOMPARE(keys.press(key, false, 5400, 9500 + KeyboardPlay::kRepeatGapMs), Chosen(0));
            keys.forgetHeldKeys();
            QCOMPARE(keys.press(key, false, 6000), Chosen(0));
        }
    }

    // One switch: the mark waits for the first press, then steps at the pace, and a choice
    // gives the next card a whole step. Two switches: Space moves, Enter chooses, nothing
    // steps by itself. Without keyboard play or scanning, keys do nothing.
    void switches()
    {
        KeyboardPlay one = play(3, Scanning::OneSwitch);
        QVERIFY(!one.step(100000));
        one.press(Key::Space, false, 1000);
        one.release(Key::Space, false, 1100);
        QVERIFY(!one.step(2499));
        for (qint64 at : {2500, 4000, 5500})
            QVERIFY(one.step(at));
        QCOMPARE(one.markedSlot(), 0);
        QCOMPARE(one.press(Key::Space, false, 6000), Chosen(0));
        one.removed(0);
        QCOMPARE(one.nextStepAt(), 7500);
        QCOMPARE(one.press(Key::Enter, false, 6500), Chosen(1));

        KeyboardPlay two = play(3, Scanning::TwoSwitches);
        for (qint64 at : {0, 100, 200}) {
            QCOMPARE(two.press(Key::Space, at == 200, at), std::nullopt);
            two.release(Key::Space, at == 200, at + 50);
        }
        QCOMPARE(two.nextStepAt(), KeyboardPlay::kNever);
        QCOMPARE(two.press(Key::Enter, false, 0), Chosen(1));

        KeyboardPlay none = play(3, Scanning::Off, false);
        none.press(Key::Right, false, 0);
        QCOMPARE(none.press(Key::Enter, false, 0), std::nullopt);
        QCOMPARE(none.markedSlot(), -1);
    }
};

QTEST_GUILESS_MAIN(KeysTest)
#include "tst_keys.moc"
