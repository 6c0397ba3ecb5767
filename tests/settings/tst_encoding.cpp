// How a card set's texts are written and read: Windows-1252 as always where it can hold them,
// UTF-8 with a mark where it cannot, and a text editor's UTF-8 re-save read as it was meant.

#include "tests/settings/CardSets.h"
#include "tests/support/TestSupport.h"
#include "settings/CardSetFile.h"
#include "settings/Storable.h"
#include "settings/TextEncoding.h"
#include "settings/Windows1252.h"

#include <QTemporaryDir>
#include <QtTest>

using settings::TextEncoding;

namespace {

const QString kArabic = QString::fromUtf8("مدرسة");

settings::CardSet manyLanguages()
{
    return {3, settings::RowDisplay::Both, settings::RowDisplay::Texts, {
        {"Łódź.jpg", "", "Ahmet Şahin", kArabic},
        {"båt.bmp", "", "Łódź 🐄", "båt"},
        {"", "", kArabic + " 3", ""},
    }};
}

} // namespace

class EncodingTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void decision_data();
    void decision();
    void lettersOutsideWindows1252RoundTripAsUtf8();
    void textEditorResaveReads();
    void windows1252ThatLooksLikeUtf8IsWrittenSoItReadsBack();
    void whatTheFileAndATeacherMayUse();

private:
    QString path() const { return m_dir.filePath(settings::kFileName); }
    QTemporaryDir m_dir;
};

void EncodingTest::decision_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("more");
    QTest::addColumn<bool>("utf8");
    QTest::newRow("mark") << QByteArray("\xEF\xBB\xBF" "3") << false << true;
    QTest::newRow("mark before bytes that are no UTF-8") << QByteArray("\xEF\xBB\xBF\xE5") << false << true;
    QTest::newRow("ASCII only") << QByteArray("3\r\n\"sol\"\r\n") << false << false;
    QTest::newRow("valid UTF-8 with a letter") << QByteArray("\"h\xC3\xA4st\"") << false << true;
    QTest::newRow("Windows-1252 letters") << QByteArray("\"h\xE4st\"") << false << false;
    QTest::newRow("one stray byte spoils it") << QByteArray("\"h\xC3\xA4st\" \xE5") << false << false;
    QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << false << false;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false << false;
    QTest::newRow("four bytes") << QByteArray("\xF0\x9F\x90\x84") << false << true;
    QTest::newRow("cut at the end of the file") << QByteArray("\xC3\xA4 \xC3") << false << false;
    QTest::newRow("cut where the file goes on") << QByteArray("\xC3\xA4 \xC3") << true << true;
}

void EncodingTest::decision()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, more);
    QFETCH(bool, utf8);
    QCOMPARE(settings::decideEncoding(bytes, more).encoding == TextEncoding::Utf8, utf8);
}

void EncodingTest::lettersOutsideWindows1252RoundTripAsUtf8()
{
    const settings::CardSet set = manyLanguages();
    settings::writeCardSet(path(), set);
    const QByteArray bytes = readBytes(path());
    QVERIFY(bytes.startsWith(settings::kUtf8Mark.toByteArray() + "3\r\n"));
    QVERIFY(bytes.contains(QStringLiteral("\"Ahmet Şahin\"\r\n").toUtf8()));
    QCOMPARE(settings::readCardSet(path()), set);
    QCOMPARE(settings::encodeCardSet(settings::readCardSet(path()), path()), bytes);
}

void EncodingTest::textEditorResaveReads()
{
    // A teacher mends a typo in a text editor, which saves UTF-8 without a mark.
    const QByteArray old = readBytes(KORTVY_TEST_DATA "/three_cards.ini");
    writeBytes(path(), settings::decodeWindows1252(old).toUtf8());
    QCOMPARE(settings::readCardSet(path()), threeCards());
    // Saved again from the tool, the set is as it was before the editor touched it.
    QCOMPARE(settings::encodeCardSet(settings::readCardSet(path()), path()), old);
}

void EncodingTest::windows1252ThatLooksLikeUtf8IsWrittenSoItReadsBack()
{
    // "Ã¤" is, in Windows-1252, the two bytes of "ä" in UTF-8: an old file holding it reads
    // as "ä", and a set holding it is written so that it reads back as it is.
    const QString mojibake = QString::fromUtf8("hÃ¤st");
    writeBytes(path(), "1\r\n0\r\n0\r\n\"" + settings::encodeWindows1252(mojibake) + "\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
    QCOMPARE(settings::readCardSet(path()).cards.value(0).upperPicture, QStringLiteral("häst"));

    const settings::CardSet set{1, settings::RowDisplay::Pictures, settings::RowDisplay::Pictures, {{mojibake, "", "", ""}}};
    settings::writeCardSet(path(), set);
    QVERIFY(readBytes(path()).startsWith(settings::kUtf8Mark.toByteArray()));
    QCOMPARE(settings::readCardSet(path()), set);
}

void EncodingTest::whatTheFileAndATeacherMayUse()
{
    QVERIFY(settings::canHold(QString::fromUtf8("Łódź 🐄 ") + kArabic + QStringLiteral("\t\u0081")));
    for (const QString& text : {QStringLiteral("a\"b"), QStringLiteral("a\rb"), QStringLiteral("a\nb"),
                                QString(QChar(0)), QString(QChar(0xDC00)), QStringLiteral("x") + QChar(0xD800)})
        QVERIFY2(!settings::canHold(text), qPrintable(text.toUtf8().toHex()));

    QVERIFY(settings::typingRefusal(QString::fromUtf8("Ahmet Şahin, Łódź 🐄 ") + kArabic).isEmpty());
    QVERIFY(settings::typingRefusal(QStringLiteral("a\"b")).contains(QStringLiteral("Citattecken")));
    for (char32_t c : {U'\t', U'\u0001', U'\u007F', U'\u0085'})
        QVERIFY(settings::typingRefusal(c).contains(QStringLiteral("Styrtecken")));
}

QTEST_GUILESS_MAIN(EncodingTest)
#include "tst_encoding.moc"
