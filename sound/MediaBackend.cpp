#include "sound/MediaBackend.h"

#include <QByteArray>
#include <QtGlobal>
#include <mutex>

namespace sound {

void chooseMediaBackend()
{
    static std::once_flag chosen;
    std::call_once(chosen, [] {
        if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
            qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("ffmpeg"));
    });
}

} // namespace sound
