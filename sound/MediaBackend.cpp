#include "sound/MediaBackend.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QUrl>
#include <QtGlobal>
#include <mutex>

namespace sound {

namespace {

QtMessageHandler passOn = nullptr;

// The FFmpeg backend of Qt 6.4 prints a leftover debug line of its own, in no category a
// logging rule can reach, the first time it is used; everything else passes on.
void withoutBackendNoise(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtDebugMsg && message == QLatin1String(">>>> listing codecs"))
        return;
    if (passOn)
        passOn(type, context, message);
}

} // namespace

void chooseMediaBackend()
{
    static std::once_flag chosen;
    std::call_once(chosen, [] {
        if (!qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
            return;
        qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("ffmpeg"));
        passOn = qInstallMessageHandler(withoutBackendNoise);
    });
}

QUrl sourceOf(const QFile& open)
{
    return QUrl::fromLocalFile(QStringLiteral("/proc/self/fd/%1").arg(open.handle()));
}

} // namespace sound
