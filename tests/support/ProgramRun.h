#pragma once

#include <QList>
#include <QProcess>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// Starts Xvfb with a screen of this size on a free display, and gives the display's name.
QString startXvfb(QProcess& server, QSize screen);

// A program run as a teacher runs it: in a card folder, on a real X display (a virtual server
// of the test program's own, started on first use), so that its windows and message boxes
// are real. A message box that shows is answered with Enter, as a user would answer it.
// Needs Xvfb.
class ProgramRun {
public:
    ProgramRun(const QString& program, const QString& folder, const QStringList& arguments = {},
               QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Waits until the program ends, answering its message boxes, for at most `ms`. Returns
    // whether it ended; one that still runs is then stopped.
    bool waitForEnd(int ms);
    // Presses Enter in the program's windows other than message boxes, as a learner playing
    // with the keyboard does, every fifth of a second until it ends, for at most `ms`.
    // Returns whether it ended; one that still runs is then stopped.
    bool pressEnterUntilEnd(int ms);
    // Waits, for at most `ms`, until a message box of the program has the keyboard focus,
    // without answering it. Returns whether one has.
    bool waitForFocusedMessageBox(int ms);

    // Waits, for at most `ms`, until a window of the program shows, then asks it to close as
    // its close box does. Returns whether one showed.
    bool requestClose(int ms);

    int exitCode() const { return m_process.exitCode(); }
    bool crashed() const { return m_process.exitStatus() != QProcess::NormalExit; }
    // How many message boxes it showed.
    int messageBoxes() const { return int(m_boxes.size()); }
    QString standardError() const { return m_error; }

    // The keys held down on the programs' display; none, unless one was never let go.
    static QList<int> keysHeldDown();

private:
    bool endWithin(int ms, int pollMs, const std::function<void()>& meanwhile);
    void answerMessageBox();

    QProcess m_process;
    QSet<quint32> m_boxes;
    QString m_error;
};
