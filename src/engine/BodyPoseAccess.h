#pragma once

#include "core/InputVariableTable.h"
#include "engine/GeometryTypes.h"

namespace kivo {

// Read access to one frame's body data in the input variable table.
// person: 1 = A (input file), 2 = B (partner file); index: input variable
// position 0..85. Each returns 0 and fills the out-argument, or a status and
// leaves it untouched: 6 for an index (or person) out of range, 4 when a
// needed data field of that variable is not assigned.

// Current pose; all six data fields must be assigned.
int GetBodyPartPose(const InputVariableTable& table, int person, int index, BodyPose& pose);
// Previous processed frame's pose; all six data fields must be assigned.
int GetBodyPartPreviousPose(const InputVariableTable& table, int person, int index, BodyPose& pose);
// Current position; only the three position fields must be assigned.
int GetBodyPartPosition(const InputVariableTable& table, int person, int index, Vec3& position);
// Previous processed frame's position; only the three position fields must be assigned.
int GetBodyPartPreviousPosition(const InputVariableTable& table, int person, int index,
                                Vec3& position);

}  // namespace kivo
