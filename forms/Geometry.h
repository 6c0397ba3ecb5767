#pragma once

#include "runtime/TwipsRect.h"

#include <QRect>

class QWidget;

namespace forms {

// Left, Top, Width and Height of a control in twips, relative to its container, held
// as single-precision values; the widget's pixel geometry follows from them. Edges are
// rounded separately, so controls that meet in twips also meet on screen.
class Geometry {
public:
    explicit Geometry(QWidget* widget);
    virtual ~Geometry() = default;

    runtime::TwipsRect twips() const { return {m_left, m_top, m_width, m_height}; }
    void setTwips(const runtime::TwipsRect& twips) { setBounds(twips.left, twips.top, twips.width, twips.height); }

    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    bool Visible() const;

    void setLeft(float twips);
    void setTop(float twips);
    void setWidth(float twips);
    void setHeight(float twips);
    void setBounds(float left, float top, float width, float height);

protected:
    // Called after the pixel size has changed.
    virtual void geometryChanged() {}
    // Where the widget lies in its container, in pixels: each edge rounded to the nearest
    // pixel. A control that paints outside its own rectangle asks for more room here.
    virtual QRect pixelRect() const;

private:
    void apply();

    QWidget* m_widget;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
};

} // namespace forms
