#pragma once

#include <QObject>
#include <memory>

class QAudioOutput;
class QFile;
class QMediaPlayer;
class QTextToSpeech;

namespace sound {

// The part of Voice that lives on its thread: every Qt Multimedia and speech object is made,
// used and destroyed there.
class VoiceWork : public QObject {
    Q_OBJECT

public:
    VoiceWork();
    ~VoiceWork() override;

    void prepareSpeech();
    void play(const QString& file);
    void say(const QString& word);
    void stop();
    // Stops everything and lets go of the sound and speech services.
    void close();

signals:
    void playing(const QString& file);
    void speaking(const QString& word);
    void trouble(const QString& message);

private:
    bool preparePlayer();

    // The recording playing, open for as long as the player reads it (sourceOf()).
    std::unique_ptr<QFile> m_recording;
    QString m_recordingPath;
    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QTextToSpeech> m_speech;
    bool m_speechTried = false;
    bool m_speechWorks = false;
    QString m_word;
};

} // namespace sound
