#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ParameterRecord.h"

namespace kivo {

// Units of the numbers Kivo writes, derived from the calculation function of
// a column and the options of the run (not stored anywhere).

inline constexpr std::string_view kUnitDegrees = "degrees";
inline constexpr std::string_view kUnitDataUnit = "data unit";
inline constexpr std::string_view kUnitPercent = "percent";
inline constexpr std::string_view kUnitCount = "count";
inline constexpr std::string_view kUnitSeconds = "seconds";

enum class Limb { Arm, Leg, ArmOrLeg };

// The unit of corrected distances under a distance option ("Height",
// "Length", a body height, "unmodified"): percent of body height, percent of
// arm or leg length, the unit of the body height, or the data unit.
std::string DistanceUnit(std::string_view distanceOption, Limb limb = Limb::ArmOrLeg);

// For every list position of a compiled parameter array, the unit of each
// value column (without the "D " twins, which share their column's unit).
std::vector<std::vector<std::string>> ValueUnits(const std::vector<ParameterRecord>& records,
                                                 std::string_view distanceOption);

// The unit of each statistics caption of a record whose value columns have
// the units `values`, in caption order.
std::vector<std::string> StatisticsUnits(const ParameterRecord& record,
                                         const std::vector<std::string>& values);

}  // namespace kivo
