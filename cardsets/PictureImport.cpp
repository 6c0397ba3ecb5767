#include "cardsets/PictureImport.h"

#include "pictures/Heif.h"
#include "pictures/Picture.h"
#include "runtime/Error.h"
#include "runtime/FileIo.h"
#include "settings/StorableName.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace cardsets {

namespace {

QString quotedPath(const QString& path)
{
    return QStringLiteral("\"%1\"").arg(QDir::toNativeSeparators(path));
}

QByteArray readWhole(const QString& path)
{
    QByteArray bytes;
    if (const int error = runtime::readWholeFile(path, &bytes))
        throw runtime::Error(
            QStringLiteral("Filen %1 kunde inte läsas: %2").arg(quotedPath(path), runtime::reasonSentence(error)));
    return bytes;
}

// The formats the programs show as they are; the first extension is the one a picture
// gets when its own does not say what it is.
QStringList extensionsOf(const QByteArray& format)
{
    if (format == "bmp")
        return {QStringLiteral(".bmp")};
    if (format == "gif")
        return {QStringLiteral(".gif")};
    if (format == "jpeg" || format == "jpg")
        return {QStringLiteral(".jpg"), QStringLiteral(".jpeg")};
    return {};
}

// The file is named as the card set's file can hold it, the number left free before the
// extension; no name may be longer than the file system allows.
QString numbered(const QString& name, int number)
{
    auto [base, extension] = settings::splitName(name);
    const QString suffix = number > 1 ? QStringLiteral(" (%1)").arg(number) : QString();
    while (!base.isEmpty() && QFile::encodeName(base + suffix + extension).size() > NAME_MAX)
        base.chop(base.size() >= 2 && base.back().isLowSurrogate() ? 2 : 1);
    return base + suffix + extension;
}

// A picture the programs do not show as it is: a JPEG, its transparent parts on white.
PreparedPicture asJpeg(const QString& path, const QImage& picture, const QString& base)
{
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, picture);
    }
    QByteArray jpeg;
    QBuffer out(&jpeg);
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(90);
    if (!writer.write(flat))
        throw runtime::Error(QStringLiteral("Bilden %1 kunde inte göras om till JPEG.").arg(quotedPath(path)));
    return {jpeg, settings::storableName(base + QStringLiteral(".jpg"))};
}

} // namespace

QString pictureFileFilter()
{
    QStringList suffixes;
    for (const QByteArray& suffix : QImageReader::supportedImageFormats())
        suffixes << QString::fromLatin1(suffix);
    suffixes << QStringLiteral("heic") << QStringLiteral("heif") << QStringLiteral("avif");
    QStringList patterns;
    for (const QString& suffix : suffixes)
        patterns << QStringLiteral("*.") + suffix << QStringLiteral("*.") + suffix.toUpper();
    return QStringLiteral("Bilder (%1);;Alla filer (*)").arg(patterns.join(QLatin1Char(' ')));
}

