#include "settings/ValueWriter.h"

#include "settings/FileError.h"
#include "settings/Storable.h"
#include "settings/TextEncoding.h"

#include "runtime/FileIo.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace settings {

namespace {

QString describeRefused(QChar c)
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
        return QStringLiteral("den innehåller ett halvt tecken (U+%1) utan UTF-8-form")
            .arg(QString::number(c.unicode(), 16).toUpper());
    }
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
    m_text += QString::number(n);
    m_text += QLatin1String("\r\n");
}

void ValueWriter::writeText(const QString& text)
{
    if (const qsizetype at = firstUnstorable(text); at >= 0) {
        throw fileError(m_path, 0,
                        QStringLiteral("texten \"%1\" kan inte sparas: %2").arg(text, describeRefused(text[at])));
    }
    m_text += u'"';
    m_text += text;
    m_text += QLatin1String("\"\r\n");
}

QByteArray ValueWriter::bytes() const
{
    return encodeFileText(m_text);
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

    const QByteArray bytes = this->bytes();
    QSaveFile file(m_path);
    errno = 0;
    // Unbuffered, so that a write the system cuts short shows here and not in commit(), which
    // would put the cut file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw failure(describeFailure(file, errno, QStringLiteral("filen kunde inte skapas")));
    errno = 0;
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        const int error = errno;
        const runtime::Error failed = failure(describeFailure(
            file, error,
            QStringLiteral("bara %1 av %2 byte kunde skrivas").arg(qMax<qint64>(written, 0)).arg(bytes.size())));
        file.cancelWriting();
        throw failed;
    }
    errno = 0;
    if (!file.commit())
        throw failure(describeFailure(file, errno, QStringLiteral("filen kunde inte skrivas färdigt")));
}

} // namespace settings
