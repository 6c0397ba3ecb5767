#include "supervisor/NumberColumn.h"

#include "forms/Twips.h"

#include <QFontMetrics>
#include <QPainter>

namespace supervisor {

NumberColumn::NumberColumn(QWidget* parent)
    : forms::Label(parent)
{
}

QStringList NumberColumn::lines() const
{
    const QFontMetrics metrics(font());
    QStringList result;
    QString line;
    for (const QString& word : text().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width()) {
            result << line;
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty())
        result << line;
    return result;
}

void NumberColumn::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const int pitch = forms::toPixels(240);
    int top = 0;
    for (const QString& line : lines()) {
        p.drawText(QRect(0, top, width(), pitch), Qt::AlignLeft | Qt::AlignVCenter, line);
        top += pitch;
    }
}

} // namespace supervisor
