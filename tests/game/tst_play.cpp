#include "GameTestSupport.h"

#include "forms/Program.h"

#include <QTimer>
#include <QTest>

using namespace gametest;
using game::Form1;

namespace {

// Everything a click could change: plats and every card control's box and visibility.
QStringList snapshot(const Form1& form)
{
    QStringList s{QStringLiteral("plats %1").arg(form.plats)};
    auto add = [&s](const QWidget* w, const forms::Geometry* g) {
        s << QStringLiteral("%1 %2 %3 %4 %5 %6")
                 .arg(w->objectName())
                 .arg(g->Left())
                 .arg(g->Top())
                 .arg(g->Width())
                 .arg(g->Height())
                 .arg(g->Visible());
    };
    for (int k = 0; k < 10; ++k) {
        add(form.Image1(k), form.Image1(k));
        add(form.Panel3D3(k), form.Panel3D3(k));
        add(form.Image2(k), form.Image2(k));
        add(form.Panel3D4(k), form.Panel3D4(k));
    }
    add(form.Shape1, form.Shape1);
    return s;
}

// The visible control of lower slot `slot` that the learner clicks: its text panel in a
// text-only row, its picture in a picture-only row, alternately one or the other with both.
QWidget* lowerTarget(Form1& form, int slot, int typUndre, int turn)
{
    if (typUndre == 1)
        return form.Panel3D4(slot);
    if (typUndre == 0)
        return form.Image2(slot);
    return turn % 2 == 0 ? static_cast<QWidget*>(form.Image2(slot)) : form.Panel3D4(slot);
}

} // namespace

class PlayTest : public QObject {
    Q_OBJECT

private slots:
    void init() { forms::resetProgramEnded(); }
    void cleanup() { forms::resetProgramEnded(); }

    void wholeGameByClicks_data()
    {
        QTest::addColumn<int>("antal");
        QTest::addColumn<int>("typOvre");
        QTest::addColumn<int>("typUndre");
        QTest::newRow("3 cards, texts over pictures, pictures only below") << 3 << 1 << 0;
        QTest::newRow("5 cards, both shown in both rows") << 5 << 2 << 2;
        QTest::newRow("10 cards, pictures over texts") << 10 << 0 << 1;
        QTest::newRow("1 card") << 1 << 2 << 2;
    }
    void wholeGameByClicks()
    {
        QFETCH(int, antal);
        QFETCH(int, typOvre);
        QFETCH(int, typUndre);
        CardFolder folder;
        folder.writeStandard(antal, typOvre, typUndre);
        Form1 form;
        QCOMPARE(loadFailure(form), QString());
        QVERIFY(showGame(form));
        const float size = form.Shape1->Width();

        for (int p = 0; p < antal; ++p) {
            QCOMPARE(form.plats, qint16(p));
            QVERIFY(form.Shape1->Visible());
            QCOMPARE(form.Shape1->Top(), form.Image1(p)->Top());
            QCOMPARE(form.Shape1->Left(), form.Image1(p)->Left() + 10);
            const int right = form.ordning(p);

            // Wrong clicks: every other lower slot, shown or already removed, the framed
            // upper card and the areas change nothing.
            const QStringList before = snapshot(form);
            for (int slot = 0; slot < antal; ++slot) {
                if (slot != right)
                    click(lowerTarget(form, slot, typUndre, p));
            }
            click(typOvre == 1 ? static_cast<QWidget*>(form.Panel3D3(p)) : form.Image1(p));
            clickAt(form.Panel3D2, QPoint(3, 3));
            QCOMPARE(snapshot(form), before);
            QVERIFY(!forms::programEnded());

            QWidget* target = lowerTarget(form, right, typUndre, p);
            QCOMPARE(form.childAt(target->mapTo(&form, target->rect().center())), target);
            click(target);

            for (QWidget* gone : {static_cast<QWidget*>(form.Image1(p)), static_cast<QWidget*>(form.Panel3D3(p)),
                                  static_cast<QWidget*>(form.Image2(right)), static_cast<QWidget*>(form.Panel3D4(right))})
                QVERIFY2(!gone->isVisibleTo(&form), qPrintable(gone->objectName()));
            QCOMPARE(form.Shape1->Width(), size);
            QCOMPARE(form.Shape1->Height(), size);
            if (p + 1 < antal) {
                QVERIFY(!forms::programEnded());
                QCOMPARE(form.plats, qint16(p + 1));
                QVERIFY(form.Shape1->isVisibleTo(&form));
                QCOMPARE(form.Shape1->Top(), form.Image1(p + 1)->Top());
                QCOMPARE(form.Shape1->Left(), form.Image1(p + 1)->Left() + 10);
            }
        }
        QVERIFY(forms::programEnded());
        QCOMPARE(form.plats, qint16(antal));
        QVERIFY(form.Form2);  // ended at once: no unload handler ran
    }

    void frameWalksAlongTheRows()
    {
        CardFolder folder;
        folder.writeStandard(10, 1, 2);
        Form1 form;
        QCOMPARE(loadFailure(form), QString());
        QVERIFY(showGame(form));
        const float lefts[] = {370, 2050, 3730, 5410, 7090};
        for (int p = 0; p < 9; ++p) {
            click(form.Panel3D4(form.ordning(p)));
            const int next = p + 1;
            QCOMPARE(form.Shape1->Left(), lefts[next % 5]);
            QCOMPARE(form.Shape1->Top(), next < 5 ? 240.0f : 1920.0f);
        }
        // The frame is drawn where it stands, around the text-only upper card 9.
        const QRect frame = form.Shape1->geometry();
        QCOMPARE(form.Panel3D1->grab().toImage().pixelColor(frame.topLeft() + QPoint(2, 40)), QColor(255, 0, 0));
    }

    void slutaEndsAtOnceWithoutUnload()
    {
        CardFolder folder;
        folder.writeStandard(5);
        Form1 form;
        QCOMPARE(loadFailure(form), QString());
        QVERIFY(showGame(form));
        click(form.Command3D2);
        QVERIFY(forms::programEnded());
        QVERIFY(!form.isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(form.Form2);
        QCOMPARE(form.plats, qint16(0));
        // Nothing is taken from the event loop after the end.
        click(form.Image2(form.ordning(0)));
        QCOMPARE(form.plats, qint16(0));
    }

    void closingTheWindowUnloadsTheBackdrop()
    {
        CardFolder folder;
        folder.writeStandard(3);
        Form1 form;
        QCOMPARE(loadFailure(form), QString());
        QVERIFY(showGame(form));
        QVERIFY(form.Form2 && form.Form2->isVisible());
        // Closed from the event loop, the window takes the backdrop with it and, with no
        // window left, the program ends with status 0.
        QTimer::singleShot(0, &form, [&form] { form.close(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form.Form2);
        QVERIFY(!form.isVisible());
        QVERIFY(!forms::programEnded());
    }
};

QTEST_MAIN(PlayTest)
#include "tst_play.moc"
