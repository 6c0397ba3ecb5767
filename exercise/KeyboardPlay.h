#pragma once

#include "settings/PlayOptions.h"

#include <QList>
#include <QtGlobal>
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

// Play without a mouse: a mark on one of the remaining lower cards, moved by keys or, for a
// learner with one switch, stepping by itself, and a key that chooses the marked card as a
// click would. Times are milliseconds on any steady clock the caller keeps.
//
// The mark shows only once a key has been pressed, so the first press never chooses: a
// learner who leans on a key, or a switch pressed while settling in, does no harm.
class KeyboardPlay {
public:
    // After a choice, presses are ignored for this long: a tremor must not choose twice.
    static constexpr qint64 kSettleMs = 500;
    static constexpr qint64 kNever = std::numeric_limits<qint64>::max();

    KeyboardPlay() = default;
    KeyboardPlay(qint16 count, const settings::PlayOptions& options);

    // The lower slot the mark is on; -1 while it is not shown.
    int markedSlot() const { return m_marked; }

    // A key pressed at `now`; `repeated` when the key is held and the press is the system's
    // repetition. Returns the slot to choose, if the press chooses one.
    std::optional<qint16> press(Key key, bool repeated, qint64 now);

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
};

} // namespace exercise
