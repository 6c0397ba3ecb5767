#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace pictures {

// Small pictures kept in the desktop's shared thumbnail cache (~/.cache/thumbnails, as the
// freedesktop.org thumbnail standard lays it out), which file managers fill and read too. An
// entry belongs to one file by its URI and is valid only for the modification time and size
// the file had when it was made; any other entry, or one that cannot be read, is made anew.
// The cache lives in the home folder, so a card set on a read-only stick gets entries too.

// The cache's folder: $XDG_CACHE_HOME/thumbnails, or ~/.cache/thumbnails.
QString thumbnailFolder();

// The picture decoded as decodePicture() decodes it, upright and fitted into `size` with its
// proportions kept, taken from the cache when an entry there is large enough and valid, and
// put there when not. A size larger than the cache's largest entries is decoded directly.
// Throws runtime::Error as decodePicture() does; a cache that cannot be written is no failure.
QImage cachedPicture(const QString& fileName, QSize size);

// The picture stretched to fill `size`, as decodePicture() gives it, from the smallest cache
// entry that covers the size both ways; decoded directly when none can, or when the picture
// has at most a megapixel.
QImage cachedStretchedPicture(const QString& fileName, QSize size);

// Where the entry for the file would lie for a picture of that size; empty when the size is
// larger than any the cache keeps.
QString thumbnailPath(const QString& fileName, QSize size);

} // namespace pictures
