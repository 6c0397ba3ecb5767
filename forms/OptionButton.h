#pragma once

#include "forms/Geometry.h"

#include <QRadioButton>

namespace forms {

// An option button. The options that share a container exclude one another. Choosing one
// from code is not reported as a click (clicked()); a click on the option, chosen or not, is.
class OptionButton : public QRadioButton, public Geometry {
    Q_OBJECT

public:
    explicit OptionButton(QWidget* parent = nullptr);

    // Chooses the option, or leaves none of its group chosen; not reported as a click.
    void setChosen(bool chosen);
    void setCaption(const QString& caption);

    // The design font; the caption is shown at the largest size up to it that fits.
    void setCaptionFont(const QFont& font);
    QFont captionFont() const { return m_designFont; }

protected:
    void geometryChanged() override;

private:
    void fit();
    QFont m_designFont;
};

} // namespace forms
