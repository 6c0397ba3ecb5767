#include "work/SlowWork.h"

#include "runtime/Error.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QPointer>
#include <QProgressDialog>
#include <QtConcurrent/QtConcurrentRun>

namespace work {

namespace {

// A moment the teacher does not notice: work done sooner shows no dialog flashing by.
constexpr int kShowAfterMs = 300;

} // namespace

// Shared by the worker and the window: the worker may outlive neither, but its reports may
// arrive after the dialog has gone.
class SlowWork::State : public Progress, public std::enable_shared_from_this<SlowWork::State> {
public:
    explicit State(QProgressDialog* dialog) : m_dialog(dialog) {}

    bool stopped() const override { return m_stopped; }
    void stop() { m_stopped = true; }
    // The work has ended: what it still reports goes nowhere.
    void forgetDialog() { m_dialog = nullptr; }

    void advance(int done, int total, const QString& label) override
    {
        // Told on the window's thread, where the dialog may have gone by then.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self = shared_from_this(), done, total, label] {
                // After "Avbryt" the dialog keeps saying so.
                QProgressDialog* dialog = self->m_dialog;
                if (!dialog || self->stopped())
                    return;
                dialog->setMaximum(total);
                dialog->setValue(done);
                if (!label.isEmpty())
                    dialog->setLabelText(label);
            },
            Qt::QueuedConnection);
    }

private:
    QPointer<QProgressDialog> m_dialog;
    std::atomic_bool m_stopped = false;
};

SlowWork* SlowWork::start(QWidget* window, const Task& task, Job job)
{
    auto* work = new SlowWork(window, task);
    work->run(std::move(job));
    return work;
}

SlowWork::SlowWork(QWidget* window, const Task& task)
    : QObject(window)
{
    m_dialog = new QProgressDialog(task.label, task.stoppable ? QStringLiteral("Avbryt") : QString(), 0, task.steps, window);
    m_dialog->setWindowTitle(task.title);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    if (!task.stoppable)
        m_dialog->setCancelButton(nullptr);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setValue(0);
    m_state = std::make_shared<State>(m_dialog);
    connect(m_dialog, &QProgressDialog::canceled, this, &SlowWork::stop);
}

SlowWork::~SlowWork()
{
    stopAndWait();
}

void SlowWork::run(Job job)
{
    auto failure = std::make_shared<QString>();
    auto* watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcher<void>::finished, this, [this, failure] {
        // Let go of later, not deleted here: a window-modal progress dialog runs the events
        // itself in setValue(), this one among them, and goes on using itself afterwards.
        m_state->forgetDialog();
        m_dialog->hide();
        m_dialog->deleteLater();
        m_dialog = nullptr;
        emit finished(*failure);
        deleteLater();
    });
    m_future = QtConcurrent::run([job = std::move(job), state = m_state, failure] {
        try {
            job(*state);
        } catch (const runtime::Error& e) {
            *failure = e.message();
        }
    });
    watcher->setFuture(m_future);
}

void SlowWork::stop()
{
    m_state->stop();
    if (m_dialog && isRunning())
        m_dialog->setLabelText(QStringLiteral("Avbryter…"));
}

void SlowWork::stopAndWait()
{
    m_state->stop();
    m_future.waitForFinished();
}

} // namespace work
