#include "forms/Backdrop.h"

#include "forms/Pressable.h"
#include "forms/Twips.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace forms {

Backdrop::Backdrop()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form2"));
    setScreenPixels(this);
    setWindowTitle(QString());
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
    resize(toPixels(4680), toPixels(3195));
}

void Backdrop::showOverScreen()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
    show();
    setWindowState(windowState() | Qt::WindowMaximized);
    if (screen)
        setGeometry(screen->geometry());
}

void Backdrop::unload()
{
    close();
    deleteLater();
}

} // namespace forms
