#include "engine/BodyPoseAccess.h"

#include "core/StatusCode.h"

namespace kivo {

namespace {

// The person block of the variable, or nullptr with the setting error.
const PersonBlock* FindBlock(const InputVariableTable& table, int person, int index) {
    if (index < 0 || index >= kInputVariableCount || person < 1 || person > 2)
        return nullptr;
    return &table.Person(index, person);
}

bool PositionAssigned(const PersonBlock& block) {
    return block.fieldIndex[kTx] != 0 && block.fieldIndex[kTy] != 0 && block.fieldIndex[kTz] != 0;
}

int ReadPose(const InputVariableTable& table, int person, int index, bool previous,
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

int ReadPosition(const InputVariableTable& table, int person, int index, bool previous,
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

}  // namespace

int GetBodyPartPose(const InputVariableTable& table, int person, int index, BodyPose& pose) {
    return ReadPose(table, person, index, false, pose);
}

int GetBodyPartPreviousPose(const InputVariableTable& table, int person, int index,
                            BodyPose& pose) {
    return ReadPose(table, person, index, true, pose);
}

int GetBodyPartPosition(const InputVariableTable& table, int person, int index, Vec3& position) {
    return ReadPosition(table, person, index, false, position);
}

int GetBodyPartPreviousPosition(const InputVariableTable& table, int person, int index,
                                Vec3& position) {
    return ReadPosition(table, person, index, true, position);
}

}  // namespace kivo
