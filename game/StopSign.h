#pragma once

#include <QImage>

namespace game {

// The picture of the "Sluta" button: a red octagonal stop sign with a one-pixel black
// outline and STOP in white capitals across its middle, on light grey; 31 × 30 pixels in
// the sixteen standard colours.
QImage stopSign();

} // namespace game
