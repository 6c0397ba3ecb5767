#include "recording/Capture.h"

#include "sound/MediaBackend.h"
#include "sound/Voice.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <memory>
#include <optional>
#include <utility>

namespace recording {

namespace {

// A sound server that has taken the microphone but gives nothing for this long is not
// going to.
constexpr int kNoSoundMs = 3000;

QString cannotRecord(const QString& why)
{
    return QStringLiteral("Det går inte att spela in. %1 Inget har ändrats.").arg(why);
}

} // namespace

// The part of Capture on its own thread: every Qt Multimedia object is made, used and
// destroyed there.
class CaptureWork : public QObject {
    Q_OBJECT

public:
    CaptureWork()
        : m_noSound(this)
    {
        m_noSound.setSingleShot(true);
        connect(&m_noSound, &QTimer::timeout, this, [this] {
            fail(QStringLiteral("Mikrofonen ger inget ljud: ljudservern svarar inte."));
        });
    }

    void start()
    {
        end();
        const QAudioDevice device = QMediaDevices::defaultAudioInput();
        if (device.isNull()) {
            fail(QStringLiteral("Datorn hittar ingen mikrofon. Se till att en mikrofon är ansluten och att datorns ljud är igång."));
            return;
        }
        QAudioFormat format;
        format.setSampleRate(device.preferredFormat().sampleRate() > 0 ? device.preferredFormat().sampleRate() : 48000);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format))
            format = device.preferredFormat();
        m_format = format;
        m_take = Take{{}, format.sampleRate()};
        m_detector.emplace(format.sampleRate());
        m_source = std::make_unique<QAudioSource>(device, format);
        connect(m_source.get(), &QAudioSource::stateChanged, this, [this] {
            if (m_source && m_source->error() != QAudio::NoError)
                refused();
        });
        m_input = m_source->start();
        if (!m_input || m_source->error() != QAudio::NoError) {
            refused();
            return;
        }
        connect(m_input, &QIODevice::readyRead, this, &CaptureWork::read);
        m_noSound.start(kNoSoundMs);
        emit started();
    }

    void finish()
    {
        if (!m_source)
            return;
        read();
        if (!m_source)
            return;
        end();
        emit taken(std::exchange(m_take, Take()));
    }

    void end()
    {
        m_noSound.stop();
        if (m_source) {
            m_source->disconnect(this);
            m_source->stop();
            m_source.reset();
        }
        m_input = nullptr;
        m_pending.clear();
    }

signals:
    void started();
    void level(float peak);
    void taken(const recording::Take& take);
    void failed(const QString& message);

private:
    void read()
    {
        if (!m_input)
            return;
        m_pending += m_input->readAll();
        const int frame = m_format.bytesPerFrame();
        const qsizetype whole = frame > 0 ? m_pending.size() - m_pending.size() % frame : 0;
        if (whole == 0)
            return;
        const QList<float> mono = monoOf(m_pending.left(whole), m_format);
        m_pending.remove(0, whole);
        m_noSound.start(kNoSoundMs);
        emit level(peakOf(mono));
        m_take.samples += mono;
        if (m_detector->feed(mono.constData(), mono.size()))
            QMetaObject::invokeMethod(this, &CaptureWork::finish, Qt::QueuedConnection);
    }

    void refused()
    {
        fail(QStringLiteral("Mikrofonen går inte att använda: den kan vara upptagen, avstängd eller spärrad för programmet."));
    }

    void fail(const QString& why)
    {
        end();
        m_take = Take();
        emit failed(cannotRecord(why));
    }

    QAudioFormat m_format;
    std::unique_ptr<QAudioSource> m_source;
    QIODevice* m_input = nullptr;
    QByteArray m_pending;
    std::optional<EndDetector> m_detector;
    Take m_take;
    QTimer m_noSound;
};

Capture::Capture(QObject* parent)
    : QObject(parent)
    , m_thread(new QThread)
    , m_work(new CaptureWork)
{
    qRegisterMetaType<recording::Take>();
    sound::chooseMediaBackend();
    m_thread->setObjectName(QStringLiteral("Mikrofon"));
    m_work->moveToThread(m_thread);
    connect(m_work, &CaptureWork::started, this, &Capture::started);
    connect(m_work, &CaptureWork::level, this, &Capture::level);
    connect(m_work, &CaptureWork::taken, this, &Capture::taken);
    connect(m_work, &CaptureWork::failed, this, &Capture::failed);
    m_thread->start();
}

Capture::~Capture()
{
    m_work->disconnect(this);
    QMetaObject::invokeMethod(m_work, &CaptureWork::end);
    m_work->deleteLater();
    m_thread->quit();
    sound::leaveBehind(m_thread);
}

void Capture::start()
{
    QMetaObject::invokeMethod(m_work, &CaptureWork::start);
}

void Capture::stop()
{
    QMetaObject::invokeMethod(m_work, &CaptureWork::finish);
}

} // namespace recording

#include "Capture.moc"
