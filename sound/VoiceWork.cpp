#include "sound/VoiceWork.h"

#include "sound/MediaBackend.h"
#include "sound/SoundCheck.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QAudioDevice>
#include <QAudioSink>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QUrl>
#include <utility>

namespace sound {

namespace {

// As whyUnplayable(): a decoder silent this long about a file will not play it.
constexpr int kDecoderSilenceMs = 2000;

} // namespace

VoiceWork::VoiceWork()
    : m_decoderSilence(this)
    , m_playing(this)
{
    m_decoderSilence.setSingleShot(true);
    connect(&m_decoderSilence, &QTimer::timeout, this, [this] { decoded(); });
}

VoiceWork::~VoiceWork() = default;

bool VoiceWork::hasOutput()
{
    if (!m_outputChecked) {
        m_outputChecked = true;
        m_outputFound = !QMediaDevices::audioOutputs().isEmpty();
    }
    if (!m_outputFound)
        emit trouble(QStringLiteral("Datorn har ingen ljudenhet. De inspelade ljuden hörs inte."));
    return m_outputFound;
}

void VoiceWork::play(const QString& file)
{
    stop();
    m_recordingPath = file;
    m_decoder = new QAudioDecoder(this);
    // The decoder's threads read the file; it closes after them, as the decoder's child.
    auto* recording = new QFile(file, m_decoder);
    if (!recording->open(QIODevice::ReadOnly)) {
        emit trouble(QStringLiteral("Ljudfilen %1 går inte att öppna (%2).").arg(QDir::toNativeSeparators(file), recording->errorString()));
        stop();
        emit unplayable(file);
        return;
    }
    // The decoder would be silent about it, and the word would come late.
    if (recording->size() == 0) {
        fail(QStringLiteral("inget ljud gick att läsa ur filen"));
        return;
    }
    connect(m_decoder, &QAudioDecoder::bufferReady, this, [this] {
        const QAudioBuffer buffer = m_decoder->read();
        if (!buffer.isValid())
            return;
        if (!m_format.isValid())
            m_format = buffer.format();
        m_sound.append(buffer.constData<char>(), buffer.byteCount());
        m_decoderSilence.start(kDecoderSilenceMs);
    });
    connect(m_decoder, &QAudioDecoder::finished, this, &VoiceWork::decoded);
    connect(m_decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this,
            [this] { fail(m_decoder->errorString()); });
    m_decoder->setSource(sourceOf(*recording));
    m_decoderSilence.start(kDecoderSilenceMs);
    m_decoder->start();
}

void VoiceWork::decoded()
{
    if (!m_decoder)
        return;
    m_decoderSilence.stop();
    m_decoder->disconnect(this);
    if (m_sound.isEmpty() || !m_format.isValid()) {
        fail(QStringLiteral("inget ljud gick att läsa ur filen"));
        return;
    }
    if (!hasOutput()) {
        stop();
        return;
    }
    m_playing.setData(m_sound);
    m_playing.open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), m_format);
    connect(m_sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        // Idle at the end is left alone: stopping would drop what the sound server still holds.
        if (state == QAudio::ActiveState)
            emit playing(m_recordingPath);
    });
    m_sink->start(&m_playing);
}

void VoiceWork::fail(const QString& why)
{
    const QString path = m_recordingPath;
    stop();
    emit trouble(unplayableMessage(path, why));
    emit unplayable(path);
}

void VoiceWork::stop()
{
    m_decoderSilence.stop();
    if (m_decoder) {
        m_decoder->disconnect(this);
        m_decoder->stop();
        // It may be in the middle of telling its own signal.
        std::exchange(m_decoder, nullptr)->deleteLater();
    }
    if (m_sink) {
        m_sink->disconnect(this);
        m_sink->stop();
        m_sink.reset();
    }
    m_playing.close();
    m_playing.setData(QByteArray());
    m_sound.clear();
    m_format = QAudioFormat();
}

void VoiceWork::close()
{
    stop();
}

} // namespace sound
