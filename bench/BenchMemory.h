#pragma once

// Peak resident memory for the benchmarks: the process's high-water mark in
// megabytes, and its reset before a phase.

#include <fstream>
#include <string>

namespace benchmemory {

inline double peakMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0.0;
}

inline void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

}  // namespace benchmemory
