#include "pictures/Picture.h"

#include "pictures/Thumbnail.h"

#include "runtime/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtConcurrent/QtConcurrentMap>
#include <vector>

namespace pictures {

namespace {

QString describe(const QString& fileName)
{
    return QStringLiteral("\"%1\" (i mappen %2)").arg(fileName, QFileInfo(fileName).absoluteDir().path());
}

// JPEG pictures are scaled down while they are decoded, so a baseline picture of any size
// needs little memory; a progressive one keeps its coefficients, some three bytes a pixel
// in colour, for the whole picture. The other formats are decoded at full size, four bytes
// a pixel, before they are scaled.
bool scaledWhileDecoding(const QImageReader& reader)
{
    const QByteArray format = reader.format();
    return format == "jpeg" || format == "jpg";
}

double bytesToDecode(const QImageReader& reader, QSize full)
{
    return double(full.width()) * double(full.height()) * (scaledWhileDecoding(reader) ? 3 : 4);
}

// The size a picture is decoded at: a GIF picture is drawn onto its whole screen, whose
// size only its header tells; the reader gives the size of its first image.
QSize decodedSize(const QString& fileName, QImageReader& reader)
{
    QSize size = reader.size();
    if (reader.format() == "gif") {
        QFile file(fileName);
        const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(10) : QByteArray();
        if (head.size() == 10 && head.startsWith("GIF")) {
            const auto byte = [&](int i) { return int(static_cast<unsigned char>(head[i])); };
            size = size.expandedTo(QSize(byte(6) | byte(7) << 8, byte(8) | byte(9) << 8));
        }
    }
    return size;
}

bool tooLarge(const QImageReader& reader, QSize full)
{
    return bytesToDecode(reader, full) > double(kPictureMemoryMB) * 1024 * 1024;
}

runtime::Error unreadableError(const QString& fileName)
{
    return runtime::Error(QStringLiteral("Bilden %1 går inte att läsa: filen är ingen BMP-, GIF- eller JPEG-bild "
                                         "eller är skadad.")
                              .arg(describe(fileName)));
}

void checkReadable(const QString& fileName, QImageReader& reader)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        throw runtime::Error(QStringLiteral("Bilden %1 finns inte.").arg(describe(fileName)));
    if (info.isDir())
        throw runtime::Error(QStringLiteral("Bilden %1 är en mapp, inte en bildfil.").arg(describe(fileName)));
    // A named pipe or a device would keep the program waiting for a picture that never comes.
    if (!info.isFile())
        throw unreadableError(fileName);
    if (!reader.canRead() || !reader.size().isValid())
        throw unreadableError(fileName);
    // A picture that is decoded at full size and would not fit is refused before decoding.
    const QSize full = decodedSize(fileName, reader);
    if (!scaledWhileDecoding(reader) && tooLarge(reader, full))
        throw tooLargeError(fileName, full);
}

} // namespace

runtime::Error tooLargeError(const QString& fileName, QSize full)
{
    return runtime::Error(QStringLiteral("Bilden %1 är för stor för att kunna visas (%2 × %3 bildpunkter). "
                                         "Spara den i en mindre storlek, till exempel högst 4000 × 4000 bildpunkter.")
                              .arg(describe(fileName))
                              .arg(full.width())
                              .arg(full.height()));
}

runtime::Error brokenError(const QString& fileName)
{
    return runtime::Error(
        QStringLiteral("Bilden %1 går inte att läsa: filen är skadad eller ofullständig.").arg(describe(fileName)));
}

void limitPictureMemory()
{
    static const bool limited = [] {
        QImageReader::setAllocationLimit(kPictureMemoryMB);
        // The JPEG decoder's own working memory (libjpeg reads JPEGMEM when a decoder is
        // made): past it, a picture fails to decode instead of taking all memory.
        if (qEnvironmentVariableIsEmpty("JPEGMEM"))
            qputenv("JPEGMEM", QByteArray::number(kPictureMemoryMB) + 'M');
        return true;
    }();
    Q_UNUSED(limited);
}

namespace {

// Put in place while the program starts, before main() and so before any thread: a change
// of the environment while another thread reads it (fontconfig does, on the window's thread)
// can crash that thread, so no decoding thread may be the first to set the limit.
[[maybe_unused]] const bool limitedAtStart = (limitPictureMemory(), true);

} // namespace

void checkPicture(const QString& fileName)
{
    QImageReader reader(fileName);
    checkReadable(fileName, reader);
}

QSize uprightSize(const QString& fileName)
{
    QImageReader reader(fileName);
    reader.setAutoTransform(true);
    checkReadable(fileName, reader);
    QSize size = reader.size();
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    return size;
}

QImage decodePicture(const QString& fileName, QSize size)
{
    QImageReader reader(fileName);
    reader.setAutoTransform(true);
    checkReadable(fileName, reader);
    if (size.isEmpty())
        return {};
    // The reader scales before it turns the picture upright.
    QSize stored = size;
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        stored.transpose();
    const QSize full = reader.size();
    if (reader.supportsOption(QImageIOHandler::ScaledSize) && full.width() >= stored.width()
        && full.height() >= stored.height())
        reader.setScaledSize(stored);
    QImage image = reader.read();
    if (image.isNull()) {
        const QSize decoded = decodedSize(fileName, reader);
        if (tooLarge(reader, decoded))
            throw tooLargeError(fileName, decoded);
        throw brokenError(fileName);
    }
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

DecodedPictures decodePictures(const QList<PictureRequest>& requests)
{
    struct Job {
        PictureRequest request;
        QImage picture;
        QString error;
    };
    std::vector<Job> jobs;
    for (const PictureRequest& request : requests)
        jobs.push_back({request, {}, {}});
    QtConcurrent::blockingMap(jobs, [](Job& job) {
        try {
            job.picture = job.request.shared ? cachedStretchedPicture(job.request.fileName, job.request.size)
                                             : decodePicture(job.request.fileName, job.request.size);
        } catch (const runtime::Error& e) {
            job.error = e.message();
        }
    });
    DecodedPictures decoded;
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        if (!jobs[i].error.isEmpty()) {
            decoded.failedAt = int(i);
            decoded.failure = jobs[i].error;
            return decoded;
        }
    }
    for (Job& job : jobs)
        decoded.images << std::move(job.picture);
    return decoded;
}

} // namespace pictures
