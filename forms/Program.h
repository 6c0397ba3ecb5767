#pragma once

#include "runtime/Error.h"

#include <QApplication>
#include <QString>
#include <functional>

class QWidget;

namespace forms {

// Runs an event handler; a failure inside it ends the program with its message.
void dispatch(const std::function<void()>& handler);

// Shows a Swedish error message (a message box and the same text on standard error)
// and ends the process with a non-zero status.
[[noreturn]] void fail(const QString& message);

// Ends the program at once, with status 0: every window goes, no unload handler runs,
// and no further handler is taken from the event loop.
void endProgram();
bool programEnded();
void resetProgramEnded();

// Places a top-level window in the centre of its screen and shows it; this needs no
// window manager.
void showCentred(QWidget* window);

// Names the application and installs Qt's own Swedish texts (context menus, dialog
// buttons); both programs speak Swedish whatever the system's language.
void prepareApplication(const QString& programName);

// The standard start of both programs: the application, the form, its load handler,
// then the form shown centred. A failure during loading ends the program before the
// form is shown.
template <class Form>
int run(int argc, char** argv, const QString& programName)
{
    QApplication app(argc, argv);
    prepareApplication(programName);
    Form form;
    try {
        form.Form_Load();
    } catch (const runtime::Error& e) {
        fail(e.message());
    } catch (const std::exception& e) {
        fail(QString::fromUtf8(e.what()));
    }
    showCentred(&form);
    return QApplication::exec();
}

} // namespace forms
