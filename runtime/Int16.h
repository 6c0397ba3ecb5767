#pragma once

#include "runtime/Error.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <limits>

namespace runtime {

// 16-bit integers with overflow checks, and arrays whose indexes are checked against their
// bounds: a value or an index out of range is an error, never silent corruption.
inline qint16 int16(long long value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw Error(QStringLiteral("Spill: talet %1 ryms inte i ett 16-bitars heltal.").arg(value));
    return qint16(value);
}

[[noreturn]] inline void indexOutOfBounds(long long index, long long low, long long high)
{
    throw Error(QStringLiteral("Index %1 ligger utanför gränserna %2 till %3.").arg(index).arg(low).arg(high));
}

// An array with the indexes Low to High.
template <class T, int Low, int High>
class Array {
public:
    static_assert(Low <= High);

    T& operator()(long long i)
    {
        check(i);
        return m_items[std::size_t(i - Low)];
    }
    const T& operator()(long long i) const
    {
        check(i);
        return m_items[std::size_t(i - Low)];
    }

private:
    static void check(long long i)
    {
        if (i < Low || i > High)
            indexOutOfBounds(i, Low, High);
    }
    std::array<T, std::size_t(High - Low + 1)> m_items{};
};

} // namespace runtime
