#include "settings/ValueWriter.h"

#include "settings/FileError.h"
#include "settings/Windows1252.h"

#include "runtime/FileIo.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace settings {

namespace {

QString describeRefused(QChar c, QChar next)
{
    switch (c.unicode()) {
    case u'"':
        return QStringLiteral("den innehåller ett citattecken (\"), som inte kan stå i en text i filen");
    case u'\r':
    case u'\n':
        return QStringLiteral("den innehåller en radbrytning");
    case 0:
        return QStringLiteral("den innehåller ett NUL-tecken");
    default:
        break;
    }
    QString character(c);
    char32_t code = c.unicode();
    if (c.isHighSurrogate() && next.isLowSurrogate()) {
        character += next;
        code = QChar::surrogateToUcs4(c, next);
    }
    return QStringLiteral("tecknet \"%1\" (U+%2) finns inte i teckentabellen Windows-1252")
        .arg(character, QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}

QString describeFailure(const QSaveFile& file, int error, const QString& fallback)
{
    const QString reason = runtime::reasonClause(error);
    if (!reason.isEmpty())
        return reason;
    const QString detail = file.error() == QFileDevice::NoError ? QString() : file.errorString();
    return detail.isEmpty() ? fallback : QStringLiteral("%1 (%2)").arg(fallback, detail);
}

} // namespace

ValueWriter::ValueWriter(QString path)
    : m_path(QFileInfo(path).absoluteFilePath())
{
}

void ValueWriter::writeNumber(qint16 n)
{
    m_bytes += QByteArray::number(n);
    m_bytes += "\r\n";
}

void ValueWriter::writeText(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!canStore(text[i])) {
            const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
            throw fileError(m_path, 0,
                        QStringLiteral("texten \"%1\" kan inte sparas: %2").arg(text, describeRefused(text[i], next)));
        }
    }
    m_bytes += '"';
    m_bytes += encodeWindows1252(text);
    m_bytes += "\"\r\n";
}

void ValueWriter::commit()
{
    const bool existed = QFileInfo::exists(m_path);
    const QString untouched = existed ? QStringLiteral("Den tidigare filen är oförändrad.")
                                      : QStringLiteral("Ingen fil har skapats.");
    auto failure = [&](const QString& reason) {
        return fileError(m_path, 0, QStringLiteral("filen kunde inte sparas: %1. %2").arg(reason, untouched));
    };

    // The system would only say that the name is taken.
    if (QFileInfo(m_path).isDir())
        throw fileError(m_path, 0, QStringLiteral("filen kunde inte sparas: det finns en mapp med filens namn. Mappen är orörd."));

    QSaveFile file(m_path);
    errno = 0;
    // Unbuffered, so that a write the system cuts short shows here and not in commit(), which
    // would put the cut file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw failure(describeFailure(file, errno, QStringLiteral("filen kunde inte skapas")));
    errno = 0;
    const qint64 written = file.write(m_bytes);
    if (written != m_bytes.size()) {
        const int error = errno;
        const runtime::Error failed = failure(describeFailure(
            file, error,
            QStringLiteral("bara %1 av %2 byte kunde skrivas").arg(qMax<qint64>(written, 0)).arg(m_bytes.size())));
        file.cancelWriting();
        throw failed;
    }
    errno = 0;
    if (!file.commit())
        throw failure(describeFailure(file, errno, QStringLiteral("filen kunde inte skrivas färdigt")));
}

} // namespace settings
