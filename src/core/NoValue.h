#pragma once

namespace kivo {

// Marks a missing value in a value slot: written as an empty output field and
// skipped by the statistics.
inline constexpr double kNoValue = -9999999.0;

inline bool IsNoValue(double value) {
    return value == kNoValue;
}

}  // namespace kivo
