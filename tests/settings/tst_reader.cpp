#include <sys/stat.h>
#include "tests/settings/CardSets.h"
#include "settings/CardSetFile.h"
#include "settings/FileError.h"
#include "tests/support/TestSupport.h"
#include "settings/ValueReader.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using runtime::Error;
using settings::ValueReader;

namespace {

// Runs reads written as "n" (number) or "t" (text) against a file and describes what came
// back as "value@line", so one row can state a whole sequence.
QStringList readAll(ValueReader& reader, const QString& kinds)
{
    QStringList got;
    for (QChar kind : kinds) {
        const QString value = kind == u'n' ? QString::number(reader.readNumber()) : reader.readText();
        got << QStringLiteral("%1@%2").arg(value).arg(reader.line());
    }
    return got;
}

} // namespace

class ReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsCardSetFiles_data();
    void readsCardSetFiles();
    void valueRules_data();
    void valueRules();
    void lineEnds_data();
    void lineEnds();
    void readsOnlyTheRecordsOfTheCount();
    void largestValueIsRead();
    void errors_data();
    void errors();
    void missingFile();

private:
    QString file(const QByteArray& bytes);

    QTemporaryDir m_dir;
    int m_files = 0;
};

QString ReaderTest::file(const QByteArray& bytes)
{
    const QString path = m_dir.filePath(QStringLiteral("kortvy%1.ini").arg(++m_files));
    writeBytes(path, bytes);
    return path;
}

void ReaderTest::readsCardSetFiles_data()
{
    addCardSetFiles();
}

void ReaderTest::readsCardSetFiles()
{
    QFETCH(QString, name);
    QFETCH(settings::CardSet, set);
    const settings::CardSet read = settings::readCardSet(QStringLiteral(KORTVY_TEST_DATA "/") + name);
    QCOMPARE(read.cards, set.cards);
    QVERIFY(read == set);
}

void ReaderTest::valueRules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kinds");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("commas inside quotes") << QByteArray("\"a, b,, c\"\r\n\",\"\r\n") << QStringLiteral("tt")
                                          << QStringList{"a, b,, c@1", ",@2"};
    QTest::newRow("comma ends an unquoted value") << QByteArray("a,b\r\n7,8\r\n\"c\"") << QStringLiteral("ttnnt")
                                                  << QStringList{"a@1", "b@1", "7@2", "8@2", "c@3"};
    QTest::newRow("quoted values on one line") << QByteArray("\"x\",\"y\"\r\n") << QStringLiteral("tt")
                                               << QStringList{"x@1", "y@1"};
    QTest::newRow("rest after closing quote skipped")
        << QByteArray("\"abc\" junk \"q\",\"def\"\r\n\"g\"xyz\r\n5\r\n") << QStringLiteral("tttn")
        << QStringList{"abc@1", "def@1", "g@2", "5@3"};
    QTest::newRow("spaces before values skipped") << QByteArray("   \"  x \"\r\n \t 42\r\n  hej du  \r\n") << QStringLiteral("tnt")
                                                   << QStringList{"  x @1", "42@2", "hej du  @3"};
    QTest::newRow("empty texts") << QByteArray("\"\"\r\n\r\n\"x\"\r\n") << QStringLiteral("ttt")
                                 << QStringList{"@1", "@2", "x@3"};
    QTest::newRow("numbers") << QByteArray("+5\r\n-32768\r\n32767\r\n7  \r\n007\r\n0\r\n-0") << QStringLiteral("nnnnnnn")
                             << QStringList{"5@1", "-32768@2", "32767@3", "7@4", "7@5", "0@6", "0@7"};
    QTest::newRow("number line read as text") << QByteArray("10\r\n") << QStringLiteral("t") << QStringList{"10@1"};
    QTest::newRow("Windows-1252 letters") << QByteArray("\"\xE5\xE4\xF6\xC5\xC4\xD6\"\r\n\x80\x81\x8D\x8F\x90\x9D\x9F\r\n")
                                          << QStringLiteral("tt")
                                          << QStringList{"åäöÅÄÖ@1", QString::fromUtf8("€\u0081\u008D\u008F\u0090\u009DŸ@2")};
    QTest::newRow("last line without line end") << QByteArray("3\r\n\"end\"") << QStringLiteral("nt")
                                                << QStringList{"3@1", "end@2"};
}

void ReaderTest::valueRules()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kinds);
    QFETCH(QStringList, expected);
    ValueReader reader(file(bytes));
    QCOMPARE(readAll(reader, kinds), expected);
}

void ReaderTest::lineEnds_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR") << QByteArray("\r");
}

