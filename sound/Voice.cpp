#include "sound/Voice.h"

#include "sound/MediaBackend.h"
#include "sound/Speech.h"
#include "sound/VoiceWork.h"

#include <QThread>
#include <cstdio>
#include <vector>

namespace sound {

namespace {

// The recording threads of voices that are gone, each ending on its own time. A thread that
// is stuck in the sound service stays here until the process ends, which does not wait for it.
std::vector<QThread*>& leftThreads()
{
    static std::vector<QThread*> threads;
    return threads;
}

void forgetEndedThreads()
{
    auto& threads = leftThreads();
    std::erase_if(threads, [](QThread* thread) {
        if (!thread->isFinished())
            return false;
        delete thread;
        return true;
    });
}

} // namespace

bool leftRunning()
{
    forgetEndedThreads();
    return !leftThreads().empty();
}

void leaveBehind(QThread* thread)
{
    forgetEndedThreads();
    leftThreads().push_back(thread);
}

Voice::Voice(bool warmUp, QObject* parent)
    : QObject(parent)
    , m_recordingThread(new QThread)
    , m_recordings(new VoiceWork)
    , m_speech(new Speech(this))
{
    chooseMediaBackend();
    forgetEndedThreads();
    m_recordingThread->setObjectName(QStringLiteral("Inspelningar"));
    m_recordings->moveToThread(m_recordingThread);
    connect(m_recordings, &VoiceWork::playing, this, &Voice::playing);
    connect(m_recordings, &VoiceWork::trouble, this, &Voice::tell);
    connect(m_recordings, &VoiceWork::unplayable, this, &Voice::unplayable);
    connect(m_speech, &Speech::speaking, this, &Voice::speaking);
    connect(m_speech, &Speech::trouble, this, &Voice::tell);
    m_recordingThread->start();
    if (warmUp)
        m_speech->prepare();
}

Voice::~Voice()
{
    m_recordings->disconnect(this);
    QMetaObject::invokeMethod(m_recordings, &VoiceWork::close);
    // Goes on its own thread as that thread ends.
    m_recordings->deleteLater();
    m_recordingThread->quit();
    leaveBehind(m_recordingThread);
}

void Voice::play(const QString& file)
{
    QMetaObject::invokeMethod(m_recordings, [work = m_recordings, file] { work->play(file); });
}

void Voice::say(const QString& word)
{
    m_speech->say(word);
}

void Voice::stop()
{
    QMetaObject::invokeMethod(m_recordings, &VoiceWork::stop);
    m_speech->stop();
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
