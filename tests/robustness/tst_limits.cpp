// The reader against files far beyond any card set: whatever a file holds, reading it ends
// soon, in a card set or an error, and keeps little of it in memory. And the fuzz corpus,
// every input that ever found a fault among them, read as both programs read it.

#include "fuzz/CardSetCheck.h"
#include "fuzz/PictureCheck.h"
#include "tests/support/TestSupport.h"

#include "settings/FileError.h"
#include "settings/ValueReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

using settings::ValueReader;

namespace {

long peakMemoryMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Writes the head, then `fill` repeated up to `size` bytes, a megabyte at a time.
void writeLarge(const QString& path, const QByteArray& head, char fill, qint64 size)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(head), head.size());
    const QByteArray block(1 << 20, fill);
    for (qint64 left = size - head.size(); left > 0; left -= block.size())
        QVERIFY(file.write(block.left(int(qMin<qint64>(left, block.size())))) > 0);
}

} // namespace

class LimitsTest : public QObject {
    Q_OBJECT

private slots:
    void hugeFilesEndSoonInAnError_data();
    void hugeFilesEndSoonInAnError();
    void manyLongValuesStopAtTheReadLimit();
    void fuzzCorpus();
    void pictureFuzzCorpus();

private:
    QTemporaryDir dir_;
};

void LimitsTest::hugeFilesEndSoonInAnError_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<char>("fill");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("problem");
    QTest::newRow("100 MB line") << QByteArray("3\r\n0\r\n1\r\n") << 'a' << 4 << QStringLiteral("värdet är längre än 1048576 tecken");
    QTest::newRow("100 MB quoted line") << QByteArray("3\r\n0\r\n1\r\n\"") << 'a' << 4 << QStringLiteral("värdet är längre än 1048576 tecken");
    QTest::newRow("100 MB of blanks") << QByteArray("3\r\n0\r\n1\r\n") << ' ' << 4 << QStringLiteral("filen är längre än 16 MB innan alla värden är lästa");
    QTest::newRow("100 MB after a closed text") << QByteArray("3\r\n0\r\n1\r\n\"bild.jpg\"") << 'x' << 4
                                                << QStringLiteral("filen är längre än 16 MB innan alla värden är lästa");
}

// Each a 100 MB file that a reader could otherwise hold whole or spend long on.
void LimitsTest::hugeFilesEndSoonInAnError()
{
    QFETCH(QByteArray, head);
    QFETCH(char, fill);
    QFETCH(int, line);
    QFETCH(QString, problem);
    const QString path = dir_.filePath(QStringLiteral("stor.ini"));
    writeLarge(path, head, fill, qint64(100) << 20);

    const long before = peakMemoryMB();
    QElapsedTimer timer;
    timer.start();
    try {
        ValueReader reader(path);
        QCOMPARE(reader.readNumber(), qint16(3));
        reader.readNumber();
        reader.readNumber();
        for (int i = 0; i < 12; ++i)
            reader.readText();
        QFAIL("read whole");
    } catch (const runtime::Error& e) {
        QCOMPARE(e.line(), line);
        QVERIFY2(e.message().contains(problem), qPrintable(e.message()));
    }
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    const long grown = peakMemoryMB() - before;
    QVERIFY2(grown < 32, qPrintable(QStringLiteral("%1 MB").arg(grown)));
    QFile::remove(path);
}

// The supervisor tool reads as many cards as the count says, up to 32767: twenty values of
// a megabyte each are more than a card set may take.
void LimitsTest::manyLongValuesStopAtTheReadLimit()
{
    const QString path = dir_.filePath(QStringLiteral("lang.ini"));
    QByteArray bytes("32767\r\n0\r\n1\r\n");
    const QByteArray value(ValueReader::kMaxValueBytes - 2, 'a');
    for (int i = 0; i < 20; ++i)
        bytes += value + "\r\n";
    writeBytes(path, bytes);

    ValueReader reader(path);
    reader.readNumber();
    reader.readNumber();
    reader.readNumber();
    int read = 0;
    try {
        for (;; ++read)
            QCOMPARE(reader.readText().size(), value.size());
    } catch (const runtime::Error& e) {
        QVERIFY2(e.message().contains(QStringLiteral("filen är längre än 16 MB")), qPrintable(e.message()));
    }
    QCOMPARE(read, int((ValueReader::kMaxReadBytes - 13) / (value.size() + 2)));
    QFile::remove(path);
}

void LimitsTest::fuzzCorpus()
{
    const QDir corpus(QStringLiteral(KORTVY_FUZZ_CORPUS));
    const QStringList inputs = corpus.entryList(QDir::Files);
    QVERIFY(inputs.size() >= 10);
    for (const QString& input : inputs) {
        const cardsetcheck::Finding finding = cardsetcheck::check(readBytes(corpus.filePath(input)), dir_.path());
        QVERIFY2(!finding, qPrintable(input + QStringLiteral(": ") + finding.problem));
    }
}

// Every picture seed, the small whole ones and the broken ones, ends in a picture of the size
// asked for or in a message naming the file, as the programs read it.
void LimitsTest::pictureFuzzCorpus()
{
    const QDir corpus(QStringLiteral(KORTVY_PICTURE_CORPUS));
    const QStringList inputs = corpus.entryList(QDir::Files);
    QVERIFY(inputs.size() >= 10);
    for (const QString& input : inputs) {
        const picturecheck::Finding finding =
            picturecheck::check(readBytes(corpus.filePath(input)), dir_.filePath(QStringLiteral("bild.jpg")));
        QVERIFY2(!finding, qPrintable(input + QStringLiteral(": ") + finding.problem));
    }
}

QTEST_GUILESS_MAIN(LimitsTest)
#include "tst_limits.moc"
