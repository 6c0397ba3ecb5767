#include "launcher/Scale.h"

#include "exercise/CardLayout.h"

#include <algorithm>
#include <cmath>

namespace launcher {

namespace {

// What a window manager usually adds around a window: the borders and a title bar. The
// frame is only known once the window is shown, which is too late to choose its scale.
constexpr QSize kFrame{16, 40};
// Room left free on every side, so that the window does not touch a panel or the edge.
constexpr int kMargin = 16;
constexpr double kStep = 0.25;

} // namespace

QSize gameWindowSize()
{
    return exercise::windowSize();
}

double scaleFor(QSize available, QSize window)
{
    if (window.isEmpty())
        return 1.0;
    const double width = double(available.width() - kFrame.width() - 2 * kMargin) / window.width();
    const double height = double(available.height() - kFrame.height() - 2 * kMargin) / window.height();
    const double steps = std::floor(std::min(width, height) / kStep);
    return std::max(1.0, steps * kStep);
}

QString scaleText(double scale)
{
    return QString::number(scale, 'g', 4);
}

} // namespace launcher
