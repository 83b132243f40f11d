// Memory figures of the running benchmark, read from /proc/self/status.
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

} // namespace bench
