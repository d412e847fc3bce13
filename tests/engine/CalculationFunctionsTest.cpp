#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/InputVariableTable.h"
#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/ArithmeticFunctions.h"
#include "engine/BodyConfigurationFunctions.h"
#include "engine/BodyDistances.h"
#include "engine/CalculationDispatch.h"
#include "engine/CalculationTestRows.h"
#include "engine/CameraFunctions.h"
#include "engine/DyadicFunctions.h"
#include "engine/FileVideoSetUp.h"
#include "engine/MovementFunctions.h"
#include "engine/PostureFunctions.h"
#include "engine/Rotation.h"
#include "input/BodyDataReader.h"
#include "params/Catalogue.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "support/TestVideo.h"

namespace kivo {
namespace {

using testing::At;
using testing::BindPose;
using testing::BindPosition;
using testing::kUncorrected;
using testing::MakeRecord;
using testing::Pose;
using testing::SetValues;

// --- Posture: angles and poses of a body part ---------------------------------

class PostureFunctions : public ::testing::Test {
  protected:
    void Bind(int variable, const Pose& current, const Pose& previous, bool rotations = true) {
        PersonBlock& block = table_.Person(variable, 1);
        for (int s = 0; s < kPoseSlots; ++s)
            block.fieldIndex[s] = (s < 3 || rotations) ? 2 + s : 0;
        block.current = current;
        block.previous = previous;
    }

    static ParameterRecord Row(int variable, int reference, int nValues = 3) {
        return testing::MakeRecord(nValues, false, {variable}, {}, reference);
    }
    static void ExpectValues(const ParameterRecord& record, const std::vector<double>& expected) {
        for (std::size_t v = 0; v < expected.size(); ++v)
            EXPECT_NEAR(record.Current(static_cast<int>(v), 1), expected[v], 1e-9) << v;
    }

