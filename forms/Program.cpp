#include "forms/Program.h"

#include "forms/Image.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace forms {

namespace {
bool ended = false;
}

void prepareApplication(const QString& programName)
{
    QCoreApplication::setApplicationName(programName);
    limitPictureMemory();
    // No display name: the window system would add it to every window caption. Message
    // boxes still show the program name, as the display name falls back to it.
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Swedish), QStringLiteral("qt"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

void dispatch(const std::function<void()>& handler)
{
    if (!handler || ended)
        return;
    try {
        handler();
    } catch (const runtime::Error& e) {
        fail(e.message());
    } catch (const std::exception& e) {
        fail(QString::fromUtf8(e.what()));
    }
}

void fail(const QString& message)
{
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    if (qobject_cast<QApplication*>(QCoreApplication::instance())
        && QGuiApplication::platformName() != QLatin1String("offscreen")
        && QGuiApplication::platformName() != QLatin1String("minimal")) {
        QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message,
                        QMessageBox::Ok);
        box.exec();
    }
    std::exit(1);
}

void endProgram()
{
    ended = true;
    for (QWidget* w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}

bool programEnded()
{
    return ended;
}

void resetProgramEnded()
{
    ended = false;
}

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
