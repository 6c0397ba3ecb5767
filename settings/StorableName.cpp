#include "settings/StorableName.h"

#include "settings/Storable.h"

#include <QList>

namespace settings {

namespace {

// The name with what a text of the file cannot hold put right: a '"' becomes an apostrophe,
// and a control character goes, leaving a blank where it stood between words.
QString storableText(const QString& text, bool* dropped)
{
    QString result;
    for (char32_t c : text.toUcs4()) {
        if (typingRefusal(c).isEmpty()) {
            result += QString::fromUcs4(&c, 1);
        } else if (c == U'"') {
            result += QLatin1Char('\'');
        } else {
            result += QLatin1Char(' ');
            *dropped = true;
        }
    }
    return result;
}

} // namespace

std::pair<QString, QString> splitName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot)};
}

QString storableName(const QString& fileName)
{
    const auto [base, extension] = splitName(fileName);
    bool dropped = false;
    QString storable = storableText(base, &dropped);
    if (dropped)
        storable = storable.simplified();
    while (storable.startsWith(QLatin1Char('.')) || storable.startsWith(QLatin1Char(' ')))
        storable.remove(0, 1);
    if (storable.isEmpty())
        storable = QStringLiteral("bild");
    bool ignored = false;
    return storable + storableText(extension, &ignored).remove(QLatin1Char(' '));
}

} // namespace settings
