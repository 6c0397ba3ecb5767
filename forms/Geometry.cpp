#include "forms/Geometry.h"

#include "forms/Twips.h"

#include <QWidget>

namespace forms {

Geometry::Geometry(QWidget* widget)
    : m_widget(widget)
{
}

void Geometry::setTwips(const runtime::TwipsRect& twips)
{
    m_twips = twips;
    const QSize before = m_widget->size();
    m_widget->setGeometry(pixelRect());
    if (m_widget->size() != before)
        geometryChanged();
}

QRect Geometry::pixelRect() const
{
    const int x = toPixels(m_twips.left);
    const int y = toPixels(m_twips.top);
    const int w = std::max(0, toPixels(m_twips.left + m_twips.width) - x);
    const int h = std::max(0, toPixels(m_twips.top + m_twips.height) - y);
    return QRect(x, y, w, h);
}

} // namespace forms
