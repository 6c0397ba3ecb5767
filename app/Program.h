#pragma once

#include "forms/ShowCentred.h"

#include <QApplication>
#include <QObject>
#include <QString>
#include <functional>
#include <type_traits>

namespace app {

// Names the application, limits the memory a picture may take, and installs Qt's own Swedish
// texts (context menus, dialog buttons): both programs speak Swedish whatever the system's
// language.
void prepare(const QString& programName);

// What puts a failure's message in front of the user, who may never see standard error: a
// message box that waits for OK. A test puts its own in its place; an empty one restores the
// box.
using MessageShower = std::function<void(const QString& message)>;
void setMessageShower(MessageShower shower);

// The one road a failure takes out of a program: its Swedish message goes to standard error
// (after the prefix), then in front of the user where there is an application to show it,
// and the program ends with status 1.
void fail(const QString& message, const QString& standardErrorPrefix = {});

// Ends the program at once with status 0: every window goes, no close handler runs, and no
// further handler is taken from the event loop.
void quit();
bool hasEnded();
// For a process that runs a program's window more than once, such as a test.
void resetEnded();

// Whether work of the program's own is still running when it ends, such as sound stuck in its
// service. The process then ends without the libraries' destructors, which would wait for it.
void setLeftRunning(std::function<bool()> leftRunning);
// The program's end once its window is gone: returns `status`, or ends the process with it
// where work is left running.
int leave(int status);

// Runs an event handler. A failure inside it ends the program through fail(); once the
// program has ended, no handler runs. Returns whether the handler ran to its end.
bool handle(const std::function<void()>& handler);

// Runs `handler` through handle() on every emission of the sender's signal. The handler may
// take the signal's arguments or none.
template <class Sender, class Signal, class Handler>
void onSignal(Sender* sender, Signal signal, const QObject* context, Handler handler)
{
    QObject::connect(sender, signal, context, [handler](auto&&... args) {
        handle([&] {
            if constexpr (std::is_invocable_v<Handler, decltype(args)...>)
                handler(args...);
            else
                handler();
        });
    });
}

// The start of both programs: the application, the window, its load handler, then the window
// shown in the middle of the screen. A failure while loading ends the program before the
// window is shown.
template <class Window>
int run(int argc, char** argv, const QString& programName)
{
    int status = 1;
    {
        QApplication application(argc, argv);
        prepare(programName);
        Window window;
        if (handle([&window] { window.load(); })) {
            forms::showCentred(&window);
            status = QApplication::exec();
        }
    }
    return leave(status);
}

} // namespace app
