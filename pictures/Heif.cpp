#include "pictures/Heif.h"

#include "pictures/Picture.h"
#include "runtime/Error.h"

#include <libheif/heif.h>

#include <memory>

namespace pictures {

namespace {

using Context = std::unique_ptr<heif_context, decltype([](heif_context* c) { heif_context_free(c); })>;
using Handle = std::unique_ptr<heif_image_handle, decltype([](heif_image_handle* h) { heif_image_handle_release(h); })>;
using Image = std::unique_ptr<heif_image, decltype([](heif_image* i) { heif_image_release(i); })>;

} // namespace

bool isHeif(const QByteArray& head)
{
    return heif_check_filetype(reinterpret_cast<const uint8_t*>(head.constData()), int(head.size()))
        == heif_filetype_yes_supported;
}

QImage decodeHeif(const QString& fileName, const QByteArray& bytes)
{
    const auto broken = [&] { return brokenError(fileName); };
    Context context(heif_context_alloc());
    if (!context || heif_context_read_from_memory_without_copy(context.get(), bytes.constData(), size_t(bytes.size()),
                                                                nullptr).code != heif_error_Ok)
        throw broken();
    heif_image_handle* rawHandle = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &rawHandle).code != heif_error_Ok)
        throw broken();
    const Handle handle(rawHandle);
    const QSize full(heif_image_handle_get_width(handle.get()), heif_image_handle_get_height(handle.get()));
    if (double(full.width()) * full.height() * 4 > double(kPictureMemoryMB) * 1024 * 1024)
        throw tooLargeError(fileName, full);
    const bool alpha = heif_image_handle_has_alpha_channel(handle.get());
    heif_image* rawImage = nullptr;
    if (heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB,
                          alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr)
            .code != heif_error_Ok)
        throw broken();
    const Image image(rawImage);
    int stride = 0;
    const uint8_t* plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (!plane || width <= 0 || height <= 0)
        throw broken();
    return QImage(plane, width, height, stride, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888).copy();
}

QString formatName(const QByteArray& head)
{
    if (head.mid(4, 4) == "ftyp") {
        const QByteArray brand = head.mid(8, 4);
        if (brand == "avif" || brand == "avis")
            return QStringLiteral("AVIF");
        if (brand.startsWith("he") || brand == "mif1" || brand == "msf1")
            return QStringLiteral("HEIC");
        if (brand == "jxl ")
            return QStringLiteral("JPEG XL");
        return QString();
    }
    if (head.startsWith("\xFF\x0A") || head.startsWith(QByteArray("\0\0\0\x0CJXL ", 8)))
        return QStringLiteral("JPEG XL");
    if (head.startsWith("8BPS"))
        return QStringLiteral("PSD");
    if (head.startsWith("%PDF"))
        return QStringLiteral("PDF");
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP")
        return QStringLiteral("WebP");
    if (head.startsWith("II*") || head.startsWith("MM\0*"))
        return QStringLiteral("TIFF");
    return QString();
}

} // namespace pictures
