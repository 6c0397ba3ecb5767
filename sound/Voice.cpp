#include "sound/Voice.h"

#include "sound/VoiceWork.h"

#include <cstdio>

namespace sound {

Voice::Voice(bool warmUp, QObject* parent)
    : QObject(parent)
    , m_work(new VoiceWork)
{
    m_thread.setObjectName(QStringLiteral("Voice"));
    m_work->moveToThread(&m_thread);
    connect(m_work, &VoiceWork::playing, this, &Voice::playing);
    connect(m_work, &VoiceWork::speaking, this, &Voice::speaking);
    connect(m_work, &VoiceWork::trouble, this, &Voice::tell);
    m_thread.start();
    if (warmUp)
        QMetaObject::invokeMethod(m_work, &VoiceWork::prepareSpeech);
}

Voice::~Voice()
{
    QMetaObject::invokeMethod(m_work, &VoiceWork::close, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
    delete m_work;
}

void Voice::play(const QString& file)
{
    QMetaObject::invokeMethod(m_work, [work = m_work, file] { work->play(file); });
}

void Voice::say(const QString& word)
{
    QMetaObject::invokeMethod(m_work, [work = m_work, word] { work->say(word); });
}

void Voice::stop()
{
    QMetaObject::invokeMethod(m_work, &VoiceWork::stop);
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
