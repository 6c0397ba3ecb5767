#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace pictures {

// Photos in the HEIF container, which phones save by default (HEIC, and AVIF): read through
// libheif, since Qt reads neither.

// Whether the bytes begin a HEIF file this program can decode.
bool isHeif(const QByteArray& head);

// The photo's main picture, upright as its rotation and mirroring say. Checked against the
// memory limit as every picture is. Throws runtime::Error naming the file.
QImage decodeHeif(const QString& fileName, const QByteArray& bytes);

// The name of a picture format the bytes are in, told by their content, for a file Qt cannot
// read ("AVIF", "HEIC", "JPEG XL", "PSD"); empty when it is none that is known.
QString formatName(const QByteArray& head);

} // namespace pictures
