// libFuzzer target: any bytes as kortvy.ini, read as both programs read it (CardSetCheck.h).
// A finding, a crash, a sanitizer report, a hang or a large allocation is a fault.

#include "fuzz/CardSetCheck.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray madeFolder;

QString workFolder()
{
    static const QString folder = [] {
        QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/kortvy-fuzz-XXXXXX";
        if (QDir(QStringLiteral("/dev/shm")).exists())
            pattern = "/dev/shm/kortvy-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        madeFolder = pattern;
        std::atexit([] { QDir(QString::fromLocal8Bit(madeFolder)).removeRecursively(); });
        return QString::fromLocal8Bit(pattern);
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const cardsetcheck::Finding finding = cardsetcheck::check(bytes, workFolder())) {
        std::fprintf(stderr, "FAULT: %s\n", finding.problem.toUtf8().constData());
        std::abort();
    }
    return 0;
}
