#include "settings/IniSections.h"

#include "runtime/Error.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace settings {

QString replaceSection(const QString& text, const QString& section, const QString& lines)
{
    const QString header = QStringLiteral("[%1]").arg(section);
    const QString block = header + QLatin1Char('\n') + lines;
    QString result;
    bool inSection = false;
    bool written = false;
    const QStringList pieces = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QString bare = pieces[i].trimmed();
        if (bare.startsWith(QLatin1Char('[')))
            inSection = bare == header;
        if (inSection) {
            if (!written)
                result += block;
            written = true;
            continue;
        }
        result += pieces[i];
        // The last piece is what follows the file's last line end.
        if (i + 1 < pieces.size())
            result += QLatin1Char('\n');
    }
    if (!written) {
        if (!result.isEmpty() && !result.endsWith(QLatin1Char('\n')))
            result += QLatin1Char('\n');
        result += block;
    }
    return result;
}

void writeSection(const QString& path, const QString& section, const QString& lines)
{
    QFile existing(path);
    const QString text = existing.open(QIODevice::ReadOnly) ? QString::fromUtf8(existing.readAll()) : QString();
    const QByteArray bytes = replaceSection(text, section, lines).toUtf8();
    QSaveFile file(path);
    // Unbuffered, so that a write the system cuts short shows here and is never committed.
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(bytes) == bytes.size();
    if (!written || !file.commit())
        throw runtime::Error(QStringLiteral("Inställningarna kunde inte sparas i %1 (%2). Den tidigare filen är oförändrad.")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace settings
