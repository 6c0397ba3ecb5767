#include "forms/Outline.h"

#include "forms/Twips.h"

#include <QPainter>
#include <cmath>

namespace forms {

Outline::Outline(QWidget* parent)
    : QWidget(parent)
    , Geometry(this)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Outline::setBorderColour(const QColor& colour)
{
    m_colour = colour;
    update();
}

void Outline::setBorderWidth(int pixels)
{
    m_width = pixels;
    setTwips(twips());
    update();
}

QRect Outline::pixelRect() const
{
    // The rectangle's edges are rounded outwards, so that a control standing on the
    // rectangle, or a fraction of a pixel beside it, keeps every one of its pixels.
    const runtime::TwipsRect r = twips();
    const int left = int(std::floor(r.left / kTwipsPerPixel));
    const int top = int(std::floor(r.top / kTwipsPerPixel));
    const int right = int(std::ceil((r.left + r.width) / kTwipsPerPixel));
    const int bottom = int(std::ceil((r.top + r.height) / kTwipsPerPixel));
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top))
        .adjusted(-m_width, -m_width, m_width, m_width);
}

void Outline::paintEvent(QPaintEvent*)
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
