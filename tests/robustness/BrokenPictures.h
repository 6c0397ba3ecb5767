#pragma once

#include <QByteArray>
#include <QSize>

// Picture files made byte by byte for the tests of what a card folder may hold.

// A real grey JPEG of any size up to 65535 × 65535, one or two bits a block, so that a
// 20000 × 20000 picture takes 1.5 MB on disk but 1.6 GB when decoded at full size. A
// progressive picture is decoded from coefficients that the decoder keeps for the whole
// picture, 128 bytes a block whatever size it is shown at.
QByteArray greyJpeg(QSize size, bool progressive = false);

// A GIF whose screen claims `screen` but whose one image is a single pixel.
QByteArray gifClaiming(QSize screen);

// A BMP header for a 24-bit picture of `size`, followed by only `pixelBytes` bytes of pixels.
QByteArray bmpClaiming(QSize size, int pixelBytes);
