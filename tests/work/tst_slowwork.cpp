// Slow work beside a window: its end is told on the window's thread, with the failure it
// met; "Avbryt" stops it; its progress reaches the dialog.
#include "work/SlowWork.h"

#include "runtime/Error.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

class SlowWorkTest : public QObject {
    Q_OBJECT

private slots:
    void aFailureIsToldOnTheWindowsThread()
    {
        QWidget window;
        QThread* toldOn = nullptr;
        QString told = QStringLiteral("nothing yet");
        work::SlowWork* work = work::SlowWork::start(&window, {QStringLiteral("Prov"), QStringLiteral("Arbetar…")},
                                                     [](work::Progress&) { throw runtime::Error(QStringLiteral("Det gick inte.")); });
        connect(work, &work::SlowWork::finished, &window, [&](const QString& failure) {
            toldOn = QThread::currentThread();
            told = failure;
        });
        QTRY_COMPARE(told, QStringLiteral("Det gick inte."));
        QCOMPARE(toldOn, window.thread());
    }

    void avbrytStopsItAndItsProgressIsShown()
    {
        QWidget window;
        window.show();
        QSemaphore stepped;
        int steps = 0;
        work::SlowWork* work = work::SlowWork::start(&window, {QStringLiteral("Prov"), QStringLiteral("Steg 1"), true, 10},
                                                     [&](work::Progress& progress) {
                                                         while (!progress.stopped() && steps < 1000) {
                                                             ++steps;
                                                             progress.advance(steps, 1000, QStringLiteral("Steg %1").arg(steps + 1));
                                                             stepped.release();
                                                             QThread::msleep(5);
                                                         }
                                                     });
        QSignalSpy finished(work, &work::SlowWork::finished);
        QVERIFY(stepped.tryAcquire(3, 5000));
        QProgressDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = window.findChild<QProgressDialog*>()) && dialog->isVisible());
        QTRY_VERIFY(dialog->labelText() != QStringLiteral("Steg 1") && dialog->maximum() == 1000 && dialog->value() > 0);
        dialog->findChild<QPushButton*>()->click();
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toString(), QString());
        QVERIFY(steps < 1000);
    }

    // The work ends while the shown dialog is taking its last step.
    void itCanEndDuringItsLastStep()
    {
        QWidget window;
        window.show();
        QSemaphore lastStep;
        work::SlowWork* work = work::SlowWork::start(&window, {QStringLiteral("Prov"), QStringLiteral("Steg 1"), true, 3},
                                                     [&](work::Progress& progress) {
                                                         progress.advance(1, 3);
                                                         lastStep.acquire();
                                                         progress.advance(2, 3);
                                                     });
        QSignalSpy finished(work, &work::SlowWork::finished);
        QTRY_VERIFY(window.findChild<QProgressDialog*>() && window.findChild<QProgressDialog*>()->isVisible());
        lastStep.release();
        // Both the step and the end wait for the window's thread.
        QThread::msleep(200);
        QTRY_COMPARE(finished.size(), 1);
        QTRY_VERIFY(!window.findChild<QProgressDialog*>());
    }
};

QTEST_MAIN(SlowWorkTest)
#include "tst_slowwork.moc"