void ReaderTest::lineEnds()
{
    QFETCH(QByteArray, lineEnd);
    QByteArray bytes = readBytes(KORTVY_TEST_DATA "/three_cards.ini");
    bytes.replace("\r\n", lineEnd);
    QVERIFY(settings::readCardSet(file(bytes)) == threeCards());

    // A mix, with a blank line read as an empty text.
    ValueReader mixed(file("1\r2\n\"a\"\r\n" + lineEnd + "\"b\"" + lineEnd + "3"));
    QCOMPARE(readAll(mixed, "nntttn"), (QStringList{"1@1", "2@2", "a@3", "@4", "b@5", "3@6"}));
}

void ReaderTest::readsOnlyTheRecordsOfTheCount()
{
    // Four cards, then lines that would each fail if read, and a long tail without a line end;
    // a display code other than 0 and 1 shows both.
    QByteArray bytes("4\r\n2\r\n7\r\n");
    for (int i = 0; i < 16; ++i)
        bytes += "\"v" + QByteArray::number(i) + "\"\r\n";
    const QByteArray garbage = QByteArray("\"unterminated\r\n\0\0abc\r\n\xEF\xBB\xBF" "99999\r\n", 30)
        + QByteArray(3 * 1024 * 1024, 'x');
    const settings::CardSet set = settings::readCardSet(file(bytes + garbage));
    QCOMPARE(set.count, qint16(4));
    QCOMPARE(set.upperDisplay, settings::RowDisplay::Both);
    QCOMPARE(set.lowerDisplay, settings::RowDisplay::Both);
    QCOMPARE(set.cards.size(), 4);
    QCOMPARE(set.cards[3], (settings::Card{"v12", "v13", "v14", "v15"}));

    // Ten cards' worth of lines with a count of 3: the rest is never read.
    QByteArray ten = readBytes(KORTVY_TEST_DATA "/ten_cards.ini");
    ten.replace(0, 2, "3");
    QCOMPARE(settings::readCardSet(file(ten)).cards, tenCards().cards.first(3));
}

void ReaderTest::largestValueIsRead()
{
    const QByteArray big(ValueReader::kMaxValueBytes, 'a');
    ValueReader reader(file("\"" + big + "\"\r\n" + big + "\r\n7"));
    QCOMPARE(reader.readText().size(), ValueReader::kMaxValueBytes);
    QCOMPARE(reader.readText().size(), ValueReader::kMaxValueBytes);
    QCOMPARE(reader.readNumber(), qint16(7));
}

void ReaderTest::errors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("kinds");  // the last read is the one that fails
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("problem");

    QTest::newRow("empty file") << QByteArray() << QStringLiteral("n") << 1 << QStringLiteral("filen tar slut här, men fler värden behövs (filen har bara 0 rader)");
    QTest::newRow("short file") << QByteArray("3\r\n0\r\n1\r\n\"a\"\r\n") << QStringLiteral("nnntt") << 5 << QStringLiteral("filen har bara 4 rader");
    QTest::newRow("short file, no last line end") << QByteArray("3\r\n0\r\n1\r\n\"a\"") << QStringLiteral("nnntt") << 5 << QStringLiteral("bara 4 rader");
    QTest::newRow("short file, blank tail") << QByteArray("3\r\n   ") << QStringLiteral("nn") << 2 << QStringLiteral("tar slut");
    QTest::newRow("abc") << QByteArray("abc\r\n") << QStringLiteral("n") << 1 << QStringLiteral("raden ska innehålla ett heltal men innehåller \"abc\"");
    QTest::newRow("5x") << QByteArray("3\r\n5x\r\n") << QStringLiteral("nn") << 2 << QStringLiteral("raden ska innehålla ett heltal men innehåller \"5x\"");
    QTest::newRow("1 2") << QByteArray("1 2\r\n") << QStringLiteral("n") << 1 << QStringLiteral("innehåller \"1 2\"");
    QTest::newRow("sign alone") << QByteArray("-\r\n") << QStringLiteral("n") << 1 << QStringLiteral("innehåller \"-\"");
    QTest::newRow("empty line") << QByteArray("\r\n") << QStringLiteral("n") << 1 << QStringLiteral("raden ska innehålla ett heltal men är tom");
    QTest::newRow("blank line") << QByteArray("5\r\n   \r\n") << QStringLiteral("nn") << 2 << QStringLiteral("är tom");
    QTest::newRow("quoted number") << QByteArray("\"5\"\r\n") << QStringLiteral("n") << 1 << QStringLiteral("heltal men innehåller texten \"5\"");
    QTest::newRow("99999") << QByteArray("99999\r\n") << QStringLiteral("n") << 1 << QStringLiteral("talet 99999 ligger utanför det tillåtna området -32768 till 32767");
    QTest::newRow("32768") << QByteArray("32768") << QStringLiteral("n") << 1 << QStringLiteral("talet 32768 ligger utanför");
    QTest::newRow("-32769") << QByteArray("-32769") << QStringLiteral("n") << 1 << QStringLiteral("talet -32769 ligger utanför");
    QTest::newRow("many digits") << QByteArray(40, '9') << QStringLiteral("n") << 1 << QStringLiteral("ligger utanför");
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE" "3\0\r\0\n\0", 8) << QStringLiteral("n") << 1 << QStringLiteral("Unicode (UTF-16)");
    QTest::newRow("NUL") << QByteArray("3\r\n0\0\r\n", 7) << QStringLiteral("nn") << 2 << QStringLiteral("NUL");
    QTest::newRow("NUL in text") << QByteArray("\"a\0b\"", 5) << QStringLiteral("t") << 1 << QStringLiteral("NUL");
    QTest::newRow("unterminated quote") << QByteArray("3\r\n\"abc\r\ndef\"\r\n") << QStringLiteral("nt") << 2
                                        << QStringLiteral("texten börjar med citattecken men raden tar slut innan texten avslutas med ett citattecken");
    QTest::newRow("unterminated at end") << QByteArray("\"abc") << QStringLiteral("t") << 1 << QStringLiteral("avslutas med ett citattecken");
    const QByteArray tooLong(ValueReader::kMaxValueBytes + 1, 'a');
    QTest::newRow("over-long quoted") << QByteArray("3\r\n\"" + tooLong + "\"\r\n") << QStringLiteral("nt") << 2 << QStringLiteral("värdet är längre än 1048576 tecken");
    QTest::newRow("over-long unquoted") << QByteArray(tooLong + "\r\n") << QStringLiteral("t") << 1 << QStringLiteral("värdet är längre än 1048576 tecken");
}

