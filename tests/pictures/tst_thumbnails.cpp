// Thumbnails shared with the desktop: the same picture as a decode, an entry other programs
// can trust, and every entry that does not belong to the file as it is now made anew.
#include "pictures/Picture.h"
#include "pictures/Thumbnail.h"

#include "tests/support/TestSupport.h"

#include <QImageReader>
#include <QImageWriter>
#include <QtTest>

namespace {

// A photo turned by its Exif tag: stored 400 × 200, red left and blue right; shown a quarter
// turn clockwise, 200 × 400 with red on top.
QByteArray turnedPhoto()
{
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < 200; ++y)
        for (int x = 200; x < 400; ++x)
            image.setPixelColor(x, y, Qt::blue);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    QImageWriter(&buffer, "jpeg").write(image);
    const QByteArray exif = QByteArray::fromHex("FFE10022" "457869660000" "4D4D002A00000008"
                                                "0001" "011200030000000100060000" "00000000");
    return jpeg.insert(2, exif);
}

bool near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 && qAbs(a.blue() - b.blue()) < 40;
}

// The entry's pixels replaced, its texts kept: what the cache gives back then came from it.
void paintEntry(const QString& path, const QString& uri)
{
    const QImage entry(path);
    QImage green(entry.size(), QImage::Format_RGB32);
    green.fill(Qt::green);
    for (const QString& key : entry.textKeys())
        green.setText(key, key == QLatin1String("Thumb::URI") && !uri.isEmpty() ? uri : entry.text(key));
    QVERIFY(green.save(path, "png"));
}

} // namespace

class ThumbnailsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

private slots:
    void initTestCase() { qputenv("XDG_CACHE_HOME", QFile::encodeName(m_tmp.filePath("cache"))); }

    void anEntryIsTheDecodedPictureAndIsTrustedOnlyWhileTheFileIsTheSame()
    {
        const QString set = m_tmp.filePath("stickan");
        writeBytes(set + "/foto.jpg", turnedPhoto());
        const QStringList before = QDir(set).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

        const QImage cached = pictures::cachedPicture(set + "/foto.jpg", QSize(48, 48));
        const QImage decoded = pictures::decodePicture(set + "/foto.jpg", QSize(24, 48));
        QCOMPARE(cached.size(), decoded.size());
        QVERIFY(near(cached.pixelColor(12, 8), Qt::red) && near(cached.pixelColor(12, 40), Qt::blue));

        // The entry lies in the cache, not in the set, readable by the user alone, and says
        // whose it is.
        const QString entry = pictures::thumbnailPath(set + "/foto.jpg", QSize(48, 48));
        QVERIFY(entry.startsWith(m_tmp.filePath("cache/thumbnails/normal/")));
        QCOMPARE(QFileInfo(entry).permissions() & 0x0777, QFile::ReadUser | QFile::WriteUser);
        const QImage stored(entry);
        QCOMPARE(stored.size(), QSize(64, 128));
        QCOMPARE(stored.text("Thumb::URI"), QUrl::fromLocalFile(set + "/foto.jpg").toString(QUrl::FullyEncoded));
        QCOMPARE(stored.text("Thumb::MTime").toLongLong(), QFileInfo(set + "/foto.jpg").lastModified().toSecsSinceEpoch());
        QCOMPARE(QDir(set).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
        // Each size has its folder, where the desktop takes any entry for one of that size.
        pictures::cachedPicture(set + "/foto.jpg", QSize(200, 200));
        QVERIFY(QFileInfo::exists(m_tmp.filePath("cache/thumbnails/large/") + QFileInfo(entry).fileName()));

        // A valid entry is used.
        paintEntry(entry, {});
        QVERIFY(near(pictures::cachedPicture(set + "/foto.jpg", QSize(48, 48)).pixelColor(12, 8), Qt::green));

        // One for another file, one that cannot be read, one older than the file: made anew.
        paintEntry(entry, QStringLiteral("file:///annan.jpg"));
        QVERIFY(near(pictures::cachedPicture(set + "/foto.jpg", QSize(48, 48)).pixelColor(12, 8), Qt::red));
        writeBytes(entry, "inte en png");
        QVERIFY(near(pictures::cachedPicture(set + "/foto.jpg", QSize(48, 48)).pixelColor(12, 8), Qt::red));
        QVERIFY(QImageReader(entry).canRead());
        paintEntry(entry, {});
        QFile photo(set + "/foto.jpg");
        QVERIFY(photo.open(QIODevice::ReadWrite));
        QVERIFY(photo.setFileTime(QDateTime::currentDateTime().addSecs(-100), QFileDevice::FileModificationTime));
        photo.close();
        QVERIFY(near(pictures::cachedPicture(set + "/foto.jpg", QSize(48, 48)).pixelColor(12, 8), Qt::red));
    }

    // A card's picture: a small one exactly as decoded, with no entry, so that a game of
    // drawn pictures looks as it always has; a photo through the cache.
    void aCardTakesTheCacheForPhotosOnly()
    {
        const QString set = m_tmp.filePath("kort");
        const QString small = writePicture(set, "liten.bmp", QSize(400, 400), Qt::yellow);
        const QString photo = writePicture(set, "foto.bmp", QSize(1200, 900), Qt::yellow);
        const QSize card(89, 89);
        QCOMPARE(pictures::cachedStretchedPicture(small, card), pictures::decodePicture(small, card));
        QVERIFY(!QFileInfo::exists(pictures::thumbnailPath(small, card)));
        pictures::cachedStretchedPicture(photo, card);
        QVERIFY(QFileInfo::exists(pictures::thumbnailPath(photo, card)));
    }
};

QTEST_GUILESS_MAIN(ThumbnailsTest)
#include "tst_thumbnails.moc"
