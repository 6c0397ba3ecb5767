// A card set written as a PDF for real, then read back with poppler's pdftotext and pdfimages.

#include "printing/CardSheet.h"
#include "printing/ChoicesFile.h"
#include "printing/PrintDialog.h"
#include "runtime/Error.h"
#include "settings/CardSetFile.h"
#include "tests/support/TestSupport.h"
#include "work/SlowWork.h"

#include <QBuffer>
#include <QLabel>
#include <QPrinter>
#include <QSignalSpy>
#include <QImageWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A phone's photo as it is stored, lying on its side, with the Exif orientation that stands it up.
void writeTurnedJpeg(const QString& path, QSize stored)
{
    QImage image(stored, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpeg").write(image);
    jpeg.insert(2, QByteArray::fromHex("FFE10022" "457869660000" "4D4D002A00000008"
                                       "0001" "011200030000000100060000" "00000000"));
    writeBytes(path, jpeg);
}

struct Stopper : work::Progress {
    bool stop = false;
    bool stopped() const override { return stop; }
    void advance(int, int, const QString&) override {}
};

} // namespace

class PdfTest : public QObject {
    Q_OBJECT

private slots:
    void pdfHoldsTheWordsAndPicturesAt300Dpi()
    {
        CardFolder folder;
        folder.picture(QStringLiteral("bred.jpg"), Qt::red, QSize(1600, 1200));
        writeTurnedJpeg(folder.path() + QStringLiteral("/telefon.jpg"), QSize(1600, 1200));
        settings::CardSet set;
        set.count = 3;
        set.cards = {{QStringLiteral("bred.jpg"), {}, QStringLiteral("Żółw"), QStringLiteral("źrebię")},
                     {QStringLiteral("telefon.jpg"), {}, QStringLiteral("قطة"), QStringLiteral("Ёжик")},
                     {QStringLiteral("borta.jpg"), {}, QStringLiteral("Ağaç"), {}}};
        settings::writeCardSet(folder.iniPath(), set);
        const QString pdf = folder.path() + QStringLiteral("/ut.pdf");
        run(QStringLiteral(KORTVY_START), {QStringLiteral("--pdf"), pdf, folder.path()});

        const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        for (const char* word : {"Żółw", "źrebię", "Ёжик", "Ağaç"})
            QVERIFY2(text.contains(QString::fromUtf8(word)), qPrintable(text));
        // Arabic comes back as the joined forms of its letters (initial, medial, final), in
        // reading order; the reader breaks a right-to-left word between glyphs and marks its
        // direction, which says nothing of the print.
        QString letters = text;
        letters.remove(QRegularExpression(QStringLiteral("[\\s\\x{202A}-\\x{202E}]")));
        const QString joined = QStringLiteral("\uFED7\uFEC4\uFE94");
        QVERIFY2(letters.contains(joined), qPrintable(text));
        QCOMPARE(joined.normalized(QString::NormalizationForm_KC), QStringLiteral("قطة"));
        // Large: the height the reader gives a word follows its size.
        const QRegularExpressionMatch box = QRegularExpression(QStringLiteral("yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" "
                                                                              "yMax=\"([\\d.]+)\">Żółw<"))
                                                .match(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
        QVERIFY(box.hasMatch() && box.captured(2).toDouble() - box.captured(1).toDouble() > 30);
        // Six faces, one page: the missing picture's card is there too, its word under an empty frame.
        QCOMPARE(text.count(QLatin1Char('\f')), 1);
        QCOMPARE(text.count(QStringLiteral("Ağaç")), 2);

        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
        QStringList images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(QLatin1Char('\n'));
        images = images.mid(2).filter(QStringLiteral("image"));
        QCOMPARE(images.size(), 2);
        QList<QSize> sizes;
        for (const QString& line : images) {
            const QStringList f = line.simplified().split(QLatin1Char(' '));
            QVERIFY2(qAbs(f[12].toInt() - 300) <= 2 && qAbs(f[13].toInt() - 300) <= 2, qPrintable(line));
            sizes << QSize(f[3].toInt(), f[4].toInt());
        }
        // Proportions kept, the phone's photo stood upright.
        QVERIFY(qAbs(sizes[0].width() * 3 - sizes[0].height() * 4) <= 4);
        QVERIFY(qAbs(sizes[1].width() * 4 - sizes[1].height() * 3) <= 4);
        QVERIFY(sizes[1].height() > 500);

        const QList<printing::SheetCard> cards = printing::sheetCards(folder.path(), set, {});
        const QString problems = printing::problemsText(cards);
        QVERIFY2(problems.contains(QStringLiteral("Kort 3, övre raden: Bilden")) && problems.count(QLatin1Char('\n')) == 1,
                 qPrintable(problems));
    }

    // Written whole or not at all: a stopped or failed PDF leaves no file, nor a half of one.
    void pdfIsWrittenWholeOrNotAtAll()
    {
        CardFolder folder;
        folder.picture(QStringLiteral("a.jpg"));
        settings::CardSet set;
        set.count = 1;
        set.cards = {{QStringLiteral("a.jpg"), {}, QStringLiteral("sol"), {}}};
        settings::writeCardSet(folder.iniPath(), set);
        const QString pdf = folder.path() + QStringLiteral("/ut.pdf");
        writeBytes(pdf, "förra");
        Stopper stopper;
        stopper.stop = true;
        printing::writePdf(pdf, {}, printing::sheetCards(folder.path(), set, {}), {}, printing::defaultPage(), stopper);
        QCOMPARE(readBytes(pdf), QByteArray("förra"));
        const QString nowhere = folder.path() + QStringLiteral("/saknas/ut.pdf");
        QVERIFY(failureOf([&] { printing::writeSetPdf(folder.path(), nowhere); }).contains(QStringLiteral("saknas")));
        QCOMPARE(folder.entries(), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("kortvy.ini"), QStringLiteral("ut.pdf")}));
    }

    // The dialog's PDF and its print to a file are the same pages, and the choices they were
    // made with are the set's from then on.
    void dialogPrintsWhatItSavesAndRemembers()
    {
        CardFolder folder;
        folder.picture(QStringLiteral("a.jpg"), Qt::red, QSize(400, 300));
        settings::CardSet set;
        set.count = 2;
        set.cards = {{QStringLiteral("a.jpg"), {}, QStringLiteral("sol"), QStringLiteral("måne")},
                     {QStringLiteral("borta.jpg"), {}, QStringLiteral("hus"), {}}};
        settings::writeCardSet(folder.iniPath(), set);
        const QString options = folder.path() + QStringLiteral("/kortvy-val.ini");
        writeBytes(options, "[spel]\ntangentbord=nej\n");

        printing::PrintDialog dialog(folder.path(), QStringLiteral("djur"));
        QTRY_VERIFY(!dialog.working());
        QCOMPARE(dialog.cards().size(), 4);
        QVERIFY(control<QLabel>(dialog, QStringLiteral("problems"))->text().contains(QStringLiteral("Kort 2, övre raden")));
        const printing::PrintChoices chosen{printing::Rows::Upper, 12, false, false};
        dialog.setChoices(chosen);
        QTRY_VERIFY(!dialog.working());
        QCOMPARE(dialog.cards().size(), 2);

        QSignalSpy saved(&dialog, &printing::PrintDialog::pdfWritten);
        const QString pdf = folder.path() + QStringLiteral("/sparad.pdf");
        dialog.savePdf(pdf);
        QTRY_COMPARE(saved.count(), 1);
        // Without words, only a card that cannot be drawn keeps its word.
        const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY2(!text.contains(QStringLiteral("sol")) && text.contains(QStringLiteral("hus")), qPrintable(text));
        QSignalSpy printed(&dialog, &printing::PrintDialog::printed);
        const QString file = folder.path() + QStringLiteral("/utskrift.pdf");
        dialog.printer()->setOutputFileName(file);
        dialog.print();
        QTRY_COMPARE(printed.count(), 1);
        QCOMPARE(run(QStringLiteral("pdftotext"), {file, QStringLiteral("-")}), text);
        const auto sizes = [](const QString& path) {
            QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path}).split(QLatin1Char('\n'));
            for (QString& line : lines)
                line = line.simplified().section(QLatin1Char(' '), 0, 4);
            return lines.mid(2);
        };
        QCOMPARE(sizes(file), sizes(pdf));
        QCOMPARE(sizes(pdf).first(), QStringLiteral("1 0 image 400 300"));

        QCOMPARE(printing::readChoices(folder.path()), chosen);
        QVERIFY(readBytes(options).startsWith("[spel]\ntangentbord=nej\n"));
        QCOMPARE(printing::PrintDialog(folder.path(), QStringLiteral("djur")).choices(), chosen);
    }
};

QTEST_MAIN(PdfTest)
#include "tst_pdf.moc"
