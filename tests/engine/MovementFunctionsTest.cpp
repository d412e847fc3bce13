#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/CalculationTestRows.h"
#include "engine/MovementFunctions.h"

namespace kivo {
namespace {

using testing::BindPosition;
using testing::MakeRecord;
using testing::SetValues;

constexpr DistanceCorrection kUncorrected{};

class MovementFunctions : public ::testing::Test {
  protected:
    int Add(ParameterRecord record) {
        records_.push_back(std::move(record));
        return static_cast<int>(records_.size()) - 1;
    }
    // A Dynamic SRL row of a body part (local: with a reference system) whose
    // changes for person A are `changes`.
    int AddSrl(int bodyPart, bool local, std::array<double, 3> changes) {
        ParameterRecord row = MakeRecord(3, false, {bodyPart}, {}, local ? kChest : 86);
        SetValues(row, 1, {changes[0], changes[1], changes[2]});
        return Add(std::move(row));
    }
    // The body part's position in the previous and the current frame.
    void Move(int bodyPart, std::array<double, 3> from, std::array<double, 3> to) {
        BindPosition(table_, bodyPart, 1, to, from);
    }
    double Value(int position, int column, int person = 1) const {
        return records_[static_cast<std::size_t>(position)].Current(column, person);
    }
    void ExpectValues(int position, std::initializer_list<double> expected) const {
        int column = 0;
        for (double value : expected) {
            EXPECT_DOUBLE_EQ(Value(position, column), value) << "column " << column + 1;
            ++column;
        }
    }

