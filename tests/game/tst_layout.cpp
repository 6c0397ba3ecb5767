#include "GameTestSupport.h"

#include "game/StopSign.h"

#include "forms/Program.h"

#include <QTest>

using namespace gametest;
using game::Form1;

namespace {

struct Box {
    float left, top, width, height;
};

QString describe(const forms::Geometry* g)
{
    return QStringLiteral("%1, %2, %3 × %4").arg(g->Left()).arg(g->Top()).arg(g->Width()).arg(g->Height());
}

bool sameBox(const forms::Geometry* g, Box b)
{
    return g->Left() == b.left && g->Top() == b.top && g->Width() == b.width && g->Height() == b.height;
}

#define CHECK_BOX(control, ...)                                                                      \
    QVERIFY2(sameBox(control, Box{__VA_ARGS__}),                                                     \
             qPrintable(QStringLiteral("%1 at %2").arg((control)->objectName(), describe(control))))

// Where the cards of a count stand once laid out, before the display modes: the tables of
// the layout, written out independently of the code that makes it.
struct Expected {
    int shown;
    Box picture[2][10];  // [upper/lower][slot]
    Box panel[2][10];
    Box frame;
};

Expected expectedLayout(int antal)
{
    Expected e{};
    e.shown = qMin(antal, 10);
    for (int row = 0; row < 2; ++row) {
        for (int k = 0; k < 10; ++k) {
            const float c = float(k % 5);
            const bool second = k >= 5;
            e.picture[row][k] = {360 + 1680 * c, second ? (row == 0 ? 1920.0f : 1800.0f) : 240.0f, 1335, 1335};
            e.panel[row][k] = {480 + 1680 * c, second ? (row == 0 ? 3120.0f : 3000.0f) : 1440.0f, 1095, 255};
        }
    }
    e.frame = {370, 240, 1335, 1335};
    if (antal == 5) {
        for (int row = 0; row < 2; ++row) {
            for (int k = 0; k < 5; ++k) {
                e.picture[row][k].top = 1040;
                e.panel[row][k].top = 2240;
            }
        }
        e.frame = {370, 1040, 1335, 1335};
    }
    if (antal == 3) {
        const float lefts[] = {480, 3210, 5940};
        const float panelLefts[] = {1040, 3770, 6500};
        for (int row = 0; row < 2; ++row) {
            for (int k = 0; k < 3; ++k) {
                e.picture[row][k] = {lefts[k], 440, 2250, 2250};
                e.panel[row][k] = {panelLefts[k], 2540, 1095, 255};
            }
        }
        e.frame = {490, 440, 2250, 2250};
    }
    return e;
}

QColor pixel(QWidget* w, QPoint p)
{
    return w->grab().toImage().pixelColor(p);
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { forms::resetProgramEnded(); }

    void windowAsDesigned()
    {
        Form1 form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Välj rätt kort."));
        QCOMPARE(form.size(), QSize(642, 459));  // 9630 × 6885 twips
        CHECK_BOX(form.Panel3D1, 0, 0, 9615, 3495);
        CHECK_BOX(form.Panel3D2, 0, 3490, 9615, 3400);
        QCOMPARE(form.Panel3D1->background(), QColor(128, 255, 255));
        QCOMPARE(form.Panel3D2->background(), QColor(255, 255, 128));
        QCOMPARE(form.Panel3D1->bevel(), forms::Panel3D::Bevel::Raised);
        QVERIFY(form.Panel3D1->Caption().isEmpty());

        CHECK_BOX(form.Command3D2, 8640, 120, 840, 1020);
        QCOMPARE(form.Command3D2->parentWidget(), form.Panel3D1);
        QCOMPARE(form.Command3D2->Caption(), QStringLiteral("Sluta"));
        QCOMPARE(form.Command3D2->font().pointSizeF(), 9.75);
        QVERIFY(form.Command3D2->font().bold());
        QCOMPARE(form.Command3D2->picture().size(), QSize(31, 30));

        QCOMPARE(form.Shape1->borderColour(), QColor(255, 0, 0));
        QCOMPARE(form.Shape1->borderWidth(), 10);
        CHECK_BOX(form.Shape1, 360, 240, 1335, 1335);

        for (int k = 0; k < 10; ++k) {
            QCOMPARE(form.Image1(k)->objectName(), QStringLiteral("Image1(%1)").arg(k));
            QCOMPARE(form.Panel3D4(k)->objectName(), QStringLiteral("Panel3D4(%1)").arg(k));
            QCOMPARE(form.Image1(k)->parentWidget(), form.Panel3D1);
            QCOMPARE(form.Panel3D3(k)->parentWidget(), form.Panel3D1);
            QCOMPARE(form.Image2(k)->parentWidget(), form.Panel3D2);
            QCOMPARE(form.Panel3D4(k)->parentWidget(), form.Panel3D2);
            const QFont f = form.Panel3D3(k)->captionFont();
            QCOMPARE(f.pointSizeF(), 24.27);
            QVERIFY(f.bold());
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
        QCOMPARE(sign.pixelColor(0, 0), QColor(192, 192, 192));        // background in the corners
        QCOMPARE(sign.pixelColor(15, 0), QColor(0, 0, 0));             // outline
        QCOMPARE(sign.pixelColor(15, 4), QColor(255, 0, 0));           // red face
        QCOMPARE(sign.pixelColor(0, 15), QColor(0, 0, 0));
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

    void layoutForEachCount_data()
    {
        QTest::addColumn<int>("antal");
        QTest::newRow("10 cards") << 10;
        QTest::newRow("5 cards") << 5;
        QTest::newRow("3 cards") << 3;
        QTest::newRow("4 cards keep the design positions") << 4;
    }
    void layoutForEachCount()
    {
        QFETCH(int, antal);
        CardFolder folder;
        folder.writeStandard(antal, 2, 2);
        Form1 form;
        QCOMPARE(loadFailure(form), QString());

        const Expected e = expectedLayout(antal);
        for (int k = 0; k < 10; ++k) {
            forms::Image* pictures[2] = {form.Image1(k), form.Image2(k)};
            forms::Panel3D* panels[2] = {form.Panel3D3(k), form.Panel3D4(k)};
            for (int row = 0; row < 2; ++row) {
                QCOMPARE(pictures[row]->Visible(), k < e.shown);
                QCOMPARE(panels[row]->Visible(), k < e.shown);
                if (k < e.shown) {
                    const Box p = e.picture[row][k];
                    const Box t = e.panel[row][k];
                    CHECK_BOX(pictures[row], p.left, p.top, p.width, p.height);
                    CHECK_BOX(panels[row], t.left, t.top, t.width, t.height);
                }
            }
        }
        CHECK_BOX(form.Shape1, e.frame.left, e.frame.top, e.frame.width, e.frame.height);
        QVERIFY(form.Shape1->Visible());
        QCOMPARE(form.plats, qint16(0));
    }

    void threeCardsOnScreen()
    {
        CardFolder folder;
        folder.writeStandard(3);
        Form1 form;
        QCOMPARE(loadFailure(form), QString());
        QCOMPARE(form.Image1(0)->geometry(), QRect(32, 29, 150, 150));
        QCOMPARE(form.Image2(2)->geometry(), QRect(396, 29, 150, 150));
        QCOMPARE(form.Panel3D3(1)->geometry(), QRect(251, 169, 73, 17));
        QCOMPARE(form.Shape1->geometry(), QRect(33, 29, 150, 150));
    }

    void displayModes_data()
    {
        QTest::addColumn<int>("antal");
        QTest::addColumn<int>("typOvre");
        QTest::addColumn<int>("typUndre");
        QTest::newRow("3 cards, upper text only, lower both") << 3 << 1 << 2;
        QTest::newRow("10 cards, upper pictures only, lower text only") << 10 << 0 << 1;
        QTest::newRow("5 cards, both rows text only") << 5 << 1 << 1;
        QTest::newRow("5 cards, lower pictures only, upper unknown code") << 5 << 7 << 0;
    }
    void displayModes()
    {
        QFETCH(int, antal);
        QFETCH(int, typOvre);
        QFETCH(int, typUndre);
        CardFolder folder;
        folder.writeStandard(antal, typOvre, typUndre);
        Form1 form;
        QCOMPARE(loadFailure(form), QString());

        const Expected e = expectedLayout(antal);
        const int typ[2] = {typOvre, typUndre};
        const float square = antal == 3 ? 2250 : 1335;
        for (int row = 0; row < 2; ++row) {
            for (int k = 0; k < antal; ++k) {
                forms::Image* picture = row == 0 ? form.Image1(k) : form.Image2(k);
                forms::Panel3D* panel = row == 0 ? form.Panel3D3(k) : form.Panel3D4(k);
                const Box p = e.picture[row][k];
                // A picture keeps its laid-out box whether shown or not.
                CHECK_BOX(picture, p.left, p.top, p.width, p.height);
                if (typ[row] == 0) {
                    QVERIFY(picture->Visible());
                    QVERIFY(!panel->Visible());
                } else if (typ[row] == 1) {
                    QVERIFY(!picture->Visible());
                    QVERIFY(panel->Visible());
                    CHECK_BOX(panel, p.left, p.top, square, square);
                    QCOMPARE(panel->FontSize(), antal == 3 ? 20.0 : 16.0);
                    QVERIFY(!panel->FontBold());
                } else {
                    QVERIFY(picture->Visible());
                    QVERIFY(panel->Visible());
                    const Box t = e.panel[row][k];
                    CHECK_BOX(panel, t.left, t.top, t.width, t.height);
                    QCOMPARE(panel->FontSize(), 24.27);
                    QVERIFY(panel->FontBold());
                }
            }
            for (int k = antal; k < 10; ++k) {
                QVERIFY(!(row == 0 ? form.Image1(k) : form.Image2(k))->Visible());
                QVERIFY(!(row == 0 ? form.Panel3D3(k) : form.Panel3D4(k))->Visible());
            }
        }
        CHECK_BOX(form.Shape1, e.frame.left, e.frame.top, e.frame.width, e.frame.height);
    }

    void pictureOnlyRowShowsEmptyPictureBoxes()
    {
        CardFolder folder;
        folder.writeIni(cardFile(3, 0, 0, {{"", "", "a", "b"}, {"", "", "c", "d"}, {"", "", "e", "f"}}));
        Form1 form;
        QCOMPARE(loadFailure(form), QString());
        for (int k = 0; k < 3; ++k) {
            QVERIFY(form.Image1(k)->Visible() && !form.Image1(k)->hasPicture());
            QVERIFY(form.Image2(k)->Visible() && !form.Panel3D4(k)->Visible());
        }
    }

    // What the learner sees: the text panels lie over the pictures, and the frame over
    // both, also when the upper row shows texts only.
    void stackingOnScreen()
    {
        {
            CardFolder folder;
            folder.writeIni(cardFile(5, 2, 2, {{"a.bmp", "", "", ""}, {"b.bmp", "", "", ""},
                                               {"", "", "", ""}, {"", "", "", ""}, {"", "", "", ""}}));
            folder.picture(QStringLiteral("a.bmp"), QColor(0, 0, 255));
            folder.picture(QStringLiteral("b.bmp"), QColor(0, 0, 255));
            Form1 form;
            QCOMPARE(loadFailure(form), QString());
            // Card 1: its panel (2160…3255, 2240…2495) across its picture's lower edge (…2375).
            QCOMPARE(pixel(form.Panel3D1, QPoint(2700 / 15, 2300 / 15)), QColor(255, 255, 255));
            QCOMPARE(pixel(form.Panel3D1, QPoint(2700 / 15, 1700 / 15)), QColor(0, 0, 255));
            // The frame around card 0 lies over its picture.
            QCOMPARE(pixel(form.Panel3D1, QPoint(380 / 15 + 2, 1700 / 15)), QColor(255, 0, 0));
        }
        {
            CardFolder folder;
            folder.writeStandard(3, 1, 2);
            Form1 form;
            QCOMPARE(loadFailure(form), QString());
            // Text-only card 0 fills 480…2730 × 440…2690; the frame's 10 pixels show on it.
            const QRect frame = form.Shape1->geometry();
            QCOMPARE(pixel(form.Panel3D1, frame.topLeft() + QPoint(3, frame.height() / 2)), QColor(255, 0, 0));
            QCOMPARE(pixel(form.Panel3D1, frame.bottomRight() - QPoint(frame.width() / 2, 3)), QColor(255, 0, 0));
            QCOMPARE(pixel(form.Panel3D1, frame.center() + QPoint(0, 30)), QColor(255, 255, 255));
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
