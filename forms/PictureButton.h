#pragma once

#include "forms/Geometry.h"

#include <QAbstractButton>
#include <QPixmap>

namespace forms {

// A push button with a caption, word-wrapped when it is longer than a line, and an
// optional picture above the caption.
class PictureButton : public QAbstractButton, public Geometry {
    Q_OBJECT

public:
    explicit PictureButton(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return m_picture; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void geometryChanged() override { update(); }

private:
    QPixmap m_picture;
};

} // namespace forms
