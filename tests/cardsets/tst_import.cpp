// Pictures into a card set: names kortvy.ini can hold, the formats the programs show kept
// byte for byte, the others made JPEG, and nothing ever overwritten or left half written.
#include "cardsets/PictureImport.h"

#include "runtime/Error.h"
#include "settings/StorableName.h"
#include "tests/support/TestSupport.h"
#include "tools/GifWriter.h"

#include <QImageReader>
#include <QImageWriter>
#include <QtTest>

#include <libheif/heif.h>

#include <sys/stat.h>

namespace {

QImage halves(QSize size, QColor left, QColor right)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(left);
    for (int y = 0; y < size.height(); ++y)
        for (int x = size.width() / 2; x < size.width(); ++x)
            image.setPixelColor(x, y, right);
    return image;
}

QByteArray encoded(const QImage& image, const char* format, QImageIOHandler::Transformations turn = {})
{
    // Qt writes no GIF.
    if (qstrcmp(format, "gif") == 0) {
        QTemporaryDir dir;
        const QString path = dir.filePath("g.gif");
        return writeGif(image.convertToFormat(QImage::Format_RGB32), path) ? readBytes(path) : "";
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, format);
    writer.setTransformation(turn);
    if (!writer.write(image))
        qFatal("no %s written", format);
    return bytes;
}

// A JPEG whose Exif orientation says: turn a quarter clockwise to show.
QByteArray jpegTurnedByExif()
{
    const QByteArray exif = QByteArray::fromHex("FFE10022" "457869660000" "4D4D002A00000008"
                                                "0001" "011200030000000100060000" "00000000");
    QByteArray jpeg = encoded(halves(QSize(40, 20), Qt::red, Qt::blue), "jpeg");
    return jpeg.insert(2, exif);
}

// A GIF whose header is whole but whose picture data asks for codes longer than GIF has.
QByteArray brokenGif()
{
    QByteArray gif = encoded(halves(QSize(8, 8), Qt::red, Qt::blue), "gif");
    gif[gif.indexOf(',') + 10] = 14;
    return gif;
}

// A phone's photo: HEIC, red on the left and blue on the right.
QByteArray heic(QSize size)
{
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_image* image = nullptr;
    heif_image_create(size.width(), size.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, size.width(), size.height(), 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            uint8_t* p = plane + y * stride + 3 * x;
            const bool left = x < size.width() / 2;
            p[0] = left ? 255 : 0;
            p[1] = 0;
            p[2] = left ? 0 : 255;
        }
    heif_context_encode_image(context, image, encoder, nullptr, nullptr);
    QTemporaryDir dir;
    const QString path = dir.filePath("h.heic");
    heif_context_write_to_file(context, QFile::encodeName(path).constData());
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(context);
    return readBytes(path);
}

QColor colourAt(const QByteArray& bytes, QPoint at)
{
    return QImage::fromData(bytes).pixelColor(at);
}

bool near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 && qAbs(a.blue() - b.blue()) < 40;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

    QString source(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_tmp.filePath(QStringLiteral("in/") + name);
        writeBytes(path, bytes);
        return path;
    }

