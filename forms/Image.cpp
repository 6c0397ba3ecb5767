#include "forms/Image.h"

#include "runtime/Error.h"
#include "forms/Program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QtConcurrent/QtConcurrentMap>
#include <vector>

namespace forms {

namespace {

QString describe(const QString& fileName)
{
    return QStringLiteral("\"%1\" (i mappen %2)")
        .arg(fileName, QFileInfo(fileName).absoluteDir().path());
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

runtime::Error tooLargeError(const QString& fileName, QSize full)
{
    return runtime::Error(QStringLiteral("Bilden %1 är för stor för att kunna visas (%2 × %3 bildpunkter). "
                                "Spara den i en mindre storlek, till exempel högst 4000 × 4000 bildpunkter.")
                     .arg(describe(fileName))
                     .arg(full.width())
                     .arg(full.height()));
}

void checkReadable(const QString& fileName, QImageReader& reader)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        throw runtime::Error(QStringLiteral("Bilden %1 finns inte.").arg(describe(fileName)));
    if (info.isDir())
        throw runtime::Error(QStringLiteral("Bilden %1 är en mapp, inte en bildfil.").arg(describe(fileName)));
    if (!reader.canRead() || !reader.size().isValid())
        throw runtime::Error(QStringLiteral("Bilden %1 går inte att läsa: filen är ingen BMP-, GIF- eller JPEG-bild "
                                   "eller är skadad.")
                        .arg(describe(fileName)));
    // A picture that is decoded at full size and would not fit is refused before decoding.
    const QSize full = decodedSize(fileName, reader);
    if (!scaledWhileDecoding(reader) && tooLarge(reader, full))
        throw tooLargeError(fileName, full);
}

} // namespace

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

QImage decodePicture(const QString& fileName, QSize size)
{
    limitPictureMemory();
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
        throw runtime::Error(QStringLiteral("Bilden %1 går inte att läsa: filen är skadad eller ofullständig.")
                        .arg(describe(fileName)));
    }
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

void decodePictures(const QList<Image*>& images)
{
    struct Job {
        int position;
        Image* box;
        QString file;
        QSize size;
        QImage picture;
        QString error;
    };
    std::vector<Job> jobs;
    for (int i = 0; i < images.size(); ++i) {
        Image* box = images[i];
        if (!box->isHidden() && box->hasPicture() && !box->isDecoded())
            jobs.push_back({i, box, box->file_, box->targetSize(), {}, {}});
    }
    QtConcurrent::blockingMap(jobs, [](Job& job) {
        try {
            job.picture = decodePicture(job.file, job.size);
        } catch (const runtime::Error& e) {
            job.error = e.message();
        }
    });
    for (const Job& job : jobs) {
        if (!job.error.isEmpty())
            throw PictureError(job.error, job.position);
    }
    for (Job& job : jobs) {
        job.box->image_ = std::move(job.picture);
        job.box->decodedFor_ = job.size;
        job.box->update();
    }
}

Image::Image(QWidget* parent)
    : QWidget(parent)
    , Geometry(this)
{
}

void Image::LoadPicture(const QString& fileName)
{
    limitPictureMemory();
    QImageReader reader(fileName);
    checkReadable(fileName, reader);
    file_ = fileName;
    // A screen reader says the picture's name, unless the program gives a better one.
    setAccessibleName(QFileInfo(fileName).completeBaseName());
    image_ = QImage();
    decodedFor_ = QSize();
    update();
}

void Image::clearPicture()
{
    file_.clear();
    setAccessibleName(QString());
    image_ = QImage();
    decodedFor_ = QSize();
    update();
}

void Image::setBorder(bool on)
{
    border_ = on;
    update();
}

QSize Image::targetSize() const
{
    const int inset = border_ ? 2 : 0;
    const qreal ratio = devicePixelRatioF();
    return QSize(qMax(0, qRound((width() - inset) * ratio)), qMax(0, qRound((height() - inset) * ratio)));
}

bool Image::isDecoded() const
{
    return !file_.isEmpty() && decodedFor_ == targetSize();
}

void Image::decode()
{
    if (file_.isEmpty() || isDecoded())
        return;
    const QSize size = targetSize();
    image_ = decodePicture(file_, size);
    decodedFor_ = size;
}

void Image::geometryChanged()
{
    update();
}

void Image::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int inset = border_ ? 1 : 0;
    if (!file_.isEmpty() && !isDecoded()) {
        try {
            decode();
        } catch (const runtime::Error&) {
            image_ = QImage();
            decodedFor_ = targetSize();
        }
    }
    if (!image_.isNull())
        p.drawImage(rect().adjusted(inset, inset, -inset, -inset), image_);
    if (border_) {
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void Image::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        dispatch(onClick);
}

} // namespace forms