void ReaderTest::errors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kinds);
    QFETCH(int, line);
    QFETCH(QString, problem);
    const QString path = file(bytes);
    ValueReader reader(path);
    readAll(reader, kinds.chopped(1));
    try {
        readAll(reader, kinds.right(1));
        QFAIL("no error");
    } catch (const Error& error) {
        QCOMPARE(error.file(), QFileInfo(path).absoluteFilePath());
        QCOMPARE(error.line(), line);
        // The whole message: file, line and problem, closed by a full stop.
        const QString start = QStringLiteral("Fel i inställningsfilen %1, rad %2: ").arg(error.file()).arg(line);
        QVERIFY2(error.message().startsWith(start) && error.message().endsWith(u'.'), qPrintable(error.message()));
        QVERIFY2(error.message().mid(start.size()).contains(problem), qPrintable(error.message()));
        QCOMPARE(QString::fromUtf8(error.what()), error.message());
    }
}

void ReaderTest::missingFile()
{
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    auto restore = qScopeGuard([&] { QDir::setCurrent(oldCurrent); });

    try {
        ValueReader reader(QStringLiteral("finns-inte.ini"));
        QFAIL("no error");
    } catch (const Error& error) {
        const QString absolute = QDir(m_dir.path()).absoluteFilePath(QStringLiteral("finns-inte.ini"));
        QCOMPARE(error.file(), absolute);
        QCOMPARE(error.line(), 0);
        QCOMPARE(error.message(), QStringLiteral("Fel i inställningsfilen %1: filen finns inte.").arg(absolute));
    }
    QDir(m_dir.path()).mkdir(QStringLiteral("mapp.ini"));
    QVERIFY_THROWS_EXCEPTION(Error, ValueReader(QStringLiteral("mapp.ini")));
    // A named pipe would wait for a writer for ever.
    QCOMPARE(mkfifo(QFile::encodeName(m_dir.filePath(QStringLiteral("ror.ini"))).constData(), 0600), 0);
    QVERIFY_THROWS_EXCEPTION(Error, ValueReader(QStringLiteral("ror.ini")));

    writeBytes(m_dir.filePath(QStringLiteral("kortvy.ini")), "3\r\n");
    ValueReader relative(QStringLiteral("kortvy.ini"));
    QCOMPARE(relative.path(), QDir(m_dir.path()).absoluteFilePath(QStringLiteral("kortvy.ini")));
    QCOMPARE(relative.readNumber(), qint16(3));
}

QTEST_GUILESS_MAIN(ReaderTest)
#include "tst_reader.moc"
