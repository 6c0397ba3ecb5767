// libFuzzer target: any bytes as kortvy.ini, read as both programs read it (CardSetCheck.h).
// A finding, a crash, a sanitizer report, a hang or a large allocation is a fault.

#include "fuzz/CardSetCheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const fuzzsupport::Finding finding = cardsetcheck::check(bytes, fuzzsupport::workFolder())) {
        std::fprintf(stderr, "FAULT: %s\n", finding.problem.toUtf8().constData());
        std::abort();
    }
    return 0;
}
