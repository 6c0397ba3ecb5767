// How a card set's texts are written and read: Windows-1252 as always where it holds them,
// UTF-8 with a mark where it cannot, and a text editor's UTF-8 re-save read as meant.

#include "tests/settings/CardSets.h"
#include "tests/support/TestSupport.h"
#include "settings/CardSetFile.h"
#include "settings/TextEncoding.h"
#include "settings/Windows1252.h"

#include <QTemporaryDir>
#include <QtTest>

class EncodingTest : public QObject {
    Q_OBJECT

private slots:
    void decision_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("more");  // the file goes on past these bytes
        QTest::addColumn<bool>("utf8");
        QTest::newRow("one stray byte") << QByteArray("\"h\xC3\xA4st\" \xE5") << false << false;
        QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << false << false;
        QTest::newRow("cut where it goes on") << QByteArray("\xF0\x9F\x90\x84 \xC3") << true << true;
    }
    void decision()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, more);
        QFETCH(bool, utf8);
        QCOMPARE(settings::decideEncoding(bytes, more).encoding == settings::TextEncoding::Utf8, utf8);
    }

    void roundTrips()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(settings::kFileName);
        const QByteArray mark = settings::kUtf8Mark.toByteArray();
        const QString arabic = QStringLiteral("مدرسة");
        // Letters Windows-1252 lacks, and "Ã¤", whose Windows-1252 bytes are "ä" in UTF-8.
        const settings::CardSet set{3, settings::RowDisplay::Both, settings::RowDisplay::Texts,
                                    {{"Łódź.jpg", "", "Ahmet Şahin", arabic}, {"", "", "Łódź 🐄", arabic + " 3"}, {"hÃ¤st", "", "", ""}}};
        settings::writeCardSet(path, set);
        QVERIFY(readBytes(path).startsWith(mark + "3\r\n"));
        QCOMPARE(settings::readCardSet(path), set);

        // An old file holding those bytes reads as the rule says; a set holding "Ã¤" alone,
        // which Windows-1252 could hold, still takes the mark, so that it reads back as it is.
        writeBytes(path, "1\r\n0\r\n0\r\n\"h\xC3\xA4st\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n");
        QCOMPARE(settings::readCardSet(path).cards[0].upperPicture, QStringLiteral("häst"));
        const settings::CardSet mojibake{1, settings::RowDisplay::Both, settings::RowDisplay::Both, {set.cards[2]}};
        QVERIFY(settings::encodeCardSet(mojibake, path).startsWith(mark + "1\r\n"));

        // A text editor's re-save without a mark reads, and the tool saves it as it always was.
        const QByteArray three = readBytes(KORTVY_TEST_DATA "/three_cards.ini");
        writeBytes(path, settings::decodeWindows1252(three).toUtf8());
        QCOMPARE(settings::readCardSet(path), threeCards());
        QCOMPARE(settings::encodeCardSet(threeCards(), path), three);
    }
};

QTEST_GUILESS_MAIN(EncodingTest)
#include "tst_encoding.moc"
