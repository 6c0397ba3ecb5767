#include "tests/support/ProgramRun.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

// Xvfb on a free display, for as long as the test program runs.
class XServer {
public:
    XServer()
    {
        m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                                QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                                QStringLiteral("1280x1024x24")});
        if (!m_server.waitForStarted() || !m_server.waitForReadyRead(10000))
            qFatal("ProgramRun: Xvfb did not start: %s", qPrintable(m_server.errorString()));
        m_display = QLatin1Char(':') + QString::fromLatin1(m_server.readLine()).trimmed();
    }
    ~XServer()
    {
        m_server.terminate();
        m_server.waitForFinished();
    }
    QString display() const { return m_display; }
    // Qt wants a private runtime folder on X and says so on standard error without one.
    QString runtimeFolder() const { return m_runtime.path(); }

private:
    QProcess m_server;
    QString m_display;
    QTemporaryDir m_runtime;
};

XServer& server()
{
    static XServer running;
    return running;
}

QString display()
{
    return server().display();
}

// A command of the X utilities against the test's display: what it printed.
QString ask(const QString& command, const QStringList& arguments)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display());
    tool.setProcessEnvironment(env);
    tool.start(command, arguments);
    tool.waitForFinished();
    return QString::fromLatin1(tool.readAllStandardOutput());
}

} // namespace

ProgramRun::ProgramRun(const QString& program, const QString& folder, const QStringList& arguments,
                       QProcessEnvironment env)
{
    env.insert(QStringLiteral("DISPLAY"), display());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), server().runtimeFolder());
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    m_process.setProcessEnvironment(env);
    m_process.setWorkingDirectory(folder);
    m_process.start(program, arguments);
    if (!m_process.waitForStarted())
        qFatal("ProgramRun: %s did not start", qPrintable(program));
}

ProgramRun::~ProgramRun()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

bool ProgramRun::waitForEnd(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!m_process.waitForFinished(50)) {
        answerMessageBox();
        if (deadline.hasExpired()) {
            m_process.kill();
            m_process.waitForFinished();
            m_error += QString::fromUtf8(m_process.readAllStandardError());
            return false;
        }
    }
    m_error += QString::fromUtf8(m_process.readAllStandardError());
    return true;
}

// A message box is a dialog window of the program's own; its other windows are not.
void ProgramRun::answerMessageBox()
{
    const QStringList windows = ask(QStringLiteral("xdotool"),
                                    {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--all"), QStringLiteral("--pid"),
                                     QString::number(m_process.processId()), QStringLiteral(".*")})
                                    .split(u'\n', Qt::SkipEmptyParts);
    for (const QString& window : windows) {
        if (m_otherWindows.contains(window))
            continue;
        const QString type = ask(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_WINDOW_TYPE")});
        if (!type.contains(QLatin1String("_NET_WM_WINDOW_TYPE_DIALOG"))) {
            m_otherWindows.insert(window);
            continue;
        }
        // A key that comes before the box is ready for it is lost; the box is then answered
        // again, and still counts once.
        ask(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--window"), window, QStringLiteral("Return")});
        m_boxes.insert(window);
    }
}
