#include "forms/Fonts.h"

#include <QFontMetricsF>
#include <QRect>

namespace forms {

QString arialFamily()
{
    return QStringLiteral("Liberation Sans");
}

QString msSansSerifFamily()
{
    return QStringLiteral("DejaVu Sans");
}

static QFont make(const QString& family, double points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

QFont arial(double points, bool bold)
{
    return make(arialFamily(), points, bold);
}

QFont msSansSerif(double points, bool bold)
{
    return make(msSansSerifFamily(), points, bold);
}

QFont fittedFont(const QFont& font, const QString& text, const QRect& box, int flags, const QPaintDevice* device)
{
    if (text.isEmpty() || box.isEmpty())
        return font;
    QFont f = font;
    double size = font.pointSizeF();
    while (size > 4.0) {
        f.setPointSizeF(size);
        const QRectF needed = (device ? QFontMetricsF(f, device) : QFontMetricsF(f)).boundingRect(QRectF(box), flags, text);
        if (needed.width() <= box.width() + 0.5 && needed.height() <= box.height() + 0.5)
            return f;
        size = std::floor(size * 2.0 - 1.0) / 2.0;
    }
    f.setPointSizeF(4.0);
    return f;
}

} // namespace forms
