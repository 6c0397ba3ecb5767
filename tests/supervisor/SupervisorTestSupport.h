#pragma once

// Card-set folders and clicks for the supervisor tool's tests: a temporary folder made the
// current directory, holding a kortvy.ini of exact bytes and real pictures, and a window
// started from it the way the program starts it.

#include "TestSupport.h"

#include "forms/Program.h"
#include "settings/Windows1252.h"
#include "supervisor/Form1.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QList>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <exception>
#include <memory>

namespace supervisortest {

// One value a line, CR LF after each, Windows-1252 bytes.
inline QByteArray iniLines(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += settings::encodeWindows1252(line) + "\r\n";
    return bytes;
}

inline QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// A card-set file: count, upper type, lower type, then the strings in file order (upper
// picture, lower picture, upper text, lower text of each card).
inline QByteArray cardFile(int antal, int typOvre, int typUndre, const QStringList& strings)
{
    QStringList lines{QString::number(antal), QString::number(typOvre), QString::number(typUndre)};
    for (const QString& s : strings)
        lines << quoted(s);
    return iniLines(lines);
}

// n cards whose four strings tell card and list apart: "bo0" upper picture of card 0,
// "bu0" lower picture, "to0" upper text, "tu0" lower text.
inline QStringList numberedStrings(int n)
{
    QStringList strings;
    for (int i = 0; i < n; ++i)
        strings << QStringLiteral("bo%1").arg(i) << QStringLiteral("bu%1").arg(i) << QStringLiteral("to%1").arg(i)
                << QStringLiteral("tu%1").arg(i);
    return strings;
}

// n cards with empty strings only.
inline QStringList emptyStrings(int n)
{
    return QStringList(4 * n, QString());
}

// The folder the tool starts in; it is the current directory for as long as it lives.
class CardFolder {
public:
    CardFolder()
        : before_(QDir::currentPath())
    {
        if (!dir_.isValid() || !QDir::setCurrent(dir_.path()))
            qFatal("CardFolder: no temporary folder");
    }
    ~CardFolder() { QDir::setCurrent(before_); }

    QString path() const { return dir_.path(); }
    QString iniPath() const { return dir_.filePath(QStringLiteral("kortvy.ini")); }
    void writeIni(const QByteArray& bytes) const { writeBytes(iniPath(), bytes); }
    QByteArray ini() const { return readBytes(iniPath()); }
    void picture(const QString& name, QColor colour = QColor(40, 80, 200), QSize size = QSize(24, 18)) const
    {
        writePicture(dir_.path(), name, size, colour);
    }
    // Every name in the folder, in code point order.
    QStringList entries() const
    {
        QStringList names = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    QString before_;
    QTemporaryDir dir_;
};

// The window after its load handler, as the program has it before showing it.
inline std::unique_ptr<supervisor::Form1> loadForm()
{
    forms::resetProgramEnded();
    auto form = std::make_unique<supervisor::Form1>();
    form->Form_Load();
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

// Runs the load handler of a new window and gives the message it fails with, or an
// empty text.
inline QString loadFailure()
{
    supervisor::Form1 form;
    try {
        form.Form_Load();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

// A left click at a point of a control, sent to its window as the window system sends it,
// so that it reaches whatever lies uppermost there.
inline void clickAt(QWidget* control, QPoint inControl)
{
    QWidget* window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, control->mapTo(window, inControl));
}

inline void click(QWidget* control)
{
    clickAt(control, control->rect().center());
}

// A click on a row of a list box, then a double-click on it, as a user chooses a row.
inline void clickRow(forms::ListBox* list, int row)
{
    const QPoint centre = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
}

inline void doubleClickRow(forms::ListBox* list, int row)
{
    const QPoint centre = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
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
