#include "settings/Windows1252.h"

#include <QtTest>

using namespace settings;

class Windows1252Test : public QObject {
    Q_OBJECT

private slots:
    void decodesEveryByte();
    void wholeCodePageRoundTrips();
    void encodeMarksWhatHasNoByte_data();
    void encodeMarksWhatHasNoByte();
};

void Windows1252Test::decodesEveryByte()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = decodeWindows1252(all);
    QCOMPARE(text.size(), 256);

    // Bytes below 0x80 and from 0xA0 are the Unicode characters of the same number.
    for (int b = 0; b < 256; ++b) {
        if (b < 0x80 || b >= 0xA0)
            QCOMPARE(int(text[b].unicode()), b);
    }
    const QString highRow = QString::fromUtf8(
        "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F"
        "\u0090‘’“”•–—˜™š›œ\u009DžŸ");
    QCOMPARE(highRow.size(), 32);
    QCOMPARE(text.mid(0x80, 32), highRow);
    QCOMPARE(decodeWindows1252("\xE5\xE4\xF6\xC5\xC4\xD6"), QStringLiteral("åäöÅÄÖ"));
}

void Windows1252Test::wholeCodePageRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    bool ok = false;
    QCOMPARE(encodeWindows1252(decodeWindows1252(all), &ok), all);
    QVERIFY(ok);
    QCOMPARE(encodeWindows1252(QStringLiteral("åäöÅÄÖ€")), QByteArray("\xE5\xE4\xF6\xC5\xC4\xD6\x80"));
}

void Windows1252Test::encodeMarksWhatHasNoByte_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Ł") << QStringLiteral("aŁb") << QByteArray("a?b");
    QTest::newRow("emoji") << QString::fromUtf8("x😀") << QByteArray("x??");
    // U+0080 is no character of the page: byte 0x80 is the euro sign.
    QTest::newRow("U+0080") << QString(QChar(0x80)) << QByteArray("?");
    QTest::newRow("U+0100") << QString(QChar(0x100)) << QByteArray("?");
}

void Windows1252Test::encodeMarksWhatHasNoByte()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    bool ok = true;
    QCOMPARE(encodeWindows1252(text, &ok), bytes);
    QVERIFY(!ok);
}

QTEST_GUILESS_MAIN(Windows1252Test)
#include "tst_windows1252.moc"
