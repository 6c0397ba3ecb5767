// The teacher's play options beside kortvy.ini: what is read back, and that a missing or
// spoilt file gives the defaults and a failed save leaves the old file.

#include "settings/PlayOptions.h"

#include "runtime/Error.h"
#include "tests/support/TestSupport.h"

#include <QtTest>

class PlayOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void readBackAsWritten()
    {
        CardFolder folder;
        const QString path = folder.path() + QStringLiteral("/") + settings::kPlayOptionsFileName;
        QCOMPARE(settings::readPlayOptions(path), settings::PlayOptions());
        for (const settings::Scanning scanning : {settings::Scanning::OneSwitch, settings::Scanning::TwoSwitches}) {
            const settings::PlayOptions options{false, scanning, 5000};
            settings::writePlayOptions(path, options);
            QCOMPARE(settings::readPlayOptions(path), options);
        }
        QVERIFY(readBytes(path).contains("skanning=tva-kontakter"));
    }

    // A value that is not among the choices leaves that one option at its default.
    void spoiltFilesGiveTheDefaults()
    {
        CardFolder folder;
        const QString path = folder.path() + QStringLiteral("/val.ini");
        writeBytes(path, "[spel]\ntangentbord=nej\nskanning=ibland\ntakt-ms=1234\n");
        QCOMPARE(settings::readPlayOptions(path), (settings::PlayOptions{false, settings::Scanning::Off, 2000}));
        writeBytes(path, QByteArray("\xff\xfe\x00[[[=\n", 8));
        QCOMPARE(settings::readPlayOptions(path), settings::PlayOptions());
        QDir(folder.path()).mkdir(QStringLiteral("mapp.ini"));
        QCOMPARE(settings::readPlayOptions(folder.path() + QStringLiteral("/mapp.ini")), settings::PlayOptions());
    }

    void failedSaveKeepsTheOldFile()
    {
        CardFolder folder;
        const QString path = folder.path() + QStringLiteral("/val.ini");
        settings::writePlayOptions(path, {true, settings::Scanning::OneSwitch, 1000});
        const QByteArray before = readBytes(path);
        QString message;
        {
            FileSizeLimit full(10);
            message = failureOf([&] { settings::writePlayOptions(path, {}); });
        }
        QVERIFY2(message.contains(QStringLiteral("val.ini")), qPrintable(message));
        QCOMPARE(readBytes(path), before);
    }
};

QTEST_GUILESS_MAIN(PlayOptionsTest)
#include "tst_playoptions.moc"
