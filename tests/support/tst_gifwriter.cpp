#include "tools/GifWriter.h"
#include "tests/support/TestSupport.h"

#include <QImageReader>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QImage readBack(const QString& path, QByteArray* format = nullptr)
{
    QImageReader reader(path);
    if (format)
        *format = reader.format();
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

// The first pixel that differs, or an empty text when the images agree.
QString firstDifference(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width()).arg(actual.height()).arg(expected.width()).arg(expected.height());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if ((actual.pixel(x, y) | 0xFF000000u) != (expected.pixel(x, y) | 0xFF000000u))
                return QStringLiteral("pixel (%1, %2) is %3, expected %4")
                    .arg(x).arg(y)
                    .arg(QColor(actual.pixel(x, y)).name(), QColor(expected.pixel(x, y)).name());
    return {};
}

QImage gradient(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 255 / size.width(), y * 255 / size.height(), (x + y) % 256));
    return image;
}

} // namespace

class GifWriterTest : public QObject {
    Q_OBJECT

private slots:
    void fewColoursComeBackExactly_data();
    void fewColoursComeBackExactly();
    void manyColoursComeBackAsTheirNearestCubeColour();
    void fileLayout();
    void transparencyIsLaidOnWhite();
    void refusesWhatItCannotWrite();
    void picturesOfEveryFormat_data();
    void picturesOfEveryFormat();
    void wholeFileBytes();

private:
    QTemporaryDir m_dir;
};

void GifWriterTest::fewColoursComeBackExactly_data()
{
    QTest::addColumn<QImage>("image");

    QImage one(1, 1, QImage::Format_RGB32);
    one.fill(qRgb(12, 34, 56));
    QTest::newRow("one pixel") << one;

    QImage small(7, 5, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(1, 2, 3), qRgb(250, 251, 252)};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            small.setPixel(x, y, colours[(x * y + x) % 4]);
    QTest::newRow("7x5, four colours") << small;

    QImage uniform(1000, 800, QImage::Format_RGB32);
    uniform.fill(qRgb(200, 100, 50));
    QTest::newRow("1000x800, one colour (long strings)") << uniform;

    // Noise in all 256 colours fills the string table again and again.
    QImage noise(1000, 800, QImage::Format_RGB32);
    QRandomGenerator random(1234);
    for (int y = 0; y < 800; ++y)
        for (int x = 0; x < 1000; ++x) {
            const int i = random.bounded(256);
            noise.setPixel(x, y, qRgb(i, 255 - i, (i * 7) % 256));
        }
    QTest::newRow("1000x800, 256 colours of noise (many clear codes)") << noise;
}

void GifWriterTest::fewColoursComeBackExactly()
{
    QFETCH(QImage, image);
    const QString path = m_dir.filePath(QStringLiteral("few.gif"));
    QVERIFY(writeGif(image, path));
    QByteArray format;
    const QImage back = readBack(path, &format);
    QCOMPARE(format, QByteArray("gif"));
    QCOMPARE(firstDifference(back, image), QString());
}

void GifWriterTest::manyColoursComeBackAsTheirNearestCubeColour()
{
    for (const QSize size : {QSize(40, 30), QSize(1000, 800)}) {
        const QImage image = gradient(size);
        const QImage expected = quantiseForGif(image);
        for (int y = 0; y < size.height(); y += 7)
            for (int x = 0; x < size.width(); x += 5) {
                const QRgb a = image.pixel(x, y);
                const QRgb q = expected.pixel(x, y);
                QVERIFY2(qAbs(qRed(a) - qRed(q)) <= 26 && qAbs(qGreen(a) - qGreen(q)) <= 22 && qAbs(qBlue(a) - qBlue(q)) <= 26,
                         qPrintable(QStringLiteral("%1 became %2").arg(QColor(a).name(), QColor(q).name())));
            }

        const QString path = m_dir.filePath(QStringLiteral("many.gif"));
        QVERIFY(writeGif(image, path));
        QCOMPARE(firstDifference(readBack(path), expected), QString());
    }
}

void GifWriterTest::fileLayout()
{
    QImage image(300, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const QByteArray bytes = encodeGif(image);
    QVERIFY(bytes.startsWith("GIF89a"));
    QCOMPARE(quint8(bytes[6]), quint8(300 & 0xFF));
    QCOMPARE(quint8(bytes[7]), quint8(300 >> 8));
    QCOMPARE(quint8(bytes[8]), quint8(2));
    QCOMPARE(quint8(bytes[10]), quint8(0xF7));
    QCOMPARE(quint8(bytes[13 + 768]), quint8(0x2C));
    QCOMPARE(quint8(bytes[13 + 768 + 10]), quint8(8));  // LZW minimum code size
    QVERIFY(bytes.endsWith(QByteArray("\0\x3B", 2)));
}

void GifWriterTest::transparencyIsLaidOnWhite()
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(1, 1, qRgba(0, 0, 255, 255));
    const QString path = m_dir.filePath(QStringLiteral("alpha.gif"));
    QVERIFY(writeGif(image, path));
    const QImage back = readBack(path);
    QCOMPARE(QColor(back.pixel(0, 0)), QColor(Qt::white));
    QCOMPARE(QColor(back.pixel(1, 1)), QColor(Qt::blue));
}

void GifWriterTest::refusesWhatItCannotWrite()
{
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(!writeGif(QImage(), m_dir.filePath(QStringLiteral("null.gif"))));
    QVERIFY(!writeGif(image, m_dir.filePath(QStringLiteral("no/such/folder/a.gif"))));
    QVERIFY(!writeGif(QImage(70000, 1, QImage::Format_RGB32), m_dir.filePath(QStringLiteral("wide.gif"))));
}

void GifWriterTest::picturesOfEveryFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<int>("tolerance");
    QTest::newRow("bmp") << QStringLiteral("röd.bmp") << QByteArray("bmp") << 0;
    QTest::newRow("gif") << QStringLiteral("grön.GIF") << QByteArray("gif") << 0;
    QTest::newRow("jpg") << QStringLiteral("blå.jpg") << QByteArray("jpeg") << 6;
    QTest::newRow("jpeg") << QStringLiteral("sub/gul.jpeg") << QByteArray("jpeg") << 6;
}

void GifWriterTest::picturesOfEveryFormat()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(int, tolerance);
    const QColor colour(40, 160, 220);
    const QString path = writePicture(m_dir.path(), name, QSize(64, 48), colour);
    QCOMPARE(path, QDir(m_dir.path()).absoluteFilePath(name));

    QByteArray actualFormat;
    const QImage back = readBack(path, &actualFormat);
    QCOMPARE(actualFormat, format);
    QCOMPARE(back.size(), QSize(64, 48));
    const QColor centre = back.pixelColor(32, 24);
    QVERIFY2(qAbs(centre.red() - colour.red()) <= tolerance && qAbs(centre.green() - colour.green()) <= tolerance
                 && qAbs(centre.blue() - colour.blue()) <= tolerance,
             qPrintable(centre.name()));
}

void GifWriterTest::wholeFileBytes()
{
    const QByteArray bytes("a\0b\r\n", 5);
    const QString file = m_dir.filePath(QStringLiteral("deep/er/bytes.bin"));
    writeBytes(file, bytes);
    QCOMPARE(readBytes(file), bytes);
    writeBytes(file, "x");
    QCOMPARE(readBytes(file), QByteArray("x"));
    QCOMPARE(readBytes(m_dir.filePath(QStringLiteral("missing.bin"))), QByteArray());
}

QTEST_GUILESS_MAIN(GifWriterTest)
#include "tst_gifwriter.moc"
