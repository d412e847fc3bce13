#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/ArithmeticFunctions.h"
#include "engine/CalculationDispatch.h"
#include "engine/CalculationTestRows.h"
#include "engine/MovementFunctions.h"
#include "params/Catalogue.h"

// The functions that combine the values of other rows: arithmetic and
// comparisons, differences, and the movement measures.

namespace kivo {
namespace {

using testing::BindPosition;
using testing::MakeRecord;
using testing::SetValues;

class RowFunctions : public testing::FrameRows {
  protected:
    int AddRow(std::vector<int> variables, std::vector<int> targets = {}) {
        return Add(MakeRecord(1, true, std::move(variables), std::move(targets)));
    }
    // A Dynamic SRL row of a body part (local: with a reference system) whose
    // changes for person A are `changes`.
    int AddSrl(int bodyPart, bool local, std::array<double, 3> changes, int status = kStatusOk) {
        ParameterRecord row = MakeRecord(3, false, {bodyPart}, {}, local ? kChest : 86);
        SetValues(row, 1, {changes[0], changes[1], changes[2]});
        row.statusA = status;
        return Add(std::move(row));
    }
    // The body part's position in the previous and the current frame.
    void Move(int bodyPart, std::array<double, 3> from, std::array<double, 3> to) {
        BindPosition(table_, bodyPart, 1, to, from);
    }