    InputVariableTable table_;
};

// One frame's pose of a body part in the frame of a reference (Static SRL
// gives three angles, Coordinate Transformation the six local pose values).
TEST_F(PostureFunctions, LocalPoseIsTakenInTheReferenceFrame) {
    struct Case {
        const char* name;
        int variable;
        Pose pose;
        int reference;
        bool referenceRotations;
        Pose referencePose;
        std::vector<double> expected;  // six values: a Coordinate Transformation
        int status = kStatusOk;
    };
    const Pose hand{10, 100, 5, 20, 30, 10};
    const double root2 = std::sqrt(2.0);
    constexpr int kNone = kNotAnInputVariable;
    const Case cases[] = {
        {"SrlGlobal", kHead, {0, 150, 0, 30, 0, 0}, kNone, true, {}, {30, 0, 0}},
        {"SrlOnItself", kHandR, hand, kHandR, true, {}, {0, 0, 0}},
        // A reference without rotation fields falls back to the global frame.
        {"SrlReferenceWithoutRotations",
         kHead,
         {0, 150, 0, 30, 0, 0},
         kHips,
         false,
         {0, 100, 0, 0, 45, 0},
         {30, 0, 0}},
        {"SrlUnboundBodyPart", kHead, {}, kNone, true, {}, {kNoValue}, kStatusDataError},
        {"TransformationOnItself", kHandL, hand, kHandL, true, {}, {0, 0, 0, 0, 0, 0}},
        {"TransformationWithoutReference", kHandL, hand, kNone, true, {}, {10, 100, 5, 20, 30, 10}},
        // Offset (10, -20, 5) turned back by 45 degrees about the vertical.
        {"TransformationIntoATurnedFrame",
         kHandL,
         {10, 100, 5, 0, 0, 0},
         kChest,
         true,
         {0, 120, 0, 0, 45, 0},
         {5 / root2, -20, 15 / root2, 0, -45, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table_ = InputVariableTable();
        if (c.status != kStatusDataError)  // the data error case leaves the body part unbound
            Bind(c.variable, c.pose, c.pose);
        if (c.reference != kNone && c.reference != c.variable)
            Bind(c.reference, c.referencePose, c.referencePose, c.referenceRotations);
        const bool transformation = c.expected.size() == 6;
        ParameterRecord record = Row(c.variable, c.reference, transformation ? 6 : 3);
        EXPECT_EQ(transformation ? CalculateCoordinateTransformation(table_, record, 1)
                                 : CalculateStaticSRL(table_, record, 1),
                  c.status);
        ExpectValues(record, c.expected);
    }
}

TEST_F(PostureFunctions, DynamicSRLMeasuresTheRotationSinceThePreviousFrame) {
    struct Case {
        const char* name;
        int reference;
        Pose current;
        std::vector<double> expected;
        int status = kStatusOk;
    };
    const Case cases[] = {
        {"Rotational", kNotAnInputVariable, {0, 0, 0, 0, 5, 0}, {0, 5, 0}},
        {"Sagittal", kNotAnInputVariable, {0, 0, 0, 10, 0, 0}, {10, 0, 0}},
        {"UnassignedBaseIsGlobal", kBase, {0, 0, 0, 0, 5, 0}, {0, 5, 0}},
        {"UnassignedReference", kChest, {0, 0, 0, 0, 5, 0}, {kNoValue}, kStatusDataError}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bind(kHead, c.current, {});
        ParameterRecord record = Row(kHead, c.reference);
        EXPECT_EQ(CalculateDynamicSRL(table_, record, 1), c.status);
        ExpectValues(record, c.expected);
    }
    // Relative to a reference that turns along, nothing changes.
    Bind(kHead, {0, 150, 0, 0, 20, 0}, {0, 150, 0, 0, 0, 0});
    Bind(kChest, {0, 120, 0, 0, 20, 0}, {0, 120, 0, 0, 0, 0});
    ParameterRecord record = Row(kHead, kChest);
    EXPECT_EQ(CalculateDynamicSRL(table_, record, 1), kStatusOk);
    ExpectValues(record, {0, 0, 0});
}

TEST_F(PostureFunctions, DynamicSRLNeedsCompleteDataInBothFrames) {
    for (int s = 0; s < kPoseSlots; ++s)
        table_.Person(kHead, 1).fieldIndex[s] = 2 + s;
    BodyDataReader reader;
    ParameterRecord record = Row(kHead, kNotAnInputVariable);
    const char* lines[] = {"0;1;0;0;0;0;0;0", "1;2;0;0;0;0;10", "2;3;0;0;0;0;20;0",
                           "3;4;0;0;0;0;25;0"};
    const int expected[] = {kStatusOk, kStatusDataError, kStatusDataError, kStatusOk};
    for (int frame = 0; frame < 4; ++frame) {
        reader.GetBodyDataValues(1, lines[frame], ';', frame == 0, table_);
        EXPECT_EQ(CalculateDynamicSRL(table_, record, 1), expected[frame]) << frame;
    }
    EXPECT_NEAR(record.Current(1, 1), 5.0, 1e-9);  // 20 -> 25, not a change over two frames
}

// --- Body configuration -------------------------------------------------------

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

BodyDistanceCase DistanceCase(const char* name, DistanceFunction calculate,
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
        DistanceCase("SymmetryOfAMirrorSymmetricPair", CalculateSymmetry, hands, {kHandL}, {kHandR},
                     kChest, kUncorrected, 0.0),
        // Distance to the mirror image, with the leg factor of Foot L.
        DistanceCase("SymmetryCorrected", CalculateSymmetry,
                     {{kFootL, {-20, -100, 15}}, {kFootR, {20, -100, 17}}}, {kFootL}, {kFootR},
                     kChest, {5.0, 3.0}, 6.0),
        DistanceCase("SymmetryWithoutReference", CalculateSymmetry, hands, {kHandL}, {kHandR},
                     kNone, kUncorrected, kNoValue, kStatusSettingError),
        DistanceCase("ExpansionToTheNearestVariable", CalculateExpansion, trunkAndHand,
                     {kHips, kChest, kHead}, {kHandL}, kNone, {2.0, 1.0}, std::sqrt(1000.0) * 2.0),
        // Head is unbound: the minimum so far is kept.
        DistanceCase("ExpansionStopsAtAMissingVariable", CalculateExpansion,
                     {{kHips, {0, -30, 0}}, {kHandL, {30, 10, 0}}}, {kHips, kHead, kChest},
                     {kHandL}, kNone, kUncorrected, 50.0, kStatusDataError),
        // The factor of the first variable applies.
        DistanceCase("DistanceOfHandsWithArmFactor", CalculateDistance, limbs, {kHandL}, {kHandR},
                     kNone, {2.0, 3.0}, 60.0),
        DistanceCase("DistanceOfFeetWithLegFactor", CalculateDistance, limbs, {kFootL}, {kFootR},
                     kNone, {2.0, 3.0}, 30.0),
        DistanceCase("DistanceOfHandToFootWithArmFactor", CalculateDistance, limbs, {kHandR},
                     {kFootR}, kNone, {2.0, 3.0}, 2 * std::sqrt(10100.0))};
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

class Openness : public testing::FrameRows {};

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
        const int row = Add(MakeRecord(1, false, {x, y}, targets));
        ASSERT_EQ(CalculateOpenness(records_, 1, row), kStatusOk) << c.name;
        EXPECT_EQ(Value(row), c.expected) << c.name;
    }
}

TEST_F(Openness, TargetThatIsNoRowIsASettingError) {
    const int row = Add(MakeRecord(1, false, {AddOperand(10), AddOperand(4)}, {0}));
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

// --- The dyad -----------------------------------------------------------------

Pose Shifted(const Pose& pose, double dx, double dz) {
    return {pose[0] + dx, pose[1], pose[2] + dz, pose[3], pose[4], pose[5]};
}

// The pose seen in a mirror standing in the global yz plane.
Pose Mirror(const Pose& pose) {
    return {-pose[0], pose[1], pose[2], pose[3], -pose[4], -pose[5]};
}

int OtherSide(int index) {
    for (const auto& [left, right] :
         {std::pair{kHandL, kHandR}, std::pair{kElbowL, kElbowR}, std::pair{kArmL, kArmR}}) {
        if (index == left || index == right)
            return index == left ? right : left;
    }
    return index;
}

class Mimicry : public ::testing::Test {
  protected:
    // Person A's posture: every body part turned its own way.
    const std::vector<std::pair<int, Pose>> postureA_ = {
        {kChest, {0, 130, 0, 5, 20, -3}},    {kHandL, {-30, 100, 10, 20, 30, 10}},
        {kHandR, {30, 110, 5, -10, 45, 25}}, {kElbowL, {-25, 115, 0, 40, -10, 5}},
        {kElbowR, {25, 115, 0, 15, 5, -20}}, {kHead, {0, 160, 0, 10, -15, 5}},
        {kArmL, {-20, 125, 0, 5, 10, 15}},   {kArmR, {20, 125, 0, -5, 25, 0}}};

    void BindPersonA() {
        for (const auto& [variable, pose] : postureA_)
            BindPose(table_, variable, 1, pose);
    }

    InputVariableTable table_;
    ParameterRecord record_ =
        MakeRecord(2, true, {kHandL, kHandR, kElbowL, kArmR, kHead}, {}, kChest);
};

// Without the partner's data there is no value. Identical postures give no
// direct difference, mirror images (B's left hand does what A's right hand
// does, mirrored; the head stays the head) no mirror difference; the posture
// is not left-right symmetric, so the other difference is large.
TEST_F(Mimicry, IdenticalAndMirrorImagePosturesGiveZeroDifference) {
    BindPersonA();
    EXPECT_EQ(CalculateDyadicMimicry(table_, record_, 1), kStatusDataError);
    EXPECT_EQ(record_.Current(0, 1), kNoValue);
    EXPECT_EQ(record_.Current(1, 1), kNoValue);
    for (const bool mirrored : {false, true}) {
        for (const auto& [variable, pose] : postureA_) {
            BindPose(table_, mirrored ? OtherSide(variable) : variable, 2,
                     mirrored ? Shifted(Mirror(pose), 0, 120) : Shifted(pose, 100, 50));
        }
        const int zero = mirrored ? 1 : 0;
        for (int person = 1; person <= 2; ++person) {
            ASSERT_EQ(CalculateDyadicMimicry(table_, record_, person), kStatusOk) << mirrored;
            EXPECT_EQ(record_.Current(zero, person), 0.0) << mirrored;
        }
        EXPECT_GT(record_.Current(1 - zero, 1), 1.0) << mirrored;
    }
}

TEST_F(Mimicry, AnUndeterminableAngleEmptiesOnlyTheColumnItEnters) {
    BindPose(table_, kChest, 1, At(0, 130, 0));
    BindPose(table_, kChest, 2, At(100, 130, 0));
    BindPose(table_, kHandL, 1, {-30, 100, 0, 20, 0, 0});
    BindPose(table_, kHandL, 2, {70, 100, 0, 90, 0, 0});  // only the sagittal angle is defined
    BindPose(table_, kHandR, 2, {130, 100, 0, 20, 0, 0});
    ParameterRecord record = MakeRecord(2, false, {kHandL}, {}, kChest);
    ASSERT_EQ(CalculateDyadicMimicry(table_, record, 1), kStatusOk);
    EXPECT_EQ(record.Current(0, 1), kNoValue);
    EXPECT_NEAR(record.Current(1, 1), 0.0, 1e-9);
}

// From person A's variables to person B's targets, for both persons, each with
// its own factors.
TEST(Proxemics, IsTheSmallestCorrectedDistanceFromAsVariablesToBsTargets) {
    InputVariableTable table;
    BindPose(table, kHandL, 1, At(0, 100, 0));
    BindPose(table, kHandR, 1, At(20, 100, 0));
    BindPose(table, kHandL, 2, At(28, 100, 0));
    BindPose(table, kHandR, 2, At(60, 100, 0));
    BindPose(table, kHead, 2, At(0, 110, 0));
    // Pairs: 28, 60, 8, 40.
    ParameterRecord record = MakeRecord(1, true, {kHandL, kHandR}, {kHandL, kHandR});
    ASSERT_EQ(CalculateDyadicProxemics(table, record, 1, {1.0, 1.0}), kStatusOk);
    ASSERT_EQ(CalculateDyadicProxemics(table, record, 2, {2.5, 1.0}), kStatusOk);
    EXPECT_EQ(record.Current(0, 1), 8.0);
    EXPECT_EQ(record.Current(0, 2), 20.0);
    // 10 from A's hand to B's head, arm factor 2.5.
    ParameterRecord head = MakeRecord(1, true, {kHandL}, {kHead});
    ASSERT_EQ(CalculateDyadicProxemics(table, head, 2, {2.5, 1.0}), kStatusOk);
    EXPECT_EQ(head.Current(0, 2), 25.0);
}

class DyadicParameterRows : public testing::FrameRows {
  protected:
    // The input row (computed for both persons) and the Dyadic Parameter row.
    int AddInput(std::array<double, 2> a, std::array<double, 2> b) {
        ParameterRecord input = MakeRecord(2, true);
        SetValues(input, 1, {a[0], a[1]});
        SetValues(input, 2, {b[0], b[1]});
        records_.resize(1);
        return Add(MakeRecord(8, false, {Add(std::move(input))}));
    }
};

TEST_F(DyadicParameterRows, SplitTheCommonExpressionIntoContributions) {
    struct Case {
        const char* name;
        double a;
        double b;
        std::array<double, 4> expected;
    };
    for (const Case& c :
         {Case{"ThreeAndOne", 3, 1, {4, 75, 2, 50}},
          Case{"BothZero", 0, 0, {0, kNoValue, 0, kNoValue}},
          Case{"Opposite", -1, 1, {0, kNoValue, -2, kNoValue}},
          Case{"NoValueOfA", kNoValue, 1, {kNoValue, kNoValue, kNoValue, kNoValue}}}) {
        const int row = AddInput({c.a, 2}, {c.b, 2});
        ASSERT_EQ(CalculateDyadicParameters(records_, row), kStatusOk) << c.name;
        // The second value column of the input fills columns 5 to 8.
        const std::array<double, 4> second = {4, 50, 0, 0};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Value(row, i), c.expected[static_cast<std::size_t>(i)]) << c.name << " " << i;
            EXPECT_EQ(Value(row, 4 + i), second[static_cast<std::size_t>(i)]) << c.name << " " << i;
        }
    }
}

TEST_F(DyadicParameterRows, StoresNoInfinity) {
    const int row = AddInput({1e307, 2}, {1e307, 2});
    EXPECT_EQ(CalculateDyadicParameters(records_, row), kStatusCalculationError);
    EXPECT_EQ(Value(row, 0), 2e307);
    EXPECT_EQ(Value(row, 1), kNoValue);  // 1e309 / 2e307
    EXPECT_EQ(Value(row, 2), 0.0);
    EXPECT_EQ(Value(row, 3), 0.0);
}

TEST_F(DyadicParameterRows, AnInputComputedForPersonAOnlyIsASettingError) {
    const int row = AddInput({3, 2}, {1, 2});
    ParameterRecord single = MakeRecord(2, false);
    SetValues(single, 1, {3, 2});
    records_[1] = single;
    EXPECT_EQ(CalculateDyadicParameters(records_, row), kStatusSettingError);
    EXPECT_EQ(Value(row), kNoValue);
}

// Proxemics as its definition reads: every pair measured on its own, the
// smallest corrected distance kept, the last pair's status returned.
int ProxemicsPairByPair(const InputVariableTable& table, const ParameterRecord& record,
                        const DistanceCorrection& factors, double& value) {
    double smallest = 1e300;
    int status = kStatusOk;
    for (int variable : record.variableIndices) {
        const double factor = GetDistanceCorrectionFactor(variable, factors);
        for (int target : record.targetIndices) {
            double distance = 0.0;
            status = CalculatePersonsDistance(table, 1, variable, 2, target, factor, distance);
            if (status == kStatusOk && distance < smallest)
                smallest = distance;
        }
    }
    value = smallest == 1e300 ? kNoValue : smallest;
    return status;
}

// The search for the smallest pair must give the very bits (and status) that
// measuring every pair gives, whatever the factors and data.
TEST(ProxemicsPairSearch, GivesTheSameBitsAsMeasuringEveryPair) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        double armFactor;
        double legFactor;
        double spread;     // coordinates are drawn from -spread..spread
        bool someUnbound;  // some variables of A and targets of B lack data fields
    };
    const Case cases[] = {{"Uncorrected", 1.0, 1.0, 100.0, false},
                          {"ArmAndLegFactors", 0.37, 2.9, 100.0, true},
                          // Pairs closer than the geometry's zero measure 0.
                          {"TinyDistances", 1.0, 3.0, 2e-4, true},
                          {"ZeroFactors", 0.0, -0.0, 100.0, true},
                          {"NegativeFactor", -1.5, 2.0, 100.0, true},
                          {"NaNFactor", kNaN, 1.0, 100.0, true},
                          {"InfiniteFactor", kInfinity, 1.0, 100.0, false},
                          // Corrected distances that overflow fail as pairs.
                          {"OverflowingDistances", 1e300, 1.0, 1e10, true},
                          {"OverflowingSquares", 1.0, 1.0, 1e160, true}};
    std::vector<int> markers;
    for (int v = kHips; v <= kHandRI; ++v)
        markers.push_back(v);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937_64 random(20240611);
        std::uniform_real_distribution<double> coordinate(-c.spread, c.spread);
        std::uniform_int_distribution<int> coin(0, 5);
        for (int round = 0; round < 40; ++round) {
            InputVariableTable table;
            for (int person = 1; person <= 2; ++person) {
                for (int v : markers) {
                    if (c.someUnbound && coin(random) == 0)
                        continue;
                    BindPose(table, v, person,
                             {coordinate(random), coordinate(random), coordinate(random), 0, 0, 0});
                }
            }
            // Variables given twice, and a target list that ends on an unbound one.
            std::vector<int> targets = markers;
            if (c.someUnbound)
                targets.push_back(kInterest);
            for (const std::vector<int>& variables :
                 std::vector<std::vector<int>>{markers, {kHandR}, {kFootL, kHead}}) {
                ParameterRecord record = MakeRecord(1, true, variables, targets);
                const DistanceCorrection factors{c.armFactor, c.legFactor};
                double expected = 0.0;
                const int expectedStatus = ProxemicsPairByPair(table, record, factors, expected);
                for (int person = 1; person <= 2; ++person) {
                    EXPECT_EQ(CalculateDyadicProxemics(table, record, person, factors),
                              expectedStatus)
                        << "round " << round;
                    EXPECT_EQ(std::bit_cast<std::uint64_t>(record.Current(0, person)),
                              std::bit_cast<std::uint64_t>(expected))
                        << "round " << round << ": " << record.Current(0, person) << " vs "
                        << expected;
                }
            }
        }
    }
}

