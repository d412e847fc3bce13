#include "plot/MovementPhases.h"

#include <cmath>

namespace kivo {

MovementPhases FindMovementPhases(std::span<const double> values, double threshold,
                                  bool firstLineIsZero) {
    auto valueAt = [&](std::size_t i) {
        return i == 0 && firstLineIsZero && std::isnan(values[0]) ? 0.0 : values[i];
    };
    MovementPhases phases;
    bool open = false;  // a stretch is open at the previous line
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double value = valueAt(i);
        if (std::isnan(value)) {
            open = false;
            continue;
        }
        const bool moves = value > threshold;
        if (open && phases.stretches.back().movement == moves) {
            ++phases.stretches.back().count;
            continue;
        }
        PhaseStretch stretch{i, 1, moves, false};
        if (i > 0 && !std::isnan(valueAt(i - 1))) {
            const double previous = valueAt(i - 1);
            stretch.counted = moves ? previous < threshold : previous > threshold;
        }
        if (stretch.counted)
            ++(moves ? phases.movementPhases : phases.pausePhases);
        phases.stretches.push_back(stretch);
        open = true;
    }
    return phases;
}

}  // namespace kivo
