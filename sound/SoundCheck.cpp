#include "sound/SoundCheck.h"

#include <QAudioDecoder>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>

namespace sound {

QString whyUnplayable(const QString& path)
{
    QAudioDecoder decoder;
    QEventLoop loop;
    QString why;
    bool decoded = false;
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &loop, [&] {
        decoded = true;
        loop.quit();
    });
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &loop, [&] {
        why = decoder.errorString();
        loop.quit();
    });
    QObject::connect(&decoder, &QAudioDecoder::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    decoder.setSource(QUrl::fromLocalFile(path));
    decoder.start();
    if (!decoded && why.isEmpty() && decoder.error() == QAudioDecoder::NoError)
        loop.exec();
    decoder.stop();
    if (decoded)
        return {};
    return why.isEmpty() ? QStringLiteral("inget ljud gick att läsa ur filen") : why;
}

} // namespace sound
