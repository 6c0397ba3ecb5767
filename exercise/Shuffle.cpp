#include "exercise/Shuffle.h"

#include "runtime/Rounding.h"

namespace exercise {

qint16 draw(qint16 count, float r)
{
    const float x = float(runtime::int16(count - 1)) * r;
    return runtime::roundHalfEven16(x);
}

void shuffle(Order& order, qint16 count, runtime::RandomSource& random)
{
    random.seedFromClock();
    for (int k = 0; k < count; ++k)
        order(k) = -1;
    for (int k = 0; k < count; ++k) {
        qint16 slot;
        do {
            slot = draw(count, random.next());
        } while (order(slot) != -1);
        order(slot) = qint16(k);
    }
}

} // namespace exercise
