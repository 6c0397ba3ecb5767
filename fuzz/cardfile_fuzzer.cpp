// libFuzzer target: any bytes as a card file from a stranger, taken into the card folder as
// Kortvyadm takes one (CardFileCheck.h). A finding, a crash, a sanitizer report, a hang or a
// large allocation is a fault.

#include "fuzz/CardFileCheck.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const fuzzsupport::Finding finding = cardfilecheck::check(bytes, fuzzsupport::workFolder())) {
        std::fprintf(stderr, "FAULT: %s\n", finding.problem.toUtf8().constData());
        std::abort();
    }
    return 0;
}
