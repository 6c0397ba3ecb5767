#include "Shuffle.h"

#include "forms/Rounding.h"

namespace game {

qint16 dra(qint16 antal, float r)
{
    const float x = float(forms::int16(antal - 1)) * r;
    return forms::roundHalfEven16(x);
}

void blanda(forms::Array<qint16, 0, 10>& ordning, qint16 antal, forms::RandomSource& slump)
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
