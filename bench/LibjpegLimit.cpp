#include "bench/LibjpegLimit.h"

#include "bench/Measure.h"

#include <QFile>
#include <csetjmp>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace bench {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info)
{
    auto* error = reinterpret_cast<ErrorManager*>(info->err);
    error->base.format_message(info, error->message);
    std::longjmp(error->jump, 1);
}

// libjpeg's default error handler ends the process; this one jumps back here. Nothing
// between setjmp and the jump owns anything a destructor would free: the pixels belong to
// the caller.
bool decodeScaled(const QByteArray& bytes, QSize atLeast, std::vector<unsigned char>& pixels,
                  ScaledDecode& result, ErrorManager& error)
{
    jpeg_decompress_struct info;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = onError;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()), bytes.size());
    jpeg_read_header(&info, TRUE);
    // Qt's 32-bit RGB layout, which libjpeg-turbo writes without a conversion pass.
    info.out_color_space = JCS_EXT_BGRX;
    info.scale_denom = 8;
    for (info.scale_num = 1; info.scale_num < 8; ++info.scale_num) {
        jpeg_calc_output_dimensions(&info);
        if (int(info.output_width) >= atLeast.width() && int(info.output_height) >= atLeast.height())
            break;
    }
    jpeg_start_decompress(&info);
    const size_t stride = size_t(info.output_width) * 4;
    pixels.resize(stride * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    result.eighths = int(info.scale_num);
    result.size = QSize(int(info.output_width), int(info.output_height));
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

ScaledDecode libjpegScaledDecode(int runs, const QString& file, QSize atLeast)
{
    ScaledDecode result;
    std::vector<unsigned char> pixels;
    ErrorManager error{};
    bool ok = true;
    result.ms = medianMs(runs, [&] {
        QFile in(file);
        const QByteArray bytes = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
        ok = ok && !bytes.isEmpty() && decodeScaled(bytes, atLeast, pixels, result, error);
    });
    if (!ok)
        throw std::runtime_error("libjpeg cannot decode " + file.toStdString() + ": " + error.message);
    return result;
}

} // namespace bench
