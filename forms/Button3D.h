#pragma once

#include "forms/Geometry.h"

#include <QAbstractButton>
#include <QPixmap>

namespace forms {

// A push button with a caption, word-wrapped when it is longer than a line, and an
// optional picture above the caption.
class Button3D : public QAbstractButton, public Geometry {
    Q_OBJECT

public:
    explicit Button3D(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
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
