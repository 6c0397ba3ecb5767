#pragma once

#include <QFuture>
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

namespace work {

// What slow work may do from its worker thread: see whether the teacher has asked it to stop,
// and tell how far it has come.
class Progress {
public:
    virtual ~Progress() = default;
    // True once "Avbryt" was pressed: the work stops at the next step it can stop at.
    virtual bool stopped() const = 0;
    // `done` of `total` steps; `label`, where given, says what is being done now.
    virtual void advance(int done, int total, const QString& label = {}) = 0;
};

// How the work is shown: the progress dialog's title and first label, and whether it offers
// "Avbryt". Work that cannot stop halfway (a copy put in place whole) offers nothing.
struct Task {
    QString title;
    QString label;
    bool stoppable = true;
    int steps = 0;  // 0 while it is not known how many
};

// Work too slow for the window's thread (copying pictures, a card set, recordings, checking a
// file) runs on a worker, behind a progress dialog of the window. The dialog shows only once
// the work has taken longer than a moment, and keeps the teacher from starting other work
// meanwhile. The window's thread never waits for the work: its end is told by finished(),
// on the window's thread.
class SlowWork : public QObject {
    Q_OBJECT

public:
    using Job = std::function<void(Progress& progress)>;

    // Starts the job at once. The SlowWork belongs to the window and removes itself after
    // finished().
    static SlowWork* start(QWidget* window, const Task& task, Job job);
    ~SlowWork() override;

    bool isRunning() const { return !m_future.isFinished(); }
    // Asks the work to stop, as "Avbryt" does.
    void stop();
    // For a window that is going away: the work stops where it can, and what it was writing
    // is finished rather than left half written.
    void stopAndWait();

signals:
    // The work has returned; `failure` is the complete Swedish message of the
    // runtime::Error it threw, empty when it did not throw.
    void finished(const QString& failure);

private:
    class State;
    SlowWork(QWidget* window, const Task& task);
    void run(Job job);

    std::shared_ptr<State> m_state;
    QProgressDialog* m_dialog = nullptr;
    QFuture<void> m_future;
};

} // namespace work
