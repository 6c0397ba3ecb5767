#include "pictures/Thumbnail.h"

#include "pictures/Picture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QUrl>

#include <sys/stat.h>

namespace pictures {

namespace {

struct Flavour {
    const char* folder;
    int edge;
};

// Pictures of at most this many pixels are not worth a cache entry for a card.
constexpr qint64 kDirectPixels = 1024 * 1024;

// The standard's sizes: each entry fits a square of this edge.
constexpr Flavour kFlavours[] = {{"normal", 128}, {"large", 256}, {"x-large", 512}, {"xx-large", 1024}};

const Flavour* flavourFor(QSize size)
{
    const int edge = std::max(size.width(), size.height());
    for (const Flavour& flavour : kFlavours) {
        if (edge <= flavour.edge)
            return &flavour;
    }
    return nullptr;
}

// What identifies the file as it is now: its URI, its modification time in whole seconds and
// its size in bytes.
struct Source {
    QByteArray uri;
    QByteArray mtime;
    QByteArray size;
};

bool describeSource(const QString& fileName, Source* source)
{
    struct stat st;
    const QString absolute = QFileInfo(fileName).absoluteFilePath();
    if (::stat(QFile::encodeName(absolute).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    source->uri = QUrl::fromLocalFile(absolute).toEncoded();
    source->mtime = QByteArray::number(qlonglong(st.st_mtim.tv_sec));
    source->size = QByteArray::number(qlonglong(st.st_size));
    return true;
}

QString entryPath(const Flavour& flavour, const Source& source)
{
    const QByteArray md5 = QCryptographicHash::hash(source.uri, QCryptographicHash::Md5).toHex();
    return thumbnailFolder() + QLatin1Char('/') + QLatin1String(flavour.folder) + QLatin1Char('/')
        + QString::fromLatin1(md5) + QStringLiteral(".png");
}

// The entry when it belongs to this file as it is now; a null image otherwise.
QImage readEntry(const QString& path, const Source& source)
{
    // The keys hold "::", which the reader's own list of texts splits wrongly; the image read
    // carries them whole.
    QImageReader reader(path, "png");
    const QImage entry = reader.canRead() ? reader.read() : QImage();
    if (entry.isNull() || entry.text(QStringLiteral("Thumb::URI")).toUtf8() != source.uri
        || entry.text(QStringLiteral("Thumb::MTime")).toLatin1() != source.mtime)
        return {};
    const QString size = entry.text(QStringLiteral("Thumb::Size"));
    if (!size.isEmpty() && size.toLatin1() != source.size)
        return {};
    return entry;
}

// Written whole or not at all, readable by the user alone, as the standard asks; another
// program writing the same entry meanwhile does no harm.
void writeEntry(const QString& path, const Source& source, const QImage& picture)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return;
    QFile::setPermissions(thumbnailFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Set on the image: the writer's own texts split a key at its first colon.
    QImage entry = picture;
    entry.setText(QStringLiteral("Thumb::URI"), QString::fromUtf8(source.uri));
    entry.setText(QStringLiteral("Thumb::MTime"), QString::fromLatin1(source.mtime));
    entry.setText(QStringLiteral("Thumb::Size"), QString::fromLatin1(source.size));
    entry.setText(QStringLiteral("Software"), QStringLiteral("Kortvy"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner))
        return;
    QImageWriter writer(&file, "png");
    if (!writer.write(entry))
        return;
    file.commit();
}

QImage fitted(const QImage& picture, QSize size)
{
    const QSize target = picture.size().scaled(size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return target == picture.size() ? picture : picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QString thumbnailFolder()
{
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || QDir::isRelativePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/thumbnails");
}

QString thumbnailPath(const QString& fileName, QSize size)
{
    const Flavour* flavour = flavourFor(size);
    Source source;
    if (!flavour || !describeSource(fileName, &source))
        return QString();
    return entryPath(*flavour, source);
}

namespace {

// The entry's size for a picture of this full size: as large as the flavour allows, never
// larger than the picture itself.
QSize entrySizeOf(QSize full, const Flavour& flavour)
{
    if (full.width() <= flavour.edge && full.height() <= flavour.edge)
        return full;
    return full.scaled(QSize(flavour.edge, flavour.edge), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

QImage entryOrDecode(const QString& fileName, const Flavour& flavour, const Source& source, QSize full)
{
    const QString path = entryPath(flavour, source);
    if (const QImage cached = readEntry(path, source); !cached.isNull())
        return cached;
    const QImage picture = decodePicture(fileName, entrySizeOf(full, flavour));
    writeEntry(path, source, picture);
    return picture;
}

} // namespace

QImage cachedPicture(const QString& fileName, QSize size)
{
    const Flavour* flavour = flavourFor(size);
    Source source;
    const QSize full = uprightSize(fileName);
    if (!flavour || !describeSource(fileName, &source))
        return fitted(decodePicture(fileName, full.scaled(size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1))), size);
    return fitted(entryOrDecode(fileName, *flavour, source, full), size);
}

QImage cachedStretchedPicture(const QString& fileName, QSize size)
{
    const QSize full = uprightSize(fileName);
    Source source;
    // A picture of up to a megapixel decodes in a few milliseconds, and decoded directly it
    // shows exactly as it always has; the cache is for the teacher's photos.
    if (size.isEmpty() || qint64(full.width()) * full.height() <= kDirectPixels || !describeSource(fileName, &source))
        return decodePicture(fileName, size);
    // The smallest entry that covers the size both ways, so that nothing is enlarged.
    for (const Flavour& flavour : kFlavours) {
        const QSize entry = entrySizeOf(full, flavour);
        if (entry.width() >= size.width() && entry.height() >= size.height()) {
            const QImage picture = entryOrDecode(fileName, flavour, source, full);
            return picture.size() == size ? picture
                                          : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        if (entry == full)
            break;
    }
    return decodePicture(fileName, size);
}

} // namespace pictures
