#include "tests/settings/CardSets.h"
#include "settings/CardSetFile.h"
#include "settings/FileError.h"
#include "tests/support/TestSupport.h"
#include "settings/ValueReader.h"
#include "settings/ValueWriter.h"
#include "settings/Windows1252.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using runtime::Error;
using settings::ValueReader;
using settings::ValueWriter;

namespace {

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class WriterTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void writesCardSetFiles_data();
    void writesCardSetFiles();
    void numbers();
    void textsComeBackUnchanged();
    void refusedTextsWriteNothing_data();
    void refusedTextsWriteNothing();
    void commitReplacesTheWholeFile();
    void failureWhileWritingKeepsTheOldFile_data();
    void failureWhileWritingKeepsTheOldFile();
    void folderThatIsAFile();

private:
    QString m_path;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void WriterTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_path = m_dir->filePath(settings::kFileName);
}

void WriterTest::writesCardSetFiles_data()
{
    addCardSetFiles();
}

void WriterTest::writesCardSetFiles()
{
    QFETCH(QString, name);
    QFETCH(settings::CardSet, set);
    const QByteArray expected = readBytes(QStringLiteral(KORTVY_TEST_DATA "/") + name);
    QVERIFY(!expected.isEmpty());

    QCOMPARE(settings::encodeCardSet(set, m_path), expected);
    QCOMPARE(expected.count("\r\n"), 3 + 4 * set.count);
    QCOMPARE(expected.count('\n'), expected.count("\r\n"));

    settings::writeCardSet(m_path, set);
    QCOMPARE(readBytes(m_path), expected);
    QCOMPARE(filesIn(m_dir->path()), QStringList{settings::kFileName});
    QVERIFY(settings::readCardSet(m_path) == set);
}

void WriterTest::numbers()
{
    ValueWriter writer(m_path);
    for (qint16 n : {0, 3, 10, 32767, -1, -32768})
        writer.writeNumber(n);
    QCOMPARE(writer.bytes(), QByteArray("0\r\n3\r\n10\r\n32767\r\n-1\r\n-32768\r\n"));
}

void WriterTest::textsComeBackUnchanged()
{
    // Every character a text may hold, in one text and one by one, with the awkward ones.
    QByteArray page;
    for (int b = 1; b < 256; ++b) {
        if (b != '"' && b != '\r' && b != '\n')
            page.append(char(b));
    }
    QStringList texts = {settings::decodeWindows1252(page), "", " ", "  a  ", ",", "a,b", "'", "\t",
                         "Åsa & Örjan", "C:\\bilder\\båt.bmp", "€ 5", QString(QChar(0x81))};
    for (char c : page)
        texts << settings::decodeWindows1252(QByteArray(1, c));

    ValueWriter writer(m_path);
    for (const QString& text : texts)
        writer.writeText(text);
    writer.commit();

    ValueReader reader(m_path);
    for (int i = 0; i < texts.size(); ++i) {
        QCOMPARE(reader.readText(), texts[i]);
        QCOMPARE(reader.line(), i + 1);
    }
}

void WriterTest::refusedTextsWriteNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("double quote") << QStringLiteral("Han sa \"hej\"") << QStringLiteral("citattecken");
    QTest::newRow("half a surrogate pair") << QString(QChar(0xD83D)) + QStringLiteral("x") << QStringLiteral("U+D83D");
    QTest::newRow("line break") << QStringLiteral("två\nrader") << QStringLiteral("radbrytning");
    QTest::newRow("carriage return") << QStringLiteral("a\rb") << QStringLiteral("radbrytning");
    QTest::newRow("NUL") << QString(QChar(0)) << QStringLiteral("NUL");
}

void WriterTest::refusedTextsWriteNothing()
{
    QFETCH(QString, text);
    QFETCH(QString, reason);
    const QByteArray old = readBytes(KORTVY_TEST_DATA "/five_cards.ini");
    writeBytes(m_path, old);

    ValueWriter writer(m_path);
    writer.writeNumber(3);
    writer.writeText(QStringLiteral("ok"));
    const QByteArray before = writer.bytes();
    try {
        writer.writeText(text);
        QFAIL("no error");
    } catch (const Error& error) {
        QCOMPARE(error.file(), QFileInfo(m_path).absoluteFilePath());
        QVERIFY2(error.message().contains(QStringLiteral("texten \"%1\" kan inte sparas").arg(text)), qPrintable(error.message()));
        QVERIFY2(error.message().contains(reason), qPrintable(error.message()));
    }
    QCOMPARE(writer.bytes(), before);
    QCOMPARE(readBytes(m_path), old);
    QCOMPARE(filesIn(m_dir->path()), QStringList{settings::kFileName});

    // '€' has a byte of its own and is written as 0x80.
    writer.writeText(QStringLiteral("€"));
    QVERIFY(writer.bytes().endsWith("\"\x80\"\r\n"));
}

