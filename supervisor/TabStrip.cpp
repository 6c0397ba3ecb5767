#include "supervisor/TabStrip.h"

#include <QPainter>

namespace supervisor {

QImage tabStripImage()
{
    const QColor white(255, 255, 255);
    const QColor lightGrey(192, 192, 192);
    const QColor darkGrey(128, 128, 128);

    QImage drawn(171, 6, QImage::Format_RGB32);
    {
        QPainter p(&drawn);
        p.fillRect(0, 0, 2, 6, white);
        p.fillRect(2, 0, 165, 6, lightGrey);
        p.fillRect(167, 0, 4, 6, darkGrey);
    }
    QList<QRgb> colours(256, qRgb(0, 0, 0));
    colours[0] = white.rgb();
    colours[1] = lightGrey.rgb();
    colours[2] = darkGrey.rgb();
    return drawn.convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither);
}

TabStrip::TabStrip(QWidget* parent)
    : QWidget(parent)
    , Geometry(this)
    , picture_(tabStripImage())
{
}

void TabStrip::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(rect(), picture_);
}

} // namespace supervisor
