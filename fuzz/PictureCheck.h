#pragma once

// Reads bytes as a teacher's picture file the way the programs read one: the header check
// when the picture is named, then the decode at the sizes of the cards and of the preview,
// stood upright by its orientation tag. Shared by the fuzz target and the test that replays
// its corpus.

#include "fuzz/FuzzSupport.h"

#include "pictures/Picture.h"
#include "runtime/Error.h"

#include <QByteArray>
#include <QFile>
#include <QSize>
#include <QString>

namespace picturecheck {

using fuzzsupport::Finding;

// Every input must end in a picture of the size asked for or in an error whose message
// names the file.
inline Finding check(const QByteArray& bytes, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return {QStringLiteral("cannot write ") + path};
    file.close();
    pictures::limitPictureMemory();
    try {
        pictures::checkPicture(path);
        // A small card, a large card and the supervisor's preview, in device pixels.
        for (const QSize size : {QSize(87, 87), QSize(148, 148), QSize(113, 105)}) {
            const QImage picture = pictures::decodePicture(path, size);
            if (picture.size() != size)
                return {QStringLiteral("decoded at %1 × %2 instead of %3 × %4")
                            .arg(picture.width()).arg(picture.height()).arg(size.width()).arg(size.height())};
        }
    } catch (const runtime::Error& e) {
        if (!e.message().startsWith(QStringLiteral("Bilden \"")) || !e.message().contains(QStringLiteral("(i mappen ")))
            return {QStringLiteral("an incomplete message: ") + e.message()};
    }
    return {};
}

} // namespace picturecheck
