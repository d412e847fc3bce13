#pragma once

#include <vector>

#include "core/InputVariableTable.h"
#include "core/ParameterRecord.h"
#include "engine/DistanceCorrection.h"

namespace kivo {

// Measures between person A (the input file) and person B (its partner file)
// in the current frame. They read both persons' blocks of the input variable
// table; without partner data person B's data fields are unassigned, so the
// reads give status 4 and nothing out of range is touched.

// Posture similarity of the person (1 = A, 2 = B) and the other person, each
// body part's SRL angles taken relative to the person's own reference system.
// Column 1 sums the absolute angle differences of the same body parts, column
// 2 those against the other person's mirror image (mirrored in the global yz
// plane, left and right body parts exchanged). A column with an angle that
// cannot be determined is no value (status 0). A failing read or
// transformation stops with its status (4, 6 or 1).
[[nodiscard]] int CalculateDyadicMimicry(const InputVariableTable& table, ParameterRecord& record,
                                         int person);

// Smallest corrected distance from person A's variables to person B's
// targets, with the correction factors of the person being computed. A pair
// that cannot be measured is skipped; the status is that of the last pair,
// and no value is stored when no pair was measured.
[[nodiscard]] int CalculateDyadicProxemics(const InputVariableTable& table, ParameterRecord& record,
                                           int person, const DistanceCorrection& factors);

// For each value column of the row at variable 1 (computed for both persons),
// with a = A's and b = B's value, writes person A's columns: a + b, a * 100 /
// (a + b), a - b, (a - b) * 100 / (a + b). The percentages are no value when
// a + b is 0; all four are no value when a or b is. Status 7 when that row
// failed for either person; status 1 (with no value) where a result cannot be
// represented.
[[nodiscard]] int CalculateDyadicParameters(std::vector<ParameterRecord>& records, int position);

}  // namespace kivo
