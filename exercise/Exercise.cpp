#include "exercise/Exercise.h"

namespace exercise {

Exercise::Exercise(qint16 count, const Order& order)
    : m_count(count)
    , m_order(order)
{
}

Answer Exercise::answer(qint16 slot)
{
    if (isOver() || m_order(m_framed) != slot)
        return Answer::Wrong;
    m_framed = runtime::int16(m_framed + 1);
    return isOver() ? Answer::Finished : Answer::Right;
}

} // namespace exercise
