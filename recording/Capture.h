#pragma once

#include "recording/Take.h"

#include <QObject>
#include <QString>

class QThread;

namespace recording {

class CaptureWork;

// A take from the desktop's default microphone, through Qt Multimedia's QAudioSource on a
// thread of its own: the sound server may be slow to answer, or never answer, and the window
// waits for none of it. The take ends by itself (EndDetector) or on stop().
//
// Every signal comes on the thread the Capture was made on. What keeps a take from being made
// (no microphone, one that may not be used, a sound server that is not running) is told
// through failed(), as one complete Swedish message.
class Capture : public QObject {
    Q_OBJECT

public:
    explicit Capture(QObject* parent = nullptr);
    // Ends the take, if any, without waiting for the sound server.
    ~Capture() override;

    void start();
    // Ends the take now; taken() follows.
    void stop();

signals:
    // The microphone is heard: the take has begun.
    void started();
    // How loud the last moment was, its peak from 0 to 1.
    void level(float peak);
    void taken(const recording::Take& take);
    void failed(const QString& message);

private:
    QThread* m_thread;
    CaptureWork* m_work;
};

} // namespace recording
