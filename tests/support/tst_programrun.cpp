// The way the tests run the real programs: a message box is answered once, counted once,
// and leaves the display as it found it for the program that comes next.
#include "tests/support/ProgramRun.h"

#include <QTemporaryDir>
#include <QtTest>

class ProgramRunTest : public QObject {
    Q_OBJECT

private slots:
    // An empty folder makes the game end with a message box. The box is answered only once
    // it has the focus, as it has on a slower start; a key sent through the server's
    // keyboard then stayed held down, and the next program's box was answered by the
    // server's repeat before it could be counted.
    void answersAFocusedBoxAndLetsGoOfTheKey()
    {
        QTemporaryDir folder;
        for (int run = 0; run < 2; ++run) {
            ProgramRun game(QStringLiteral(KORTVY_GAME_PROGRAM), folder.path());
            QVERIFY(game.waitForFocusedMessageBox(20000));
            QVERIFY(game.waitForEnd(20000));
            QCOMPARE(game.exitCode(), 1);
            QCOMPARE(game.messageBoxes(), 1);
            QCOMPARE(ProgramRun::keysHeldDown(), QList<int>{});
        }
    }
};

QTEST_GUILESS_MAIN(ProgramRunTest)
#include "tst_programrun.moc"
