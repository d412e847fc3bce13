#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/BodyConfigurationFunctions.h"
#include "engine/CalculationTestRows.h"
#include "engine/Rotation.h"

namespace kivo {
namespace {

using testing::At;
using testing::BindPose;
using testing::BindPosition;
using testing::kUncorrected;
using testing::MakeRecord;
using testing::Pose;

constexpr double kStraightAngle = kPi * kRadiansToDegrees;  // the "180" of exactly opposite vectors

// Head of person A at the origin facing +x, person B 100 units away facing A;
// the scene may be turned about the vertical.
class Direction : public ::testing::Test {
  protected:
    void SetUp() override {
        BindHeads(0, At(10, 150, 0));
        record_ = MakeRecord(3, true, {kEarL, kNose, kEarR}, {kNose});
    }
    void BindTurned(int person, int variable, const Pose& pose, double degrees) {
        const Vec3 p =
            MultiplyMatrixVector(RotationMatrix(RotationAxis::kY, degrees * kDegreesToRadians),
                                 {pose[0], pose[1], pose[2]});
        BindPose(table_, variable, person, At(p.x, p.y, p.z));
    }
    void BindHeads(double degrees, const Pose& noseA) {
        BindTurned(1, kEarL, At(0, 150, -5), degrees);
        BindTurned(1, kNose, noseA, degrees);
        BindTurned(1, kEarR, At(0, 150, 5), degrees);
        BindTurned(2, kEarL, At(110, 150, 5), degrees);
        BindTurned(2, kNose, At(100, 150, 0), degrees);
        BindTurned(2, kEarR, At(110, 150, -5), degrees);
    }
    void ExpectColumns(int person, std::array<double, 3> expected) const {
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(record_.Current(c, person), expected[c], 1e-9) << "column " << c + 1;
    }

