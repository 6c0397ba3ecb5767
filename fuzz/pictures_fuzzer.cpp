// libFuzzer target: any bytes as a picture file named in a card set, read as the programs
// read it (PictureCheck.h). A finding, a crash, a sanitizer report, a hang or a large
// allocation is a fault.

#include "fuzz/PictureCheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The programs take the format from the content, whatever the name says.
    const QString path = fuzzsupport::workFolder() + QStringLiteral("/bild.jpg");
    if (const fuzzsupport::Finding finding = picturecheck::check(bytes, path)) {
        std::fprintf(stderr, "FAULT: %s\n", finding.problem.toUtf8().constData());
        std::abort();
    }
    return 0;
}
