#include "bench/BenchPictures.h"

#include "tools/GifWriter.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <cstdint>

namespace bench {

namespace {

QImage photo(QSize size, int variant)
{
    QImage image(size, QImage::Format_RGB32);
    std::uint32_t state = 2463534242u + std::uint32_t(variant) * 2654435761u;
    const int w = size.width(), h = size.height();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int grain = int(state & 31) - 16;
            const int r = (x * 200 / w + variant * 37) % 256;
            const int g = (y * 180 / h + variant * 71) % 256;
            const int b = ((x + y) * 160 / (w + h) + variant * 13) % 256;
            line[x] = qRgb(qBound(0, r + grain, 255), qBound(0, g + grain, 255), qBound(0, b + grain, 255));
        }
    }
    return image;
}

} // namespace

void makePhotoJpeg(const QString& path, QSize size, int variant, int quality)
{
    if (QFileInfo::exists(path))
        return;
    QImageWriter writer(path, "jpeg");
    writer.setQuality(quality);
    writer.write(photo(size, variant));
}

void makePhotoBmp(const QString& path, QSize size, int variant)
{
    if (!QFileInfo::exists(path))
        photo(size, variant).save(path, "BMP");
}

void makePhotoGif(const QString& path, QSize size, int variant)
{
    if (!QFileInfo::exists(path))
        writeGif(photo(size, variant), path);
}

} // namespace bench
