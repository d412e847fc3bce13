#pragma once

namespace kivo {

// The kind of statistics a parameter gets (a trait of its calculation function).
enum class StatisticsKind {
    General,  // mean, standard deviation, minimum, maximum
    Level,    // Complexity, Magnitude, Pixel Difference: mean per frame and per movement frame
    DyadicMovement,  // TSM: movement frames of A, and of A and B together
    Phases,          // Activation: movement and pause phases
};

StatisticsKind StatisticsKindOf(int functionIndex);  // General for unknown indices

// Pixel Difference compares against this constant instead of a file option.
inline constexpr double kPixelDifferenceThreshold = 10.0;

// The movement threshold of value column `column` (0-based) of a parameter
// with the given function, taken from the file's angle and distance
// thresholds. A value moves when its absolute value is strictly greater.
double MovementThreshold(int functionIndex, int column, double thresholdAngles,
                         double thresholdDistances);

// Items a statistics line holds per value column of an accumulator (4, 2, 5, 7).
int ItemsPerColumn(StatisticsKind kind);

// Counters an accumulator must hold for the kind (value accumulators and the
// difference accumulators differ only for Activation).
int ValueCountersNeeded(StatisticsKind kind);
int DifferenceCountersNeeded(StatisticsKind kind);

}  // namespace kivo
