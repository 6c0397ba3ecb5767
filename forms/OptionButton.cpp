#include "forms/OptionButton.h"

#include "forms/Fonts.h"

#include <QStyle>
#include <QStyleOptionButton>

namespace forms {

OptionButton::OptionButton(QWidget* parent)
    : QRadioButton(parent)
    , Geometry(this)
    , m_designFont(font())
{
}

void OptionButton::setChosen(bool chosen)
{
    if (chosen) {
        setChecked(true);
    } else if (isChecked()) {
        // An exclusive group never unchecks its checked button by itself.
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(true);
    }
}

void OptionButton::setCaption(const QString& caption)
{
    setText(caption);
    fit();
}

void OptionButton::setCaptionFont(const QFont& font)
{
    m_designFont = font;
    fit();
}

void OptionButton::geometryChanged()
{
    fit();
}

void OptionButton::fit()
{
    QStyleOptionButton option;
    option.initFrom(this);
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, this)
        + style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, this);
    const QRect box(0, 0, qMax(1, width() - indicator - 2), qMax(1, height()));
    setFont(fittedFont(m_designFont, text(), box, Qt::AlignLeft | Qt::AlignVCenter));
}

} // namespace forms
