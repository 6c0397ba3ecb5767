#include "bench/Measure.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <sys/resource.h>
#include <vector>

namespace bench {

double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double peakMemoryMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

ChildResult runChild(const QStringList& arguments)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    ChildResult result;
    if (!child.waitForFinished(300000) || child.exitCode() != 0) {
        result.error = QString::fromLocal8Bit(child.readAllStandardError()).trimmed();
        return result;
    }
    const QStringList fields = QString::fromLatin1(child.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
    if (fields.size() == 2) {
        result.ms = fields[0].toDouble();
        result.peakMb = fields[1].toDouble();
        result.ok = true;
    }
    return result;
}

} // namespace bench
