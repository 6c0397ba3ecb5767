#include "forms/Panel.h"

#include "forms/Fonts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace forms {

namespace {
const int kFlagsCentre = Qt::AlignCenter | Qt::TextWordWrap;
const int kFlagsTop = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

void drawBevel(QPainter& p, QRect r, bool raised)
{
    const QColor light(255, 255, 255);
    const QColor dark(128, 128, 128);
    p.setPen(raised ? light : dark);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(raised ? dark : light);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}
} // namespace

Panel::Panel(QWidget* parent)
    : QWidget(parent)
    , Geometry(this)
    , m_background(palette().color(QPalette::Button))
    , m_captionFont(font())
{
}

void Panel::setCaption(const QString& caption)
{
    m_caption = caption;
    setAccessibleName(caption);
    update();
}

void Panel::setBevel(Bevel bevel)
{
    m_bevel = bevel;
    update();
}

void Panel::setOutline(bool on)
{
    m_outline = on;
    update();
}

void Panel::setBackground(const QColor& colour)
{
    m_background = colour;
    update();
}

void Panel::setCaptionPlace(CaptionPlace place)
{
    m_place = place;
    update();
}

void Panel::setCaptionFont(const QFont& font)
{
    m_captionFont = font;
    update();
}

void Panel::setCaptionPointSize(double points)
{
    m_captionFont.setPointSizeF(points);
    update();
}

void Panel::setCaptionBold(bool bold)
{
    m_captionFont.setBold(bold);
    update();
}

int Panel::bevelWidth() const
{
    switch (m_bevel) {
    case Bevel::None:
        return m_outline ? 1 : 0;
    case Bevel::Raised:
    case Bevel::Inset:
        return 1 + (m_outline ? 1 : 0);
    case Bevel::RaisedAndInset:
        return 3 + (m_outline ? 1 : 0);
    }
    return 0;
}

QRect Panel::captionRect() const
{
    const int b = bevelWidth() + 1;
    return rect().adjusted(b, b, -b, -b);
}

QFont Panel::shownFont() const
{
    return fittedFont(m_captionFont, m_caption, captionRect(),
                      m_place == CaptionPlace::Centre ? kFlagsCentre : kFlagsTop);
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_background);
    QRect r = rect().adjusted(0, 0, -1, -1);
    if (m_outline) {
        p.setPen(Qt::black);
        p.drawRect(r);
        r.adjust(1, 1, -1, -1);
    }
    switch (m_bevel) {
    case Bevel::None:
        break;
    case Bevel::Raised:
        drawBevel(p, r, true);
        break;
    case Bevel::Inset:
        drawBevel(p, r, false);
        break;
    case Bevel::RaisedAndInset:
        drawBevel(p, r, true);
        drawBevel(p, r.adjusted(2, 2, -2, -2), false);
        break;
    }
    if (!m_caption.isEmpty()) {
        p.setFont(shownFont());
        // A word in Arabic or Hebrew reads from the right, and so do the numbers and marks
        // that go with it.
        p.setLayoutDirection(m_caption.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(captionRect(), m_place == CaptionPlace::Centre ? kFlagsCentre : kFlagsTop, m_caption);
    }
    if (hasFocus()) {
        // The style draws it only once the keyboard has moved the focus, so a window used
        // with the mouse alone looks as it always did.
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = captionRect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

void Panel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            emit clicked();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void Panel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace forms
