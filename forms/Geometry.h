#pragma once

#include "runtime/TwipsRect.h"

#include <QRect>

class QWidget;

namespace forms {

// A control's place in its container, kept in twips as single-precision values; the widget's
// pixel geometry follows from it. Edges are rounded separately, so controls that meet in twips
// also meet on screen.
class Geometry {
public:
    explicit Geometry(QWidget* widget);
    virtual ~Geometry() = default;

    runtime::TwipsRect twips() const { return m_twips; }
    void setTwips(const runtime::TwipsRect& twips);

protected:
    // Called after the pixel size has changed.
    virtual void geometryChanged() {}
    // Where the widget lies in its container, in pixels: each edge rounded to the nearest
    // pixel. A control that paints outside its own rectangle asks for more room here.
    virtual QRect pixelRect() const;

private:
    QWidget* m_widget;
    runtime::TwipsRect m_twips;
};

} // namespace forms
