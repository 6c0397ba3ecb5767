#pragma once

// The supervisor tool's window for its tests: started the way the program starts it, in a
// CardFolder, and driven by the clicks and keys a supervisor makes.

#include "tests/support/TestSupport.h"

#include "app/Program.h"
#include "forms/PictureButton.h"
#include "forms/FileList.h"
#include "forms/PictureBox.h"
#include "forms/ListBox.h"
#include "forms/OptionButton.h"
#include "forms/Panel.h"
#include "forms/TextBox.h"
#include "supervisor/SupervisorWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <memory>

namespace supervisortest {

using supervisor::SupervisorWindow;

// The window's controls by their design names.
inline forms::ListBox* list(const QWidget& w, int k) { return control<forms::ListBox>(w, QStringLiteral("List1(%1)").arg(k)); }
inline forms::FileList* files(const QWidget& w, int p) { return control<forms::FileList>(w, QStringLiteral("File1(%1)").arg(p)); }
inline forms::TextBox* textBox(const QWidget& w, int p) { return control<forms::TextBox>(w, QStringLiteral("Text1(%1)").arg(p)); }
inline forms::PictureBox* preview(const QWidget& w, int p) { return control<forms::PictureBox>(w, QStringLiteral("Image3(%1)").arg(p)); }
inline forms::OptionButton* countOption(const QWidget& w, int i) { return control<forms::OptionButton>(w, QStringLiteral("Option3D1(%1)").arg(i)); }
inline forms::OptionButton* displayOption(const QWidget& w, int i) { return control<forms::OptionButton>(w, QStringLiteral("SSOption1(%1)").arg(i)); }
inline forms::Panel* panel(const QWidget& w, const char* name) { return control<forms::Panel>(w, QLatin1String(name)); }
inline QWidget* widget(const QWidget& w, const char* name) { return control(w, QLatin1String(name)); }

// The window after its load handler, as the program has it before showing it.
inline std::unique_ptr<SupervisorWindow> loadForm()
{
    app::resetEnded();
    auto form = std::make_unique<SupervisorWindow>();
    form->load();
    return form;
}

// The window loaded and shown, ready for clicks.
inline std::unique_ptr<SupervisorWindow> startForm()
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
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
}

inline void doubleClickRow(forms::ListBox* list, int row)
{
    clickRow(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
}

// The row of a file list that shows `name`; -1 when it is not offered.
inline int fileRow(forms::FileList* files, const QString& name)
{
    return int(files->rows().indexOf(name));
}

// Chooses a file by a double-click on its row of the file list of page p.
inline void chooseFile(const QWidget& form, int p, const QString& name)
{
    const int row = fileRow(files(form, p), name);
    if (row < 0)
        qFatal("chooseFile: %s is not offered", qPrintable(name));
    doubleClickRow(files(form, p), row);
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
inline void addText(const QWidget& form, int p, const QString& text)
{
    textBox(form, p)->clear();
    typeText(textBox(form, p), text);
    click(control(form, QStringLiteral("SSCommand2(%1)").arg(p)));
}

} // namespace supervisortest
