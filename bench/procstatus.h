// SPDX-License-Identifier: GPL-3.0-or-later
// Memory figures of the running benchmark, read from /proc/self/status, and the reset of its
// high-water mark. The engine, window, tool and soak benchmarks read memory through these.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

namespace bench {

// A field of /proc/self/status in kB (VmRSS, VmHWM, ...), or -1.
inline long statusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0)
            return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
    }
    return -1;
}

// Resets the high-water mark of resident memory (VmHWM) to the present resident size, so that
// the peak of one step can be read; false where the kernel does not allow it (before Linux 4.0).
inline bool resetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

} // namespace bench
