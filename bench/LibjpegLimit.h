#pragma once

#include <QSize>
#include <QString>

namespace bench {

// The fastest a JPEG can become a picture of at least `atLeast` pixels: libjpeg-turbo's own
// decode at the smallest DCT scale M/8 that is not below that size, into 32-bit pixels,
// with none of Qt's image handling around it. A card picture can come close to this, not
// below it.
struct ScaledDecode {
    double ms = 0;   // median of the runs, reading the file included
    int eighths = 0; // the scale, M of M/8
    QSize size;      // what libjpeg produced
};
ScaledDecode libjpegScaledDecode(int runs, const QString& file, QSize atLeast);

} // namespace bench
