#include "exercise/KeyboardPlay.h"

namespace exercise {

KeyboardPlay::KeyboardPlay(qint16 count, const settings::PlayOptions& options)
    : m_options(options)
    , m_remaining(qMax<int>(0, count), true)
{
}

std::optional<qint16> KeyboardPlay::press(Key key, bool repeated, qint64 now, quint64 stamp)
{
    KeyState& state = m_keyStates[size_t(key)];
    const bool stamped = stamp != 0 && state.releaseStamp != 0;
    const qint64 sinceRelease = stamped ? qint64(stamp - state.releaseStamp) : now - state.releasedAt.value_or(now);
    const bool held = repeated || state.down || (state.releasedAt && sinceRelease >= 0 && sinceRelease < kRepeatGapMs);
    state.down = true;

    using settings::Scanning;
    const bool enabled = m_options.keyboard || m_options.scanning != Scanning::Off;
    if (!enabled || now < m_settledAt || firstRemaining() < 0)
        return std::nullopt;

    const bool twoSwitches = m_options.scanning == Scanning::TwoSwitches;
    const bool chooses = key == Key::Enter || (key == Key::Space && !twoSwitches);
    // A held key repeats its moves for the keyboard, but a switch held down, or any key
    // that chooses, acts once.
    if (held && (chooses || key == Key::Space))
        return std::nullopt;

    if (m_marked < 0) {
        moveTo(firstRemaining(), now);
        return std::nullopt;
    }
    switch (key) {
    case Key::Left:
    case Key::Previous:
        moveTo(following(m_marked, -1), now);
        break;
    case Key::Right:
    case Key::Next:
        moveTo(following(m_marked, +1), now);
        break;
    case Key::Home:
        moveTo(firstRemaining(), now);
        break;
    case Key::End:
        moveTo(lastRemaining(), now);
        break;
    case Key::Space:
    case Key::Enter:
        if (!chooses) {
            moveTo(following(m_marked, +1), now);
            break;
        }
        m_settledAt = now + kSettleMs;
        m_stepFrom = now;
        return qint16(m_marked);
    }
    return std::nullopt;
}

void KeyboardPlay::release(Key key, bool repeated, qint64 now, quint64 stamp)
{
    if (repeated)
        return;
    KeyState& state = m_keyStates[size_t(key)];
    state.down = false;
    state.releasedAt = now;
    state.releaseStamp = stamp;
}

void KeyboardPlay::forgetHeldKeys()
{
    m_keyStates = {};
}

qint64 KeyboardPlay::nextStepAt() const
{
    if (m_options.scanning != settings::Scanning::OneSwitch || m_marked < 0)
        return kNever;
    return m_stepFrom + m_options.paceMs;
}

bool KeyboardPlay::step(qint64 now)
{
    if (now < nextStepAt())
        return false;
    const int before = m_marked;
    moveTo(following(m_marked, +1), now);
    return m_marked != before;
}

void KeyboardPlay::removed(qint16 slot)
{
    if (slot < 0 || slot >= m_remaining.size())
        return;
    m_remaining[slot] = false;
    if (m_marked != slot)
        return;
    m_marked = -1;
    for (int d = 1; d < m_remaining.size() && m_marked < 0; ++d) {
        if (slot + d < m_remaining.size() && m_remaining[slot + d])
            m_marked = slot + d;
        else if (slot - d >= 0 && m_remaining[slot - d])
            m_marked = slot - d;
    }
}

void KeyboardPlay::moveTo(int slot, qint64 now)
{
    m_marked = slot;
    m_stepFrom = now;
}

// The next remaining slot in the direction, round from one end to the other; the slot
// itself when it is the only one left.
int KeyboardPlay::following(int from, int direction) const
{
    const int n = int(m_remaining.size());
    for (int d = 1; d <= n; ++d) {
        const int slot = ((from + direction * d) % n + n) % n;
        if (m_remaining[slot])
            return slot;
    }
    return from;
}

int KeyboardPlay::firstRemaining() const
{
    return int(m_remaining.indexOf(true));
}

int KeyboardPlay::lastRemaining() const
{
    return int(m_remaining.lastIndexOf(true));
}

} // namespace exercise
