#include "supervisor/CommandButton.h"

#include "forms/Fonts.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace supervisor {

CommandButton::CommandButton(QWidget* parent)
    : QPushButton(parent)
    , Geometry(this)
{
    setAutoDefault(false);
}

void CommandButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawControl(QStyle::CE_PushButton, option);

    QRect area = rect().adjusted(4, 3, -4, -3);
    if (isDown())
        area.translate(1, 1);
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    p.setFont(forms::fittedFont(font(), text(), area, flags));
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(area, flags, text());
}

} // namespace supervisor
