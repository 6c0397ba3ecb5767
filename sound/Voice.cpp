#include "sound/Voice.h"

#include "sound/MediaBackend.h"
#include "sound/VoiceWork.h"

#include <cstdio>
#include <tuple>

namespace sound {

Voice::Voice(bool warmUp, QObject* parent)
    : QObject(parent)
    , m_recordings(new VoiceWork)
    , m_speech(new VoiceWork)
{
    chooseMediaBackend();
    for (auto [work, thread, name] : {std::tuple{m_recordings, &m_recordingThread, "Inspelningar"},
                                      std::tuple{m_speech, &m_speechThread, "Tal"}}) {
        thread->setObjectName(QLatin1String(name));
        work->moveToThread(thread);
        connect(work, &VoiceWork::playing, this, &Voice::playing);
        connect(work, &VoiceWork::speaking, this, &Voice::speaking);
        connect(work, &VoiceWork::trouble, this, &Voice::tell);
        thread->start();
    }
    if (warmUp)
        QMetaObject::invokeMethod(m_speech, &VoiceWork::prepareSpeech);
}

Voice::~Voice()
{
    for (auto [work, thread] : {std::pair{m_recordings, &m_recordingThread}, std::pair{m_speech, &m_speechThread}}) {
        QMetaObject::invokeMethod(work, &VoiceWork::close, Qt::BlockingQueuedConnection);
        thread->quit();
        thread->wait();
        delete work;
    }
}

void Voice::play(const QString& file)
{
    QMetaObject::invokeMethod(m_recordings, [work = m_recordings, file] { work->play(file); });
}

void Voice::say(const QString& word)
{
    QMetaObject::invokeMethod(m_speech, [work = m_speech, word] { work->say(word); });
}

void Voice::stop()
{
    QMetaObject::invokeMethod(m_recordings, &VoiceWork::stop);
    QMetaObject::invokeMethod(m_speech, &VoiceWork::stop);
}

void Voice::tell(const QString& message)
{
    if (m_told.contains(message))
        return;
    m_told.insert(message);
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    emit trouble(message);
}

} // namespace sound
