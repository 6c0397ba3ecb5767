#include "Image.h"

#include "Error.h"
#include "Program.h"

#include <QDir>
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

void checkReadable(const QString& fileName, QImageReader& reader)
{
    const QFileInfo info(fileName);
    if (!info.exists())
        throw Error(QStringLiteral("Bilden %1 finns inte.").arg(describe(fileName)));
    if (info.isDir())
        throw Error(QStringLiteral("Bilden %1 är en mapp, inte en bildfil.").arg(describe(fileName)));
    if (!reader.canRead() || !reader.size().isValid())
        throw Error(QStringLiteral("Bilden %1 går inte att läsa: filen är ingen BMP-, GIF- eller JPEG-bild "
                                   "eller är skadad.")
                        .arg(describe(fileName)));
}

} // namespace

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
    if (image.isNull())
        throw Error(QStringLiteral("Bilden %1 går inte att läsa: %2.")
                        .arg(describe(fileName), reader.errorString()));
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
        } catch (const Error& e) {
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
        } catch (const Error&) {
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
