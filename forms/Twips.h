#pragma once

#include <QtGlobal>
#include <cmath>

namespace forms {

// Positions and sizes inside the programs are twips: 1/1440 inch, 15 to a
// device-independent pixel.
inline constexpr float kTwipsPerPixel = 15.0f;

inline int toPixels(float twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

inline float toTwips(int pixels)
{
    return float(pixels) * kTwipsPerPixel;
}

} // namespace forms
