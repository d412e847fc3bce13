#pragma once

#include <cstdint>
#include <vector>

namespace kivo {

// Running sums of one value column of one parameter over a file (or part file).
// The meaning of each field depends on the kind of statistics of the parameter.
struct StatisticsAccumulator {
    double firstSum = 0.0;
    double secondSum = 0.0;
    double third = 0.0;
    double fourth = 0.0;
    std::vector<std::int32_t> counters;  // from index 0; size set at compilation
};

}  // namespace kivo
