#pragma once

#include "settings/PlayOptions.h"

#include <QList>
#include <QtGlobal>
#include <array>
#include <limits>
#include <optional>

namespace exercise {

// The keys a learner plays with, whatever sends them: a keyboard or a switch interface.
enum class Key {
    Left,
    Right,
    Next,      // Tab
    Previous,  // Shift+Tab
    Home,
    End,
    Space,
    Enter,
};
inline constexpr int kKeyCount = int(Key::Enter) + 1;

// Play without a mouse: a mark on one of the remaining lower cards, moved by keys or, for a
// learner with one switch, stepping by itself, and a key that chooses the marked card as a
// click would. Times are milliseconds on any steady clock the caller keeps.
//
// The mark shows only once a key has been pressed, so the first press never chooses: a
// learner who leans on a key, or a switch pressed while settling in, does no harm.
//
// A key chooses again only once it has been let go. Window systems repeat a held key in more
// than one way: as presses marked as repeated, as presses with no release between, or as a
// release with a press at its heels, which no hand can do; all three are the key held down.
// The heels are measured by the stamps the window system puts on the two events where it
// gives them: a busy program may take the press long after the release.
class KeyboardPlay {
public:
    // After a choice, presses are ignored for this long: a tremor must not choose twice.
    static constexpr qint64 kSettleMs = 500;
    // A press of a key this soon after its release is the key still held down.
    static constexpr qint64 kRepeatGapMs = 30;
    static constexpr qint64 kNever = std::numeric_limits<qint64>::max();

    KeyboardPlay() = default;
    KeyboardPlay(qint16 count, const settings::PlayOptions& options);

    // The lower slot the mark is on; -1 while it is not shown.
    int markedSlot() const { return m_marked; }

    // A key pressed at `now`; `repeated` when the system says the press is its repetition of
    // a held key; `stamp` the time in milliseconds the system stamped on it, 0 for none.
    // Returns the slot to choose, if the press chooses one.
    std::optional<qint16> press(Key key, bool repeated, qint64 now, quint64 stamp = 0);
    // A key let go at `now`; `repeated` when the system says the release is part of its
    // repetition, and so no release at all.
    void release(Key key, bool repeated, qint64 now, quint64 stamp = 0);
    // Keys held now will be let go where the caller cannot see it, as when its window loses
    // the keyboard: the next press of each is a fresh one.
    void forgetHeldKeys();

    // When the mark steps on by itself next; kNever when it does not.
    qint64 nextStepAt() const;
    // Steps the mark on when its time has come. Returns whether it moved.
    bool step(qint64 now);

    // The pair whose lower card stood in the slot has gone, by whatever means it was chosen.
    // A mark on it goes to the nearest remaining card, the following one when two are as near.
    void removed(qint16 slot);

private:
    void moveTo(int slot, qint64 now);
    int following(int from, int direction) const;
    int firstRemaining() const;
    int lastRemaining() const;

    settings::PlayOptions m_options;
    QList<bool> m_remaining;
    int m_marked = -1;
    qint64 m_settledAt = std::numeric_limits<qint64>::min();
    qint64 m_stepFrom = 0;

    struct KeyState {
        bool down = false;
        std::optional<qint64> releasedAt;
        quint64 releaseStamp = 0;
    };
    std::array<KeyState, kKeyCount> m_keyStates{};
};

} // namespace exercise
