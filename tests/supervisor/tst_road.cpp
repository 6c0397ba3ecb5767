// The whole road of a supervisor and a learner: an empty card set is put together with
// clicks and keys, saved, and the game then plays it to its end.

#include "tests/supervisor/SupervisorTestSupport.h"

#include "game/Form1.h"

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
        QCOMPARE(form->List1(0)->ListCount() + form->List1(1)->ListCount() + form->List1(2)->ListCount()
                     + form->List1(3)->ListCount(),
                 0);
        click(form->Option3D1(1));
        for (const QString& name : pictures)
            chooseFile(*form, 0, name);
        click(form->SSOption1(1));
        click(form->Panel3D8);
        for (const QString& text : texts)
            addText(*form, 1, text);
        click(form->SSOption1(3));
        QCOMPARE(form->List1(0)->rows(), pictures);
        QCOMPARE(form->List1(3)->rows(), texts);
        click(form->Command3D5);
        QVERIFY(app::hasEnded());
    }
    QStringList strings;
    for (int i = 0; i < 5; ++i)
        strings << pictures[i] << QString() << QString() << texts[i];
    QCOMPARE(folder.ini(), cardFile(5, 0, 1, strings));

    // The learner's turn.
    app::resetEnded();
    game::Form1 game;
    game.load();
    forms::showCentred(&game);
    QVERIFY(QTest::qWaitForWindowExposed(&game));
    QCOMPARE(game.antal, qint16(5));
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(game.Image1(i)->pictureFile(), pictures[i]);
        QCOMPARE(game.Panel3D4(game.ordning(i))->Caption(), texts[i]);
    }
    for (int i = 5; i < 10; ++i)
        QVERIFY(!game.Image1(i)->Visible() && !game.Panel3D4(i)->Visible());
    for (int plats = 0; plats < 5; ++plats) {
        QCOMPARE(game.plats, qint16(plats));
        QVERIFY(!app::hasEnded());
        click(game.Panel3D4(game.ordning(plats)));
    }
    QVERIFY(app::hasEnded());
    app::resetEnded();
}

QTEST_MAIN(RoadTest)
#include "tst_road.moc"