    InputVariableTable table_;
};

TEST_F(RowFunctions, ArithmeticCombinesOperandsInListOrder) {
    const int two = AddOperand(2), three = AddOperand(3), four = AddOperand(4);
    const int ten = AddOperand(10), twelve = AddOperand(12);
    const int sum = AddRow({two, three});
    const int difference = AddRow({two, three}, {ten});
    const int product = AddRow({two, three, four});
    const int quotient = AddRow({two, three}, {twelve});
    EXPECT_EQ(CalculateAddition(records_, 1, sum), kStatusOk);
    EXPECT_EQ(CalculateSubtraction(records_, 1, difference), kStatusOk);
    EXPECT_EQ(CalculateMultiplication(records_, 1, product), kStatusOk);
    EXPECT_EQ(CalculateDivision(records_, 1, quotient), kStatusOk);
    EXPECT_DOUBLE_EQ(Value(sum), 5.0);
    EXPECT_DOUBLE_EQ(Value(difference), 5.0);
    EXPECT_DOUBLE_EQ(Value(product), 24.0);
    EXPECT_DOUBLE_EQ(Value(quotient), 2.0);
}

TEST_F(RowFunctions, DivisionByExactZeroGivesNoValueWithoutError) {
    const int five = AddOperand(5), zero = AddOperand(0);
    const int byZero = AddRow({zero}, {five});
    const int zeroBy = AddRow({five}, {zero});
    EXPECT_EQ(CalculateDivision(records_, 1, byZero), kStatusOk);
    EXPECT_EQ(CalculateDivision(records_, 1, zeroBy), kStatusOk);
    EXPECT_EQ(Value(byZero), kNoValue);
    EXPECT_DOUBLE_EQ(Value(zeroBy), 0.0);
}

TEST_F(RowFunctions, AbsoluteValueUsesOnlyTheFirstVariable) {
    const int negative = AddOperand(-2.5), failed = AddOperand(1, 0, kStatusDataError);
    const int absolute = AddRow({negative, failed});
    EXPECT_EQ(CalculateAbsoluteValue(records_, 2, absolute), kStatusOk);
    EXPECT_EQ(CalculateAbsoluteValue(records_, 1, absolute), kStatusOk);
    EXPECT_DOUBLE_EQ(Value(absolute), 2.5);
}

TEST_F(RowFunctions, ComparisonsAreStrict) {
    struct Case {
        bool lessThan;
        double value;
        double expected;
    };
    for (const Case& c : {Case{true, 4.9, 1.0}, Case{true, 5.0, 0.0}, Case{false, 5.0, 0.0},
                          Case{false, 5.1, 1.0}, Case{true, kNoValue, 1.0}}) {
        const int row = AddRow({AddOperand(c.value)}, {5});
        EXPECT_EQ(CalculateComparison(records_, 1, row, c.lessThan, 5.0, kStatusOk), kStatusOk);
        EXPECT_EQ(Value(row), c.expected)
            << (c.lessThan ? "less than " : "greater than ") << c.value;
    }
}

TEST_F(RowFunctions, OperandErrorsAreInheritedPerPerson) {
    const int good = AddOperand(1, 1), badForB = AddOperand(2, 2, kStatusDataError);
    const int sum = AddRow({good, badForB});
    EXPECT_EQ(CalculateAddition(records_, 1, sum), kStatusOk);
    EXPECT_EQ(CalculateAddition(records_, 2, sum), kStatusInheritedError);
    EXPECT_DOUBLE_EQ(Value(sum, 0, 1), 3.0);
    EXPECT_EQ(Value(sum, 0, 2), kNoValue);  // nothing written
}

TEST_F(RowFunctions, ComparisonChecksTheOperandBeforeTheThreshold) {
    const int badForB = AddOperand(2, 2, kStatusDataError);
    const int row = AddRow({badForB}, {12, 33});
    EXPECT_EQ(CalculateComparison(records_, 2, row, true, 0.0, kStatusDataError),
              kStatusInheritedError);
    EXPECT_EQ(CalculateComparison(records_, 1, row, true, 0.0, kStatusSettingError),
              kStatusSettingError);
}

TEST_F(RowFunctions, AMinuendOrDividendThatIsNoRowIsAnError) {
    const int two = AddOperand(2);
    const int difference = AddRow({two}, {0});
    const int quotient = AddRow({two}, {99});
    EXPECT_EQ(CalculateSubtraction(records_, 1, difference), kStatusInheritedError);
    EXPECT_EQ(CalculateDivision(records_, 1, quotient), kStatusInheritedError);
}

// The dispatch turns a result that overflows into no value with a calculation
// error, and refuses a function it does not know.
TEST_F(RowFunctions, DispatchAllowsNoOverflowAndNoUnknownFunction) {
    const auto row = [](int function, std::vector<int> variables, double value,
                        std::vector<int> targets = {}) {
        ParameterRecord record = MakeRecord(1, false, std::move(variables), std::move(targets));
        record.functionIndex = function;
        record.currentValues = record.previousValues = {value};
        return record;
    };
    Add(row(kFnAddition, {}, 1e200));
    const int product = Add(row(kFnMultiplication, {1, 1}, 0.0));
    const int sum = Add(row(kFnAddition, {1, 1}, 0.0));
    const int quotient = Add(row(kFnDivision, {1}, 0.0, {sum}));
    const int unknown = Add(row(0, {}, 0.0));
    FrameContext context{table_, records_, {}, 0.25, 0.1, false};
    for (int position : {product, sum, quotient, unknown})
        DispatchRow(context, position);
    EXPECT_EQ(records_[2].statusA, kStatusCalculationError);
    EXPECT_EQ(Value(product), kNoValue);
    EXPECT_EQ(records_[3].statusA, kStatusOk);
    EXPECT_EQ(Value(sum), 2e200);
    EXPECT_EQ(Value(quotient), 2.0);
    EXPECT_EQ(records_[5].statusA, kStatusSettingError);
}

TEST_F(RowFunctions, DynamicParameterIsTheChangeSinceThePreviousFrame) {
    const double largest = std::numeric_limits<double>::max();
    struct Case {
        double previous;
        double current;
        double expected;
        int status;
    };
    for (const Case& c : {Case{3, 5, 2, kStatusOk}, Case{kNoValue, 5, kNoValue, kStatusOk},
                          Case{3, kNoValue, kNoValue, kStatusOk},
                          // No infinity is stored.
                          Case{-largest, largest, kNoValue, kStatusCalculationError}}) {
        ParameterRecord input = MakeRecord(2, false);
        input.previousValues = {c.previous, 10.0};
        input.currentValues = {c.current, 4.0};
        const int row = Add(MakeRecord(2, false, {Add(std::move(input))}));
        EXPECT_EQ(CalculateDynamic(records_, 1, row), c.status) << c.previous << " " << c.current;
        EXPECT_EQ(Value(row), c.expected) << c.previous << " " << c.current;
        if (c.status == kStatusOk) {
            EXPECT_EQ(Value(row, 1), -6.0);
        }
    }
}

TEST_F(RowFunctions, AnOperandNotComputedForPersonBIsASettingError) {
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

TEST_F(RowFunctions, TSMTakesTheMovingJointsAndActivationTheTranslationalMagnitude) {
    ParameterRecord complexity = MakeRecord(4, true);
    SetValues(complexity, 1, {5, 6, 7, 8});
    complexity.statusB = kStatusDataError;
    const int tsm = Add(MakeRecord(1, true, {Add(std::move(complexity))}));
    EXPECT_EQ(CalculateTSM(records_, 1, tsm), kStatusOk);
    EXPECT_EQ(CalculateTSM(records_, 2, tsm), kStatusInheritedError);
    EXPECT_EQ(Value(tsm, 0, 1), 8);
    EXPECT_EQ(Value(tsm, 0, 2), kNoValue);
    ParameterRecord magnitude = MakeRecord(3, false);
    SetValues(magnitude, 1, {1.5, 2.5, 3.5});
    const int activation = Add(MakeRecord(1, false, {Add(std::move(magnitude))}));
    EXPECT_EQ(CalculateActivation(records_, 1, activation), kStatusOk);
    EXPECT_EQ(Value(activation), 3.5);
}

// The rows are taken by their reference system, in whatever order they come.
TEST_F(RowFunctions, MagnitudeSumsAbsoluteChangesAndCorrectedDisplacements) {
    Move(kHandL, {0, 0, 0}, {0, 4, 0});      // 4 units
    Move(kKneeL, {0, 50, 0}, {1.5, 50, 0});  // 1.5 units, leg factor 2 -> 3
    const std::vector<int> rows = {
        AddSrl(kHandL, true, {1, -2, 3}), AddSrl(kHandL, false, {-0.5, 0, 0.25}),
        AddSrl(kKneeL, false, {1, 1, 1}), AddSrl(kKneeL, true, {0.5, 0.5, 0})};
    const int row = Add(MakeRecord(3, false, rows));
    ASSERT_EQ(CalculateMagnitude(table_, records_, 1, row, DistanceCorrection{1.0, 2.0}),
              kStatusOk);
    EXPECT_EQ(Value(row, 0), 3.75);
    EXPECT_EQ(Value(row, 1), 7);
    EXPECT_EQ(Value(row, 2), 7);
}

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
    double angleThreshold;
    double distanceThreshold;
    std::vector<double> expected;  // the leading columns to check
    int status;
    DistanceCorrection factors;
};

ComplexityCase Case(const char* name, std::vector<BodyPartMove> moves, std::vector<SrlRow> rows,
                    double angleThreshold, double distanceThreshold, std::vector<double> expected,
                    int status = kStatusOk, DistanceCorrection factors = testing::kUncorrected) {
    return {name,
            std::move(moves),
            std::move(rows),
            angleThreshold,
            distanceThreshold,
            std::move(expected),
            status,
            factors};
}

const BodyPartMove kHandStill{kHandL, {0, 0, 0}, {0, 0, 0}};

TEST_F(RowFunctions, ComplexityCountsChangesAndDisplacementsThatReachTheThresholds) {
    const ComplexityCase cases[] = {
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
             1.0, 5.0, {3, 1, 1, 1}, kStatusOk, {1.0, 2.0}),
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
             {kNoValue, 1, 0, 1})};
    for (const ComplexityCase& c : cases) {
        SCOPED_TRACE(c.name);
        records_.resize(1);
        table_ = InputVariableTable();
        for (const BodyPartMove& move : c.moves)
            Move(move.bodyPart, move.from, move.to);
        std::vector<int> rows;
        for (const SrlRow& srl : c.rows)
            rows.push_back(AddSrl(srl.bodyPart, srl.local, srl.changes, srl.status));
        const int row = Add(MakeRecord(4, false, rows));
        EXPECT_EQ(CalculateComplexity(table_, records_, 1, row, c.factors, c.angleThreshold,
                                      c.distanceThreshold),
                  c.status);
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(Value(row, static_cast<int>(i)), c.expected[i]) << "column " << i + 1;
    }
}

}  // namespace
}  // namespace kivo
