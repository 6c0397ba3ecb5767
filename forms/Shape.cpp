#include "forms/Shape.h"

#include "forms/Twips.h"

#include <QPainter>
#include <cmath>

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
    m_colour = colour;
    update();
}

void Shape::setBorderWidth(int pixels)
{
    m_width = pixels;
    setBounds(Left(), Top(), Width(), Height());
    update();
}

QRect Shape::pixelRect() const
{
    // The rectangle's edges are rounded outwards, so that a control standing on the
    // rectangle, or a fraction of a pixel beside it, keeps every one of its pixels.
    const int left = int(std::floor(Left() / kTwipsPerPixel));
    const int top = int(std::floor(Top() / kTwipsPerPixel));
    const int right = int(std::ceil((Left() + Width()) / kTwipsPerPixel));
    const int bottom = int(std::ceil((Top() + Height()) / kTwipsPerPixel));
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top))
        .adjusted(-m_width, -m_width, m_width, m_width);
}

void Shape::paintEvent(QPaintEvent*)
{
    if (m_width <= 0)
        return;
    QPainter p(this);
    const QRect r = rect();
    const int w = m_width;
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), m_colour);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), m_colour);
    p.fillRect(QRect(r.left(), r.top() + w, w, r.height() - 2 * w), m_colour);
    p.fillRect(QRect(r.right() - w + 1, r.top() + w, w, r.height() - 2 * w), m_colour);
}

} // namespace forms
