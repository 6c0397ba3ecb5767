#include "forms/Geometry.h"

#include "forms/Twips.h"

#include <QWidget>

namespace forms {

Geometry::Geometry(QWidget* widget)
    : widget_(widget)
{
}

bool Geometry::Visible() const
{
    return !widget_->isHidden();
}

void Geometry::setLeft(float twips)
{
    left_ = twips;
    apply();
}

void Geometry::setTop(float twips)
{
    top_ = twips;
    apply();
}

void Geometry::setWidth(float twips)
{
    width_ = twips;
    apply();
}

void Geometry::setHeight(float twips)
{
    height_ = twips;
    apply();
}

void Geometry::setBounds(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    apply();
}

QRect Geometry::pixelRect() const
{
    const int x = toPixels(left_);
    const int y = toPixels(top_);
    const int w = std::max(0, toPixels(left_ + width_) - x);
    const int h = std::max(0, toPixels(top_ + height_) - y);
    return QRect(x, y, w, h);
}

void Geometry::apply()
{
    const QSize before = widget_->size();
    widget_->setGeometry(pixelRect());
    if (widget_->size() != before)
        geometryChanged();
}

} // namespace forms
