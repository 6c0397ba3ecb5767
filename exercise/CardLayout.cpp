#include "exercise/CardLayout.h"

#include "forms/Twips.h"

#include <algorithm>
#include <cmath>

namespace exercise {

QSize windowSize()
{
    return {forms::toPixels(kWindowWidth), forms::toPixels(kWindowHeight)};
}

namespace {

// What a window manager usually adds around a window: the borders and a title bar. The
// frame is only known once the window is shown, which is too late to choose its scale.
constexpr QSize kFrame{16, 40};
// Room left free on every side, so that the window does not touch a panel or the edge.
constexpr int kMargin = 16;
constexpr double kStep = 0.25;

} // namespace

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

namespace {

// The frame stands this far to the right of the card it marks.
constexpr float kFrameShift = 10;

// The design: two lines of five on a pitch of 1680 twips; the lower area's second line
// stands 120 twips higher than the upper area's.
runtime::TwipsRect designPicture(Row row, int slot)
{
    const float column = 1680.0f * float(slot % 5);
    const float secondLine = row == Row::Upper ? 1920 : 1800;
    return {360 + column, slot < 5 ? 240.0f : secondLine, 1335, 1335};
}

runtime::TwipsRect designText(Row row, int slot)
{
    const float column = 1680.0f * float(slot % 5);
    const float secondLine = row == Row::Upper ? 3120 : 3000;
    return {480 + column, slot < 5 ? 1440.0f : secondLine, 1095, 255};
}

} // namespace

SlotLook slotLook(qint16 count, Row row, int slot, settings::RowDisplay display)
{
    SlotLook look{designPicture(row, slot), designText(row, slot), false, false, 0};
    if (slot >= count)
        return look;

    if (count == 5) {
        look.picture.top += 800;
        look.text.top += 800;
    } else if (count == 3) {
        const float lefts[] = {480, 3210, 5940};
        look.picture = {lefts[slot], look.picture.top + 200, 2250, 2250};
        look.text.left = look.picture.left + 560;
        look.text.top += 1100;
    }

    look.showsPicture = display != settings::RowDisplay::Texts;
    look.showsText = display != settings::RowDisplay::Pictures;
    if (display == settings::RowDisplay::Texts) {
        look.text = look.picture;
        look.plainTextPoints = count == 3 ? 20 : 16;
    }
    return look;
}

runtime::TwipsRect framePlace(qint16 count, int card)
{
    runtime::TwipsRect frame = slotLook(count, Row::Upper, card, settings::RowDisplay::Both).picture;
    frame.left += kFrameShift;
    return frame;
}

} // namespace exercise
