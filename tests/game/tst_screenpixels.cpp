// Where a screen reader, a magnifier or mouse review is told the game's controls are, with the
// game scaled to fill a large screen: in the screen's own pixels, as the X server has them.

#include "tests/game/GameTestSupport.h"
#include "tests/support/ProgramRun.h"

#include "forms/PictureButton.h"

#include <QAccessible>
#include <QApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

using namespace gametest;

namespace {

// The window's place on the screen as the X server keeps it.
QRect serverRect(QWidget* window)
{
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const auto id = xcb_window_t(window->winId());
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> g(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr), &free);
    std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&free)> at(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, g->root, 0, 0), nullptr), &free);
    const QRect rect(at->dst_x, at->dst_y, g->width, g->height);
    xcb_disconnect(c);
    return rect;
}

QRect told(QWidget* w)
{
    return QAccessible::queryAccessibleInterface(w)->rect();
}

} // namespace

class ScreenPixelsTest : public QObject {
    Q_OBJECT

private slots:
    void placesAreTheScreens()
    {
        Game game(5);
        QVERIFY(game.failure.isEmpty());
        QVERIFY(game.show());
        QTRY_COMPARE(told(&game.window), serverRect(&game.window));

        const QRect window = told(&game.window);
        auto* stop = control<forms::PictureButton>(game.window, QStringLiteral("Command3D2"));
        QCOMPARE(QAccessible::queryAccessibleInterface(stop)->text(QAccessible::Name), QStringLiteral("Sluta"));
        for (QWidget* w : {static_cast<QWidget*>(game.upperPicture(0)), static_cast<QWidget*>(game.lowerPicture(4)),
                           static_cast<QWidget*>(stop)}) {
            const QRect r = told(w);
            QVERIFY2(window.contains(r), qPrintable(w->objectName()));
            QCOMPARE(r.size(), w->size() * 2);
            QCOMPARE(r.topLeft() - window.topLeft(), w->mapTo(&game.window, QPoint()) * 2);
        }
    }
};

int main(int argc, char** argv)
{
    // A screen twice the window's size at a scale of 2, so that the window stands clear of its
    // corner; on a display of its own, since the place is the X server's.
    QProcess server;
    qputenv("DISPLAY", startXvfb(server, QSize(2600, 2000)).toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("QT_SCALE_FACTOR", "2");
    int status = 0;
    {
        QApplication application(argc, argv);
        ScreenPixelsTest test;
        status = QTest::qExec(&test, argc, argv);
    }
    server.terminate();
    server.waitForFinished();
    return status;
}

#include "tst_screenpixels.moc"
