#include "tests/game/GameTestSupport.h"

#include "game/StopSign.h"

using namespace gametest;
using game::Form1;

namespace {

struct Box {
    float left, top, width, height;
};

// Empty when the control stands in the box (twips), else where it stands.
QString offBox(QWidget* w, Box b)
{
    const auto* g = dynamic_cast<const forms::Geometry*>(w);
    if (g->Left() == b.left && g->Top() == b.top && g->Width() == b.width && g->Height() == b.height)
        return {};
    return QStringLiteral("%1 at %2, %3, %4 × %5")
        .arg(w->objectName())
        .arg(g->Left())
        .arg(g->Top())
        .arg(g->Width())
        .arg(g->Height());
}
#define CHECK_BOX(control, box) QCOMPARE(offBox(control, box), QString())

// Where the cards of a count stand once laid out, before the display modes: the tables of
// the layout, written out independently of the code that makes it.
struct Expected {
    Box picture[2][10];  // [upper/lower][slot]
    Box panel[2][10];
    Box frame;
};

Expected expectedLayout(int antal)
{
    Expected e{};
    for (int row = 0; row < 2; ++row) {
        for (int k = 0; k < 10; ++k) {
            const float c = float(k % 5);
            const bool second = k >= 5;
            e.picture[row][k] = {360 + 1680 * c, second ? (row == 0 ? 1920.0f : 1800.0f) : 240.0f, 1335, 1335};
            e.panel[row][k] = {480 + 1680 * c, second ? (row == 0 ? 3120.0f : 3000.0f) : 1440.0f, 1095, 255};
            if (antal == 5 && k < 5) {
                e.picture[row][k].top = 1040;
                e.panel[row][k].top = 2240;
            }
            if (antal == 3 && k < 3) {
                e.picture[row][k] = {480 + 2730.0f * k, 440, 2250, 2250};
                e.panel[row][k] = {1040 + 2730.0f * k, 2540, 1095, 255};
            }
        }
    }
    e.frame = antal == 3 ? Box{490, 440, 2250, 2250} : Box{370, antal == 5 ? 1040.0f : 240.0f, 1335, 1335};
    return e;
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { app::resetEnded(); }

    void windowAsDesigned()
    {
        Form1 form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Välj rätt kort."));
        QCOMPARE(form.size(), QSize(642, 459));  // 9630 × 6885 twips
        CHECK_BOX(form.Panel3D1, (Box{0, 0, 9615, 3495}));
        CHECK_BOX(form.Panel3D2, (Box{0, 3490, 9615, 3400}));
        CHECK_BOX(form.Command3D2, (Box{8640, 120, 840, 1020}));
        CHECK_BOX(form.Shape1, (Box{360, 240, 1335, 1335}));
        QCOMPARE(form.Panel3D1->background(), QColor(128, 255, 255));
        QCOMPARE(form.Panel3D2->background(), QColor(255, 255, 128));
        QCOMPARE(form.Panel3D1->bevel(), forms::Panel3D::Bevel::Raised);
        QVERIFY(form.Panel3D1->Caption().isEmpty());

        QCOMPARE(form.Command3D2->parentWidget(), form.Panel3D1);
        QCOMPARE(form.Command3D2->Caption(), QStringLiteral("Sluta"));
        QCOMPARE(form.Command3D2->font().pointSizeF(), 9.75);
        QVERIFY(form.Command3D2->font().bold());
        QCOMPARE(form.Command3D2->picture().size(), QSize(31, 30));
        QCOMPARE(form.Shape1->borderColour(), QColor(255, 0, 0));
        QCOMPARE(form.Shape1->borderWidth(), 10);

        for (int k = 0; k < 10; ++k) {
            QCOMPARE(form.Image1(k)->parentWidget(), form.Panel3D1);
            QCOMPARE(form.Panel3D3(k)->parentWidget(), form.Panel3D1);
            QCOMPARE(form.Image2(k)->parentWidget(), form.Panel3D2);
            QCOMPARE(form.Panel3D4(k)->parentWidget(), form.Panel3D2);
            QCOMPARE(form.Panel3D4(k)->background(), QColor(255, 255, 255));
            QVERIFY(form.Panel3D3(k)->Caption().isEmpty());
            QVERIFY(!form.Image2(k)->hasPicture());
        }
        // The design stands at 15 twips a pixel.
        QCOMPARE(form.Image1(6)->geometry(), QRect(24 + 112, 128, 89, 89));
        QCOMPARE(form.Panel3D4(2)->geometry(), QRect(256, 96, 73, 17));
    }

    void stopSignPicture()
    {
        const QImage sign = game::stopSign();
        QCOMPARE(sign.size(), QSize(31, 30));
        QVERIFY(sign.colorCount() > 0 && sign.colorCount() <= 16);
        QCOMPARE(sign.pixelColor(0, 0), QColor(192, 192, 192));  // background in the corners
        QCOMPARE(sign.pixelColor(15, 0), QColor(0, 0, 0));       // outline
        QCOMPARE(sign.pixelColor(0, 15), QColor(0, 0, 0));
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

    // Every slot of both rows for each count, then the display modes: text-only panels take
    // their card's square, picture-only rows hide the panels of the shown slots.
    void layoutAndDisplayModes_data()
    {
        addSetColumns();
        QTest::newRow("10 cards") << 10 << 2 << 2;
        QTest::newRow("5 cards") << 5 << 2 << 2;
        QTest::newRow("3 cards") << 3 << 2 << 2;
        QTest::newRow("4 cards keep the design positions") << 4 << 2 << 2;
        QTest::newRow("3 cards, upper text only") << 3 << 1 << 2;
        QTest::newRow("10 cards, upper pictures only, lower text only") << 10 << 0 << 1;
        QTest::newRow("5 cards, both rows text only") << 5 << 1 << 1;
        QTest::newRow("5 cards, lower pictures only, upper unknown code") << 5 << 7 << 0;
    }
    void layoutAndDisplayModes()
    {
        FETCH_SET;
        Game game(antal, typOvre, typUndre);
        QCOMPARE(game.failure, QString());
        Form1& form = game.form;
        const Expected e = expectedLayout(antal);
        const int typ[2] = {typOvre, typUndre};
        const float square = antal == 3 ? 2250 : 1335;
        for (int row = 0; row < 2; ++row) {
            for (int k = 0; k < 10; ++k) {
                forms::Image* picture = row == 0 ? form.Image1(k) : form.Image2(k);
                forms::Panel3D* panel = row == 0 ? form.Panel3D3(k) : form.Panel3D4(k);
                QCOMPARE(picture->Visible(), k < antal && typ[row] != 1);
                QCOMPARE(panel->Visible(), k < antal && typ[row] != 0);
                if (k >= antal)
                    continue;
                // A picture keeps its laid-out box whether shown or not.
                CHECK_BOX(picture, e.picture[row][k]);
                if (typ[row] == 1) {
                    const Box p = e.picture[row][k];
                    CHECK_BOX(panel, (Box{p.left, p.top, square, square}));
                    QCOMPARE(panel->FontSize(), antal == 3 ? 20.0 : 16.0);
                    QVERIFY(!panel->FontBold());
                } else if (typ[row] != 0) {
                    CHECK_BOX(panel, e.panel[row][k]);
                    QCOMPARE(panel->FontSize(), 24.27);
                    QVERIFY(panel->FontBold());
                }
            }
        }
        CHECK_BOX(form.Shape1, e.frame);
        QVERIFY(form.Shape1->Visible());
        QCOMPARE(form.plats, qint16(0));
    }

    void threeCardsOnScreen()
    {
        Game game(3);
        QCOMPARE(game.failure, QString());
        QCOMPARE(game.form.Image1(0)->geometry(), QRect(32, 29, 150, 150));
        QCOMPARE(game.form.Image2(2)->geometry(), QRect(396, 29, 150, 150));
        QCOMPARE(game.form.Panel3D3(1)->geometry(), QRect(251, 169, 73, 17));
        QCOMPARE(game.form.Shape1->geometry(), QRect(22, 19, 171, 171));  // 32…182 × 29…179 and 10 around
    }

    void pictureOnlyRowShowsEmptyPictureBoxes()
    {
        CardFolder folder;
        folder.writeIni(cardFile(3, 0, 0, {"", "", "a", "b", "", "", "c", "d", "", "", "e", "f"}));
        Form1 form;
        QCOMPARE(loadFailure(form), QString());
        for (int k = 0; k < 3; ++k) {
            QVERIFY(form.Image1(k)->Visible() && !form.Image1(k)->hasPicture());
            QVERIFY(form.Image2(k)->Visible() && !form.Panel3D4(k)->Visible());
        }
    }

    // What the learner sees: the frame's band lies around the marked card and below the text
    // panels, so the card's word and square stay whole, in a row of pictures with texts and
    // in a row of texts alone.
    void frameLiesAroundTheCardBelowItsWord_data()
    {
        QTest::addColumn<int>("typOvre");
        QTest::newRow("text and picture") << 2;
        QTest::newRow("text only") << 1;
    }
    void frameLiesAroundTheCardBelowItsWord()
    {
        QFETCH(int, typOvre);
        Game game(3, typOvre, 2);
        QCOMPARE(game.failure, QString());
        const QImage shot = game.form.Panel3D1->grab().toImage();
        auto redIn = [&shot](const QRect& r) {
            int red = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    red += shot.pixelColor(x, y) == QColor(255, 0, 0);
            return red;
        };
        const QRect card = typOvre == 1 ? game.form.Panel3D3(0)->geometry() : game.form.Image1(0)->geometry();
        QCOMPARE(redIn(card), 0);
        QCOMPARE(redIn(game.form.Panel3D3(0)->geometry()), 0);
        // Red on all four sides, beside the ends of a text panel that stands across the edge.
        const QPoint c = card.center();
        for (const QPoint& outside : {QPoint(c.x(), card.top() - 5), QPoint(card.left() - 5, c.y()),
                                      QPoint(card.right() + 6, c.y()), QPoint(card.left() + 5, card.bottom() + 6)})
            QCOMPARE(shot.pixelColor(outside), QColor(255, 0, 0));
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
