// Picture boxes: load errors named at load time, decoding at the shown size and only
// when shown, and photos stood upright by their orientation tag.
#include "forms/PictureBox.h"
#include "pictures/Picture.h"
#include "runtime/Error.h"

#include <QFile>
#include <memory>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QImage halves(QSize size, QColor left, QColor right)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, size.width() / 2, size.height(), left);
    p.fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), right);
    return image;
}

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40
        && std::abs(a.blue() - b.blue()) < 40;
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    // Pictures decode on several threads at once, beside the window's thread, which reads
    // the environment; so the decoders' limit is there before the first picture is read.
    void theDecodersLimitIsSetBeforeAnyPictureIsRead()
    {
        QCOMPARE(qgetenv("JPEGMEM"), QByteArray::number(pictures::kPictureMemoryMB) + 'M');
    }

    void init()
    {
        QVERIFY(dir_.isValid());
        QDir::setCurrent(dir_.path());
    }

    void missingOrUnreadablePicturesAreNamedAtLoad()
    {
        forms::PictureBox image;
        try {
            image.load("borta.jpg");
            QFAIL("a missing file loaded");
        } catch (const runtime::Error& e) {
            QVERIFY2(e.message().contains("\"borta.jpg\""), qPrintable(e.message()));
            QVERIFY(e.message().contains("finns inte"));
        }
        QFile text("brev.jpg");
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Hej! Det här är ingen bild.\n");
        text.close();
        QVERIFY_THROWS_EXCEPTION(runtime::Error, image.load("brev.jpg"));
        QVERIFY(QDir().mkdir("mapp.bmp"));
        QVERIFY_THROWS_EXCEPTION(runtime::Error, image.load("mapp.bmp"));

        // A picture cut inside its header is refused at load, not when it is first shown.
        QVERIFY(halves({40, 40}, Qt::red, Qt::blue).save("bra.bmp"));
        QFile whole("bra.bmp");
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QFile cut("halv.bmp");
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(whole.read(20));
        cut.close();
        try {
            image.load("halv.bmp");
            QFAIL("a cut picture loaded");
        } catch (const runtime::Error& e) {
            QVERIFY2(e.message().contains("\"halv.bmp\""), qPrintable(e.message()));
        }
        QVERIFY_THROWS_EXCEPTION(runtime::Error, pictures::decodePicture("halv.bmp", {50, 50}));
        QVERIFY(!image.hasPicture());

        image.load("bra.bmp");
        QCOMPARE(image.fileName(), QString("bra.bmp"));
    }

    void decodesAtTheShownSizeOnlyWhenShown()
    {
        QVERIFY(halves({1200, 900}, Qt::red, Qt::blue).save("stor.jpg", "JPEG", 90));
        QWidget area;
        forms::PictureBox image(&area);
        image.setTwips({360, 240, 1335, 1335});
        image.load("stor.jpg");
        QVERIFY(!image.isDecoded());
        QVERIFY(image.decodedImage().isNull());

        area.resize(300, 300);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QTRY_VERIFY(image.isDecoded());
        QCOMPARE(image.decodedImage().size(), QSize(89, 89) * image.devicePixelRatioF());
        QVERIFY(near(image.decodedImage().pixelColor(10, 45), Qt::red));
        QVERIFY(near(image.decodedImage().pixelColor(80, 45), Qt::blue));

        // A new size decodes again, at that size.
        image.setTwips({360, 240, 2250, 2250});
        QVERIFY(!image.isDecoded());
        image.decode();
        QCOMPARE(image.decodedImage().size(), QSize(150, 150));
    }

    void hiddenPictureIsNotDecoded()
    {
        QVERIFY(halves({400, 300}, Qt::red, Qt::blue).save("dold.bmp"));
        QWidget area;
        forms::PictureBox image(&area);
        image.setTwips({0, 0, 1335, 1335});
        image.load("dold.bmp");
        image.hide();
        area.resize(200, 200);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QTest::qWait(20);
        QVERIFY(!image.isDecoded());
    }

    void photosStandUprightByTheirOrientationTag()
    {
        // Stored lying on its side: the camera was turned, and the tag says so.
        QImageWriter writer("telefon.jpg", "jpeg");
        writer.setTransformation(QImageIOHandler::TransformationRotate90);
        QVERIFY(writer.write(halves({300, 200}, Qt::red, Qt::blue)));

        const QImage upright = pictures::decodePicture("telefon.jpg", {100, 150});
        QCOMPARE(upright.size(), QSize(100, 150));
        // Turned a quarter clockwise, the left half is on top.
        QVERIFY(near(upright.pixelColor(50, 20), Qt::red));
        QVERIFY(near(upright.pixelColor(50, 130), Qt::blue));
    }

    void shownPicturesDecodeTogetherAndTheFirstFailureIsReported()
    {
        QWidget area;
        std::vector<std::unique_ptr<forms::PictureBox>> boxes;
        QList<forms::PictureBox*> order;
        for (int i = 0; i < 6; ++i) {
            const QString name = QString("kort%1.jpg").arg(i);
            QVERIFY(halves({640, 480}, Qt::red, QColor::fromHsv(i * 50, 255, 255)).save(name));
            boxes.push_back(std::make_unique<forms::PictureBox>(&area));
            boxes.back()->setTwips({0, 0, 1335, 1335});
            boxes.back()->load(name);
            order << boxes.back().get();
        }
        boxes[4]->hide();
        QVERIFY(!forms::decodeShownPictures(order));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(boxes[i]->isDecoded(), i != 4);

        // Two pictures spoilt after loading: the earlier one in the order is named, and
        // nothing is changed.
        for (int i = 0; i < 6; ++i)
            boxes[i]->setTwips({0, 0, 2250, 1335});
        for (const char* spoilt : {"kort2.jpg", "kort5.jpg"}) {
            QFile f(spoilt);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("inte längre en bild");
        }
        const auto failure = forms::decodeShownPictures(order);
        QVERIFY(failure);
        QCOMPARE(failure->position, 2);
        QVERIFY2(failure->message.contains("\"kort2.jpg\""), qPrintable(failure->message));
        QVERIFY(!boxes[0]->isDecoded());
    }

private:
    QTemporaryDir dir_;
};

QTEST_MAIN(PicturesTest)
#include "PicturesTest.moc"
