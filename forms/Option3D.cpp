#include "forms/Option3D.h"

#include "forms/Fonts.h"

#include <QStyle>
#include <QStyleOptionButton>

namespace forms {

Option3D::Option3D(QWidget* parent)
    : QRadioButton(parent)
    , Geometry(this)
    , m_designFont(font())
{
}

void Option3D::setValue(bool value)
{
    if (value) {
        setChecked(true);
    } else if (isChecked()) {
        // An exclusive group never unchecks its checked button by itself.
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(true);
    }
}

void Option3D::setCaption(const QString& caption)
{
    setText(caption);
    fit();
}

void Option3D::setCaptionFont(const QFont& font)
{
    m_designFont = font;
    fit();
}

void Option3D::geometryChanged()
{
    fit();
}

void Option3D::fit()
{
    QStyleOptionButton option;
    option.initFrom(this);
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, this)
        + style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, this);
    const QRect box(0, 0, qMax(1, width() - indicator - 2), qMax(1, height()));
    setFont(fittedFont(m_designFont, text(), box, Qt::AlignLeft | Qt::AlignVCenter));
}

} // namespace forms
