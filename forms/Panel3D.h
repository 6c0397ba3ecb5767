#pragma once

#include "forms/Geometry.h"

#include <QColor>
#include <QFont>
#include <QWidget>
#include <functional>

namespace forms {

// A 3D panel: bevels, an optional one-pixel outline, a background colour and a caption
// centred in the panel (or at its top), word-wrapped and drawn at the largest size up to
// the caption font's that fits.
class Panel3D : public QWidget, public Geometry {
public:
    enum class Bevel { None, Raised, Inset, RaisedAndInset };
    enum class CaptionPlace { Centre, Top };

    explicit Panel3D(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);

    void setBevel(Bevel bevel);
    Bevel bevel() const { return bevel_; }
    void setOutline(bool on);
    void setBackground(const QColor& colour);
    QColor background() const { return background_; }
    void setCaptionPlace(CaptionPlace place);

    // The caption font; size and weight may change at run time.
    void setCaptionFont(const QFont& font);
    QFont captionFont() const { return captionFont_; }
    double FontSize() const { return captionFont_.pointSizeF(); }
    void setFontSize(double points);
    bool FontBold() const { return captionFont_.bold(); }
    void setFontBold(bool bold);

    // The font the caption is drawn with at the panel's present size.
    QFont shownFont() const;

    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void geometryChanged() override { update(); }

private:
    QRect captionRect() const;
    int bevelWidth() const;

    QString caption_;
    Bevel bevel_ = Bevel::Raised;
    bool outline_ = false;
    QColor background_;
    CaptionPlace place_ = CaptionPlace::Centre;
    QFont captionFont_;
};

} // namespace forms
