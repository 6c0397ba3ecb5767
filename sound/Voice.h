#pragma once

#include "exercise/ReadAloud.h"

#include <QObject>
#include <QSet>

class QThread;

namespace sound {

class Speech;
class VoiceWork;

// Whether the recordings of a voice that is gone are still being let go of; a sound service
// that is stuck keeps them so until the process ends.
bool leftRunning();
// Lets a sound thread that has been asked to quit end on its own time, never waited for; it
// is deleted once it has ended.
void leaveBehind(QThread* thread);

// The desktop's sound for a program's window: recordings through Qt Multimedia, on a thread
// of their own, and words in a Swedish synthetic voice through the speech service, spoken to
// without waiting. A learner's click never waits for sound, and neither does the window's
// end: sound that is stuck is left behind.
//
// What cannot be heard (no sound device, no speech service, a recording that cannot be
// played) is told once on standard error and through trouble(); the window goes on as if
// nothing had been asked.
class Voice : public QObject, public exercise::SoundPlayer, public exercise::Speaker {
    Q_OBJECT

public:
    // `warmUp` reaches the speech service at once, so that the first word is not late.
    explicit Voice(bool warmUp = false, QObject* parent = nullptr);
    // All sound is asked to end; nothing waits for it to.
    ~Voice() override;

    void play(const QString& file) override;
    void say(const QString& word) override;
    void stop() override;

signals:
    void playing(const QString& file);
    void speaking(const QString& word);
    void trouble(const QString& message);
    // A recording play() was given cannot be played.
    void unplayable(const QString& file);

private:
    void tell(const QString& message);

    QThread* m_recordingThread = nullptr;
    VoiceWork* m_recordings = nullptr;
    Speech* m_speech = nullptr;
    QSet<QString> m_told;
};

} // namespace sound
