#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>

// Writes a picture filled with one colour to dir/name and returns its absolute path. The
// format follows the name's extension: .gif through writeGif, anything else (.bmp, .jpg,
// .jpeg, .png) through QImage::save. Aborts the test program when the file cannot be written.
QString writePicture(const QString& dir, const QString& name, QSize size, QColor colour);

// Replaces the file with exactly these bytes, making missing folders. Aborts on failure.
void writeBytes(const QString& path, const QByteArray& bytes);

// The whole file; an empty array when the file is missing or cannot be read.
QByteArray readBytes(const QString& path);
