#include "app/Program.h"

#include "pictures/Picture.h"
#include "runtime/Error.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace app {

namespace {

bool ended = false;
MessageShower shower;
std::function<bool()> leftRunning;

void showMessageBox(const QString& message)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message, QMessageBox::Ok);
    box.exec();
}

void end(int status)
{
    ended = true;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(status);
}

} // namespace

void prepare(const QString& programName)
{
    QCoreApplication::setApplicationName(programName);
    pictures::limitPictureMemory();
    // No display name: the window system would add it to every window caption. Message
    // boxes still show the program name, as the display name falls back to it.
    QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Swedish), QStringLiteral("qt"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

void setMessageShower(MessageShower replacement)
{
    shower = std::move(replacement);
}

void fail(const QString& message, const QString& standardErrorPrefix)
{
    // Standard error first: it is there even if no window can be shown.
    std::fprintf(stderr, "%s%s\n", standardErrorPrefix.toLocal8Bit().constData(), message.toLocal8Bit().constData());
    std::fflush(stderr);
    if (shower)
        shower(message);
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        showMessageBox(message);
    end(1);
}

void quit()
{
    end(0);
}

bool hasEnded()
{
    return ended;
}

void resetEnded()
{
    ended = false;
}

void setLeftRunning(std::function<bool()> replacement)
{
    leftRunning = std::move(replacement);
}

int leave(int status)
{
    if (!leftRunning || !leftRunning())
        return status;
    std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
    std::_Exit(status);
}

bool handle(const std::function<void()>& handler)
{
    if (ended)
        return false;
    try {
        handler();
        return true;
    } catch (const runtime::Error& e) {
        fail(e.message());
    } catch (const std::exception& e) {
        fail(QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace app
