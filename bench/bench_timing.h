#pragma once

// Timing helpers shared by the benchmarks.

#include <unistd.h>

#include <QElapsedTimer>
#include <algorithm>
#include <functional>
#include <vector>

namespace vornelix::bench {

// Wall-clock seconds of the work, after the earlier writes have reached the disk.
inline double seconds(const std::function<void()>& work) {
    ::sync();
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace vornelix::bench
