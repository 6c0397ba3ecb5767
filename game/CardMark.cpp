#include "game/CardMark.h"

#include <QPainter>

namespace game {

const QColor CardMark::kBlue(0, 0, 170);
const QColor CardMark::kWhite(255, 255, 255);

CardMark::CardMark(QWidget* parent)
    : forms::Outline(parent)
{
    setBorderWidth(kWidth);
}

void CardMark::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // From the outside in: 4 pixels blue, 2 white, 4 blue.
    const struct {
        int inset;
        int width;
        QColor colour;
    } bands[] = {{0, 4, kBlue}, {4, 2, kWhite}, {6, 4, kBlue}};
    for (const auto& band : bands) {
        const QRect r = rect().adjusted(band.inset, band.inset, -band.inset, -band.inset);
        const int w = band.width;
        p.fillRect(QRect(r.left(), r.top(), r.width(), w), band.colour);
        p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), band.colour);
        p.fillRect(QRect(r.left(), r.top() + w, w, r.height() - 2 * w), band.colour);
        p.fillRect(QRect(r.right() - w + 1, r.top() + w, w, r.height() - 2 * w), band.colour);
    }
}

} // namespace game
