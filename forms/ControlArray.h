#pragma once

#include "runtime/Int16.h"

#include <array>

namespace forms {

// A control array: controls addressed by index, some indexes possibly absent.
template <class Control, int Count>
class ControlArray {
public:
    Control* operator()(long long i) const
    {
        if (i < 0 || i >= Count || !m_items[std::size_t(i)])
            runtime::indexOutOfBounds(i, 0, Count - 1);
        return m_items[std::size_t(i)];
    }
    void set(int i, Control* control) { m_items.at(std::size_t(i)) = control; }
    static constexpr int size() { return Count; }

private:
    std::array<Control*, Count> m_items{};
};

} // namespace forms
