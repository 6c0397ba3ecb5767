#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// GIF output, which Qt's image writers lack. The file is a GIF89a with one 256-entry colour
// table and LZW-compressed pixels. An image with at most 256 colours keeps them exactly; any
// other is mapped to the nearest colour of a fixed 6 x 7 x 6 cube (no dithering).
// Transparent parts are laid on white.

// False when the image is null, larger than 65535 pixels a side, or the file cannot be written.
bool writeGif(const QImage& image, const QString& path);

// The whole file; empty when the image cannot be stored.
QByteArray encodeGif(const QImage& image);

// The colours the GIF will hold for each pixel, as an RGB32 image.
QImage quantiseForGif(const QImage& image);
