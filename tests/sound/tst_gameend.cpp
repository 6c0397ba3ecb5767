// The game ends at once whatever the speech service does: here it takes the connection and
// never answers.
#include "tests/support/ProgramRun.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QtTest>

class GameEndTest : public QObject {
    Q_OBJECT

private slots:
    void aSilentSpeechServiceDoesNotHoldTheGame()
    {
        QTemporaryDir sockets;
        QLocalServer silent;
        QVERIFY(silent.listen(sockets.filePath(QStringLiteral("speechd.sock"))));
        CardFolder folder;
        folder.picture(QStringLiteral("katt.gif"));
        folder.writeIni(cardFile(1, 2, 2, {"katt.gif", "katt.gif", "katt", "katt"}));
        writeBytes(folder.path() + QStringLiteral("/kortvy-val.ini"), "[spel]\ntangentbord=ja\nlas-upp=ja\n");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("SPEECHD_ADDRESS"), QStringLiteral("unix_socket:") + silent.fullServerName());

        for (int game = 0; game < 3; ++game) {
            ProgramRun run(QStringLiteral(KORTVY_GAME_PROGRAM), folder.path(), {}, environment);
            // Enter shows the mark, then chooses the one card: the last pair. Each press
            // comes a fifth of a second after the last, so the game ends well within this.
            QVERIFY2(run.pressEnterUntilEnd(5000), qPrintable(run.standardError()));
            QCOMPARE(run.exitCode(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(GameEndTest)
#include "tst_gameend.moc"
