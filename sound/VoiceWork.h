#pragma once

#include <QAudioFormat>
#include <QBuffer>
#include <QObject>
#include <QTimer>
#include <memory>

class QAudioDecoder;
class QAudioSink;

namespace sound {

// The part of Voice that plays recordings, on a thread of its own: every Qt Multimedia object
// is made, used and destroyed there.
//
// A recording is decoded whole before any of it is played, and played from memory: the
// media player lets the sound server's start-up eat the first part of the first recording,
// and a recording that cannot be decoded is known before anything is heard.
class VoiceWork : public QObject {
    Q_OBJECT

public:
    VoiceWork();
    ~VoiceWork() override;

    void play(const QString& file);
    void stop();
    // Stops everything and lets go of the sound service.
    void close();

signals:
    void playing(const QString& file);
    void trouble(const QString& message);
    // The recording cannot be played; its trouble is told first.
    void unplayable(const QString& file);

private:
    bool hasOutput();
    void decoded();
    void fail(const QString& why);

    bool m_outputChecked = false;
    bool m_outputFound = false;
    QString m_recordingPath;
    QAudioDecoder* m_decoder = nullptr;
    // Children, so that they move to the thread with it.
    QTimer m_decoderSilence;
    QAudioFormat m_format;
    QByteArray m_sound;
    QBuffer m_playing;
    std::unique_ptr<QAudioSink> m_sink;
};

} // namespace sound
