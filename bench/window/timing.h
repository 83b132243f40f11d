// SPDX-License-Identifier: GPL-3.0-or-later
// Clocks and the median shared by the window benchmarks.
#pragma once

#include <QtGlobal>

#include <algorithm>
#include <ctime>
#include <vector>

namespace bench {

// System-wide monotonic time, comparable between the bench and the processes it spawns.
inline qint64 monotonicNs()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// CPU time of this thread: what the work costs, whatever else the machine is doing.
inline qint64 threadCpuNs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace bench
