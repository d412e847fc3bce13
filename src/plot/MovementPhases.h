#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace kivo {

// A stretch of consecutive data lines in which an Activation value stays
// above the movement threshold (movement) or at or below it (pause).
struct PhaseStretch {
    std::size_t first = 0;  // first data line
    std::size_t count = 0;  // number of data lines
    bool movement = false;
    // Whether the statistics count the stretch as a phase: it begins where the
    // previous line's value lies strictly on the other side of the threshold.
    bool counted = false;
};

struct MovementPhases {
    std::vector<PhaseStretch> stretches;
    int movementPhases = 0;  // counted movement stretches
    int pausePhases = 0;     // counted pause stretches
};

// Movement and pause phases of an Activation column by the rule of the
// statistics: a line moves when its value is greater than `threshold`; a
// movement phase starts where a value above the threshold follows one below
// it, a pause phase where a value at or below it follows one above it. A
// line without a value (NaN) belongs to no stretch and starts none after it.
// With `firstLineIsZero` an empty first line counts as the value 0, as the
// run counts an Activation row that writes no column of its own (its first
// frame holds 0 before movement can be measured). The values are those of
// an output file, rounded to its decimal places, so a value within rounding
// of the threshold may fall on the other side than in the run's own count.
MovementPhases FindMovementPhases(std::span<const double> values, double threshold,
                                  bool firstLineIsZero = false);

}  // namespace kivo
