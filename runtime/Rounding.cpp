#include "runtime/Rounding.h"

#include "runtime/Int16.h"

#include <cmath>

namespace runtime {

qint16 roundHalfEven16(float x)
{
    if (!std::isfinite(x))
        throw Error(QStringLiteral("Spill: värdet är inte ett ändligt tal."));
    const double v = x;
    double whole = std::floor(v);
    const double rest = v - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < -32768.0 || whole > 32767.0)
        throw Error(QStringLiteral("Spill: %1 ryms inte i ett 16-bitars heltal.").arg(double(x)));
    return qint16(whole);
}

} // namespace runtime
