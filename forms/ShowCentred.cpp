#include "forms/ShowCentred.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace forms {

void showCentred(QWidget* window)
{
    auto centre = [window] {
        QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        if (!screen)
            return;
        const QRect frame = window->frameGeometry();
        QRect placed(QPoint(), frame.size());
        placed.moveCenter(screen->geometry().center());
        window->move(placed.topLeft());
    };
    centre();
    window->show();
    // Once shown, the frame that a window manager adds is known.
    centre();
    window->raise();
    window->activateWindow();
}

} // namespace forms
