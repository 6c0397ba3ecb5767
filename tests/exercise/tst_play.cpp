// The exercise without a window: the answer to each click, and how the game reads its card
// set.

#include "exercise/Exercise.h"
#include "exercise/GameCardSet.h"
#include "runtime/Error.h"
#include "tests/support/TestSupport.h"

#include <QtTest>

class PlayTest : public QObject {
    Q_OBJECT

private slots:
    // The upper cards are asked for in order; a click on any slot but the framed card's
    // partner changes nothing, and the last pair ends the exercise.
    void answersInTurn()
    {
        exercise::Order order;
        const QList<qint16> partners{2, 0, 1};
        for (int i = 0; i < 3; ++i)
            order(i) = partners[i];
        exercise::Exercise exercise(3, order);
        for (int card = 0; card < 3; ++card) {
            QCOMPARE(exercise.framedCard(), qint16(card));
            for (qint16 wrong : {0, 1, 2, 3, 9}) {
                if (wrong != partners[card])
                    QCOMPARE(exercise.answer(wrong), exercise::Answer::Wrong);
            }
            QCOMPARE(exercise.framedCard(), qint16(card));
            QVERIFY(!exercise.isOver());
            QCOMPARE(exercise.answer(partners[card]), card < 2 ? exercise::Answer::Right : exercise::Answer::Finished);
        }
        QVERIFY(exercise.isOver());
        QCOMPARE(exercise.framedCard(), qint16(3));
        // Over is over: no slot answers any more, not even one that did.
        QCOMPARE(exercise.answer(1), exercise::Answer::Wrong);
        QCOMPARE(exercise.answer(0), exercise::Answer::Wrong);
    }

    // The game takes 1 to 10 cards; any other count is refused the moment it is read,
    // whatever follows it, and the message names the file as it was opened.
    void countsTheGameTakes_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("plays");
        QTest::newRow("1") << 1 << true;
        QTest::newRow("10") << 10 << true;
        QTest::newRow("0") << 0 << false;
        QTest::newRow("-1") << -1 << false;
        QTest::newRow("11") << 11 << false;
    }
    void countsTheGameTakes()
    {
        QFETCH(int, count);
        QFETCH(bool, plays);
        CardFolder folder;
        QByteArray bytes = cardFile(count, 2, 2, numberedStrings(qMax(0, count)));
        if (!plays)
            bytes = cardFile(count, 2, 2, {}) + "\"unfinished\r\n";
        folder.writeIni(bytes);
        QStringList seen;
        const QString failure = failureOf([&seen] {
            const settings::CardSet set = exercise::readGameCardSet(
                QStringLiteral("kortvy.ini"), [&seen](int card, const QString& name) { seen << QString::number(card) + name; });
            QCOMPARE(set.cards.size(), int(set.count));
        });
        if (plays) {
            QCOMPARE(failure, QString());
            QCOMPARE(seen.size(), count);
            QCOMPARE(seen.last(), QStringLiteral("%1bo%1").arg(count - 1));
        } else {
            QCOMPARE(failure, QStringLiteral("Fel i inställningsfilen kortvy.ini, rad 1: antalet kort är %1, men spelet kan "
                                             "bara visa 1 till 10 kort.")
                                  .arg(count));
            QVERIFY(seen.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(PlayTest)
#include "tst_play.moc"
