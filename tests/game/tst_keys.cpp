// The game window without a mouse: what keys, assistive technology and touch do, and what
// only the window shows of it (the mark, and what it leaves as it was).

#include "tests/game/GameTestSupport.h"

#include "game/CardMark.h"

#include <QAccessible>
#include <QPointingDevice>

using namespace gametest;

namespace {

// How many pixels of the mark's blue lie in the rectangle of the shot.
int markIn(const QImage& shot, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += shot.pixelColor(x, y) == game::CardMark::kBlue;
    return n;
}

} // namespace

class GameKeysTest : public QObject {
    Q_OBJECT

    qint64 m_now = 0;

    void press(Game& game, Qt::Key key)
    {
        QTest::keyClick(&game.window, key);
        m_now += 1000;
    }

private slots:
    void cleanup() { app::resetEnded(); }

    // At the start no key ends the game or changes a pixel but the first, which shows the
    // mark; "Sluta" is out of the keyboard's reach.
    void startKeysEndNothing()
    {
        Game game(3);
        QVERIFY(game.failure.isEmpty() && game.show());
        game.window.setClock([this] { return m_now; });
        const QImage before = game.window.grab().toImage();
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_A, Qt::Key_F4})
            press(game, key);
        QCOMPARE(game.window.grab().toImage(), before);
        QVERIFY(!control(game.window, QStringLiteral("Command3D2"))->hasFocus());
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space})
            press(game, key);
        QVERIFY(!app::hasEnded());
        QVERIFY(control(game.window, QStringLiteral("Markering"))->isVisible());
    }

    // The mark stands around the marked card, on all four sides, and covers neither its
    // picture nor its word.
    void markLiesAroundTheCard()
    {
        for (int lower : {1, 2}) {
            Game game(5, 2, lower);
            QVERIFY(game.failure.isEmpty() && game.show());
            game.window.setClock([this] { return m_now; });
            press(game, Qt::Key_Right);
            press(game, Qt::Key_End);
            QWidget* area = control(game.window, QStringLiteral("Panel3D2"));
            const QImage shot = area->grab().toImage();
            const QRect card = lower == 1 ? game.lowerText(4)->geometry() : game.lowerPicture(4)->geometry();
            QCOMPARE(markIn(shot, card), 0);
            QCOMPARE(markIn(shot, game.lowerText(4)->geometry()), 0);
            const QPoint c = card.center();
            for (const QPoint& outside : {QPoint(c.x(), card.top() - 2), QPoint(card.left() - 2, c.y()),
                                          QPoint(card.right() + 2, c.y()), QPoint(card.left() + 2, card.bottom() + 2)})
                QCOMPARE(shot.pixelColor(outside), game::CardMark::kBlue);
        }
    }

    // Whole games by keys and by assistive technology's Press, the question told with the
    // lower row, and each card gone from what a screen reader reads once its pair is found.
    void wholeGamesWithoutAMouse()
    {
        for (const bool pressAction : {false, true}) {
            Game game(10, 2, pressAction ? 1 : 0);
            QVERIFY(game.failure.isEmpty() && game.show());
            game.window.setClock([this] { return m_now; });
            const exercise::Exercise& exercise = game.window.exercise();
            QWidget* lowerRow = control(game.window, QStringLiteral("Panel3D2"));
            press(game, Qt::Key_Right);
            for (int p = 0; p < 10; ++p) {
                QCOMPARE(lowerRow->accessibleDescription(), QStringLiteral("Vilket kort hör ihop med ö%1?").arg(p));
                const int right = exercise.slotOf(p);
                QWidget* card = pressAction ? static_cast<QWidget*>(game.lowerText(right)) : game.lowerPicture(right);
                if (pressAction) {
                    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(card);
                    QCOMPARE(face->role(), QAccessible::Button);
                    QCOMPARE(face->text(QAccessible::Name), QStringLiteral("u%1").arg(p));
                    QAccessibleInterface* row = QAccessible::queryAccessibleInterface(lowerRow);
                    QCOMPARE(row->childCount(), 10 - p + 1);  // the shown cards and the mark
                    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                    QCoreApplication::processEvents();
                    QCOMPARE(row->indexOfChild(face), -1);
                } else {
                    while (game.window.keyboardPlay().markedSlot() != right)
                        press(game, Qt::Key_Right);
                    press(game, Qt::Key_Return);
                }
                QVERIFY(card->isHidden());
                QCOMPARE(app::hasEnded(), p == 9);
            }
        }
    }

    // A tap chooses as a click; a second finger, or a finger that slides away, even back
    // again, chooses nothing.
    void tapsChooseAndOthersNot()
    {
        QPointingDevice* screen = QTest::createTouchDevice();
        Game game(3);
        QVERIFY(game.failure.isEmpty() && game.show());
        QWindow* window = game.window.windowHandle();
        const int right = game.window.exercise().slotOf(0);
        const QPoint at = game.lowerPicture(right)->mapTo(&game.window, QPoint(20, 20));
        QTest::touchEvent(window, screen).press(0, at, window);
        QTest::touchEvent(window, screen).move(0, at + QPoint(40, 0), window);
        QTest::touchEvent(window, screen).release(0, at, window);
        QTest::touchEvent(window, screen).press(0, at, window);
        QTest::touchEvent(window, screen).stationary(0).press(1, at + QPoint(4, 0), window);
        QTest::touchEvent(window, screen).stationary(0).release(1, at + QPoint(4, 0), window);
        QTest::touchEvent(window, screen).release(0, at, window);
        QCOMPARE(game.window.exercise().framedCard(), qint16(0));
        QTest::touchEvent(window, screen).press(0, at, window);
        QTest::touchEvent(window, screen).release(0, at + QPoint(1, 1), window);
        QCOMPARE(game.window.exercise().framedCard(), qint16(1));
        delete screen;
    }
};

QTEST_MAIN(GameKeysTest)
#include "tst_keys.moc"
