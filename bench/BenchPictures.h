#pragma once

#include <QSize>
#include <QString>

namespace bench {

// Photo-like pictures: smooth colour fields with fine grain, so that a JPEG of one is as
// large and as slow to decode as a phone photo. `variant` makes each picture distinct.
// Files already present are kept.
void makePhotoJpeg(const QString& path, QSize size, int variant, int quality = 90);
void makePhotoBmp(const QString& path, QSize size, int variant);
void makePhotoGif(const QString& path, QSize size, int variant);

} // namespace bench