    InputVariableTable table_;
    ParameterRecord record_;
};

TEST_F(Direction, FacingThePartnersTargetGivesZeroForBothPersons) {
    ASSERT_EQ(CalculateDirection(table_, record_, 1, 1.0), kStatusOk);
    ASSERT_EQ(CalculateDirection(table_, record_, 2, 1.0), kStatusOk);
    ExpectColumns(1, {0, 0, 0});
    ExpectColumns(2, {0, 0, 0});
}

// Person A's head with one nose moved (A's own, or B's: the target).
TEST_F(Direction, MeasuresTheDeviationFromTheTarget) {
    constexpr double kAway = -kStraightAngle;
    struct Case {
        const char* name;
        int movedNose;
        Pose nose;
        double sign;
        std::array<double, 3> expected;
        int status = kStatusOk;
    };
    const Case cases[] = {
        {"AwayForward", 1, At(-10, 150, 0), 1.0, {kAway, kAway, kAway}},
        {"AwayBackward", 1, At(-10, 150, 0), -1.0, {0, 0, 0}},
        {"Upwards", 1, At(10, 160, 0), 1.0, {45, 0, -45}},
        {"Downwards", 1, At(10, 140, 0), 1.0, {45, 0, 45}},
        // A target straight above the midpoint stops at the horizontal column.
        {"TargetAbove", 2, At(0, 200, 0), 1.0, {90, 0, kNoValue}, kStatusCalculationError},
        // The nose between the ears: a facing vector of zero length.
        {"NoFacingVector",
         1,
         At(0, 150, 0),
         1.0,
         {0, kNoValue, kNoValue},
         kStatusCalculationError}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        BindPose(table_, kNose, c.movedNose, c.nose);
        EXPECT_EQ(CalculateDirection(table_, record_, 1, c.sign), c.status);
        ExpectColumns(1, c.expected);
    }
}

TEST_F(Direction, NeedsThePartnersDataAlsoForPersonA) {
    table_.Person(kNose, 2).fieldIndex.fill(0);
    EXPECT_EQ(CalculateDirection(table_, record_, 1, 1.0), kStatusDataError);
    ExpectColumns(1, {kNoValue, kNoValue, kNoValue});
}

// The horizontal deviation's sign tells the side of the turn, wherever the
// partner stands in the room.
TEST_F(Direction, HorizontalSignFollowsTheTurnAboutTheVertical) {
    for (double degrees : {0.0, 90.0, 180.0, 33.0}) {
        BindHeads(degrees, At(10, 150, -10));
        ASSERT_EQ(CalculateDirection(table_, record_, 1, 1.0), kStatusOk);
        EXPECT_NEAR(record_.Current(1, 1), 45, 1e-9) << degrees;
        BindHeads(degrees, At(10, 150, 10));
        ASSERT_EQ(CalculateDirection(table_, record_, 1, 1.0), kStatusOk);
        EXPECT_NEAR(record_.Current(1, 1), -45, 1e-9) << degrees;
    }
}

using DistanceFunction = int (*)(const InputVariableTable&, ParameterRecord&, int,
                                 const DistanceCorrection&);

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

// Body parts placed in the local frame of a turned and tilted Chest.
TEST(BodyDistances, MeasureCorrectedDistancesInTheBody) {
    const std::vector<std::pair<int, Vec3>> hands = {{kHandL, {-20, 10, 15}},
                                                     {kHandR, {20, 10, 15}}};
    const std::vector<std::pair<int, Vec3>> limbs = {
        {kHandL, {-15, 100, 0}}, {kHandR, {15, 100, 0}}, {kFootL, {-5, 0, 0}}, {kFootR, {5, 0, 0}}};
    // The Chest itself is at the local origin.
    const std::vector<std::pair<int, Vec3>> trunkAndHand = {
        {kHips, {0, -30, 0}}, {kHead, {0, 30, 0}}, {kHandL, {30, 10, 0}}};
    constexpr int kNone = kNotAnInputVariable;
    const BodyDistanceCase cases[] = {
        Case("SymmetryOfAMirrorSymmetricPair", CalculateSymmetry, hands, {kHandL}, {kHandR}, kChest,
             kUncorrected, 0.0),
        // Distance to the mirror image, with the leg factor of Foot L.
        Case("SymmetryCorrected", CalculateSymmetry,
             {{kFootL, {-20, -100, 15}}, {kFootR, {20, -100, 17}}}, {kFootL}, {kFootR}, kChest,
             {5.0, 3.0}, 6.0),
        Case("SymmetryWithoutReference", CalculateSymmetry, hands, {kHandL}, {kHandR}, kNone,
             kUncorrected, kNoValue, kStatusSettingError),
        Case("ExpansionToTheNearestVariable", CalculateExpansion, trunkAndHand,
             {kHips, kChest, kHead}, {kHandL}, kNone, {2.0, 1.0}, std::sqrt(1000.0) * 2.0),
        // Head is unbound: the minimum so far is kept.
        Case("ExpansionStopsAtAMissingVariable", CalculateExpansion,
             {{kHips, {0, -30, 0}}, {kHandL, {30, 10, 0}}}, {kHips, kHead, kChest}, {kHandL}, kNone,
             kUncorrected, 50.0, kStatusDataError),
        // The factor of the first variable applies.
        Case("DistanceOfHandsWithArmFactor", CalculateDistance, limbs, {kHandL}, {kHandR}, kNone,
             {2.0, 3.0}, 60.0),
        Case("DistanceOfFeetWithLegFactor", CalculateDistance, limbs, {kFootL}, {kFootR}, kNone,
             {2.0, 3.0}, 30.0),
        Case("DistanceOfHandToFootWithArmFactor", CalculateDistance, limbs, {kHandR}, {kFootR},
             kNone, {2.0, 3.0}, 2 * std::sqrt(10100.0))};
    const BodyPose chest{5, 120, 3, 10, 30, 5};
    for (const BodyDistanceCase& c : cases) {
        SCOPED_TRACE(c.name);
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
}

TEST(Folded, CountsAHalfForEachVariableNearTheOppositeTarget) {
    struct Case {
        const char* name;
        std::array<double, 3> handL;
        std::array<double, 3> elbowL;
        double expected;
    };
    for (const Case& c : {Case{"OnlyHandNearOppositeElbow", {21, 0, 0}, {-50, 0, 0}, 0.5},
                          Case{"Both", {21, 0, 0}, {12, 0, 0}, 1.0},
                          Case{"ExactlyAtTheTargetDistance", {30, 0, 0}, {0, 0, 0}, 0.0}}) {
        InputVariableTable table;
        // Only positions are needed; the targets are 10 units apart.
        BindPosition(table, kHandR, 1, {10, 0, 0}, {10, 0, 0});
        BindPosition(table, kElbowR, 1, {20, 0, 0}, {20, 0, 0});
        BindPosition(table, kHandL, 1, c.handL, c.handL);
        BindPosition(table, kElbowL, 1, c.elbowL, c.elbowL);
        ParameterRecord record = MakeRecord(1, false, {kHandL, kElbowL}, {kHandR, kElbowR});
        ASSERT_EQ(CalculateFolded(table, record, 1), kStatusOk) << c.name;
        EXPECT_EQ(record.Current(0, 1), c.expected) << c.name;
    }
}

TEST(Crossed, TestsTheRightLegOnlyWhenTheLeftIsNotCrossed) {
    struct Case {
        const char* name;
        Pose kneeL;
        Pose footL;
        bool footRBound;
        Pose footR;
        int expectedStatus;
        double expected;
    };
    const Case cases[] = {
        // Foot R is unassigned: a second test (made when the first gives zero)
        // would be a data error.
        {"LeftOverRight", At(10, 55, 0), At(-5, 10, 0), false, {}, kStatusOk, 1.0},
        {"SecondTest", At(10, 45, 0), At(-5, 10, 0), false, {}, kStatusDataError, kNoValue},
        {"RightOverLeft", At(10, 45, 0), At(-5, 10, 0), true, At(20, 10, 0), kStatusOk, 1.0},
        {"Uncrossed", At(-10, 50, 0), At(-15, 10, 0), true, At(5, 10, 0), kStatusOk, 0.0},
        // The left knee above the right one does not cross the legs by itself.
        {"KneeAboveUncrossed", At(-10, 55, 0), At(5, 10, 0), true, At(-5, 10, 0), kStatusOk, 0.0}};
    for (const Case& c : cases) {
        InputVariableTable table;
        BindPose(table, kKneeR, 1, At(0, 50, 0));
        BindPose(table, kKneeL, 1, c.kneeL);
        BindPose(table, kFootL, 1, c.footL);
        if (c.footRBound)
            BindPose(table, kFootR, 1, c.footR);
        ParameterRecord record = MakeRecord(1, false, {kFootL, kKneeL}, {kFootR, kKneeR});
        EXPECT_EQ(CalculateCrossed(table, record, 1), c.expectedStatus) << c.name;
        EXPECT_EQ(record.Current(0, 1), c.expected) << c.name;
    }
}

class Openness : public testing::FrameRows {
  protected:
    int AddOpenness(std::vector<int> variables, std::vector<int> targets) {
        return Add(MakeRecord(1, false, std::move(variables), std::move(targets)));
    }
};

TEST_F(Openness, ReducesXByKTimesYButNotBelowZero) {
    struct Case {
        const char* name;
        double x;
        double y;
        std::vector<double> targets;
        double expected;
    };
    for (const Case& c :
         {Case{"UnfoldedGivesTheSum", 10, 4, {0}, 14}, Case{"ClampedAtZero", 1, 3, {2}, 0},
          Case{"LargerOfTwoTargetsSecond", 10, 4, {0.5, 1}, 6},
          Case{"LargerOfTwoTargetsFirst", 10, 4, {1, 0.5}, 6},
          Case{"OperandWithoutValue", kNoValue, 4, {0}, kNoValue}}) {
        const int x = AddOperand(c.x);
        const int y = AddOperand(c.y);
        std::vector<int> targets;
        for (double k : c.targets)
            targets.push_back(AddOperand(k));
        const int row = AddOpenness({x, y}, targets);
        ASSERT_EQ(CalculateOpenness(records_, 1, row), kStatusOk) << c.name;
        EXPECT_EQ(Value(row), c.expected) << c.name;
    }
}

TEST_F(Openness, InheritsTheErrorOfEachOperand) {
    for (std::size_t failing = 0; failing < 4; ++failing) {
        std::array<int, 4> operands{};
        for (std::size_t i = 0; i < operands.size(); ++i) {
            operands[i] = AddOperand(i == 0 ? 10 : i == 1 ? 4 : 0);
            records_.back().statusA = i == failing ? kStatusDataError : kStatusOk;
        }
        const int row = AddOpenness({operands[0], operands[1]}, {operands[2], operands[3]});
        EXPECT_EQ(CalculateOpenness(records_, 1, row), kStatusInheritedError) << failing;
        EXPECT_EQ(Value(row), kNoValue) << failing;
    }
}

TEST_F(Openness, TargetThatIsNoRowIsASettingError) {
    const int row = AddOpenness({AddOperand(10), AddOperand(4)}, {0});
    EXPECT_EQ(CalculateOpenness(records_, 1, row), kStatusSettingError);
}

// Every function refuses to compute person B for a row that is computed for
// person A only (no room for B's values), without touching the record.
TEST(PersonBWithoutPartnerFlag, IsASettingError) {
    InputVariableTable table;
    for (int v = 0; v < kFixedInputVariableCount; ++v) {
        BindPose(table, v, 1, At(v, v, v));
        BindPose(table, v, 2, At(v, 2 * v, v));
    }
    using Calculation = std::function<int(const InputVariableTable&, ParameterRecord&, int)>;
    const Calculation functions[] = {
        [](const InputVariableTable& tbl, ParameterRecord& row, int who) {
            return CalculateDirection(tbl, row, who, 1.0);
        },
        [](const InputVariableTable& tbl, ParameterRecord& row, int who) {
            return CalculateDistance(tbl, row, who, kUncorrected);
        },
        CalculateFolded, CalculateCrossed};
    for (const Calculation& calculate : functions) {
        ParameterRecord record =
            MakeRecord(3, false, {kFootL, kKneeL, kHandL}, {kFootR, kKneeR}, kChest);
        EXPECT_EQ(calculate(table, record, 2), kStatusSettingError) << &calculate - functions;
        EXPECT_EQ(record.currentValues, std::vector<double>(3, kNoValue)) << &calculate - functions;
    }
}

}  // namespace
}  // namespace kivo
