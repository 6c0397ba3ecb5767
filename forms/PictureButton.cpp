#include "forms/PictureButton.h"

#include "forms/Fonts.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace forms {

PictureButton::PictureButton(QWidget* parent)
    : QAbstractButton(parent)
    , Geometry(this)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

QSize PictureButton::sizeHint() const
{
    return size();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.features = QStyleOptionButton::None;
    if (isDown())
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    p.drawControl(QStyle::CE_PushButtonBevel, option);

    QRect area = rect().adjusted(4, 3, -4, -3);
    if (isDown())
        area.translate(1, 1);
    if (!m_picture.isNull()) {
        const QSize size = m_picture.deviceIndependentSize().toSize();
        const QRect pictureRect(area.left() + (area.width() - size.width()) / 2, area.top() + 2,
                                size.width(), size.height());
        p.drawPixmap(pictureRect, m_picture);
        area.setTop(pictureRect.bottom() + 3);
    }
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    p.setFont(fittedFont(font(), text(), area, flags));
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(area, flags, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace forms
