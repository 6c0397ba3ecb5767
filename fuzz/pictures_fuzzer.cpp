// libFuzzer target: any bytes as a picture file named in a card set, read as the programs
// read it (PictureCheck.h). A finding, a crash, a sanitizer report, a hang or a large
// allocation is a fault.

#include "fuzz/PictureCheck.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray madeFolder;

QString picturePath()
{
    static const QString path = [] {
        QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/kortvy-fuzz-XXXXXX";
        if (QDir(QStringLiteral("/dev/shm")).exists())
            pattern = "/dev/shm/kortvy-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        madeFolder = pattern;
        std::atexit([] { QDir(QString::fromLocal8Bit(madeFolder)).removeRecursively(); });
        // The programs take the format from the content, whatever the name says.
        return QString::fromLocal8Bit(pattern) + QStringLiteral("/bild.jpg");
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const picturecheck::Finding finding = picturecheck::check(bytes, picturePath())) {
        std::fprintf(stderr, "FAULT: %s\n", finding.problem.toUtf8().constData());
        std::abort();
    }
    return 0;
}
