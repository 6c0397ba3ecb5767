#pragma once

#include <QSize>
#include <QString>

namespace launcher {

// The game window's size at scale 1, without the window manager's frame.
QSize gameWindowSize();

// The scale, in steps of 0.25 and never below 1, at which the game window with its frame
// fits an available area of the screen with a small margin to spare. The frame is drawn by
// the window manager and does not grow with the scale.
double scaleFor(QSize available, QSize window = gameWindowSize());

// The scale as QT_SCALE_FACTOR expects it: "2", "1.25".
QString scaleText(double scale);

} // namespace launcher
