// Play options: defaults for what a missing or spoilt file lacks; a failed save keeps the file.
#include "settings/PlayOptions.h"

#include "tests/support/TestSupport.h"

#include <QtTest>

using settings::PlayOptions;
using settings::Scanning;

class PlayOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void readWriteAndFail()
    {
        CardFolder folder;
        const QString path = folder.path() + QStringLiteral("/val.ini");
        QCOMPARE(settings::readPlayOptions(path), PlayOptions());
        settings::writePlayOptions(path, {true, Scanning::OneSwitch, 1000, true, 800});
        QCOMPARE(settings::readPlayOptions(path), (PlayOptions{true, Scanning::OneSwitch, 1000, true, 800}));
        const QByteArray before = readBytes(path);
        {
            FileSizeLimit full(10);
            QVERIFY(failureOf([&] { settings::writePlayOptions(path, {}); }).contains(QStringLiteral("val.ini")));
        }
        QCOMPARE(readBytes(path), before);
        writeBytes(path, "[spel]\ntangentbord=nej\nskanning=ibland\ntakt-ms=1234\nlas-upp=kanske\nvila-ms=1234\n");
        QCOMPARE(settings::readPlayOptions(path), (PlayOptions{false, Scanning::Off, 2000}));
        writeBytes(path, QByteArray("\xff\xfe\x00[[[=\n", 8));
        QCOMPARE(settings::readPlayOptions(path), PlayOptions());
    }
};

QTEST_GUILESS_MAIN(PlayOptionsTest)
#include "tst_playoptions.moc"
