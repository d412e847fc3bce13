#include "core/InputVariableTable.h"

namespace kivo {

const std::array<std::string_view, kFixedInputVariableCount>& FixedInputVariableNames() {
    static const std::array<std::string_view, kFixedInputVariableCount> names = {
        "Base",     "Hips",     "Chest",  "Head",    "Arm L",    "Elbow L",  "Hand L",   "Leg L",
        "Knee L",   "Foot L",   "Arm R",  "Elbow R", "Hand R",   "Leg R",    "Knee R",   "Foot R",
        "Chin",     "Top",      "Bottom", "Nose",    "Ear R",    "Ear L",    "Chest L",  "Chest M",
        "Chest R",  "Hips L",   "Hips M", "Hips R",  "Hand L O", "Hand L F", "Hand L I", "Hand R O",
        "Hand R F", "Hand R I", "Camera", "Interest"};
    return names;
}

InputVariableTable::InputVariableTable() {
    const auto& fixed = FixedInputVariableNames();
    for (int k = 0; k < kFixedInputVariableCount; ++k) {
        entries_[k].name = std::string(fixed[k]);
    }
}

int InputVariableTable::GetInputVariableIndex(std::string_view name) const {
    for (int k = 0; k < kInputVariableCount; ++k) {
        if (entries_[k].name == name)
            return k;
    }
    return kNotAnInputVariable;
}

void InputVariableTable::ResetFieldIndices() {
    for (auto& entry : entries_) {
        for (auto& person : entry.persons)
            person.fieldIndex.fill(0);
    }
}

}  // namespace kivo
