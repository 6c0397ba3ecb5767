#pragma once

#include "runtime/Int16.h"
#include "runtime/Random.h"

#include <QtGlobal>

namespace game {

// One draw of the shuffle: the slot that r (0 <= r < 1) picks among `antal` slots. The
// count minus one is scaled by r in single precision and rounded to the nearest integer,
// an exact half to the even neighbour, so the two end slots get half the chance of an
// inner one.
qint16 dra(qint16 antal, float r);

// Puts the lower row in a random order: afterwards ordning(0 … antal − 1) holds each slot
// 0 … antal − 1 once, ordning(i) being the slot of lower card i. The generator is seeded
// from the clock first. A draw that lands on a taken entry is drawn again. Entries from
// `antal` up are left as they are; with a count of 0 or less nothing changes.
void blanda(runtime::Array<qint16, 0, 10>& ordning, qint16 antal, runtime::RandomSource& slump);

} // namespace game