// --- Camera and video of a file -----------------------------------------------

// At 100 units in front of the camera, one pixel of a 768-pixel-high window
// with a 40-degree field of view.
const double kUnitsPerPixel = 100.0 * std::tan(20.0 * std::numbers::pi / 180.0) / 384.0;

// Height in world units of window row `pixels` (from the centre) at 100 units.
double RowAt(double pixels) {
    return pixels * kUnitsPerPixel;
}

// A camera at the origin looking down -z at a 1024x768 window; the row
// measures two points (user variables, no body parts) 384 pixels apart.
class CameraFunctions : public ::testing::Test {
  protected:
    void SetUp() override {
        BindPose(table_, kCamera, 1, {0, 0, 0, 0, 0, 0});
        BindPose(table_, kInterest, 1, {0, 0, -100, 0, 0, 0});
        BindPosition(table_, kFirstUserVariable, 1, {0, RowAt(192), -100}, {});
        BindPosition(table_, kFirstUserVariable + 1, 1, {0, RowAt(-192), -100}, {});
    }

    InputVariableTable table_;
    CameraView camera_ = SetUpCamera(1024, 768, 10.0, 4000.0, 40.0);
    ParameterRecord record_ = MakeRecord(1, false, {kFirstUserVariable}, {kFirstUserVariable + 1});
};

