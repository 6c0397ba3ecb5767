#include "sound/MediaBackend.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QUrl>
#include <QtGlobal>

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

namespace {

// Chosen while the program starts, before main() and so before any thread: a change of the
// environment while another thread reads it can crash that thread, and the first use may
// well be on a sound or worker thread.
[[maybe_unused]] const bool chosenAtStart = [] {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("ffmpeg"));
        passOn = qInstallMessageHandler(withoutBackendNoise);
    }
    return true;
}();

} // namespace

void chooseMediaBackend()
{
    // The choice was made at start; calling this keeps it linked into every program that
    // uses sound.
    Q_UNUSED(chosenAtStart);
}

QUrl sourceOf(const QFile& open)
{
    return QUrl::fromLocalFile(QStringLiteral("/proc/self/fd/%1").arg(open.handle()));
}

} // namespace sound
