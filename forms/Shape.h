#pragma once

#include "forms/Geometry.h"

#include <QColor>
#include <QWidget>

namespace forms {

// A rectangle outline without fill, drawn around the rectangle: the border lies just outside
// it, so that nothing inside the rectangle is covered. It takes no clicks: they go to what
// lies below.
class Shape : public QWidget, public Geometry {
public:
    explicit Shape(QWidget* parent = nullptr);

    void setBorderColour(const QColor& colour);
    QColor borderColour() const { return colour_; }
    // The border's width in pixels; the widget reaches this far beyond the rectangle.
    void setBorderWidth(int pixels);
    int borderWidth() const { return width_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    QRect pixelRect() const override;

private:
    QColor colour_ = Qt::black;
    int width_ = 1;
};

} // namespace forms
