#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/BodyConfigurationFunctions.h"
#include "engine/CalculationTestRows.h"
#include "engine/Rotation.h"

namespace kivo {
namespace {

using testing::BindPose;
using testing::BindPosition;
using testing::MakeRecord;
using testing::Pose;
using testing::SetValues;

constexpr double kStraightAngle = kPi * kRadiansToDegrees;  // the "180" of exactly opposite vectors
constexpr DistanceCorrection kUncorrected{};

Pose At(double x, double y, double z) {
    return {x, y, z, 0, 0, 0};
}

// Head of person A at the origin facing +x, person B 100 units away facing A.
class Direction : public ::testing::Test {
  protected:
    void SetUp() override {
        BindHead(1, At(0, 150, -5), At(10, 150, 0), At(0, 150, 5));
        BindHead(2, At(110, 150, 5), At(100, 150, 0), At(110, 150, -5));
    }
    void BindHead(int person, const Pose& earL, const Pose& nose, const Pose& earR) {
        BindPose(table_, kEarL, person, earL);
        BindPose(table_, kNose, person, nose);
        BindPose(table_, kEarR, person, earR);
    }
    void ExpectColumns(int person, std::array<double, 3> expected) const {
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(record_.Current(c, person), expected[c], 1e-9) << "column " << c + 1;
    }

