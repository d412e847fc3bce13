#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <utility>
#include <vector>

#include "core/InputVariableTable.h"
#include "core/NoValue.h"
#include "core/ParameterRecord.h"
#include "core/StatusCode.h"
#include "engine/DistanceCorrection.h"
#include "engine/GeometryTypes.h"

namespace kivo::testing {

using Pose = std::array<double, 6>;

constexpr DistanceCorrection kUncorrected{};

// A position without rotation.
inline Pose At(double x, double y, double z) {
    return {x, y, z, 0, 0, 0};
}

// Binds all six data fields of an input variable of one person and sets the
// current and the previous frame's pose to `pose`.
inline void BindPose(InputVariableTable& table, int variable, int person, const Pose& pose) {
    PersonBlock& block = table.Person(variable, person);
    for (int s = 0; s < kPoseSlots; ++s)
        block.fieldIndex[s] = 3 + s;
    block.current = block.previous = pose;
}

// The same, with the person first and the pose as a body pose.
inline void Place(InputVariableTable& table, int person, int variable, const BodyPose& pose) {
    BindPose(table, variable, person, {pose.x, pose.y, pose.z, pose.rx, pose.ry, pose.rz});
}

// Binds only the three position fields (the rotation fields stay unassigned).
inline void BindPosition(InputVariableTable& table, int variable, int person,
                         const std::array<double, 3>& current,
                         const std::array<double, 3>& previous) {
    PersonBlock& block = table.Person(variable, person);
    for (int s = 0; s < 3; ++s) {
        block.fieldIndex[s] = 3 + s;
        block.current[s] = current[s];
        block.previous[s] = previous[s];
    }
}

// An enabled run-time record whose values all start as no value, as the run
// leaves them before it calls a calculation function.
inline ParameterRecord MakeRecord(int nValues, bool partner, std::vector<int> variables = {},
                                  std::vector<int> targets = {},
                                  int referenceSystem = kNotAnInputVariable) {
    ParameterRecord record;
    record.enabled = true;
    record.nValues = nValues;
    record.partnerFlag = partner;
    record.nVariables = static_cast<int>(variables.size());
    record.variableIndices = std::move(variables);
    record.nTargets = static_cast<int>(targets.size());
    record.targetIndices = std::move(targets);
    record.referenceSystem = referenceSystem;
    const auto slots = static_cast<std::size_t>(nValues * record.Persons());
    record.currentValues.assign(slots, kNoValue);
    record.previousValues.assign(slots, kNoValue);
    return record;
}

inline void SetValues(ParameterRecord& record, int person, std::initializer_list<double> values) {
    int column = 0;
    for (double value : values)
        record.Current(column++, person) = value;
}

// The records of a frame's list for functions that read other rows: list
// positions start at 1, slot 0 is no row.
class FrameRows : public ::testing::Test {
  protected:
    int Add(ParameterRecord record) {
        records_.push_back(std::move(record));
        return static_cast<int>(records_.size()) - 1;
    }
    // A row of one value column for persons A and B, with B's status.
    int AddOperand(double valueA, double valueB = 0.0, int statusB = kStatusOk) {
        ParameterRecord row = MakeRecord(1, true);
        SetValues(row, 1, {valueA});
        SetValues(row, 2, {valueB});
        row.statusB = statusB;
        return Add(std::move(row));
    }
    double Value(int position, int column = 0, int person = 1) const {
        return records_[static_cast<std::size_t>(position)].Current(column, person);
    }

    std::vector<ParameterRecord> records_{1};
};

}  // namespace kivo::testing
