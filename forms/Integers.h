#pragma once

#include "Error.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <limits>

namespace forms {

// 16-bit integers with overflow checks, and arrays whose indexes are checked against
// their bounds: a value or index out of range is an error, never silent corruption.
inline qint16 int16(long long value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        throw Error(QStringLiteral("Spill: talet %1 ryms inte i ett 16-bitars heltal.").arg(value));
    return qint16(value);
}

[[noreturn]] inline void indexOutOfBounds(long long index, int low, int high)
{
    throw Error(QStringLiteral("Index %1 ligger utanför gränserna %2 till %3.")
                    .arg(index).arg(low).arg(high));
}

template <class T, int Low, int High>
class Array {
public:
    static_assert(Low <= High);

    T& operator()(long long i)
    {
        check(i);
        return items_[std::size_t(i - Low)];
    }
    const T& operator()(long long i) const
    {
        check(i);
        return items_[std::size_t(i - Low)];
    }

private:
    static void check(long long i)
    {
        if (i < Low || i > High)
            indexOutOfBounds(i, Low, High);
    }
    std::array<T, std::size_t(High - Low + 1)> items_{};
};

// A control array: controls addressed by index, some indexes possibly absent.
template <class Control, int Count>
class ControlArray {
public:
    Control* operator()(long long i) const
    {
        if (i < 0 || i >= Count || !items_[std::size_t(i)])
            indexOutOfBounds(i, 0, Count - 1);
        return items_[std::size_t(i)];
    }
    void set(int i, Control* control) { items_.at(std::size_t(i)) = control; }
    static constexpr int size() { return Count; }

private:
    std::array<Control*, Count> items_{};
};

} // namespace forms
