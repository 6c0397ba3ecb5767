// The supervisor tool killed (SIGKILL) at random moments while it saves over and over: after
// every kill kortvy.ini must be, byte for byte, one of the two card sets it alternates
// between, never a mixture, a cut file or no file.

#include "tests/robustness/RobustnessSupport.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <csignal>
#include <sys/types.h>

using namespace robust;

namespace {

constexpr int kKills = 200;
// Two savers run side by side, each in a folder of its own.
constexpr int kSavers = 2;
const QString kExtra = QStringLiteral(" och så lite till, så att filen blir längre");

// Ten cards with long texts, so that a save writes some 40 KB; with `extra` after every
// upper text it is the other card set that the saver alternates with.
QByteArray tenLongCards(const QString& extra)
{
    QStringList lines{QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("0")};
    const QString filler = QStringLiteral("åäö ÅÄÖ, abcdefghij ").repeated(100);
    for (int i = 0; i < 10; ++i) {
        lines << quoted(QStringLiteral("bild%1.jpg").arg(i)) << quoted(QStringLiteral("undre bild %1.gif").arg(i))
              << quoted(QStringLiteral("kort %1: ").arg(i) + filler + extra)
              << quoted(QStringLiteral("svar %1: ").arg(i) + filler);
    }
    return iniLines(lines);
}

struct Saver {
    std::unique_ptr<CardFolder> folder;
    std::unique_ptr<QProcess> process;
    qint64 killAt = 0;  // on the test's clock; 0 while the saver has not begun saving
};

} // namespace

class KillSaveTest : public QObject {
    Q_OBJECT

private slots:
    void killedSavesLeaveAWholeFile();
};

void KillSaveTest::killedSavesLeaveAWholeFile()
{
    const QByteArray loaded = tenLongCards(QString());
    const QByteArray changed = tenLongCards(kExtra);
    QVERIFY(changed.size() > loaded.size() + 400);

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    qInfo("seed %u", seed);

    int kills = 0;
    int leftLoaded = 0;
    int leftChanged = 0;
    // The new file is written without a name (O_TMPFILE where the system has it) and named
    // only just before it replaces kortvy.ini; a kill between the two leaves that name.
    int leftTemporary = 0;
    QElapsedTimer clock;
    clock.start();

    Saver savers[kSavers];
    auto start = [&](Saver& saver) {
        // Before the first save the folder's file is the loaded set, then either.
        saver.folder->writeIni(loaded);
        saver.process = std::make_unique<QProcess>();
        saver.process->setProcessEnvironment(programEnvironment());
        saver.process->start(QStringLiteral(KORTVY_SAVER), {saver.folder->path(), kExtra});
        saver.killAt = 0;
    };
    for (Saver& saver : savers) {
        saver.folder = std::make_unique<CardFolder>();
        start(saver);
    }

    while (kills < kKills) {
        QVERIFY2(clock.elapsed() < 240000, qPrintable(QStringLiteral("only %1 kills in time").arg(kills)));
        for (Saver& saver : savers) {
            QProcess& process = *saver.process;
            if (saver.killAt == 0) {
                if (process.state() == QProcess::NotRunning) {
                    QFAIL(qPrintable(QStringLiteral("the saver ended by itself: %1")
                                         .arg(QString::fromUtf8(process.readAllStandardError()))));
                }
                process.waitForReadyRead(5);
                if (process.canReadLine() && process.readLine() == "laddad\n")
                    saver.killAt = clock.elapsed() + random.bounded(25);
                continue;
            }
            if (clock.elapsed() < saver.killAt)
                continue;
            ::kill(pid_t(process.processId()), SIGKILL);
            QVERIFY(process.waitForFinished(10000));
            QCOMPARE(process.exitStatus(), QProcess::CrashExit);
            ++kills;

            const QByteArray now = saver.folder->ini();
            if (now == loaded) {
                ++leftLoaded;
            } else if (now == changed) {
                ++leftChanged;
            } else {
                QFAIL(qPrintable(QStringLiteral("after kill %1 kortvy.ini holds %2 bytes, neither set (%3 or %4 bytes)")
                                     .arg(kills)
                                     .arg(now.size())
                                     .arg(loaded.size())
                                     .arg(changed.size())));
            }
            // Besides kortvy.ini, a killed save may leave only its temporary file.
            bool temporary = false;
            for (const QString& entry : saver.folder->entries()) {
                if (entry == QLatin1String("kortvy.ini"))
                    continue;
                QVERIFY2(entry.startsWith(QLatin1String("kortvy.ini.")), qPrintable(entry));
                QVERIFY(QFile::remove(filePath(*saver.folder, entry)));
                temporary = true;
            }
            leftTemporary += temporary;
            if (kills < kKills)
                start(saver);
        }
    }
    for (Saver& saver : savers) {
        if (saver.process->state() != QProcess::NotRunning) {
            saver.process->kill();
            saver.process->waitForFinished();
        }
    }
    qInfo("%d kills in %lld ms: %d left the loaded set, %d the changed one, %d a named temporary file", kills,
          clock.elapsed(), leftLoaded, leftChanged, leftTemporary);
    // The kills fell during the saving, not all before or after it.
    QVERIFY(leftLoaded > 0);
    QVERIFY(leftChanged > 0);
}

QTEST_GUILESS_MAIN(KillSaveTest)
#include "tst_killsave.moc"
