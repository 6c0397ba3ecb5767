#include "Shape.h"

#include <QPainter>

namespace forms {

Shape::Shape(QWidget* parent)
    : QWidget(parent)
    , Geometry(this)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Shape::setBorderColour(const QColor& colour)
{
    colour_ = colour;
    update();
}

void Shape::setBorderWidth(int pixels)
{
    width_ = pixels;
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // The border lies inside the shape's rectangle, so it is never cut off.
    const int w = qMin(width_, qMin(width(), height()) / 2);
    if (w <= 0)
        return;
    const QRect r = rect();
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), colour_);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), colour_);
    p.fillRect(QRect(r.left(), r.top() + w, w, r.height() - 2 * w), colour_);
    p.fillRect(QRect(r.right() - w + 1, r.top() + w, w, r.height() - 2 * w), colour_);
}

} // namespace forms