void WriterTest::commitReplacesTheWholeFile()
{
    // A longer old file leaves nothing behind, and a second commit writes the same again.
    writeBytes(m_path, readBytes(KORTVY_TEST_DATA "/ten_cards.ini"));
    ValueWriter writer(m_path);
    writer.writeNumber(3);
    writer.commit();
    writer.commit();
    QCOMPARE(readBytes(m_path), QByteArray("3\r\n"));
    settings::writeCardSet(m_path, threeCards());
    QCOMPARE(readBytes(m_path), readBytes(KORTVY_TEST_DATA "/three_cards.ini"));
    QCOMPARE(filesIn(m_dir->path()), QStringList{settings::kFileName});

    // Relative names resolve against the current directory at the time the writer is made.
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(m_dir->path());
    auto restore = qScopeGuard([&] { QDir::setCurrent(oldCurrent); });
    ValueWriter relative(QStringLiteral("ny.ini"));
    relative.writeNumber(5);
    QDir::setCurrent(oldCurrent);
    relative.commit();
    QCOMPARE(readBytes(m_dir->filePath(QStringLiteral("ny.ini"))), QByteArray("5\r\n"));
}

void WriterTest::failureWhileWritingKeepsTheOldFile_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("texts");
    QTest::newRow("small set, 20 bytes allowed") << 20 << 12;
    QTest::newRow("large set, 64 KiB allowed") << 64 * 1024 << 400;
}

void WriterTest::failureWhileWritingKeepsTheOldFile()
{
    QFETCH(int, limit);
    QFETCH(int, texts);
    const QByteArray old = readBytes(KORTVY_TEST_DATA "/ten_cards.ini");
    writeBytes(m_path, old);

    ValueWriter writer(m_path);
    writer.writeNumber(3);
    const QString text(texts > 100 ? 1000 : 3, u'å');
    for (int i = 0; i < texts; ++i)
        writer.writeText(text);
    QVERIFY(writer.bytes().size() > limit);

    // The system refuses to let any file grow past the limit while the commit runs.
    QString problem;
    {
        FileSizeLimit full(limit);
        try {
            writer.commit();
        } catch (const Error& error) {
            problem = error.message();
        }
    }

    QVERIFY2(!problem.isEmpty(), "commit reported success");
    QVERIFY2(problem.startsWith(QStringLiteral("Fel i inställningsfilen %1: filen kunde inte sparas").arg(m_path)), qPrintable(problem));
    QVERIFY2(problem.endsWith(QStringLiteral("filen blev större än systemet tillåter. Den tidigare filen är oförändrad.")),
             qPrintable(problem));
    QCOMPARE(readBytes(m_path), old);
    QCOMPARE(filesIn(m_dir->path()), QStringList{settings::kFileName});

    // With the limit lifted the same writer succeeds.
    writer.commit();
    QCOMPARE(readBytes(m_path), writer.bytes());
}

void WriterTest::folderThatIsAFile()
{
    const QString notAFolder = m_dir->filePath(QStringLiteral("fil"));
    writeBytes(notAFolder, "x");
    const QString path = notAFolder + QStringLiteral("/kortvy.ini");
    ValueWriter writer(path);
    writer.writeNumber(3);
    try {
        writer.commit();
        QFAIL("no error");
    } catch (const Error& error) {
        QCOMPARE(error.file(), path);
        QCOMPARE(error.line(), 0);
        QVERIFY2(error.message().startsWith(QStringLiteral("Fel i inställningsfilen %1: filen kunde inte sparas: ").arg(path)),
                 qPrintable(error.message()));
        QVERIFY2(error.message().endsWith(QStringLiteral("Ingen fil har skapats.")), qPrintable(error.message()));
    }
    QCOMPARE(readBytes(notAFolder), QByteArray("x"));
}

QTEST_GUILESS_MAIN(WriterTest)
#include "tst_writer.moc"