    std::vector<ParameterRecord> records_{1};  // slot 0 is no list position
    InputVariableTable table_;
};

// A Dynamic SRL row given to Complexity, and a body part's move between frames.
struct SrlRow {
    int bodyPart;
    bool local;
    std::array<double, 3> changes;
    int status;
};
SrlRow Global(int bodyPart, std::array<double, 3> changes, int status = kStatusOk) {
    return {bodyPart, false, changes, status};
}
SrlRow Local(int bodyPart, std::array<double, 3> changes) {
    return {bodyPart, true, changes, kStatusOk};
}
struct BodyPartMove {
    int bodyPart;
    std::array<double, 3> from;
    std::array<double, 3> to;
};

struct ComplexityCase {
    const char* name;
    std::vector<BodyPartMove> moves;
    std::vector<SrlRow> rows;
    DistanceCorrection factors;
    double angleThreshold;
    double distanceThreshold;
    std::vector<double> expected;  // the leading columns to check
    int status;
};

class Complexity : public MovementFunctions,
                   public ::testing::WithParamInterface<ComplexityCase> {};

TEST_P(Complexity, CountsChangesAndDisplacementsThatReachTheThresholds) {
    const ComplexityCase& c = GetParam();
    for (const BodyPartMove& move : c.moves)
        Move(move.bodyPart, move.from, move.to);
    std::vector<int> rows;
    for (const SrlRow& srl : c.rows) {
        rows.push_back(AddSrl(srl.bodyPart, srl.local, srl.changes));
        records_.back().statusA = srl.status;
    }
    const int row = Add(MakeRecord(4, false, rows));
    EXPECT_EQ(CalculateComplexity(table_, records_, 1, row, c.factors, c.angleThreshold,
                                  c.distanceThreshold),
              c.status);
    for (std::size_t i = 0; i < c.expected.size(); ++i)
        EXPECT_EQ(Value(row, static_cast<int>(i)), c.expected[i]) << "column " << i + 1;
}

const BodyPartMove kHandStill{kHandL, {0, 0, 0}, {0, 0, 0}};
constexpr DistanceCorrection kArmLeg12{1.0, 2.0};

ComplexityCase Case(const char* name, std::vector<BodyPartMove> moves, std::vector<SrlRow> rows,
                    double angleThreshold, double distanceThreshold, std::vector<double> expected,
                    int status = kStatusOk, DistanceCorrection factors = kUncorrected) {
    return {name,           std::move(moves),  std::move(rows),     factors,
            angleThreshold, distanceThreshold, std::move(expected), status};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Complexity,
    ::testing::Values(
        // Angle changes count by their magnitude, from the threshold on.
        Case("AbsoluteChangesFromTheThresholdOn", {kHandStill},
             {Global(kHandL, {-0.5, 0.5, 0.499}), Local(kHandL, {0, 0, 0})}, 0.5, 1.0, {2}),
        Case("ZeroThresholdCountsNoChange", {kHandStill},
             {Global(kHandL, {0, 0, 0}), Local(kHandL, {0, 0, 0})}, 0.0, 1.0, {3}),
        // With distance threshold 0 every local body part counts, moved or not.
        Case("DistanceThresholdZero",
             {{kHandL, {1, 2, 3}, {1, 2, 3}}, {kKneeR, {0, 50, 0}, {0, 52, 0}}},
             {Global(kHandL, {0, 0, 0}), Global(kKneeR, {0, 0, 0}), Local(kHandL, {0, 0, 0}),
              Local(kKneeR, {0, 0, 0})},
             1.0, 0.0, {0, 0, 2, 0}),
        // Hand 3 units with arm factor 1 -> 3; knee 3 units with leg factor 2 -> 6.
        Case("MovingJointsAndCorrectedDisplacements",
             {{kHandL, {0, 100, 0}, {3, 100, 0}}, {kKneeR, {0, 50, 0}, {0, 50, 3}}},
             {Global(kHandL, {1, 1, 1}), Global(kKneeR, {0, 0, 0}), Local(kHandL, {0, 3, 0}),
              Local(kKneeR, {0.2, 0, 0})},
             1.0, 5.0, {3, 1, 1, 1}, kStatusOk, kArmLeg12),
        // An operand's error is inherited; the counts reached are kept.
        Case("OperandError", {},
             {Global(kHandL, {2, 0, 0}), Global(kKneeR, {5, 5, 5}, kStatusDataError),
              Local(kHandL, {0, 0, 0}), Local(kKneeR, {0, 0, 0})},
             1.0, 1.0, {1, 0, 0, 0}, kStatusInheritedError),
        // Hand L has no position fields assigned.
        Case("MissingDisplacement", {}, {Global(kHandL, {2, 2, 0}), Local(kHandL, {0, 0, 0})}, 1.0,
             1.0, {2, 0, 0, 0}, kStatusDataError),
        // A column that an undetermined angle enters stays empty.
        Case("UndeterminedAngle", {kHandStill},
             {Global(kHandL, {kNoValue, 0, 5}), Local(kHandL, {0, 2, 0})}, 1.0, 1.0,
             {kNoValue, 1, 0, 1})),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// The rows are taken by their reference system, in whatever order they come.
TEST_F(MovementFunctions, MagnitudeSumsAbsoluteChangesAndCorrectedDisplacements) {
    Move(kHandL, {0, 0, 0}, {0, 4, 0});      // 4 units
    Move(kKneeL, {0, 50, 0}, {1.5, 50, 0});  // 1.5 units, leg factor 2 -> 3
    const std::vector<int> rows = {
        AddSrl(kHandL, true, {1, -2, 3}), AddSrl(kHandL, false, {-0.5, 0, 0.25}),
        AddSrl(kKneeL, false, {1, 1, 1}), AddSrl(kKneeL, true, {0.5, 0.5, 0})};
    const int row = Add(MakeRecord(3, false, rows));
    ASSERT_EQ(CalculateMagnitude(table_, records_, 1, row, DistanceCorrection{1.0, 2.0}),
              kStatusOk);
    ExpectValues(row, {3.75, 7, 7});
}

TEST_F(MovementFunctions, TSMTakesTheMovingJointsAndInheritsPersonBsError) {
    ParameterRecord complexity = MakeRecord(4, true);
    SetValues(complexity, 1, {5, 6, 7, 8});
    complexity.statusB = kStatusDataError;
    const int input = Add(std::move(complexity));
    const int row = Add(MakeRecord(1, true, {input}));
    EXPECT_EQ(CalculateTSM(records_, 1, row), kStatusOk);
    EXPECT_EQ(CalculateTSM(records_, 2, row), kStatusInheritedError);
    EXPECT_EQ(Value(row, 0, 1), 8);
    EXPECT_EQ(Value(row, 0, 2), kNoValue);
}

TEST_F(MovementFunctions, ActivationTakesTheTranslationalMagnitude) {
    ParameterRecord magnitude = MakeRecord(3, false);
    SetValues(magnitude, 1, {1.5, 2.5, 3.5});
    const int row = Add(MakeRecord(1, false, {Add(std::move(magnitude))}));
    EXPECT_EQ(CalculateActivation(records_, 1, row), kStatusOk);
    EXPECT_EQ(Value(row, 0), 3.5);
}

struct DifferenceCase {
    const char* name;
    double previous;
    double current;
    double expected;
};

class DynamicParameter : public MovementFunctions,
                         public ::testing::WithParamInterface<DifferenceCase> {};

TEST_P(DynamicParameter, IsTheChangeSinceThePreviousFrame) {
    ParameterRecord input = MakeRecord(2, false);
    input.previousValues = {GetParam().previous, 10.0};
    input.currentValues = {GetParam().current, 4.0};
    const int row = Add(MakeRecord(2, false, {Add(std::move(input))}));
    EXPECT_EQ(CalculateDynamic(records_, 1, row), kStatusOk);
    EXPECT_EQ(Value(row, 0), GetParam().expected);
    EXPECT_EQ(Value(row, 1), -6.0);
}

INSTANTIATE_TEST_SUITE_P(Frames, DynamicParameter,
                         ::testing::Values(DifferenceCase{"Increase", 3, 5, 2},
                                           DifferenceCase{"PreviousNoValue", kNoValue, 5, kNoValue},
                                           DifferenceCase{"CurrentNoValue", 3, kNoValue, kNoValue}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(MovementFunctions, DynamicParameterStoresNoInfinity) {
    const double largest = std::numeric_limits<double>::max();
    ParameterRecord input = MakeRecord(1, false);
    input.previousValues = {-largest};
    input.currentValues = {largest};
    const int row = Add(MakeRecord(1, false, {Add(std::move(input))}));
    EXPECT_EQ(CalculateDynamic(records_, 1, row), kStatusCalculationError);
    EXPECT_EQ(Value(row, 0), kNoValue);
}

TEST_F(MovementFunctions, AnOperandNotComputedForPersonBIsASettingError) {
    ParameterRecord input = MakeRecord(4, false);  // person A only
    SetValues(input, 1, {1, 2, 3, 4});
    const int inputRow = Add(std::move(input));
    const int tsm = Add(MakeRecord(1, true, {inputRow}));
    const int dynamic = Add(MakeRecord(1, true, {inputRow}));
    EXPECT_EQ(CalculateTSM(records_, 2, tsm), kStatusSettingError);
    EXPECT_EQ(CalculateDynamic(records_, 2, dynamic), kStatusSettingError);
    EXPECT_EQ(Value(tsm, 0, 2), kNoValue);
    EXPECT_EQ(Value(dynamic, 0, 2), kNoValue);
}

}  // namespace
}  // namespace kivo
