#pragma once

#include "runtime/Int16.h"
#include "runtime/Random.h"

#include <QtGlobal>

namespace exercise {

// The lower row's order: entry i is the lower slot that shows the partner of upper card i.
using Order = runtime::Array<qint16, 0, 10>;

// One draw of the shuffle: the slot that r (0 <= r < 1) picks among `count` slots. The count
// minus one is scaled by r in single precision and rounded to the nearest integer, an exact
// half to the even neighbour, so the two end slots get half the chance of an inner one.
qint16 draw(qint16 count, float r);

// Puts the lower row in a random order: afterwards order(0 … count − 1) holds each slot
// 0 … count − 1 once. The generator is seeded from the clock first. A draw that lands on a
// taken entry is drawn again; the counter is stored at the drawn entry. Entries from `count`
// up are left as they are; with a count of 0 or less nothing changes.
void shuffle(Order& order, qint16 count, runtime::RandomSource& random);

} // namespace exercise
