// The best wall clock and processor time of several runs of a benchmark.
#pragma once

#include <algorithm>

namespace lexicana::bench {

struct BestTime {
    double wall = 1e30;
    double cpu = 1e30;
    void Take(double runWall, double runCpu)
    {
        wall = std::min(wall, runWall);
        cpu = std::min(cpu, runCpu);
    }
};

} // namespace lexicana::bench
