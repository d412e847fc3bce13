#pragma once

#include "core/InputVariableTable.h"
#include "core/StatusCode.h"
#include "engine/GeometryTypes.h"

namespace kivo {

// Read access to one frame's body data in the input variable table.
// person: 1 = A (input file), 2 = B (partner file); index: input variable
// position 0..85. Each returns 0 and fills the out-argument, or a status and
// leaves it untouched: 6 for an index (or person) out of range, 4 when a
// needed data field of that variable is not assigned.
// (Defined here: every calculation reads many poses per frame.)

namespace body_pose_access {

// The person block of the variable, or nullptr.
inline const PersonBlock* FindBlock(const InputVariableTable& table, int person, int index) {
    if (index < 0 || index >= kInputVariableCount || person < 1 || person > 2)
        return nullptr;
    return &table.Person(index, person);
}

inline bool PositionAssigned(const PersonBlock& block) {
    return block.fieldIndex[kTx] != 0 && block.fieldIndex[kTy] != 0 && block.fieldIndex[kTz] != 0;
}

inline int ReadPose(const InputVariableTable& table, int person, int index, bool previous,
                    BodyPose& pose) {
    const PersonBlock* block = FindBlock(table, person, index);
    if (block == nullptr)
        return kStatusSettingError;
    if (!block->IsBound() || !(previous ? block->previousComplete : block->frameComplete))
        return kStatusDataError;
    const auto& values = previous ? block->previous : block->current;
    pose = {values[kTx], values[kTy], values[kTz], values[kRx], values[kRy], values[kRz]};
    return kStatusOk;
}

inline int ReadPosition(const InputVariableTable& table, int person, int index, bool previous,
                        Vec3& position) {
    const PersonBlock* block = FindBlock(table, person, index);
    if (block == nullptr)
        return kStatusSettingError;
    if (!PositionAssigned(*block) || !(previous ? block->previousComplete : block->frameComplete))
        return kStatusDataError;
    const auto& values = previous ? block->previous : block->current;
    position = {values[kTx], values[kTy], values[kTz]};
    return kStatusOk;
}

}  // namespace body_pose_access

// Current pose; all six data fields must be assigned.
[[nodiscard]] inline int GetBodyPartPose(const InputVariableTable& table, int person, int index,
                                         BodyPose& pose) {
    return body_pose_access::ReadPose(table, person, index, false, pose);
}
// Previous processed frame's pose; all six data fields must be assigned.
[[nodiscard]] inline int GetBodyPartPreviousPose(const InputVariableTable& table, int person,
                                                 int index, BodyPose& pose) {
    return body_pose_access::ReadPose(table, person, index, true, pose);
}
// Current position; only the three position fields must be assigned.
[[nodiscard]] inline int GetBodyPartPosition(const InputVariableTable& table, int person, int index,
                                             Vec3& position) {
    return body_pose_access::ReadPosition(table, person, index, false, position);
}
// Previous processed frame's position; only the three position fields must be assigned.
[[nodiscard]] inline int GetBodyPartPreviousPosition(const InputVariableTable& table, int person,
                                                     int index, Vec3& position) {
    return body_pose_access::ReadPosition(table, person, index, true, position);
}

}  // namespace kivo