    InputVariableTable table_;
    ParameterRecord record_ = MakeRecord(3, true, {kEarL, kNose, kEarR}, {kNose});
};

TEST_F(Direction, FacingThePartnersTargetGivesZeroForBothPersons) {
    ASSERT_EQ(CalculateDirection(table_, record_, 1, 1.0), kStatusOk);
    ASSERT_EQ(CalculateDirection(table_, record_, 2, 1.0), kStatusOk);
    ExpectColumns(1, {0, 0, 0});
    ExpectColumns(2, {0, 0, 0});
}

// Person A's head with one nose moved (A's own, or B's: the target).
struct FacingCase {
    const char* name;
    int movedNose;
    Pose nose;
    double sign;
    std::array<double, 3> expected;
    int status;
};

class DirectionFacing : public Direction, public ::testing::WithParamInterface<FacingCase> {};

TEST_P(DirectionFacing, MeasuresTheDeviationFromTheTarget) {
    const FacingCase& c = GetParam();
    BindPose(table_, kNose, c.movedNose, c.nose);
    EXPECT_EQ(CalculateDirection(table_, record_, 1, c.sign), c.status);
    ExpectColumns(1, c.expected);
}

constexpr double kAway = -kStraightAngle;
constexpr int kCalculationError = kStatusCalculationError;

INSTANTIATE_TEST_SUITE_P(
    Heads, DirectionFacing,
    ::testing::Values(
        FacingCase{"AwayForward", 1, At(-10, 150, 0), 1.0, {kAway, kAway, kAway}, kStatusOk},
        FacingCase{"AwayBackward", 1, At(-10, 150, 0), -1.0, {0, 0, 0}, kStatusOk},
        FacingCase{"Upwards", 1, At(10, 160, 0), 1.0, {45, 0, -45}, kStatusOk},
        FacingCase{"Downwards", 1, At(10, 140, 0), 1.0, {45, 0, 45}, kStatusOk},
        // A target straight above the midpoint stops at the horizontal column.
        FacingCase{"TargetAbove", 2, At(0, 200, 0), 1.0, {90, 0, kNoValue}, kCalculationError},
        // The nose between the ears: a facing vector of zero length.
        FacingCase{
            "NoFacingVector", 1, At(0, 150, 0), 1.0, {0, kNoValue, kNoValue}, kCalculationError}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(Direction, NeedsThePartnersDataAlsoForPersonA) {
    table_.Person(kNose, 2).fieldIndex.fill(0);
    EXPECT_EQ(CalculateDirection(table_, record_, 1, 1.0), kStatusDataError);
    ExpectColumns(1, {kNoValue, kNoValue, kNoValue});
}

// The horizontal deviation's sign tells the side of the turn, wherever the
// partner stands in the room.
class DirectionInTheRoom : public Direction, public ::testing::WithParamInterface<int> {
  protected:
    void BindTurned(int person, int variable, const Pose& pose, double degrees) {
        const Vec3 p =
            MultiplyMatrixVector(RotationMatrix(RotationAxis::kY, degrees * kDegreesToRadians),
                                 {pose[0], pose[1], pose[2]});
        BindPose(table_, variable, person, At(p.x, p.y, p.z));
    }
    void TurnScene(double degrees, const Pose& noseA) {
        BindTurned(1, kEarL, At(0, 150, -5), degrees);
        BindTurned(1, kNose, noseA, degrees);
        BindTurned(1, kEarR, At(0, 150, 5), degrees);
        BindTurned(2, kEarL, At(110, 150, 5), degrees);
        BindTurned(2, kNose, At(100, 150, 0), degrees);
        BindTurned(2, kEarR, At(110, 150, -5), degrees);
    }
};

TEST_P(DirectionInTheRoom, HorizontalSignFollowsTheTurnAboutTheVertical) {
    TurnScene(GetParam(), At(10, 150, -10));
    ASSERT_EQ(CalculateDirection(table_, record_, 1, 1.0), kStatusOk);
    EXPECT_NEAR(record_.Current(1, 1), 45, 1e-9);
    TurnScene(GetParam(), At(10, 150, 10));
    ASSERT_EQ(CalculateDirection(table_, record_, 1, 1.0), kStatusOk);
    EXPECT_NEAR(record_.Current(1, 1), -45, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Turns, DirectionInTheRoom, ::testing::Values(0, 90, 180, 33));

using DistanceFunction = int (*)(const InputVariableTable&, ParameterRecord&, int,
                                 const DistanceCorrection&);

// Body parts placed in the local frame of a turned and tilted Chest.
struct BodyDistanceCase {
    const char* name;
    DistanceFunction calculate;
    std::vector<std::pair<int, Vec3>> placed;
    std::vector<int> variables;
    std::vector<int> targets;
    int reference;
    DistanceCorrection factors;
    double expected;
    int status;
};

class BodyDistances : public ::testing::TestWithParam<BodyDistanceCase> {};

TEST_P(BodyDistances, MeasureCorrectedDistancesInTheBody) {
    const BodyDistanceCase& c = GetParam();
    const BodyPose chest{5, 120, 3, 10, 30, 5};
    InputVariableTable table;
    BindPose(table, kChest, 1, {chest.x, chest.y, chest.z, chest.rx, chest.ry, chest.rz});
    for (const auto& [variable, local] : c.placed) {
        const Vec3 p = MultiplyMatrixVector(OrientationMatrix(chest), local);
        BindPose(table, variable, 1, {p.x + chest.x, p.y + chest.y, p.z + chest.z, 5, 6, 7});
    }
    ParameterRecord record = MakeRecord(1, false, c.variables, c.targets, c.reference);
    EXPECT_EQ(c.calculate(table, record, 1, c.factors), c.status);
    EXPECT_NEAR(record.Current(0, 1), c.expected, 1e-9);
}

BodyDistanceCase Case(const char* name, DistanceFunction calculate,
                      std::vector<std::pair<int, Vec3>> placed, std::vector<int> variables,
                      std::vector<int> targets, int reference, DistanceCorrection factors,
                      double expected, int status = kStatusOk) {
    return {name,
            calculate,
            std::move(placed),
            std::move(variables),
            std::move(targets),
            reference,
            factors,
            expected,
            status};
}

const std::vector<std::pair<int, Vec3>> kHands = {{kHandL, {-20, 10, 15}}, {kHandR, {20, 10, 15}}};
const std::vector<std::pair<int, Vec3>> kLimbs = {
    {kHandL, {-15, 100, 0}}, {kHandR, {15, 100, 0}}, {kFootL, {-5, 0, 0}}, {kFootR, {5, 0, 0}}};
// The Chest itself is at the local origin.
const std::vector<std::pair<int, Vec3>> kTrunkAndHand = {
    {kHips, {0, -30, 0}}, {kHead, {0, 30, 0}}, {kHandL, {30, 10, 0}}};

INSTANTIATE_TEST_SUITE_P(
    Functions, BodyDistances,
    ::testing::Values(Case("SymmetryOfAMirrorSymmetricPair", CalculateSymmetry, kHands, {kHandL},
                           {kHandR}, kChest, kUncorrected, 0.0),
                      // Distance to the mirror image, with the leg factor of Foot L.
                      Case("SymmetryCorrected", CalculateSymmetry,
                           {{kFootL, {-20, -100, 15}}, {kFootR, {20, -100, 17}}}, {kFootL},
                           {kFootR}, kChest, {5.0, 3.0}, 6.0),
                      Case("SymmetryWithoutReference", CalculateSymmetry, kHands, {kHandL},
                           {kHandR}, kNotAnInputVariable, kUncorrected, kNoValue,
                           kStatusSettingError),
                      Case("ExpansionToTheNearestVariable", CalculateExpansion, kTrunkAndHand,
                           {kHips, kChest, kHead}, {kHandL}, kNotAnInputVariable, {2.0, 1.0},
                           std::sqrt(1000.0) * 2.0),
                      // Head is unbound: the minimum so far is kept.
                      Case("ExpansionStopsAtAMissingVariable", CalculateExpansion,
                           {{kHips, {0, -30, 0}}, {kHandL, {30, 10, 0}}}, {kHips, kHead, kChest},
                           {kHandL}, kNotAnInputVariable, kUncorrected, 50.0, kStatusDataError),
                      // The factor of the first variable applies.
                      Case("DistanceOfHandsWithArmFactor", CalculateDistance, kLimbs, {kHandL},
                           {kHandR}, kNotAnInputVariable, {2.0, 3.0}, 60.0),
                      Case("DistanceOfFeetWithLegFactor", CalculateDistance, kLimbs, {kFootL},
                           {kFootR}, kNotAnInputVariable, {2.0, 3.0}, 30.0),
                      Case("DistanceOfHandToFootWithArmFactor", CalculateDistance, kLimbs, {kHandR},
                           {kFootR}, kNotAnInputVariable, {2.0, 3.0}, 2 * std::sqrt(10100.0))),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

struct FoldedCase {
    const char* name;
    std::array<double, 3> handL;
    std::array<double, 3> elbowL;
    double expected;
};

class Folded : public ::testing::TestWithParam<FoldedCase> {};

TEST_P(Folded, CountsAHalfForEachVariableNearTheOppositeTarget) {
    InputVariableTable table;
    // Only positions are needed; the targets are 10 units apart.
    BindPosition(table, kHandR, 1, {10, 0, 0}, {10, 0, 0});
    BindPosition(table, kElbowR, 1, {20, 0, 0}, {20, 0, 0});
    BindPosition(table, kHandL, 1, GetParam().handL, GetParam().handL);
    BindPosition(table, kElbowL, 1, GetParam().elbowL, GetParam().elbowL);
    ParameterRecord record = MakeRecord(1, false, {kHandL, kElbowL}, {kHandR, kElbowR});
    ASSERT_EQ(CalculateFolded(table, record, 1), kStatusOk);
    EXPECT_EQ(record.Current(0, 1), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Arms, Folded,
    ::testing::Values(FoldedCase{"OnlyHandNearOppositeElbow", {21, 0, 0}, {-50, 0, 0}, 0.5},
                      FoldedCase{"Both", {21, 0, 0}, {12, 0, 0}, 1.0},
                      FoldedCase{"ExactlyAtTheTargetDistance", {30, 0, 0}, {0, 0, 0}, 0.0}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

struct CrossedCase {
    const char* name;
    Pose kneeL;
    Pose footL;
    bool footRBound;
    Pose footR;
    int expectedStatus;
    double expected;
};

class Crossed : public ::testing::TestWithParam<CrossedCase> {};

TEST_P(Crossed, TestsTheRightLegOnlyWhenTheLeftIsNotCrossed) {
    const CrossedCase& c = GetParam();
    InputVariableTable table;
    BindPose(table, kKneeR, 1, At(0, 50, 0));
    BindPose(table, kKneeL, 1, c.kneeL);
    BindPose(table, kFootL, 1, c.footL);
    if (c.footRBound)
        BindPose(table, kFootR, 1, c.footR);
    ParameterRecord record = MakeRecord(1, false, {kFootL, kKneeL}, {kFootR, kKneeR});
    EXPECT_EQ(CalculateCrossed(table, record, 1), c.expectedStatus);
    EXPECT_EQ(record.Current(0, 1), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Legs, Crossed,
    ::testing::Values(
        // Foot R is unassigned: a second test (made when the first gives zero)
        // would be a data error.
        CrossedCase{"LeftOverRight", At(10, 55, 0), At(-5, 10, 0), false, {}, kStatusOk, 1.0},
        CrossedCase{
            "SecondTest", At(10, 45, 0), At(-5, 10, 0), false, {}, kStatusDataError, kNoValue},
        CrossedCase{"RightOverLeft", At(10, 45, 0), At(-5, 10, 0), true, At(20, 10, 0), kStatusOk,
                    1.0},
        CrossedCase{"Uncrossed", At(-10, 50, 0), At(-15, 10, 0), true, At(5, 10, 0), kStatusOk,
                    0.0},
        // The left knee above the right one does not cross the legs by itself.
        CrossedCase{"KneeAboveUncrossed", At(-10, 55, 0), At(5, 10, 0), true, At(-5, 10, 0),
                    kStatusOk, 0.0}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(CrossedSide, IsTakenInTheLocalFrameOfTheReference) {
    InputVariableTable table;
    BindPose(table, kKneeR, 1, {0, 50, 0, 0, 180, 0});  // turned round: local x is global -x
    BindPose(table, kKneeL, 1, At(10, 55, 0));
    BindPose(table, kFootL, 1, At(5, 10, 0));
    double value = -1.0;
    ASSERT_EQ(CalculateCrossedSide(table, 1, kFootL, kKneeL, kKneeR, false, value), kStatusOk);
    EXPECT_EQ(value, 1.0);
}

class OpennessFunction : public ::testing::Test {
  protected:
    int AddOperand(double value, int status = kStatusOk) {
        ParameterRecord row = MakeRecord(1, false);
        SetValues(row, 1, {value});
        row.statusA = status;
        records_.push_back(std::move(row));
        return static_cast<int>(records_.size()) - 1;
    }
    int AddOpenness(std::vector<int> variables, std::vector<int> targets) {
        records_.push_back(MakeRecord(1, false, std::move(variables), std::move(targets)));
        return static_cast<int>(records_.size()) - 1;
    }

    std::vector<ParameterRecord> records_{1};
};

struct OpennessCase {
    const char* name;
    double x;
    double y;
    std::vector<double> targets;
    double expected;
};

class Openness : public OpennessFunction, public ::testing::WithParamInterface<OpennessCase> {};

TEST_P(Openness, ReducesXByKTimesYButNotBelowZero) {
    const OpennessCase& c = GetParam();
    const int x = AddOperand(c.x);
    const int y = AddOperand(c.y);
    std::vector<int> targets;
    for (double k : c.targets)
        targets.push_back(AddOperand(k));
    const int row = AddOpenness({x, y}, targets);
    ASSERT_EQ(CalculateOpenness(records_, 1, row), kStatusOk);
    EXPECT_EQ(records_[static_cast<std::size_t>(row)].Current(0, 1), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Limbs, Openness,
    ::testing::Values(OpennessCase{"UnfoldedGivesTheSum", 10, 4, {0}, 14},
                      OpennessCase{"ClampedAtZero", 1, 3, {2}, 0},
                      OpennessCase{"LargerOfTwoTargetsSecond", 10, 4, {0.5, 1}, 6},
                      OpennessCase{"LargerOfTwoTargetsFirst", 10, 4, {1, 0.5}, 6},
                      OpennessCase{"OperandWithoutValue", kNoValue, 4, {0}, kNoValue}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

class OpennessOperandFailure : public OpennessFunction,
                               public ::testing::WithParamInterface<int> {};

TEST_P(OpennessOperandFailure, InheritsTheError) {
    std::array<int, 4> statuses{};
    statuses[static_cast<std::size_t>(GetParam())] = kStatusDataError;
    const int x = AddOperand(10, statuses[0]);
    const int y = AddOperand(4, statuses[1]);
    const int folded = AddOperand(0, statuses[2]);
    const int crossed = AddOperand(0, statuses[3]);
    const int row = AddOpenness({x, y}, {folded, crossed});
    EXPECT_EQ(CalculateOpenness(records_, 1, row), kStatusInheritedError);
    EXPECT_EQ(records_[static_cast<std::size_t>(row)].Current(0, 1), kNoValue);
}

INSTANTIATE_TEST_SUITE_P(EachOperand, OpennessOperandFailure, ::testing::Values(0, 1, 2, 3));

TEST_F(OpennessFunction, TargetThatIsNoRowIsASettingError) {
    const int row = AddOpenness({AddOperand(10), AddOperand(4)}, {0});
    EXPECT_EQ(CalculateOpenness(records_, 1, row), kStatusSettingError);
}

// Every function refuses to compute person B for a row that is computed for
// person A only (no room for B's values), without touching the record.
struct TableFunction {
    const char* name;
    std::function<int(const InputVariableTable&, ParameterRecord&, int)> calculate;
};

class PersonBWithoutPartnerFlag : public ::testing::TestWithParam<TableFunction> {};

TEST_P(PersonBWithoutPartnerFlag, IsASettingError) {
    InputVariableTable table;
    for (int v = 0; v < kFixedInputVariableCount; ++v) {
        BindPose(table, v, 1, At(v, v, v));
        BindPose(table, v, 2, At(v, 2 * v, v));
    }
    ParameterRecord record =
        MakeRecord(3, false, {kFootL, kKneeL, kHandL}, {kFootR, kKneeR}, kChest);
    EXPECT_EQ(GetParam().calculate(table, record, 2), kStatusSettingError);
    EXPECT_EQ(record.currentValues, std::vector<double>(3, kNoValue));
}

INSTANTIATE_TEST_SUITE_P(
    Functions, PersonBWithoutPartnerFlag,
    ::testing::Values(
        TableFunction{"Direction", [](const InputVariableTable& tbl, ParameterRecord& row,
                                      int who) { return CalculateDirection(tbl, row, who, 1.0); }},
        TableFunction{"Distance",
                      [](const InputVariableTable& tbl, ParameterRecord& row, int who) {
                          return CalculateDistance(tbl, row, who, kUncorrected);
                      }},
        TableFunction{"Folded", CalculateFolded}, TableFunction{"Crossed", CalculateCrossed}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace kivo
