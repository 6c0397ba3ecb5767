#pragma once

#include "forms/Geometry.h"

#include <QRadioButton>

namespace forms {

// An option button. The options that share a container exclude one another. Setting
// Value from code is not reported as a click (clicked()); a click on the option, chosen or
// not, is.
class Option3D : public QRadioButton, public Geometry {
    Q_OBJECT

public:
    explicit Option3D(QWidget* parent = nullptr);

    bool Value() const { return isChecked(); }
    void setValue(bool value);
    QString Caption() const { return text(); }
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
