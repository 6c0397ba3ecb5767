#include "sound/SoundCheck.h"

#include "sound/MediaBackend.h"

#include <QAudioDecoder>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>

namespace sound {

QString whyUnplayable(const QString& path)
{
    chooseMediaBackend();
    // Open before the decoder and closed after it, whose threads read it.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
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
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    decoder.setSource(sourceOf(file));
    decoder.start();
    if (why.isEmpty() && decoder.error() == QAudioDecoder::NoError)
        loop.exec();
    decoder.stop();
    if (decoded && why.isEmpty())
        return {};
    return why.isEmpty() ? QStringLiteral("inget ljud gick att läsa ur filen") : why;
}

QString unplayableMessage(const QString& path, const QString& why)
{
    return QStringLiteral("Ljudfilen %1 går inte att spela (%2).").arg(QDir::toNativeSeparators(path), why);
}

} // namespace sound
