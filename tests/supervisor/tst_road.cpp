// The whole road of a supervisor and a learner: an empty card set is put together with
// clicks and keys, saved, and the game then plays it to its end.

#include "tests/supervisor/SupervisorTestSupport.h"

#include "forms/PictureBox.h"
#include "forms/Panel.h"
#include "game/GameWindow.h"

using namespace supervisortest;

class RoadTest : public QObject {
    Q_OBJECT

private slots:
    void fiveCardsFromSupervisorToGame();
};

void RoadTest::fiveCardsFromSupervisorToGame()
{
    CardFolder folder;
    folder.writeIni(cardFile(3, 2, 2, emptyStrings(3)));
    const QStringList pictures{"båt.bmp", "fisk.gif", "sol.gif", "äpple.jpg", "öga.jpeg"};
    const QStringList texts{"båt", "fisk", "sol", "äpple", "öga"};
    for (int i = 0; i < 5; ++i)
        folder.picture(pictures[i], QColor::fromHsv(60 * i, 200, 200));

    {
        auto form = startForm();
        QCOMPARE(list(*form, 0)->rowCount() + list(*form, 1)->rowCount() + list(*form, 2)->rowCount()
                     + list(*form, 3)->rowCount(),
                 0);
        click(countOption(*form, 1));
        for (const QString& name : pictures)
            chooseFile(*form, 0, name);
        click(displayOption(*form, 1));
        click(panel(*form, "Panel3D8"));
        for (const QString& text : texts)
            addText(*form, 1, text);
        click(displayOption(*form, 3));
        QCOMPARE(list(*form, 0)->rows(), pictures);
        QCOMPARE(list(*form, 3)->rows(), texts);
        click(widget(*form, "Command3D5"));
        QVERIFY(app::hasEnded());
    }
    QStringList strings;
    for (int i = 0; i < 5; ++i)
        strings << pictures[i] << QString() << QString() << texts[i];
    QCOMPARE(folder.ini(), cardFile(5, 0, 1, strings));

    // The learner's turn.
    app::resetEnded();
    game::GameWindow game;
    game.load();
    forms::showCentred(&game);
    QVERIFY(QTest::qWaitForWindowExposed(&game));
    const exercise::Exercise& exercise = game.exercise();
    QCOMPARE(exercise.count(), qint16(5));
    auto lowerText = [&game](int slot) { return control<forms::Panel>(game, QStringLiteral("Panel3D4(%1)").arg(slot)); };
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(control<forms::PictureBox>(game, QStringLiteral("Image1(%1)").arg(i))->fileName(), pictures[i]);
        QCOMPARE(lowerText(exercise.slotOf(i))->caption(), texts[i]);
    }
    for (int card = 0; card < 5; ++card) {
        QCOMPARE(exercise.framedCard(), qint16(card));
        QVERIFY(!app::hasEnded());
        click(lowerText(exercise.slotOf(card)));
    }
    QVERIFY(app::hasEnded());
    app::resetEnded();
}

QTEST_MAIN(RoadTest)
#include "tst_road.moc"
