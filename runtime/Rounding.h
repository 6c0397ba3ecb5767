#pragma once

#include <QtGlobal>

namespace runtime {

// The nearest 16-bit integer to x, an exact half going to the even neighbour
// (0.5 → 0, 1.5 → 2, 2.5 → 2). A result outside −32768…32767 is an overflow error.
qint16 roundHalfEven16(float x);

} // namespace runtime
