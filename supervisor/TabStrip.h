#pragma once

#include "forms/Geometry.h"

#include <QImage>
#include <QWidget>

namespace supervisor {

// The 171 x 6 pixel, 256-colour picture that joins a tab header to its page: in every
// row two white pixels (the header's light left edge), 165 light grey ones (the page
// face) and four dark grey ones (the header's dark right edge).
QImage tabStripImage();

// A picture box across the top edge of a page, showing tabStripImage() stretched to
// its size; it paints over the page's top bevel below the page's own header.
class TabStrip : public QWidget, public forms::Geometry {
public:
    explicit TabStrip(QWidget* parent = nullptr);

    QImage picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

} // namespace supervisor
