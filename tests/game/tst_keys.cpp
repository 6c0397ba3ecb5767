// The game window without a mouse: keys, assistive technology and touch, and what only the
// window shows of them.
#include "tests/game/GameTestSupport.h"

#include "game/CardMark.h"
#include "settings/PlayOptions.h"

#include <QAccessible>
#include <QPointingDevice>

using namespace gametest;

namespace {

// Writes down what the window asks to be heard.
struct Ears : exercise::SoundPlayer, exercise::Speaker {
    QStringList heard;
    void play(const QString& file) override { heard << QFileInfo(file).fileName(); }
    void say(const QString& word) override { heard << word; }
    void stop() override {}
};

} // namespace

class GameKeysTest : public QObject {
    Q_OBJECT

    qint64 m_now = 0;

    void press(Game& game, Qt::Key key) { QTest::keyClick(&game.window, key); m_now += 1000; }
    bool start(Game& game)
    {
        game.window.setClock([this] { return m_now; });
        return game.failure.isEmpty() && game.show();
    }

private slots:
    void cleanup() { app::resetEnded(); }

    // No mark shows before a key, and no key at the start ends the game or changes a pixel but
    // the first of the play keys, which shows the mark around the card, on all four sides, over neither picture nor word.
    void startKeysAndTheMark()
    {
        Game game(5);
        QVERIFY(start(game));
        QWidget* area = control(game.window, QStringLiteral("Panel3D2"));
        const QImage before = area->grab().toImage();
        for (int i = 0; i < before.width() * before.height(); ++i)
            QVERIFY(before.pixelColor(i % before.width(), i / before.width()) != game::CardMark::kBlue);
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F4})
            press(game, key);
        QCOMPARE(area->grab().toImage(), before);
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_End})
            press(game, key);
        QVERIFY(!app::hasEnded() && !control(game.window, QStringLiteral("Command3D2"))->hasFocus());
        const QImage shot = area->grab().toImage();
        const QRect card = game.lowerPicture(4)->geometry();
        for (const QRect& covered : {card, game.lowerText(4)->geometry()})
            for (int i = 0; i < covered.width() * covered.height(); ++i)
                QVERIFY(shot.pixelColor(covered.topLeft() + QPoint(i % covered.width(), i / covered.width())) != game::CardMark::kBlue);
        const QPoint c = card.center();
        for (const QPoint& outside : {QPoint(c.x(), card.top() - 2), QPoint(card.left() - 2, c.y()),
                                      QPoint(card.right() + 2, c.y()), QPoint(card.left() + 2, card.bottom() + 2)})
            QCOMPARE(shot.pixelColor(outside), game::CardMark::kBlue);
    }

    // Whole games by keys and by assistive technology's Press, the question told with the
    // lower row and each of its cards, and each card gone from what a screen reader reads
    // once its pair is found.
    void wholeGamesWithoutAMouse()
    {
        for (const bool pressAction : {false, true}) {
            Game game(10, 2, pressAction ? 1 : 0);
            QVERIFY(start(game));
            QWidget* lowerRow = control(game.window, QStringLiteral("Panel3D2"));
            QAccessibleInterface* row = QAccessible::queryAccessibleInterface(lowerRow);
            press(game, Qt::Key_Right);
            for (int p = 0; p < 10; ++p) {
                const int marked = game.window.keyboardPlay().markedSlot();
                QVERIFY(QAccessible::queryAccessibleInterface(pressAction ? static_cast<QWidget*>(game.lowerText(marked)) : game.lowerPicture(marked))->state().focused);
                QCOMPARE(lowerRow->accessibleDescription(), QStringLiteral("Vilket kort hör ihop med ö%1?").arg(p));
                const int right = game.window.exercise().slotOf(p);
                QWidget* card = pressAction ? static_cast<QWidget*>(game.lowerText(right)) : game.lowerPicture(right);
                QAccessibleInterface* face = QAccessible::queryAccessibleInterface(card);
                QVERIFY(face->role() == QAccessible::Button && face->text(QAccessible::Name) == QStringLiteral("u%1").arg(p));
                QCOMPARE(face->text(QAccessible::Description), lowerRow->accessibleDescription());
                QCOMPARE(row->childCount(), 10 - p + 1);  // the shown cards and the mark
                if (pressAction) {
                    face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                    QCoreApplication::processEvents();
                } else {
                    while (game.window.keyboardPlay().markedSlot() != right)
                        press(game, Qt::Key_Right);
                    press(game, Qt::Key_Return);
                }
                QVERIFY(card->isHidden() && row->indexOfChild(face) == -1);
                QCOMPARE(app::hasEnded(), p == 9);
            }
        }
    }

    // A tap chooses as a click; a second finger, or a finger that slides away, even back
    // again, chooses nothing.
    void tapsChooseAndOthersNot()
    {
        QPointingDevice* s = QTest::createTouchDevice();
        std::unique_ptr<QPointingDevice> freed(s);
        Game game(3);
        QVERIFY(start(game));
        QWindow* w = game.window.windowHandle();
        const QPoint at = game.lowerPicture(game.window.exercise().slotOf(0))->mapTo(&game.window, QPoint(20, 20));
        QTest::touchEvent(w, s).press(0, at, w);
        QTest::touchEvent(w, s).move(0, at + QPoint(40, 0), w);
        QTest::touchEvent(w, s).release(0, at, w);
        QTest::touchEvent(w, s).press(0, at, w);
        QTest::touchEvent(w, s).stationary(0).press(1, at + QPoint(4, 0), w);
        QTest::touchEvent(w, s).stationary(0).release(1, at + QPoint(4, 0), w);
        QTest::touchEvent(w, s).release(0, at, w);
        QCOMPARE(game.window.exercise().framedCard(), qint16(0));
        QTest::touchEvent(w, s).press(0, at, w);
        QTest::touchEvent(w, s).release(0, at + QPoint(1, 1), w);
        QCOMPARE(game.window.exercise().framedCard(), qint16(1));
    }

    // Read aloud, the frame's card is heard at the start and at each move, and again on R or
    // a click on it, not on another upper card; off, nothing is ever asked.
    void readAloudFollowsTheFrame()
    {
        for (const bool on : {false, true}) {
            app::resetEnded();
            CardFolder folder;
            writeStandard(folder, 3);
            writeBytes(folder.path() + QStringLiteral("/ovre0.wav"), "RIFF");
            settings::writePlayOptions(settings::kPlayOptionsFileName, {true, settings::Scanning::Off, 2000, on});
            Ears ears;
            game::GameWindow window;
            window.setVoice(&ears, &ears);
            window.load();
            forms::showCentred(&window);
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QTest::keyClick(&window, Qt::Key_R);
            click(control(window, QStringLiteral("Image1(1)")));
            click(control(window, QStringLiteral("Panel3D3(0)")));
            click(control(window, QStringLiteral("Image2(%1)").arg(window.exercise().slotOf(0))));
            click(control(window, QStringLiteral("Image1(1)")));
            QCOMPARE(ears.heard, on ? QStringList({"ovre0.wav", "ovre0.wav", "ovre0.wav", "ö1", "ö1"}) : QStringList());
        }
    }
};

QTEST_MAIN(GameKeysTest)
#include "tst_keys.moc"