TEST_F(CameraFunctions, FramingIsTheDistanceAsAShareOfTheWindowHeight) {
    ASSERT_EQ(CalculateCameraFraming(table_, record_, &camera_), kStatusOk);
    EXPECT_NEAR(record_.Current(0, 1), 50.0, 1e-9);
}

TEST_F(CameraFunctions, ProxemicsIsTheDistanceAsAShareOfTheBodyExtentInTheWindow) {
    struct Case {
        const char* name;
        std::vector<double> bodyRows;  // window rows (from the centre) of Hips, Chest, ...
        int status;
        double value;
    };
    for (const Case& c : {Case{"InsideTheWindow", {-300, 100, 300}, kStatusOk, 384.0 * 100 / 600},
                          Case{"ClampedAtBothEdges", {-500, 600, 0}, kStatusOk, 50.0},
                          Case{"AllAboveTheWindow", {400, 500}, kStatusDataError, 0},
                          Case{"AllBelowTheWindow", {-400, -500}, kStatusDataError, 0},
                          Case{"OnePart", {10}, kStatusDataError, 0}}) {
        table_ = InputVariableTable();
        SetUp();
        int part = kHips;
        for (double row : c.bodyRows)
            BindPosition(table_, part++, 1, {0, RowAt(row), -100}, {});
        ASSERT_EQ(CalculateCameraProxemics(table_, record_, &camera_), c.status) << c.name;
        if (c.status == kStatusOk) {
            EXPECT_NEAR(record_.Current(0, 1), c.value, 1e-9) << c.name;
        }
    }
}

