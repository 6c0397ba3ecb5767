#pragma once

#include "forms/Geometry.h"

#include <QColor>
#include <QFont>
#include <QWidget>

namespace forms {

// A 3D panel: bevels, an optional one-pixel outline, a background colour and a caption
// centred in the panel (or at its top), word-wrapped and drawn at the largest size up to
// the caption font's that fits. A panel given a focus policy takes Space and Enter as a click
// and shows where the keyboard is.
class Panel : public QWidget, public Geometry {
    Q_OBJECT

public:
    enum class Bevel { None, Raised, Inset, RaisedAndInset };
    enum class CaptionPlace { Centre, Top };

    explicit Panel(QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    void setBevel(Bevel bevel);
    Bevel bevel() const { return m_bevel; }
    void setOutline(bool on);
    void setBackground(const QColor& colour);
    QColor background() const { return m_background; }
    void setCaptionPlace(CaptionPlace place);

    // The caption font; size and weight may change at run time.
    void setCaptionFont(const QFont& font);
    QFont captionFont() const { return m_captionFont; }
    void setCaptionPointSize(double points);
    void setCaptionBold(bool bold);

    // The font the caption is drawn with at the panel's present size.
    QFont shownFont() const;

signals:
    // A click of the left button, released over the panel.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void geometryChanged() override { update(); }

private:
    QRect captionRect() const;
    int bevelWidth() const;

    QString m_caption;
    Bevel m_bevel = Bevel::Raised;
    bool m_outline = false;
    QColor m_background;
    CaptionPlace m_place = CaptionPlace::Centre;
    QFont m_captionFont;
};

} // namespace forms
