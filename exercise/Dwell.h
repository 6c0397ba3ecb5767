#pragma once

#include <QList>
#include <QPoint>
#include <QtGlobal>
#include <limits>
#include <optional>

namespace exercise {

// Choosing without a click, for a learner who points with the eyes or the head: the pointer
// resting on a lower card that is still in play chooses it after the teacher's time. Times
// are milliseconds on any steady clock the caller keeps.
//
// A rest belongs to a card, not to a point: an eye tracker's jitter inside the card keeps it
// going, and only leaving the card ends it. Its progress shows only after a short settle, so
// that a pointer passing over the cards shows nothing.
//
// Nothing is chosen before the pointer has moved once, so that a pointer that happens to lie
// on a card when the game opens chooses nothing. After a choice, nothing more is chosen until
// the pointer has left the place it is on, the card or the empty place where the card was,
// and comes to rest again: a pointer still resting does not choose twice.
class Dwell {
public:
    // How long the pointer is on a card before its rest shows.
    static constexpr qint64 kSettleMs = 150;

    Dwell() = default;
    // Off where `dwellMs` is not longer than the settle.
    Dwell(qint16 count, int dwellMs);

    bool isOn() const { return m_dwellMs > kSettleMs; }

    // The pointer is at `at`, on lower slot `slot`, or on no slot where -1: on the upper row,
    // between the cards, or outside the window.
    void pointerAt(QPoint at, int slot, qint64 now);
    // The pointer has left the window.
    void pointerGone(qint64 now);

    // The rest under way, once it shows: the slot and how much of the time has gone, from 0
    // just after the settle to 1 at the choice.
    struct Progress {
        int slot = -1;
        double done = 0;
    };
    std::optional<Progress> progress(qint64 now) const;
    // Whether a rest is under way, shown or not yet: the caller looks again until it ends.
    bool resting() const;

    // The slot whose card the rest chooses, once its time has come.
    std::optional<qint16> choice(qint64 now);

    // The pair whose lower card stood in the slot has gone.
    void removed(qint16 slot);

private:
    void cameTo(int slot, qint64 now);

    int m_dwellMs = 0;
    QList<bool> m_remaining;
    std::optional<QPoint> m_lastAt;
    bool m_moved = false;
    int m_slot = -1;
    qint64 m_since = 0;
    // After a choice, until the pointer leaves m_slot.
    bool m_spent = false;
};

} // namespace exercise
