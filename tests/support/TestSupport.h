#pragma once

#include <QByteArray>
#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>


// Writes a picture filled with one colour to dir/name and returns its absolute path. The
// format follows the name's extension: .gif through writeGif, anything else (.bmp, .jpg,
// .jpeg, .png) through QImage::save. Aborts the test program when the file cannot be written.
QString writePicture(const QString& dir, const QString& name, QSize size, QColor colour);

// Replaces the file with exactly these bytes, making missing folders. Aborts on failure.
void writeBytes(const QString& path, const QByteArray& bytes);

// The whole file; an empty array when the file is missing or cannot be read.
QByteArray readBytes(const QString& path);

// kortvy.ini as the supervisor tool writes it: one value a line, CR LF after each, texts
// quoted, Windows-1252 bytes (encoded here independently of the programs' own encoder).
QByteArray iniLines(const QStringList& lines);
QString quoted(const QString& text);

// A card-set file: count, upper type, lower type, then the strings in file order (upper
// picture, lower picture, upper text, lower text of each card).
QByteArray cardFile(int count, int upperDisplay, int lowerDisplay, const QStringList& strings);

// n cards whose four strings tell card and field apart: "bo0" upper picture of card 0,
// "bu0" lower picture, "to0" upper text, "tu0" lower text.
QStringList numberedStrings(int n);

// n cards with empty strings only.
QStringList emptyStrings(int n);

// prefix0 … prefix(n-1).
QStringList numbered(const QString& prefix, int n);

// The folder a program starts in: a temporary folder that is the current directory for
// as long as it lives.
class CardFolder {
public:
    CardFolder();
    ~CardFolder();
    CardFolder(const CardFolder&) = delete;
    CardFolder& operator=(const CardFolder&) = delete;

    QString path() const { return dir_.path(); }
    QString iniPath() const { return dir_.filePath(QStringLiteral("kortvy.ini")); }
    void writeIni(const QByteArray& bytes) const { writeBytes(iniPath(), bytes); }
    QByteArray ini() const { return readBytes(iniPath()); }
    void picture(const QString& name, QColor colour = QColor(40, 80, 200), QSize size = QSize(24, 18)) const
    {
        writePicture(dir_.path(), name, size, colour);
    }
    // Every name in the folder, in code point order.
    QStringList entries() const;

private:
    QString before_;
    QTemporaryDir dir_;
};

// A left click at a point of a control, sent to its window as the window system sends it,
// so that it reaches whatever lies uppermost there; click() aims at the control's centre.
void clickAt(QWidget* control, QPoint inControl);
void click(QWidget* control);

// The Alt letters that more than one shown button or label of the window answers to; Qt then
// only moves the focus between them at each press, and none is pressed.
QString sharedMnemonics(const QWidget& window);

// The control of a window with this object name; a missing one is a fault of the window.
template <class Control = QWidget>
Control* control(const QWidget& window, const QString& name)
{
    auto* found = window.findChild<Control*>(name);
    if (!found)
        qFatal("no control %s in %s", qPrintable(name), qPrintable(window.objectName()));
    return found;
}

// The dialog of this kind that the window has open, or null.
template <class Dialog>
Dialog* openDialog(QWidget* window)
{
    for (Dialog* d : window->findChildren<Dialog*>())
        if (d->isVisible())
            return d;
    return nullptr;
}

// The name a screen reader announces for the control.
QString accessibleName(QWidget* control);

// Runs the code and gives the message of what it throws, or an empty text.
QString failureOf(const std::function<void()>& code);

// Lowers the largest file this process may write for as long as it lives, as a full disk
// would; a write past it fails instead of raising a signal.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    quint64 before_ = 0;
    void (*handler_)(int) = nullptr;
};
