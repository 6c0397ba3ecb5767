#include "tests/support/TestSupport.h"

#include "tools/GifWriter.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <csignal>
#include <exception>
#include <sys/resource.h>

QString writePicture(const QString& dir, const QString& name, QSize size, QColor colour)
{
    const QString path = QDir(dir).absoluteFilePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const bool written = QFileInfo(name).suffix().compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0
        ? writeGif(image, path)
        : image.save(path);
    if (!written)
        qFatal("writePicture: could not write %s", qPrintable(path));
    return path;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        qFatal("writeBytes: could not write %s: %s", qPrintable(path), qPrintable(file.errorString()));
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray iniLines(const QStringList& lines)
{
    QStringEncoder encoder("windows-1252");
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += QByteArray(encoder.encode(line)) + "\r\n";
    if (!encoder.isValid() || encoder.hasError())
        qFatal("iniLines: no Windows-1252 bytes for %s", qPrintable(lines.join(u'|')));
    return bytes;
}

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QByteArray cardFile(int count, int upperDisplay, int lowerDisplay, const QStringList& strings)
{
    QStringList lines{QString::number(count), QString::number(upperDisplay), QString::number(lowerDisplay)};
    for (const QString& s : strings)
        lines << quoted(s);
    return iniLines(lines);
}

QStringList numberedStrings(int n)
{
    QStringList strings;
    for (int i = 0; i < n; ++i)
        for (const char* field : {"bo", "bu", "to", "tu"})
            strings << QLatin1String(field) + QString::number(i);
    return strings;
}

QStringList emptyStrings(int n)
{
    return QStringList(4 * n, QString());
}

QStringList numbered(const QString& prefix, int n)
{
    QStringList rows;
    for (int i = 0; i < n; ++i)
        rows << prefix + QString::number(i);
    return rows;
}

CardFolder::CardFolder()
    : before_(QDir::currentPath())
{
    if (!dir_.isValid() || !QDir::setCurrent(dir_.path()))
        qFatal("CardFolder: no temporary folder");
}

CardFolder::~CardFolder()
{
    QDir::setCurrent(before_);
}

QStringList CardFolder::entries() const
{
    QStringList names = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end());
    return names;
}

void clickAt(QWidget* control, QPoint inControl)
{
    QWidget* window = control->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, control->mapTo(window, inControl));
}

void click(QWidget* control)
{
    clickAt(control, control->rect().center());
}

QString accessibleName(QWidget* control)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(QAccessible::Name) : QStringLiteral("<none>");
}

namespace {

// The letters that more than one of the texts is reached by with Alt.
QString sharedLetters(const QStringList& texts)
{
    QString seen;
    QString shared;
    for (const QString& text : texts) {
        const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
        if (at < 0)
            continue;
        const QChar letter = text.at(at + 1).toLower();
        if (seen.contains(letter) && !shared.contains(letter))
            shared += letter;
        seen += letter;
    }
    return shared;
}

} // namespace

// The window's buttons, labels and menu titles share one set of Alt letters; each open menu
// has its own.
QString sharedMnemonics(const QWidget& window)
{
    QStringList texts;
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (b->isVisibleTo(&window))
            texts << b->text();
    }
    for (const QLabel* l : window.findChildren<QLabel*>()) {
        if (l->isVisibleTo(&window))
            texts << l->text();
    }
    for (const QMenuBar* bar : window.findChildren<QMenuBar*>()) {
        for (const QAction* a : bar->actions())
            texts << a->text();
    }
    QString shared = sharedLetters(texts);
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
        QStringList items;
        for (const QAction* a : menu->actions()) {
            if (a->isVisible())
                items << a->text();
        }
        shared += sharedLetters(items);
    }
    return shared;
}

QString failureOf(const std::function<void()>& code)
{
    try {
        code();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
    : handler_(std::signal(SIGXFSZ, SIG_IGN))
{
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        qFatal("FileSizeLimit: no limit to read");
    before_ = limit.rlim_cur;
    limit.rlim_cur = rlim_t(bytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        qFatal("FileSizeLimit: the limit cannot be lowered");
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(before_);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, handler_);
}