TEST(FileCamera, NeedsWholeWindowSizesDistinctPlanesAndAnOpenFieldOfView) {
    struct Case {
        const char* resolution;
        const char* nearPlane;
        const char* farPlane;
        const char* fieldOfView;
        bool usable;
    };
    for (const Case& c : std::vector<Case>{{"1024x768", "10", "4000", "40", true},
                                           {"640X480", "0.5", "100", "179.5", true},
                                           {"", "10", "4000", "40", false},
                                           {"x768", "10", "4000", "40", false},
                                           {"1024x768.5", "10", "4000", "40", false},
                                           {"40000x768", "10", "4000", "40", false},
                                           {"1024x0", "10", "4000", "40", false},
                                           {"1024x768", "abc", "4000", "40", false},
                                           {"1024x768", "10", "10", "40", false},
                                           {"1024x768", "10", "4000", "0", false},
                                           {"1024x768", "10", "4000", "180", false}}) {
        InputFileRow row;
        row[kColResolution] = c.resolution;
        row[kColNearPlane] = c.nearPlane;
        row[kColFarPlane] = c.farPlane;
        row[kColFieldOfView] = c.fieldOfView;
        const std::optional<CameraView> camera = SetUpFileCamera(row, ".");
        EXPECT_EQ(camera.has_value(), c.usable)
            << c.resolution << "/" << c.nearPlane << "/" << c.farPlane << "/" << c.fieldOfView;
    }
}

