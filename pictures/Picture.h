#pragma once

#include "runtime/Error.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace pictures {

// Reading the teacher's picture files: a file is checked by its header when it is named, and
// decoded only at the size it is shown, in device pixels, stretched to fill it and stood
// upright by its orientation tag. Every failure throws runtime::Error with a Swedish message
// that names the file and its folder.

// The most memory, in megabytes, that decoding one picture may take.
constexpr int kPictureMemoryMB = 256;

// Puts the memory limit for decoding pictures in place. Done once, while the program starts
// and before main(), so before any thread that decodes; calling it again changes nothing.
void limitPictureMemory();

// Throws when the file is missing, is no BMP, GIF or JPEG picture that can be read, or would
// need more than kPictureMemoryMB to decode.
void checkPicture(const QString& fileName);

// The two failures of a picture that is there and says what it is: too large to decode
// (`full` is its size), and broken.
runtime::Error tooLargeError(const QString& fileName, QSize full);
runtime::Error brokenError(const QString& fileName);

QImage decodePicture(const QString& fileName, QSize size);

// The picture's size as it is shown, stood upright by its orientation tag; checked as
// checkPicture() checks it.
QSize uprightSize(const QString& fileName);

struct PictureRequest {
    QString fileName;
    QSize size;
    // Taken from the desktop's thumbnail cache where an entry covers the size (see
    // cachedStretchedPicture()).
    bool shared = false;
};

// Pictures decoded together on every core. When any cannot be decoded, `images` is empty and
// `failedAt` is the first failure in the order asked for, with its message.
struct DecodedPictures {
    QList<QImage> images;
    int failedAt = -1;
    QString failure;
};
DecodedPictures decodePictures(const QList<PictureRequest>& requests);

} // namespace pictures
