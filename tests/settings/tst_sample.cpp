#include "settings/CardFile.h"
#include "tests/settings/CardSets.h"
#include "settings/FileError.h"
#include "settings/ValueReader.h"

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
    settings::ValueReader reader(m_ini);
    const CardSet set = readCardSet(reader);
    QCOMPARE(set.count, qint16(5));
    QCOMPARE(set.upperType, qint16(0));
    QCOMPARE(set.lowerType, qint16(1));
    bool swedishLetter = false;
    for (const QStringList& record : set.records) {
        QVERIFY2(!record[0].isEmpty(), "every upper card has a picture");
        QVERIFY2(!record[2].isEmpty() && !record[3].isEmpty(), "every card has its texts");
        swedishLetter = swedishLetter || record[3].contains(QRegularExpression(QStringLiteral("[åäöÅÄÖ]")));
    }
    QVERIFY(swedishLetter);
    QVERIFY_THROWS_EXCEPTION(runtime::Error, reader.readText());

    QFile file(m_ini);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.count("\r\n"), 23);
    QVERIFY(bytes.endsWith("\r\n"));
}

void SampleTest::everyPictureLoads()
{
    settings::ValueReader reader(m_ini);
    const CardSet set = readCardSet(reader);
    QSet<QByteArray> formats;
    bool swedishName = false;
    for (const QStringList& record : set.records) {
        for (const QString& name : {record[0], record[1]}) {
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
