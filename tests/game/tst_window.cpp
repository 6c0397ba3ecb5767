// The game's window: its look, the cards in their slots as the layout says, the frame and the
// words on screen, real clicks, and how the window and the program end.

#include "tests/exercise/ScriptedRandom.h"
#include "tests/game/GameTestSupport.h"
#include "tests/support/ProgramRun.h"

#include "exercise/CardLayout.h"
#include "forms/Backdrop.h"
#include "forms/PictureButton.h"
#include "forms/Outline.h"
#include "game/StopSign.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

using namespace gametest;

namespace {

QString twipsOf(QWidget* w)
{
    const runtime::TwipsRect r = dynamic_cast<forms::Geometry*>(w)->twips();
    return QStringLiteral("%1 at %2, %3, %4 × %5").arg(w->objectName()).arg(r.left).arg(r.top).arg(r.width).arg(r.height);
}

QString expected(QWidget* w, const runtime::TwipsRect& r)
{
    return QStringLiteral("%1 at %2, %3, %4 × %5").arg(w->objectName()).arg(r.left).arg(r.top).arg(r.width).arg(r.height);
}

// Everything a click could change: every card control's place and visibility, and the frame's.
QStringList snapshot(const Game& game)
{
    QStringList s;
    for (int k = 0; k < 10; ++k) {
        for (QWidget* w : {static_cast<QWidget*>(game.upperPicture(k)), static_cast<QWidget*>(game.upperText(k)),
                           static_cast<QWidget*>(game.lowerPicture(k)), static_cast<QWidget*>(game.lowerText(k))})
            s << twipsOf(w) + (w->isHidden() ? " hidden" : "");
    }
    s << twipsOf(game.frame()) + (game.frame()->isHidden() ? " hidden" : "");
    return s;
}

} // namespace

class GameWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { app::resetEnded(); }

    void lookAsDesigned()
    {
        game::GameWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Välj rätt kort."));
        QCOMPARE(window.size(), QSize(642, 459));  // 9630 × 6885 twips
        auto* upper = control<forms::Panel>(window, QStringLiteral("Panel3D1"));
        auto* lower = control<forms::Panel>(window, QStringLiteral("Panel3D2"));
        QCOMPARE(twipsOf(upper), QStringLiteral("Panel3D1 at 0, 0, 9615 × 3495"));
        QCOMPARE(twipsOf(lower), QStringLiteral("Panel3D2 at 0, 3490, 9615 × 3400"));
        QCOMPARE(upper->background(), QColor(128, 255, 255));
        QCOMPARE(lower->background(), QColor(255, 255, 128));
        QCOMPARE(upper->bevel(), forms::Panel::Bevel::Raised);

        auto* stop = control<forms::PictureButton>(window, QStringLiteral("Command3D2"));
        QCOMPARE(twipsOf(stop), QStringLiteral("Command3D2 at 8640, 120, 840 × 1020"));
        QCOMPARE(stop->parentWidget(), upper);
        QCOMPARE(stop->text(), QStringLiteral("Sluta"));
        QCOMPARE(stop->font().pointSizeF(), 9.75);
        QVERIFY(stop->font().bold());
        QCOMPARE(stop->picture().size(), QSize(31, 30));
        auto* frame = control<forms::Outline>(window, QStringLiteral("Shape1"));
        QCOMPARE(twipsOf(frame), QStringLiteral("Shape1 at 360, 240, 1335 × 1335"));
        QCOMPARE(frame->borderColour(), QColor(255, 0, 0));
        QCOMPARE(frame->borderWidth(), 10);
        for (const char* name : {"Image1(9)", "Panel3D3(9)"})
            QCOMPARE(control(window, QLatin1String(name))->parentWidget(), upper);
        for (const char* name : {"Image2(0)", "Panel3D4(0)"})
            QCOMPARE(control(window, QLatin1String(name))->parentWidget(), lower);
        QCOMPARE(control<forms::Panel>(window, QStringLiteral("Panel3D4(3)"))->background(), QColor(255, 255, 255));
        // The design stands at 15 twips a pixel.
        QCOMPARE(control(window, QStringLiteral("Image1(6)"))->geometry(), QRect(24 + 112, 128, 89, 89));
        QCOMPARE(control(window, QStringLiteral("Panel3D4(2)"))->geometry(), QRect(256, 96, 73, 17));

        const QImage sign = game::stopSign();
        QCOMPARE(sign.size(), QSize(31, 30));
        QVERIFY(sign.colorCount() > 0 && sign.colorCount() <= 16);
        QCOMPARE(sign.pixelColor(0, 0), QColor(192, 192, 192));  // background in the corners
        QCOMPARE(sign.pixelColor(15, 0), QColor(0, 0, 0));       // outline
        QCOMPARE(sign.pixelColor(15, 4), QColor(255, 0, 0));     // red face
        int white = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 31; ++x) {
                if (sign.pixelColor(x, y) == QColor(255, 255, 255)) {
                    ++white;
                    QVERIFY(y > 8 && y < 21);  // the word runs across the middle
                }
            }
        }
        QVERIFY(white > 30);
    }

    // The window shows each slot where the layout puts it, as its row shows it.
    void slotsStandWhereTheLayoutSays_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("lower");
        QTest::newRow("3 cards, upper texts alone") << 3 << 1 << 2;
        QTest::newRow("10 cards, upper pictures alone, lower texts alone") << 10 << 0 << 1;
    }
    void slotsStandWhereTheLayoutSays()
    {
        QFETCH(int, count);
        QFETCH(int, upper);
        QFETCH(int, lower);
        Game game(count, upper, lower);
        QCOMPARE(game.failure, QString());
        for (int k = 0; k < 10; ++k) {
            for (exercise::Row row : {exercise::Row::Upper, exercise::Row::Lower}) {
                const bool isUpper = row == exercise::Row::Upper;
                const auto look = exercise::slotLook(qint16(count), row, k, settings::RowDisplay(isUpper ? upper : lower));
                forms::PictureBox* picture = isUpper ? game.upperPicture(k) : game.lowerPicture(k);
                forms::Panel* text = isUpper ? game.upperText(k) : game.lowerText(k);
                QCOMPARE(twipsOf(picture), expected(picture, look.picture));
                QCOMPARE(twipsOf(text), expected(text, look.text));
                QCOMPARE(!picture->isHidden(), look.showsPicture);
                QCOMPARE(!text->isHidden(), look.showsText);
                QCOMPARE(text->captionFont().pointSizeF(), look.plainTextPoints ? double(look.plainTextPoints) : 24.27);
                QCOMPARE(text->captionFont().bold(), look.plainTextPoints == 0);
            }
        }
        QCOMPARE(twipsOf(game.frame()), expected(game.frame(), exercise::framePlace(qint16(count), 0)));
        if (count == 3) {
            // On screen, edges rounded to whole pixels; the frame's band lies around its card.
            QCOMPARE(game.upperPicture(0)->geometry(), QRect(32, 29, 150, 150));
            QCOMPARE(game.lowerPicture(2)->geometry(), QRect(396, 29, 150, 150));
            QCOMPARE(game.frame()->geometry(), QRect(22, 19, 171, 171));  // 32…182 × 29…179 and 10 around
        }
    }

    // What the learner sees: the frame's band lies around the marked card and below the text
    // panels, so the card's word and square stay whole, in a row of pictures with texts and
    // in a row of texts alone.
    void frameLiesAroundTheCardBelowItsWord_data()
    {
        QTest::addColumn<int>("upper");
        QTest::newRow("text and picture") << 2;
        QTest::newRow("text only") << 1;
    }
    void frameLiesAroundTheCardBelowItsWord()
    {
        QFETCH(int, upper);
        Game game(3, upper, 2);
        QCOMPARE(game.failure, QString());
        const QImage shot = game.upperArea()->grab().toImage();
        auto redIn = [&shot](const QRect& r) {
            int red = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    red += shot.pixelColor(x, y) == QColor(255, 0, 0);
            return red;
        };
        const QRect card = upper == 1 ? game.upperText(0)->geometry() : game.upperPicture(0)->geometry();
        QCOMPARE(redIn(card), 0);
        QCOMPARE(redIn(game.upperText(0)->geometry()), 0);
        // Red on all four sides, beside the ends of a text panel that stands across the edge.
        const QPoint c = card.center();
        for (const QPoint& outside : {QPoint(c.x(), card.top() - 5), QPoint(card.left() - 5, c.y()),
                                      QPoint(card.right() + 6, c.y()), QPoint(card.left() + 5, card.bottom() + 6)})
            QCOMPARE(shot.pixelColor(outside), QColor(255, 0, 0));
    }

    void cardsGoIntoTheirSlots()
    {
        // 0.25, 0.75, 0.5 shuffle three cards to the slots 0, 2, 1.
        ScriptedRandom draws({0.25f, 0.75f, 0.5f});
        RandomInPlace inPlace(&draws);
        CardFolder folder;
        for (const char* name : {"björn.bmp", "katt.gif", "hund.jpg", "häst.jpeg"})
            folder.picture(QString::fromUtf8(name));
        // Card 0 has no upper text, card 1 no lower picture and card 2 no upper picture.
        folder.writeIni(cardFile(3, 2, 2,
                                 {"björn.bmp", "katt.gif", "", "björn, ett djur",
                                  "hund.jpg", "", "Hund", "hund",
                                  "", "häst.jpeg", "Häst", "häst"}));
        game::GameWindow window;
        QCOMPARE(failureOf([&window] { window.load(); }), QString());
        auto picture = [&window](const char* name) { return control<forms::PictureBox>(window, QLatin1String(name)); };
        auto text = [&window](const char* name) { return control<forms::Panel>(window, QLatin1String(name)); };

        QCOMPARE(picture("Image1(0)")->fileName(), QStringLiteral("björn.bmp"));
        QCOMPARE(picture("Image1(1)")->fileName(), QStringLiteral("hund.jpg"));
        QVERIFY(!picture("Image1(2)")->hasPicture());
        QCOMPARE(text("Panel3D3(0)")->caption(), QString());
        QCOMPARE(text("Panel3D3(2)")->caption(), QStringLiteral("Häst"));
        // Lower card i stands in its shuffled slot, picture and text together.
        QCOMPARE(picture("Image2(0)")->fileName(), QStringLiteral("katt.gif"));
        QCOMPARE(text("Panel3D4(0)")->caption(), QStringLiteral("björn, ett djur"));
        QVERIFY(!picture("Image2(2)")->hasPicture());
        QCOMPARE(text("Panel3D4(2)")->caption(), QStringLiteral("hund"));
        QCOMPARE(picture("Image2(1)")->fileName(), QStringLiteral("häst.jpeg"));
        QCOMPARE(text("Panel3D4(1)")->caption(), QStringLiteral("häst"));

        // A screen reader names a card by its text, or by its picture's name without one.
        QCOMPARE(accessibleName(picture("Image1(0)")), QStringLiteral("björn"));
        QCOMPARE(accessibleName(picture("Image1(1)")), QStringLiteral("Hund"));
        QCOMPARE(accessibleName(picture("Image2(0)")), QStringLiteral("björn, ett djur"));
        QCOMPARE(accessibleName(text("Panel3D4(2)")), QStringLiteral("hund"));
        QCOMPARE(accessibleName(control(window, QStringLiteral("Command3D2"))), QStringLiteral("Sluta"));

        // The shown pictures are decoded at their card size before the window opens.
        QVERIFY(picture("Image1(0)")->isDecoded());
        QCOMPARE(picture("Image1(0)")->decodedImage().size(), QSize(148, 148));
    }

    void backdropCoversTheScreenBeforeTheWindowShows()
    {
        Game game(5);
        QCOMPARE(game.failure, QString());
        forms::Backdrop* backdrop = game.window.backdrop();
        QVERIFY(backdrop && backdrop->isVisible());
        QCOMPARE(backdrop->objectName(), QStringLiteral("Form2"));
        QVERIFY(!game.window.isVisible());
        QCOMPARE(backdrop->geometry(), QGuiApplication::primaryScreen()->geometry());
        QCOMPARE(backdrop->grab().toImage().pixelColor(5, 5), QColor(0, 0, 0));
        QVERIFY(game.show());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(game.window.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(game.window.geometry().center().y() - screen.center().y()) <= 1);
    }

    // A picture that cannot be shown stops the start-up with a message naming the picture,
    // its card and its row, the first in the card set's order.
    void pictureFailuresNameTheCard_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QStringList>("named");
        QTest::newRow("missing upper picture") << 8 << QByteArray("saknas.bmp")
                                               << QStringList{"saknas.bmp", "kort 2", "övre raden", "finns inte"};
        QTest::newRow("lower file that holds no picture") << 13 << QByteArray("text.jpg")
                                                          << QStringList{"text.jpg", "kort 3", "undre raden"};
        QTest::newRow("spoilt after its header") << 5 << QByteArray("halv.jpg")
                                                 << QStringList{"halv.jpg", "kort 1", "undre raden", "skadad"};
    }
    void pictureFailuresNameTheCard()
    {
        QFETCH(int, line);
        QFETCH(QByteArray, name);
        QFETCH(QStringList, named);
        CardFolder folder;
        writeStandard(folder, 3);
        writeBytes(folder.path() + QStringLiteral("/text.jpg"), "plain words, no picture\r\n");
        // A JPEG whose header reads but whose picture data is gone.
        QImage big(64, 64, QImage::Format_RGB32);
        big.fill(Qt::blue);
        big.save(folder.path() + QStringLiteral("/hel.jpg"));
        writeBytes(folder.path() + QStringLiteral("/halv.jpg"), readBytes(folder.path() + QStringLiteral("/hel.jpg")).left(200));
        QList<QByteArray> lines = folder.ini().split('\n');
        lines[line - 1] = '"' + name + "\"\r";
        folder.writeIni(lines.join('\n'));
        game::GameWindow window;
        const QString message = failureOf([&window] { window.load(); });
        for (const QString& part : named)
            QVERIFY2(message.contains(part), qPrintable(message));
        QVERIFY(!window.isVisible());
    }

    // Whole games by real clicks on the pictures and texts the learner sees: a wrong click
    // changes nothing, a right one takes the pair away and draws the frame at the next card.
    void wholeGameByClicks_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("upper");
        QTest::addColumn<int>("lower");
        QTest::newRow("3 cards, texts above, pictures below") << 3 << 1 << 0;
        QTest::newRow("10 cards, pictures above, texts below") << 10 << 0 << 1;
        QTest::newRow("5 cards, both in both rows") << 5 << 2 << 2;
    }
    void wholeGameByClicks()
    {
        QFETCH(int, count);
        QFETCH(int, upper);
        QFETCH(int, lower);
        Game game(count, upper, lower);
        QCOMPARE(game.failure, QString());
        QVERIFY(game.show());
        const exercise::Exercise& exercise = game.window.exercise();
        for (int p = 0; p < count; ++p) {
            QCOMPARE(exercise.framedCard(), qint16(p));
            const QRect frame = game.frame()->geometry();
            QCOMPARE(game.upperArea()->grab().toImage().pixelColor(frame.topLeft() + QPoint(2, 40)), QColor(255, 0, 0));
            const int right = exercise.slotOf(p);
            auto target = [&](int slot) -> QWidget* {
                if (lower == 1 || (lower == 2 && p % 2))
                    return game.lowerText(slot);
                return game.lowerPicture(slot);
            };
            const QStringList before = snapshot(game);
            click(target((right + 1) % count));
            click(upper == 1 ? static_cast<QWidget*>(game.upperText(p)) : game.upperPicture(p));
            QCOMPARE(snapshot(game), before);

            QCOMPARE(game.window.childAt(target(right)->mapTo(&game.window, target(right)->rect().center())), target(right));
            click(target(right));
            for (QWidget* gone : {static_cast<QWidget*>(game.upperPicture(p)), static_cast<QWidget*>(game.upperText(p)),
                                  static_cast<QWidget*>(game.lowerPicture(right)), static_cast<QWidget*>(game.lowerText(right))})
                QVERIFY2(gone->isHidden(), qPrintable(gone->objectName()));
            QCOMPARE(app::hasEnded(), p + 1 == count);
        }
    }

    // "Sluta" and the last pair end the program at once, with no close handler (the backdrop
    // stays until the process goes); the close box closes the window and its backdrop.
    void endingTheGame_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Sluta") << QStringLiteral("Sluta");
        QTest::newRow("last pair") << QStringLiteral("last pair");
        QTest::newRow("close box") << QStringLiteral("close box");
    }
    void endingTheGame()
    {
        QFETCH(QString, how);
        Game game(1);
        QVERIFY(game.failure.isEmpty() && game.show());
        QTimer::singleShot(0, &game.window, [&] {
            if (how == QLatin1String("Sluta"))
                click(control(game.window, QStringLiteral("Command3D2")));
            else if (how == QLatin1String("last pair"))
                click(game.lowerPicture(game.window.exercise().slotOf(0)));
            else
                game.window.close();
        });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!game.window.isVisible());
        QCOMPARE(bool(game.window.backdrop()), how != QLatin1String("close box"));
        QCOMPARE(app::hasEnded(), how != QLatin1String("close box"));
    }

    // The program itself, started as from the menu: the message in a box for the user who
    // sees no terminal and on standard error, and status 1, before any window is shown.
    void programEndsWithTheMessage()
    {
        CardFolder folder;
        folder.writeIni(iniLines({"11", "2", "2"}));
        ProgramRun game(QStringLiteral(KORTVY_GAME_PROGRAM), folder.path());
        QVERIFY(game.waitForEnd(20000));
        QVERIFY(!game.crashed());
        QCOMPARE(game.exitCode(), 1);
        QCOMPARE(game.messageBoxes(), 1);
        const QString err = game.standardError();
        QVERIFY2(err.contains(QStringLiteral("kortvy.ini")) && err.contains(QStringLiteral("11")), qPrintable(err));
    }
};

QTEST_MAIN(GameWindowTest)
#include "tst_window.moc"