// The processed data rate (frames per second / use every, each rounded)
// against the video's rate; what cannot be used is reported, and Cancel
// ends the run.
TEST(FileVideoSetUp, OpensOnlyAVideoThatCanFollowTheProcessedData) {
    struct Case {
        const char* framesPerSecond;
        const char* useEvery;
        const char* video;
        const char* side;
        const char* message;  // empty: opened without a message
        PromptId id = PromptId::VideoNotOpened;
    };
    testing::TempDir dir;
    testing::WriteVideo(dir.PathOf("v25.avi"), {testing::SolidFrame(4, 2, {1, 2, 3})}, 25);
    testing::WriteVideo(dir.PathOf("v30.mkv"), {testing::SolidFrame(4, 2, {1, 2, 3})}, 30);
    const std::string cannotCalculate =
        "\r\n\r\nThe nonverbal parameter 'Pixel Difference' cannot be calculated.";
    for (const Case& c : std::vector<Case>{
             {"50", "2", "v25.avi", "Left Side", ""},
             {"49.6", "2.4", "v25.avi", "Both Sides", ""},
             {"120", "1", "v30.mkv", "Right Side",
              "has 30 frames per second, fewer than the 120 processed data frames per second",
              PromptId::VideoTooSlow},
             {"30", "100", "v25.avi", "Right Side", "fewer than the 0 processed data frames",
              PromptId::VideoTooSlow},
             {"25", "1", "none.avi", "Right Side", "could not be opened."},
             {"25", "1", "v25.avi", "", "could not be opened."}}) {
        InputFileRow row;
        row[kColFramesPerSec] = c.framesPerSecond;
        row[kColUseEvery] = c.useEvery;
        row[kColVideoClipFile] = dir.PathOf(c.video);
        row[kColVideoClipSide] = c.side;
        for (PromptAnswer answer : {PromptAnswer::Ok, PromptAnswer::Cancel}) {
            testing::ScriptedPrompt prompt;
            prompt.QueueAnswer(answer);
            const FileVideoSetUp setUp = OpenFileVideo(row, nullptr, ".", prompt);
            const std::string what = std::string(c.framesPerSecond) + "/" + c.useEvery + " " +
                                     c.video + " '" + c.side + "'";
            if (std::string(c.message).empty()) {
                EXPECT_TRUE(setUp.video && !setUp.endRun && prompt.messages.empty()) << what;
                continue;
            }
            EXPECT_FALSE(setUp.video) << what;
            EXPECT_EQ(setUp.endRun, answer == PromptAnswer::Cancel) << what;
            ASSERT_EQ(prompt.messages.size(), 1u) << what;
            EXPECT_EQ(prompt.messages[0].id, c.id) << what;
            EXPECT_TRUE(prompt.LastText().starts_with("The video file '" + dir.PathOf(c.video)))
                << prompt.LastText();
            EXPECT_NE(prompt.LastText().find(c.message), std::string::npos) << prompt.LastText();
            EXPECT_TRUE(prompt.LastText().ends_with(cannotCalculate)) << prompt.LastText();
        }
    }
}

