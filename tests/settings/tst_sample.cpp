#include "settings/CardSetFile.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QtTest>

// The card set installed with the programs: what the game and the supervisor tool first read.
class SampleTest : public QObject {
    Q_OBJECT

private slots:
    void isAFullFiveCardSet();
    void everyPictureLoads();

private:
    QString m_ini = QDir(QStringLiteral(KORTVY_SAMPLE_CARDS)).filePath(settings::kFileName);
};

void SampleTest::isAFullFiveCardSet()
{
    const settings::CardSet set = settings::readCardSet(m_ini);
    QCOMPARE(set.count, qint16(5));
    QCOMPARE(set.upperDisplay, settings::RowDisplay::Pictures);
    QCOMPARE(set.lowerDisplay, settings::RowDisplay::Texts);
    bool swedishLetter = false;
    for (const settings::Card& card : set.cards) {
        QVERIFY2(!card.upperPicture.isEmpty(), "every upper card has a picture");
        QVERIFY2(!card.upperText.isEmpty() && !card.lowerText.isEmpty(), "every card has its texts");
        swedishLetter = swedishLetter || card.lowerText.contains(QRegularExpression(QStringLiteral("[åäöÅÄÖ]")));
    }
    QVERIFY(swedishLetter);

    QFile file(m_ini);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.count("\r\n"), 23);
    QVERIFY(bytes.endsWith("\r\n"));
}

void SampleTest::everyPictureLoads()
{
    QSet<QByteArray> formats;
    bool swedishName = false;
    for (const settings::Card& card : settings::readCardSet(m_ini).cards) {
        for (const QString& name : {card.upperPicture, card.lowerPicture}) {
            if (name.isEmpty())
                continue;
            QCOMPARE(QFileInfo(name).fileName(), name);
            const QString path = QDir(QStringLiteral(KORTVY_SAMPLE_CARDS)).filePath(name);
            QVERIFY2(QFile::exists(path), qPrintable(path));
            QImageReader picture(path);
            formats << picture.format();
            const QImage image = picture.read();
            QVERIFY2(!image.isNull(), qPrintable(path + ": " + picture.errorString()));
            QCOMPARE(image.size(), QSize(400, 400));
            swedishName = swedishName || name.contains(QRegularExpression(QStringLiteral("[åäöÅÄÖ]")));
        }
    }
    QVERIFY(swedishName);
    QCOMPARE(formats, (QSet<QByteArray>{"bmp", "gif", "jpeg"}));
}

QTEST_GUILESS_MAIN(SampleTest)
#include "tst_sample.moc"
