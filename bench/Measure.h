#pragma once

#include <QString>
#include <functional>

namespace bench {

// The median of `runs` timings of `work`, in milliseconds.
double medianMs(int runs, const std::function<void()>& work);

// The peak resident memory of this process so far, in megabytes.
double peakMemoryMb();

// Runs this program again with `arguments` and reads back "milliseconds megabytes".
struct ChildResult {
    double ms = 0;
    double peakMb = 0;
    bool ok = false;
    QString error;
};
ChildResult runChild(const QStringList& arguments);

} // namespace bench
