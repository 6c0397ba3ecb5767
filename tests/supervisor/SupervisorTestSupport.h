#pragma once

// Windows and clicks for the supervisor tool's tests: a window started the way the program
// starts it, in a CardFolder, and driven by the clicks and keys a supervisor makes.

#include "tests/support/TestSupport.h"

#include "app/Program.h"
#include "supervisor/Form1.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <memory>

namespace supervisortest {

// The window after its load handler, as the program has it before showing it.
inline std::unique_ptr<supervisor::Form1> loadForm()
{
    app::resetEnded();
    auto form = std::make_unique<supervisor::Form1>();
    form->load();
    return form;
}

// The window loaded and shown, ready for clicks.
inline std::unique_ptr<supervisor::Form1> startForm()
{
    auto form = loadForm();
    forms::showCentred(form.get());
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("startForm: the window was not shown");
    return form;
}

// A click on a row of a list box; a click and then a double-click on it, as a user
// double-clicks a row.
inline void clickRow(forms::ListBox* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

inline void doubleClickRow(forms::ListBox* list, int row)
{
    clickRow(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// The row of a file list that shows `name`; -1 when it is not offered.
inline int fileRow(forms::FileList* files, const QString& name)
{
    return int(files->rows().indexOf(name));
}

// Chooses a file by a double-click on its row of the file list of page p.
inline void chooseFile(supervisor::Form1& form, int p, const QString& name)
{
    const int row = fileRow(form.File1(p), name);
    if (row < 0)
        qFatal("chooseFile: %s is not offered", qPrintable(name));
    doubleClickRow(form.File1(p), row);
}

// Types a text key by key, each key carrying its character, as a keyboard sends it.
inline void typeText(QWidget* box, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &release);
    }
}

// Types a text into the emptied text box of page p and presses "Lägg till text".
inline void addText(supervisor::Form1& form, int p, const QString& text)
{
    form.Text1(p)->clear();
    typeText(form.Text1(p), text);
    click(form.SSCommand2(p));
}

inline QList<qint16> counters(const supervisor::Form1& form)
{
    return {form.antal_rader(0), form.antal_rader(1), form.antal_rader(2), form.antal_rader(3)};
}

} // namespace supervisortest
