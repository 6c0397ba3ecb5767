#include "game/Shuffle.h"

#include "runtime/Rounding.h"

namespace game {

qint16 dra(qint16 antal, float r)
{
    const float x = float(runtime::int16(antal - 1)) * r;
    return runtime::roundHalfEven16(x);
}

void blanda(runtime::Array<qint16, 0, 10>& ordning, qint16 antal, runtime::RandomSource& slump)
{
    slump.seedFromClock();
    const int sista = antal - 1;
    for (int k = 0; k <= sista; ++k)
        ordning(k) = -1;
    for (int k = 0; k <= sista; ++k) {
        qint16 s;
        do {
            s = dra(antal, slump.next());
        } while (ordning(s) != -1);
        ordning(s) = qint16(k);
    }
}

} // namespace game
