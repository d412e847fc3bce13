#pragma once

#include "core/InputVariableTable.h"
#include "core/ParameterRecord.h"

namespace kivo {

// Posture of one body part of one person (1 = A, 2 = B) in the current frame.
// Each writes the record's values for that person and returns the status.

// Orientation as sagittal, rotational and lateral angle, globally or in the
// frame of the reference system (global whenever the reference cannot be read).
[[nodiscard]] int CalculateStaticSRL(const InputVariableTable& table, ParameterRecord& record,
                                     int person);

// Change of that orientation since the previous frame, relative to the
// reference system when one is given (an unassigned "Base" counts as global).
[[nodiscard]] int CalculateDynamicSRL(const InputVariableTable& table, ParameterRecord& record,
                                      int person);

// Position and rotation angles of the body part in the reference's local frame.
[[nodiscard]] int CalculateCoordinateTransformation(const InputVariableTable& table,
                                                    ParameterRecord& record, int person);

}  // namespace kivo
