#pragma once

#include "forms/Geometry.h"

#include <QColor>
#include <QWidget>

namespace forms {

// A rectangle outline without fill, drawn around the rectangle: the border lies just outside
// it, so that nothing inside the rectangle is covered. It takes no clicks: they go to what
// lies below.
class Outline : public QWidget, public Geometry {
public:
    explicit Outline(QWidget* parent = nullptr);

    void setBorderColour(const QColor& colour);
    QColor borderColour() const { return m_colour; }
    // The border's width in pixels; the widget reaches this far beyond the rectangle.
    void setBorderWidth(int pixels);
    int borderWidth() const { return m_width; }

protected:
    void paintEvent(QPaintEvent* event) override;
    QRect pixelRect() const override;

private:
    QColor m_colour = Qt::black;
    int m_width = 1;
};

} // namespace forms
