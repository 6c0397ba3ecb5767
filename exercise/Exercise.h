#pragma once

#include "exercise/Shuffle.h"

#include <QtGlobal>

namespace exercise {

// What a click on a lower slot comes to.
enum class Answer {
    Wrong,     // not the partner of the framed card: nothing changes
    Right,     // the pair goes, and the frame moves on to the next upper card
    Finished,  // the last pair went: the exercise is over
};

// The learner's exercise: the upper cards are asked for in order, and each is answered by a
// click on the lower slot that shows its partner.
class Exercise {
public:
    Exercise() = default;
    Exercise(qint16 count, const Order& order);

    qint16 count() const { return m_count; }
    // The upper card asked for, which is also the number of pairs found so far.
    qint16 framedCard() const { return m_framed; }
    // The lower slot that shows the partner of upper card `card`.
    qint16 slotOf(int card) const { return m_order(card); }
    bool isOver() const { return m_framed >= m_count; }

    Answer answer(qint16 slot);

private:
    qint16 m_count = 0;
    qint16 m_framed = 0;
    Order m_order;
};

} // namespace exercise