// --- Rows of other rows: arithmetic, differences, movement ----------------------

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

ComplexityCase ComplexityRow(const char* name, std::vector<BodyPartMove> moves,
                             std::vector<SrlRow> rows, double angleThreshold,
                             double distanceThreshold, std::vector<double> expected,
                             int status = kStatusOk,
                             DistanceCorrection factors = testing::kUncorrected) {
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
        ComplexityRow("AbsoluteChangesFromTheThresholdOn", {kHandStill},
                      {Global(kHandL, {-0.5, 0.5, 0.499}), Local(kHandL, {0, 0, 0})}, 0.5, 1.0,
                      {2}),
        ComplexityRow("ZeroThresholdCountsNoChange", {kHandStill},
                      {Global(kHandL, {0, 0, 0}), Local(kHandL, {0, 0, 0})}, 0.0, 1.0, {3}),
        // With distance threshold 0 every local body part counts, moved or not.
        ComplexityRow("DistanceThresholdZero",
                      {{kHandL, {1, 2, 3}, {1, 2, 3}}, {kKneeR, {0, 50, 0}, {0, 52, 0}}},
                      {Global(kHandL, {0, 0, 0}), Global(kKneeR, {0, 0, 0}),
                       Local(kHandL, {0, 0, 0}), Local(kKneeR, {0, 0, 0})},
                      1.0, 0.0, {0, 0, 2, 0}),
        // Hand 3 units with arm factor 1 -> 3; knee 3 units with leg factor 2 -> 6.
        ComplexityRow("MovingJointsAndCorrectedDisplacements",
                      {{kHandL, {0, 100, 0}, {3, 100, 0}}, {kKneeR, {0, 50, 0}, {0, 50, 3}}},
                      {Global(kHandL, {1, 1, 1}), Global(kKneeR, {0, 0, 0}),
                       Local(kHandL, {0, 3, 0}), Local(kKneeR, {0.2, 0, 0})},
                      1.0, 5.0, {3, 1, 1, 1}, kStatusOk, {1.0, 2.0}),
        // An operand's error is inherited; the counts reached are kept.
        ComplexityRow("OperandError", {},
                      {Global(kHandL, {2, 0, 0}), Global(kKneeR, {5, 5, 5}, kStatusDataError),
                       Local(kHandL, {0, 0, 0}), Local(kKneeR, {0, 0, 0})},
                      1.0, 1.0, {1, 0, 0, 0}, kStatusInheritedError),
        // Hand L has no position fields assigned.
        ComplexityRow("MissingDisplacement", {},
                      {Global(kHandL, {2, 2, 0}), Local(kHandL, {0, 0, 0})}, 1.0, 1.0, {2, 0, 0, 0},
                      kStatusDataError),
        // A column that an undetermined angle enters stays empty.
        ComplexityRow("UndeterminedAngle", {kHandStill},
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
