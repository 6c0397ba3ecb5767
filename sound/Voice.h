#pragma once

#include "exercise/ReadAloud.h"

#include <QObject>
#include <QSet>
#include <QThread>

namespace sound {

class VoiceWork;

// The desktop's sound for a program's window: recordings through Qt Multimedia and words in
// a Swedish synthetic voice through the speech service. Each runs on a thread of its own: a
// learner's click must never wait for sound, and starting the speech service takes a second
// or more, which a recording must not wait for either.
//
// What cannot be heard (no sound device, no speech service, no Swedish voice, a recording
// that cannot be played) is told once on standard error and through trouble(); the window
// goes on as if nothing had been asked.
class Voice : public QObject, public exercise::SoundPlayer, public exercise::Speaker {
    Q_OBJECT

public:
    // `warmUp` starts the speech service at once, so that the first word is not late.
    explicit Voice(bool warmUp = false, QObject* parent = nullptr);
    // All sound ends before the voice goes.
    ~Voice() override;

    void play(const QString& file) override;
    void say(const QString& word) override;
    void stop() override;

signals:
    void playing(const QString& file);
    void speaking(const QString& word);
    void trouble(const QString& message);

private:
    void tell(const QString& message);

    QThread m_recordingThread;
    QThread m_speechThread;
    VoiceWork* m_recordings = nullptr;
    VoiceWork* m_speech = nullptr;
    QSet<QString> m_told;
};

} // namespace sound
