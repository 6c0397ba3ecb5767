#include "forms/Geometry.h"

#include "forms/Twips.h"

#include <QWidget>

namespace forms {

Geometry::Geometry(QWidget* widget)
    : m_widget(widget)
{
}

bool Geometry::Visible() const
{
    return !m_widget->isHidden();
}

void Geometry::setLeft(float twips)
{
    m_left = twips;
    apply();
}

void Geometry::setTop(float twips)
{
    m_top = twips;
    apply();
}

void Geometry::setWidth(float twips)
{
    m_width = twips;
    apply();
}

void Geometry::setHeight(float twips)
{
    m_height = twips;
    apply();
}

void Geometry::setBounds(float left, float top, float width, float height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    apply();
}

QRect Geometry::pixelRect() const
{
    const int x = toPixels(m_left);
    const int y = toPixels(m_top);
    const int w = std::max(0, toPixels(m_left + m_width) - x);
    const int h = std::max(0, toPixels(m_top + m_height) - y);
    return QRect(x, y, w, h);
}

void Geometry::apply()
{
    const QSize before = m_widget->size();
    m_widget->setGeometry(pixelRect());
    if (m_widget->size() != before)
        geometryChanged();
}

} // namespace forms
