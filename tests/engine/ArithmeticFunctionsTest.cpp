#include <gtest/gtest.h>

#include <vector>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/ArithmeticFunctions.h"
#include "engine/CalculationTestRows.h"

namespace kivo {
namespace {

// Records at list positions 1.. with one value column for persons A and B.
class ArithmeticFunctions : public ::testing::Test {
  protected:
    int AddOperand(double valueA, double valueB = 0.0, int statusB = kStatusOk) {
        records_.push_back(testing::MakeRecord(1, true));
        testing::SetValues(records_.back(), 1, {valueA});
        testing::SetValues(records_.back(), 2, {valueB});
        records_.back().statusB = statusB;
        return static_cast<int>(records_.size()) - 1;
    }
    int AddRow(std::vector<int> variables, std::vector<int> targets = {}) {
        records_.push_back(testing::MakeRecord(1, true, std::move(variables), std::move(targets)));
        return static_cast<int>(records_.size()) - 1;
    }
    double Value(int position, int person = 1) { return records_[position].Current(0, person); }

    std::vector<ParameterRecord> records_ = std::vector<ParameterRecord>(1);
};

TEST_F(ArithmeticFunctions, CombineOperandsInListOrder) {
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

TEST_F(ArithmeticFunctions, DivisionByExactZeroGivesNoValueWithoutError) {
    const int five = AddOperand(5), zero = AddOperand(0);
    const int byZero = AddRow({zero}, {five});
    const int zeroBy = AddRow({five}, {zero});
    EXPECT_EQ(CalculateDivision(records_, 1, byZero), kStatusOk);
    EXPECT_EQ(CalculateDivision(records_, 1, zeroBy), kStatusOk);
    EXPECT_EQ(Value(byZero), kNoValue);
    EXPECT_DOUBLE_EQ(Value(zeroBy), 0.0);
}

TEST_F(ArithmeticFunctions, AbsoluteValueUsesOnlyTheFirstVariable) {
    const int negative = AddOperand(-2.5), failed = AddOperand(1, 0, kStatusDataError);
    const int absolute = AddRow({negative, failed});
    EXPECT_EQ(CalculateAbsoluteValue(records_, 2, absolute), kStatusOk);
    EXPECT_EQ(CalculateAbsoluteValue(records_, 1, absolute), kStatusOk);
    EXPECT_DOUBLE_EQ(Value(absolute), 2.5);
}

struct ComparisonCase {
    bool lessThan;
    double value;
    double expected;
};

void PrintTo(const ComparisonCase& c, std::ostream* os) {
    *os << (c.lessThan ? "LessThan " : "GreaterThan ") << c.value;
}

class Comparison : public ArithmeticFunctions,
                   public ::testing::WithParamInterface<ComparisonCase> {};

TEST_P(Comparison, ComparesStrictlyWithTheThreshold) {
    const int operand = AddOperand(GetParam().value);
    const int row = AddRow({operand}, {5});
    EXPECT_EQ(CalculateComparison(records_, 1, row, GetParam().lessThan, 5.0, kStatusOk),
              kStatusOk);
    EXPECT_EQ(Value(row), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Thresholds, Comparison,
                         ::testing::Values(ComparisonCase{true, 4.9, 1.0},
                                           ComparisonCase{true, 5.0, 0.0},
                                           ComparisonCase{false, 5.0, 0.0},
                                           ComparisonCase{false, 5.1, 1.0},
                                           ComparisonCase{true, kNoValue, 1.0}));

TEST_F(ArithmeticFunctions, OperandErrorsAreInheritedPerPerson) {
    const int good = AddOperand(1, 1), badForB = AddOperand(2, 2, kStatusDataError);
    const int sum = AddRow({good, badForB});
    EXPECT_EQ(CalculateAddition(records_, 1, sum), kStatusOk);
    EXPECT_EQ(CalculateAddition(records_, 2, sum), kStatusInheritedError);
    EXPECT_DOUBLE_EQ(Value(sum, 1), 3.0);
    EXPECT_EQ(Value(sum, 2), kNoValue);  // nothing written
}

TEST_F(ArithmeticFunctions, ComparisonChecksTheOperandBeforeTheThreshold) {
    const int badForB = AddOperand(2, 2, kStatusDataError);
    const int row = AddRow({badForB}, {12, 33});
    EXPECT_EQ(CalculateComparison(records_, 2, row, true, 0.0, kStatusDataError),
              kStatusInheritedError);
    EXPECT_EQ(CalculateComparison(records_, 1, row, true, 0.0, kStatusSettingError),
              kStatusSettingError);
}

TEST_F(ArithmeticFunctions, AMinuendOrDividendThatIsNoRowIsAnError) {
    const int two = AddOperand(2);
    const int difference = AddRow({two}, {0});
    const int quotient = AddRow({two}, {99});
    EXPECT_EQ(CalculateSubtraction(records_, 1, difference), kStatusInheritedError);
    EXPECT_EQ(CalculateDivision(records_, 1, quotient), kStatusInheritedError);
}

}  // namespace
}  // namespace kivo
