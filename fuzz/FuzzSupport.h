#pragma once

// What both fuzz targets and their replaying tests share: what a finding is, and a folder of
// their own to write each input into.

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace fuzzsupport {

// What went wrong with an input; empty while all is well.
struct Finding {
    QString problem;
    explicit operator bool() const { return !problem.isEmpty(); }
};

// A folder made once for the whole run, in memory where the machine has it, and removed
// when the run ends.
inline QString workFolder()
{
    static QByteArray made;
    static const QString folder = [] {
        QByteArray pattern = QDir::tempPath().toLocal8Bit() + "/kortvy-fuzz-XXXXXX";
        if (QDir(QStringLiteral("/dev/shm")).exists())
            pattern = "/dev/shm/kortvy-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        made = pattern;
        std::atexit([] { QDir(QString::fromLocal8Bit(made)).removeRecursively(); });
        return QString::fromLocal8Bit(pattern);
    }();
    return folder;
}

} // namespace fuzzsupport