private slots:
    void namesTheFileCanHold_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("storable");
        QTest::newRow("Swedish stays") << "Älg på ö.jpg" << "Älg på ö.jpg";
        QTest::newRow("every script stays") << "Łódź Щука 猫 🐈.png" << "Łódź Щука 猫 🐈.png";
        QTest::newRow("quote") << "\"katt\".jpg" << "'katt'.jpg";
        QTest::newRow("control characters go") << "katt\tsover\n.jpg" << "katt sover.jpg";
        QTest::newRow("nothing left") << "\t.png" << "bild.png";
        QTest::newRow("not hidden") << ".dold.jpg" << "dold.jpg";
        QTest::newRow("extension only") << ".jpg" << "bild.jpg";
    }
    void namesTheFileCanHold()
    {
        QFETCH(QString, name);
        QFETCH(QString, storable);
        QCOMPARE(settings::storableName(name), storable);
    }

    void shownFormatsKeepTheirBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("landsAs");
        const QImage picture = halves(QSize(30, 20), Qt::red, Qt::blue).convertToFormat(QImage::Format_RGB32);
        QTest::newRow("BMP") << "hus.bmp" << encoded(picture, "bmp") << "hus.bmp";
        QTest::newRow("GIF") << "sol.GIF" << encoded(picture, "gif") << "sol.GIF";
        // The tag stays with the picture; the programs turn it when they show it.
        QTest::newRow("JPEG with orientation") << "foto.jpeg" << jpegTurnedByExif() << "foto.jpeg";
        QTest::newRow("JPEG named PNG") << "fel.png" << encoded(picture, "jpeg") << "fel.jpg";
        QTest::newRow("name made storable") << "\"Łódź\".jpg" << encoded(picture, "jpeg") << "'Łódź'.jpg";
    }
    void shownFormatsKeepTheirBytes()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, landsAs);
        const cardsets::PreparedPicture picture = cardsets::preparePicture(source(name, bytes));
        QCOMPARE(picture.name, landsAs);
        QVERIFY(picture.bytes == bytes);
    }

    void otherFormatsBecomeUprightJpegOnWhite()
    {
        // Transparent on the left, blue on the right.
        const QImage png = halves(QSize(40, 20), Qt::transparent, Qt::blue);
        const cardsets::PreparedPicture flat = cardsets::preparePicture(source("Łódź.png", encoded(png, "png")));
        QCOMPARE(flat.name, QStringLiteral("Łódź.jpg"));
        QVERIFY(flat.bytes.startsWith("\xff\xd8\xff"));
        QVERIFY(near(colourAt(flat.bytes, {5, 10}), Qt::white));
        QVERIFY(near(colourAt(flat.bytes, {35, 10}), Qt::blue));

        // Stored lying down, with a tag that says to turn it a quarter clockwise: the left
        // half comes on top.
        const QByteArray tiff = encoded(halves(QSize(40, 20), Qt::red, Qt::blue), "tiff",
                                        QImageIOHandler::TransformationRotate90);
        const cardsets::PreparedPicture upright = cardsets::preparePicture(source("liggande.tif", tiff));
        QCOMPARE(upright.name, QStringLiteral("liggande.jpg"));
        QCOMPARE(QImage::fromData(upright.bytes).size(), QSize(20, 40));
        QVERIFY(near(colourAt(upright.bytes, {10, 5}), Qt::red));
    }

    // An iPhone's photo comes in as a JPEG; a format that cannot be read is named, not
    // called broken.
    void phonePhotosComeInAndOtherFormatsAreNamed()
    {
        const cardsets::PreparedPicture photo = cardsets::preparePicture(source("IMG_0001.HEIC", heic(QSize(64, 32))));
        QCOMPARE(photo.name, QStringLiteral("IMG_0001.jpg"));
        QCOMPARE(QImage::fromData(photo.bytes, "jpeg").size(), QSize(64, 32));
        QVERIFY(near(colourAt(photo.bytes, {8, 16}), Qt::red) && near(colourAt(photo.bytes, {56, 16}), Qt::blue));

        const QByteArray jpegXl = QByteArray("\xFF\x0A", 2) + QByteArray(100, 'x');
        const QString failure = failureOf([&] { cardsets::preparePicture(source("sol.jxl", jpegXl)); });
        QVERIFY2(failure.contains(QStringLiteral("sol.jxl\" är en JPEG XL-bild")), qPrintable(failure));
    }

    void nothingIsOverwrittenOrLeftHalf()
    {
        const QString folder = m_tmp.filePath(QStringLiteral("lek"));
        QVERIFY(QDir().mkpath(folder));
        writeBytes(folder + QStringLiteral("/katt.jpg"), "lärarens");
        QCOMPARE(cardsets::storeNew(folder, QStringLiteral("katt.jpg"), "ny 2"), QStringLiteral("katt (2).jpg"));
        QCOMPARE(cardsets::storeNew(folder, QStringLiteral("katt.jpg"), "ny 3"), QStringLiteral("katt (3).jpg"));
        QCOMPARE(readBytes(folder + QStringLiteral("/katt.jpg")), QByteArray("lärarens"));
        QCOMPARE(readBytes(folder + QStringLiteral("/katt (2).jpg")), QByteArray("ny 2"));
        // A name that differs only in case is taken too: the teacher could not tell them apart.
        writeBytes(folder + QStringLiteral("/IMG_1.JPG"), "kamerans");
        QCOMPARE(cardsets::storeNew(folder, QStringLiteral("IMG_1.jpg"), "mobilens"), QStringLiteral("IMG_1 (2).jpg"));

        // A full disk: the copy fails whole, and leaves nothing behind.
        const QStringList before = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        {
            FileSizeLimit full(100);
            const QString failure = failureOf([&] { cardsets::storeNew(folder, "stor.jpg", QByteArray(1000, 'x')); });
            QVERIFY2(failure.contains(QStringLiteral("kunde inte sparas")), qPrintable(failure));
        }
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    }

    void refusedFilesAreNamedTogether()
    {
        const QString folder = m_tmp.filePath(QStringLiteral("blandat"));
        QVERIFY(QDir().mkpath(folder));
        const QImage redBlue = halves(QSize(30, 20), Qt::red, Qt::blue);
        const QStringList files{source("text.jpg", "inte en bild"), m_tmp.filePath("saknas.png"),
                                source("ok.gif", encoded(halves(QSize(8, 8), Qt::red, Qt::red), "gif")),
                                source("trasig.png", encoded(redBlue, "png").chopped(30)),
                                source("trasig.gif", brokenGif()), m_tmp.filePath("ror.jpg")};
        QVERIFY(::mkfifo(QFile::encodeName(m_tmp.filePath("ror.jpg")).constData(), 0600) == 0);
        const cardsets::AddedPictures result = cardsets::addPictures(files, folder);
        QCOMPARE(result.added, QStringList{QStringLiteral("ok.gif")});
        const QString message = cardsets::refusedMessage(result, QStringLiteral("Djur"));
        QVERIFY2(message.startsWith("5 filer kunde inte läggas till i kortleken \"Djur\""), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("text.jpg\" är ingen bild")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("saknas.png\" finns inte")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("trasig.png\" (i mappen")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("trasig.gif\" (i mappen")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("ror.jpg\" är ingen bild")), qPrintable(message));
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), result.added);
    }
};

QTEST_GUILESS_MAIN(PicturesTest)
#include "tst_import.moc"
