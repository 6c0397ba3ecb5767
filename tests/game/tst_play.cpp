#include "tests/game/GameTestSupport.h"

#include <QTimer>

using namespace gametest;
using game::Form1;

namespace {

// Everything a click could change: plats and every card control's box and visibility.
QStringList snapshot(const Form1& form)
{
    QStringList s{QStringLiteral("plats %1").arg(form.plats)};
    auto add = [&s](const auto* w) {
        s << QStringLiteral("%1 %2 %3 %4 %5 %6")
                 .arg(w->objectName())
                 .arg(w->Left())
                 .arg(w->Top())
                 .arg(w->Width())
                 .arg(w->Height())
                 .arg(w->Visible());
    };
    for (int k = 0; k < 10; ++k) {
        add(form.Image1(k));
        add(form.Panel3D3(k));
        add(form.Image2(k));
        add(form.Panel3D4(k));
    }
    add(form.Shape1);
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
    void init() { app::resetEnded(); }
    void cleanup() { app::resetEnded(); }

    void wholeGameByClicks_data()
    {
        addSetColumns();
        QTest::newRow("3 cards, texts over pictures, pictures only below") << 3 << 1 << 0;
        QTest::newRow("5 cards, both shown in both rows") << 5 << 2 << 2;
        QTest::newRow("10 cards, pictures over texts") << 10 << 0 << 1;
        QTest::newRow("10 cards, texts over both") << 10 << 1 << 2;
        QTest::newRow("1 card") << 1 << 2 << 2;
    }
    void wholeGameByClicks()
    {
        FETCH_SET;
        Game game(antal, typOvre, typUndre);
        QCOMPARE(game.failure, QString());
        QVERIFY(game.show());
        Form1& form = game.form;
        const float size = form.Shape1->Width();

        for (int p = 0; p < antal; ++p) {
            // The frame stands, and is drawn, 10 twips right of upper card p; with 10 cards
            // it walks to the second line after card 4.
            QCOMPARE(form.plats, qint16(p));
            QVERIFY(form.Shape1->isVisibleTo(&form));
            QCOMPARE(form.Shape1->Top(), form.Image1(p)->Top());
            QCOMPARE(form.Shape1->Left(), form.Image1(p)->Left() + 10);
            if (antal == 10)
                QCOMPARE(form.Shape1->Top(), p < 5 ? 240.0f : 1920.0f);
            const QRect frame = form.Shape1->geometry();
            QCOMPARE(form.Panel3D1->grab().toImage().pixelColor(frame.topLeft() + QPoint(2, 40)), QColor(255, 0, 0));
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
            QVERIFY(!app::hasEnded());

            QWidget* target = lowerTarget(form, right, typUndre, p);
            QCOMPARE(form.childAt(target->mapTo(&form, target->rect().center())), target);
            click(target);

            for (QWidget* gone : {static_cast<QWidget*>(form.Image1(p)), static_cast<QWidget*>(form.Panel3D3(p)),
                                  static_cast<QWidget*>(form.Image2(right)), static_cast<QWidget*>(form.Panel3D4(right))})
                QVERIFY2(!gone->isVisibleTo(&form), qPrintable(gone->objectName()));
            QCOMPARE(form.Shape1->Width(), size);
            QCOMPARE(form.Shape1->Height(), size);
            QCOMPARE(app::hasEnded(), p + 1 == antal);
        }
        QCOMPARE(form.plats, qint16(antal));
        QVERIFY(form.Form2);  // ended at once: no unload handler ran
    }

    void slutaEndsAtOnceWithoutUnload()
    {
        Game game(5);
        QVERIFY(game.failure.isEmpty() && game.show());
        click(game.form.Command3D2);
        QVERIFY(app::hasEnded());
        QVERIFY(!game.form.isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(game.form.Form2);
        QCOMPARE(game.form.plats, qint16(0));
        // Nothing is taken from the event loop after the end.
        click(game.form.Image2(game.form.ordning(0)));
        QCOMPARE(game.form.plats, qint16(0));
    }

    void closingTheWindowUnloadsTheBackdrop()
    {
        Game game(3);
        QVERIFY(game.failure.isEmpty() && game.show());
        Form1& form = game.form;
        QVERIFY(form.Form2 && form.Form2->isVisible());
        // Closed from the event loop, the window takes the backdrop with it and, with no
        // window left, the program ends with status 0.
        QTimer::singleShot(0, &form, [&form] { form.close(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form.Form2);
        QVERIFY(!form.isVisible());
        QVERIFY(!app::hasEnded());
    }
};

QTEST_MAIN(PlayTest)
#include "tst_play.moc"
