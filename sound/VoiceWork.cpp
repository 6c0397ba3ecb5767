#include "sound/VoiceWork.h"

#include "sound/MediaBackend.h"
#include "sound/SoundCheck.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTextToSpeech>

namespace sound {

namespace {

QString noSpeech()
{
    return QStringLiteral("Talsyntesen (speech-dispatcher) går inte att nå. Orden läses inte upp.");
}

} // namespace

VoiceWork::VoiceWork() = default;
VoiceWork::~VoiceWork() = default;

void VoiceWork::prepareSpeech()
{
    if (m_speechTried)
        return;
    m_speechTried = true;
    if (QTextToSpeech::availableEngines().isEmpty()) {
        emit trouble(noSpeech());
        return;
    }
    m_speech = std::make_unique<QTextToSpeech>();
    if (m_speech->state() == QTextToSpeech::Error) {
        emit trouble(noSpeech());
        return;
    }
    // The class's own language, whatever the desktop's is.
    bool swedish = false;
    for (const QLocale& locale : m_speech->availableLocales()) {
        if (locale.language() == QLocale::Swedish) {
            m_speech->setLocale(locale);
            swedish = true;
            break;
        }
    }
    if (!swedish) {
        emit trouble(QStringLiteral("Talsyntesen har ingen svensk röst. Orden läses inte upp."));
        return;
    }
    connect(m_speech.get(), &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
        if (state == QTextToSpeech::Speaking)
            emit speaking(m_word);
    });
    m_speechWorks = true;
}

bool VoiceWork::preparePlayer()
{
    if (m_player)
        return true;
    if (QMediaDevices::audioOutputs().isEmpty()) {
        emit trouble(QStringLiteral("Datorn har ingen ljudenhet. De inspelade ljuden hörs inte."));
        return false;
    }
    m_player = std::make_unique<QMediaPlayer>();
    m_output = std::make_unique<QAudioOutput>();
    m_player->setAudioOutput(m_output.get());
    connect(m_player.get(), &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString& reason) {
        // A recording that cannot be played says why once; the player then goes on with
        // the next card's.
        emit trouble(unplayableMessage(m_recordingPath, reason));
    });
    connect(m_player.get(), &QMediaPlayer::playbackStateChanged, this, [this](QMediaPlayer::PlaybackState state) {
        if (state == QMediaPlayer::PlayingState)
            emit playing(m_recordingPath);
    });
    return true;
}

void VoiceWork::play(const QString& file)
{
    if (!preparePlayer())
        return;
    m_player->stop();
    auto recording = std::make_unique<QFile>(file);
    if (!recording->open(QIODevice::ReadOnly)) {
        emit trouble(QStringLiteral("Ljudfilen %1 går inte att öppna (%2).").arg(QDir::toNativeSeparators(file), recording->errorString()));
        return;
    }
    m_recordingPath = file;
    m_player->setSource(sourceOf(*recording));
    m_recording = std::move(recording);
    m_player->play();
}

void VoiceWork::say(const QString& word)
{
    prepareSpeech();
    if (!m_speechWorks)
        return;
    m_word = word;
    m_speech->say(word);
}

void VoiceWork::stop()
{
    if (m_player)
        m_player->stop();
    if (m_speechWorks)
        m_speech->stop();
}

void VoiceWork::close()
{
    stop();
    m_speech.reset();
    m_player.reset();
    m_output.reset();
    m_recording.reset();
}

} // namespace sound
