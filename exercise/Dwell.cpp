#include "exercise/Dwell.h"

namespace exercise {

Dwell::Dwell(qint16 count, int dwellMs)
    : m_dwellMs(dwellMs)
    , m_remaining(qMax<int>(0, count), true)
{
}

void Dwell::pointerAt(QPoint at, int slot, qint64 now)
{
    if (!isOn())
        return;
    // The first position told is where the pointer lay when the game opened.
    if (!m_moved && m_lastAt && *m_lastAt != at) {
        m_moved = true;
        m_since = now;
    }
    m_lastAt = at;
    cameTo(slot, now);
}

void Dwell::pointerGone(qint64 now)
{
    cameTo(-1, now);
}

void Dwell::cameTo(int slot, qint64 now)
{
    if (slot == m_slot)
        return;
    m_slot = slot;
    m_since = now;
    m_spent = false;
}

bool Dwell::resting() const
{
    return isOn() && m_moved && !m_spent && m_slot >= 0 && m_slot < m_remaining.size() && m_remaining[m_slot];
}

std::optional<Dwell::Progress> Dwell::progress(qint64 now) const
{
    const qint64 shownFor = now - m_since - kSettleMs;
    if (!resting() || shownFor < 0)
        return std::nullopt;
    return Progress{m_slot, qMin(1.0, double(shownFor) / double(m_dwellMs - kSettleMs))};
}

std::optional<qint16> Dwell::choice(qint64 now)
{
    if (!resting() || now - m_since < m_dwellMs)
        return std::nullopt;
    m_spent = true;
    return qint16(m_slot);
}

void Dwell::removed(qint16 slot)
{
    if (slot >= 0 && slot < m_remaining.size())
        m_remaining[slot] = false;
}

} // namespace exercise