PreparedPicture preparePicture(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw runtime::Error(QStringLiteral("%1 är en mapp, inte en bild.").arg(quotedPath(path)));
    if (!info.exists())
        throw runtime::Error(QStringLiteral("Filen %1 finns inte.").arg(quotedPath(path)));
    // A named pipe or a device would keep the window waiting for bytes that never come.
    if (!info.isFile())
        throw runtime::Error(
            QStringLiteral("Filen %1 är ingen bild som kan läsas, till exempel BMP, GIF, JPEG eller PNG.")
                .arg(quotedPath(path)));
    QByteArray bytes = readWhole(path);

    // The content says what the picture is; its extension only helps for formats that
    // cannot be told by their content.
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    if (!reader.canRead()) {
        reader.setFormat(info.suffix().toLower().toLatin1());
        reader.setDecideFormatFromContent(false);
    }
    const QSize size = reader.canRead() ? reader.size() : QSize();
    const auto [base, extension] = settings::splitName(info.fileName());
    if (!size.isValid() && pictures::isHeif(bytes))
        return asJpeg(path, pictures::decodeHeif(path, bytes), base);
    if (!size.isValid()) {
        if (const QString format = pictures::formatName(bytes); !format.isEmpty())
            throw runtime::Error(QStringLiteral("Filen %1 är en %2-bild, och det formatet kan inte läsas här. "
                                                "Spara den som JPEG eller PNG och lägg till den igen.")
                                     .arg(quotedPath(path), format));
        throw runtime::Error(
            QStringLiteral("Filen %1 är ingen bild som kan läsas, till exempel BMP, GIF, JPEG eller PNG.")
                .arg(quotedPath(path)));
    }

    const QStringList extensions = extensionsOf(reader.format());
    if (!extensions.isEmpty()) {
        // Shown as it is: it only has to be whole, as the game reads it. A JPEG is decoded
        // small, which reads all of it quickly; the others have no smaller decode.
        pictures::decodePicture(path, size.scaled(QSize(64, 64), Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
        const bool known = extensions.contains(extension.toLower());
        return {bytes, settings::storableName(known ? info.fileName() : base + extensions.first())};
    }

    return asJpeg(path, pictures::decodePicture(path, pictures::uprightSize(path)), base);
}

QString storeNew(const QString& folder, const QString& name, const QByteArray& bytes)
{
    const auto failure = [&](int error) {
        return runtime::Error(QStringLiteral("Bilden \"%1\" kunde inte sparas i mappen %2: %3")
                                  .arg(name, quotedPath(folder), runtime::reasonSentence(error)));
    };
    // Hidden, so that a program listing the folder meanwhile does not offer half a picture.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = QFile::encodeName(folder + QStringLiteral("/.kortvy-ny-")
                                      + QString::number(QRandomGenerator::global()->generate(), 16));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            throw failure(errno);
    }
    if (fd < 0)
        throw failure(EEXIST);
    if (int error = runtime::writeWhole(fd, bytes)) {
        ::close(fd);
        ::unlink(temporary.constData());
        throw failure(error);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        throw failure(error);
    }
    // A name that differs from one in the folder only in case would be two pictures a teacher
    // cannot tell apart, and one on a stick that ignores case.
    QStringList taken = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (QString& entry : taken)
        entry = entry.toCaseFolded();
    for (int number = 1; number < 10000; ++number) {
        const QString candidate = numbered(name, number);
        if (taken.contains(candidate.toCaseFolded()))
            continue;
        const int error = runtime::renameNoReplace(QFile::decodeName(temporary), folder + QLatin1Char('/') + candidate);
        if (error == 0)
            return candidate;
        if (error != EEXIST) {
            ::unlink(temporary.constData());
            throw failure(error);
        }
    }
    ::unlink(temporary.constData());
    throw failure(EEXIST);
}

AddedPictures addPictures(const QStringList& files, const QString& folder, const ImportProgress& progress)
{
    AddedPictures result;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString& file = files.at(i);
        try {
            const PreparedPicture picture = preparePicture(file);
            result.added << storeNew(folder, picture.name, picture.bytes);
        } catch (const runtime::Error& e) {
            result.refused.append({file, e.message()});
        }
        if (progress && !progress(int(i + 1), int(files.size())))
            break;
    }
    return result;
}

QString refusedMessage(const AddedPictures& result, const QString& setName)
{
    if (result.refused.isEmpty())
        return QString();
    const qsizetype n = result.refused.size();
    QString message = n == 1 ? QStringLiteral("En fil kunde inte läggas till i kortleken \"%1\":\n").arg(setName)
                             : QStringLiteral("%1 filer kunde inte läggas till i kortleken \"%2\":\n")
                                   .arg(QString::number(n), setName);
    for (const auto& refusal : result.refused)
        message += QStringLiteral("\n• ") + refusal.second;
    if (!result.added.isEmpty())
        message += result.added.size() == 1
            ? QStringLiteral("\n\nDen andra bilden lades till.")
            : QStringLiteral("\n\nDe andra %1 bilderna lades till.").arg(result.added.size());
    return message;
}

} // namespace cardsets
