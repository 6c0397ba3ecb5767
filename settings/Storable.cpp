#include "settings/Storable.h"

#include <QChar>

namespace settings {

qsizetype firstUnstorable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"' || c == u'\r' || c == u'\n' || c == QChar(0))
            return i;
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return i;
    }
    return -1;
}

QString typingRefusal(char32_t c)
{
    if (c == U'"')
        return QStringLiteral("Citattecken (\") kan inte stå i en text i kortleken, eftersom det avslutar texten i kortvy.ini.");
    if (QChar::category(c) == QChar::Other_Control)
        return QStringLiteral("Styrtecken, som tabbar och radbrytningar, kan inte stå i en text i kortleken.");
    if (QChar::isSurrogate(c) || c > 0x10FFFF)
        return QStringLiteral("Tecknet U+%1 kan inte sparas.").arg(QString::number(c, 16).toUpper());
    return QString();
}

QString typingRefusal(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (QString refusal = typingRefusal(c); !refusal.isEmpty())
            return refusal;
    }
    return QString();
}

} // namespace settings
