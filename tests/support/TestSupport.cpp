#include "TestSupport.h"

#include "GifWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

QString writePicture(const QString& dir, const QString& name, QSize size, QColor colour)
{
    const QString path = QDir(dir).absoluteFilePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const bool written = QFileInfo(name).suffix().compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0
        ? writeGif(image, path)
        : image.save(path);
    if (!written)
        qFatal("writePicture: could not write %s", qPrintable(path));
    return path;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        qFatal("writeBytes: could not write %s: %s", qPrintable(path), qPrintable(file.errorString()));
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
