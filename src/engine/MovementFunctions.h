#pragma once

#include <vector>

#include "core/InputVariableTable.h"
#include "core/ParameterRecord.h"
#include "engine/DistanceCorrection.h"

namespace kivo {

// Movement between the previous and the current frame, computed from rows
// evaluated earlier in the same frame. Each takes the run-time records
// (indexed by list position), the person (1 = A, 2 = B) and the row's list
// position, writes the row's values for that person and returns the status:
// 7 as soon as an operand row it reaches has a non-zero status for the
// person, 6 when an operand is not a usable row (or the row cannot hold the
// person's values).

// Complexity over 2k Dynamic SRL rows (entries 1..k global, k+1..2k local):
// column 1 counts the global angle changes with |change| >= angleThreshold,
// column 2 the local ones, column 3 the body parts whose corrected
// displacement is >= distanceThreshold, column 4 the body parts with at least
// one local angle change over the threshold. A failure part-way leaves the
// counts reached so far. A column that an undeterminable angle (no value)
// would count into becomes no value.
[[nodiscard]] int CalculateComplexity(const InputVariableTable& table,
                                      std::vector<ParameterRecord>& records, int person,
                                      int position, const DistanceCorrection& factors,
                                      double angleThreshold, double distanceThreshold);

// Magnitude over the same rows: column 1 sums |sagittal| + |rotational| +
// |lateral| of the global rows, column 2 of the local rows (chosen by the Dynamic
// SRL row's reference system), column 3 the corrected displacements of the
// local rows' body parts. Partial sums stay on failure.
[[nodiscard]] int CalculateMagnitude(const InputVariableTable& table,
                                     std::vector<ParameterRecord>& records, int person,
                                     int position, const DistanceCorrection& factors);

// Column 4 (the moving joints of a Complexity row) of the operand row.
[[nodiscard]] int CalculateTSM(std::vector<ParameterRecord>& records, int person, int position);

// Column 3 (the translational magnitude of a Magnitude row) of the operand row.
[[nodiscard]] int CalculateActivation(std::vector<ParameterRecord>& records, int person,
                                      int position);

// Current minus previous value of the operand row, per value column; no value
// where either of them is no value. A difference that cannot be represented
// is stored as no value with status 1.
[[nodiscard]] int CalculateDynamic(std::vector<ParameterRecord>& records, int person, int position);

}  // namespace kivo
