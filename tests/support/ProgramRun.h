#pragma once

#include <QProcess>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

// A program run as a teacher runs it: in a card folder, on a real X display (a virtual server
// of the test program's own, started on first use), so that its windows and message boxes
// are real. A message box that shows is answered with Enter, as a user would answer it.
// Needs Xvfb, xdotool and xprop.
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

    int exitCode() const { return m_process.exitCode(); }
    bool crashed() const { return m_process.exitStatus() != QProcess::NormalExit; }
    // How many message boxes it showed.
    int messageBoxes() const { return int(m_boxes.size()); }
    QString standardError() const { return m_error; }

private:
    void answerMessageBox();

    QProcess m_process;
    QSet<QString> m_boxes;
    QSet<QString> m_otherWindows;
    QString m_error;
};
