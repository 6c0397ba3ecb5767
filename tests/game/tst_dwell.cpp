// The game window choosing by a resting pointer: what only the window shows of it.
#include "tests/game/GameTestSupport.h"

#include "game/CardMark.h"
#include "game/DwellBar.h"

using namespace gametest;

class GameDwellTest : public QObject {
    Q_OBJECT

private slots:
    // Halfway, the progress shows on the card under the pointer, neither red nor the mark's
    // blue, half filled, and keeps the word clear; at its end the card is chosen as by a
    // click. Off, a pointer resting longer changes no pixel and chooses nothing.
    void progressOnTheCard()
    {
        for (const int dwellMs : {0, 1000}) {
            CardFolder folder;
            writeStandard(folder, 5);
            settings::writePlayOptions(settings::kPlayOptionsFileName, {true, settings::Scanning::Off, 2000, false, dwellMs});
            qint64 now = 0;
            game::GameWindow window;
            window.setClock([&now] { return now; });
            window.load();
            forms::showCentred(&window);
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QWidget* area = control(window, QStringLiteral("Panel3D2"));
            const QImage before = area->grab().toImage();
            QWidget* card = control(window, QStringLiteral("Image2(%1)").arg(window.exercise().slotOf(0)));
            const QRect word = control(window, QStringLiteral("Panel3D4(%1)").arg(window.exercise().slotOf(0)))->geometry();
            const QPoint at = card->mapTo(&window, QPoint(30, 30));
            QTest::mouseMove(window.windowHandle(), at);
            QTest::mouseMove(window.windowHandle(), at + QPoint(1, 1));
            now = exercise::Dwell::kSettleMs + (1000 - exercise::Dwell::kSettleMs) / 2;
            QTest::mouseMove(window.windowHandle(), at + QPoint(2, 0));
            QTest::qWait(120);
            const QImage half = area->grab().toImage();
            int changed = 0, filled = 0, empty = 0;
            for (int i = 0; i < half.width() * half.height(); ++i) {
                const QPoint p(i % half.width(), i / half.width());
                const QColor colour = half.pixelColor(p);
                if (colour == before.pixelColor(p))
                    continue;
                ++changed;
                filled += colour == game::DwellBar::kFill;
                empty += colour == game::DwellBar::kTrack;
                QVERIFY(card->geometry().contains(p) && !word.contains(p) && colour != QColor(255, 0, 0) && colour != game::CardMark::kBlue);
            }
            QVERIFY(dwellMs ? filled > 0 && qAbs(filled - empty) < changed / 10 : changed == 0);
            now = 3000;
            QTest::qWait(120);
            QCOMPARE(window.exercise().framedCard(), qint16(dwellMs ? 1 : 0));
        }
    }
};

QTEST_MAIN(GameDwellTest)
#include "tst_dwell.moc"
