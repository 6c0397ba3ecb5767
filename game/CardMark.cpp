#include "game/CardMark.h"

#include <QPainter>

namespace game {

const QColor CardMark::kBlue(0, 0, 170);
const QColor CardMark::kYellow(255, 215, 0);

CardMark::CardMark(QWidget* parent)
    : forms::Outline(parent)
{
    setBorderWidth(kWidth);
}

void CardMark::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // From the outside in: 3 pixels blue, 2 yellow, 3 blue.
    const struct {
        int inset;
        int width;
        QColor colour;
    } bands[] = {{0, 3, kBlue}, {3, 2, kYellow}, {5, 3, kBlue}};
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
