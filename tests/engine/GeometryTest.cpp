#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/BodyPoseAccess.h"
#include "engine/CalculationTestRows.h"
#include "engine/DistanceCorrection.h"
#include "engine/ExactMemo.h"
#include "engine/Rotation.h"
#include "engine/SrlAngles.h"
#include "engine/VectorGeometry.h"

namespace kivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kPi15 = 3.14159265358979;  // the fifteen-digit pi of the angles
constexpr double kDegreesPerRadian = 57.29577951308238;

TEST(VectorDistance, GivesEuclideanDistanceAndZeroBelowThreshold) {
    struct Case {
        Vec3 a;
        Vec3 b;
        double expected;
    };
    const Case cases[] = {{{1.5, -2.0, 7.0}, {1.5, -2.0, 7.0}, 0.0},
                          // 0.0003 apart: squared distance 9e-8 is below 1e-7.
                          {{0.0, 0.0, 0.0}, {0.0, 0.0003, 0.0}, 0.0},
                          {{0.0, 0.0, 0.0}, {3.0, 4.0, 12.0}, 13.0},
                          {{-1.0, 2.0, -3.0}, {2.0, -2.0, -3.0}, 5.0}};
    for (const Case& c : cases)
        EXPECT_EQ(VectorDistance(c.a, c.b), c.expected) << "case " << &c - cases;
}

TEST(ArcTan2, UsesFifteenDigitPiAndItsTieBreaks) {
    const std::array<double, 3> cases[] = {
        {0.0, -1.0, -kPi15},   // straight along -x: -pi, not +pi
        {1e-8, -1.0, -kPi15},  // |y| < 1e-7 counts as 0
        {0.0, 0.0, 0.0},
        {1.0, 0.0, 1.570796326794895},
        {-1.0, 5e-8, -1.570796326794895},
        {1.0, 1.0, 0.7853981633974483},
        // atan(-1) + 3.14159265358979 and atan(1) - 3.14159265358979
        {1.0, -1.0, 2.3561944901923417},
        {-1.0, -1.0, -2.3561944901923417}};
    for (const auto& [y, x, expected] : cases)
        EXPECT_EQ(ArcTan2(y, x), expected) << "y " << y << ", x " << x;
}

TEST(VectorAngle, GivesDegreesOrRaisesTheErrorFlag) {
    struct Case {
        Vec3 a;
        Vec3 b;
        double expected;
        bool error;
    };
    const Case cases[] = {{{1, 0, 0}, {0, 0, 0}, 0.0, true},
                          {{1, 0, 0}, {2, 0, 0}, 0.0, false},
                          {{1, 0, 0}, {0, 1, 0}, 90.0, false},
                          {{1, 0, 0}, {1, 1, 0}, 45.0, false},
                          // Here rounding gives c = -1.0000000000000002: no square root.
                          {{1, 1, 1}, {-1, -1, -1}, 0.0, true},
                          // Squared length overflows.
                          {{1e200, 0, 0}, {1, 1, 0}, 0.0, true}};
    for (const Case& c : cases) {
        bool error = false;
        EXPECT_NEAR(VectorAngle(c.a, c.b, error), c.expected, 1e-12) << "case " << &c - cases;
        EXPECT_EQ(error, c.error) << "case " << &c - cases;
    }
    // Opposite vectors: c = -1, s = 0 and ArcTan2(0, -1) = -pi. The flag is
    // never cleared, so one flag collects several calls.
    bool error = true;
    EXPECT_EQ(VectorAngle({0, 0, 2}, {0, 0, -3}, error), -kPi15 * kDegreesPerRadian);
    EXPECT_TRUE(error);
}

TEST(TransformToLocal, ClampsCosineNearNinetyDegreesSoAnglesStayFinite) {
    BodyPose pose{0, 0, 0, 0, 0, 0};
    ASSERT_EQ(TransformToLocal(pose, {0, 0, 0, 0, 90, 0}), 0);
    EXPECT_EQ(pose.rx, 0.0);
    EXPECT_EQ(pose.rz, 0.0);
    // atan(-1 / sqrt(1e-7)) in degrees: the clamp keeps ry just short of -90.
    EXPECT_NEAR(pose.ry, -89.98188148424643, 1e-9);
}

// Single-axis and zero rotations come back unchanged (to within the last
// bits); degenerate axis projections leave the angle without a value.
TEST(CalculateSRLAngles, DecomposesOrientation) {
    const std::array<double, 6> cases[] = {
        {0, 0, 0, 0, 0, 0},          {30, 0, 0, 30, 0, 0},
        {0, 30, 0, 0, 30, 0},        {0, 0, 30, 0, 0, 30},
        {0, -30, 0, 0, -30, 0},      {0, 90, 0, 0, 90, 0},
        {0, 0, 90, kNoValue, 0, 90}, {90, 0, 0, 90, kNoValue, kNoValue}};
    for (const auto& [rx, ry, rz, sagittal, rotational, lateral] : cases) {
        SrlAngles angles;
        ASSERT_EQ(CalculateSRLAngles({0, 0, 0, rx, ry, rz}, angles), 0);
        EXPECT_DOUBLE_EQ(angles.sagittal, sagittal) << rx << "," << ry << "," << rz;
        EXPECT_DOUBLE_EQ(angles.rotational, rotational) << rx << "," << ry << "," << rz;
        EXPECT_DOUBLE_EQ(angles.lateral, lateral) << rx << "," << ry << "," << rz;
    }
    SrlAngles angles;
    ASSERT_EQ(CalculateSRLAngles({5, 6, 7, 20, 30, 10}, angles), 0);
    EXPECT_NEAR(angles.sagittal, 14.961631, 5e-7);
    EXPECT_NEAR(angles.rotational, 31.566704, 5e-7);
    EXPECT_NEAR(angles.lateral, 8.947841, 5e-7);
}

TEST(CalculateLocalSRLAngles, MeasuresRotationRelativeToReferenceOrGivesNoValues) {
    SrlAngles angles;
    ASSERT_EQ(CalculateLocalSRLAngles({1, 2, 3, 30, 0, 0}, {4, 5, 6, 10, 0, 0}, angles), 0);
    EXPECT_NEAR(angles.sagittal, 20.0, 1e-12);
    EXPECT_NEAR(angles.rotational, 0.0, 1e-12);
    EXPECT_NEAR(angles.lateral, 0.0, 1e-12);
    // The offset overflows: the transformation fails.
    EXPECT_EQ(CalculateLocalSRLAngles({1e308, 0, 0, 0, 0, 0}, {-1e308, 0, 0, 0, 0, 0}, angles), 1);
    EXPECT_EQ(angles.sagittal, kNoValue);
    EXPECT_EQ(angles.rotational, kNoValue);
    EXPECT_EQ(angles.lateral, kNoValue);
}

// A missing field is a data error, an index outside the table a setting error.
TEST(GetBodyPartPose, RequiresAllSixFieldsWhilePositionNeedsOnlyThree) {
    InputVariableTable table;
    testing::Place(table, 1, kHandL, {1, 2, 3, 0, 0, 0});
    table.Person(kHandL, 1).fieldIndex[kRy] = 0;
    BodyPose pose{9, 9, 9, 9, 9, 9};
    EXPECT_EQ(GetBodyPartPose(table, 1, kHandL, pose), 4);
    EXPECT_EQ(pose.x, 9);  // untouched on failure
    EXPECT_EQ(GetBodyPartPreviousPose(table, 1, kHandL, pose), 4);
    Vec3 position;
    EXPECT_EQ(GetBodyPartPosition(table, 1, kHandL, position), 0);
    table.Person(kHandL, 1).fieldIndex[kTz] = 0;
    EXPECT_EQ(GetBodyPartPosition(table, 1, kHandL, position), 4);
    EXPECT_EQ(GetBodyPartPose(table, 2, kHandL, pose), 4);  // person B not bound
    EXPECT_EQ(GetBodyPartPose(table, 1, kNotAnInputVariable, pose), 6);
    EXPECT_EQ(GetBodyPartPose(table, 1, -1, pose), 6);
    EXPECT_EQ(GetBodyPartPosition(table, 2, 200, position), 6);
}

// --- Remembered results ------------------------------------------------------

std::uint64_t Bits(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

// The bits of a number; every NaN counts as the same (the compiler is free
// to pick either operand's NaN, so sign and payload of a NaN are not kept).
template <std::size_t N>
std::array<std::uint64_t, N> BitsOf(const std::array<double, N>& values) {
    std::array<std::uint64_t, N> bits{};
    for (std::size_t i = 0; i < N; ++i)
        bits[i] = std::isnan(values[i]) ? Bits(kNaN) : Bits(values[i]);
    return bits;
}

void ExpectSameBits(const BodyPose& actual, const BodyPose& expected) {
    using Values = std::array<double, 6>;
    EXPECT_EQ(BitsOf(std::bit_cast<Values>(actual)), BitsOf(std::bit_cast<Values>(expected)));
}

TEST(ExactMemo, FindsOnlyWhatWasStoredForTheSameBits) {
    ExactMemo<2, double, 4> memo;
    const auto store = [&memo](double a, double b, double value) {
        memo.Store({memo.Bits(a), memo.Bits(b)}, value);
    };
    const auto find = [&memo](double a, double b) {
        const double* value = memo.Find({memo.Bits(a), memo.Bits(b)});
        return value ? *value : -1.0;
    };
    EXPECT_EQ(find(1.0, 2.0), -1.0);
    store(1.0, 2.0, 3.0);
    EXPECT_EQ(find(1.0, 2.0), 3.0);
    EXPECT_EQ(find(2.0, 1.0), -1.0);
    // 0.0 and -0.0 compare equal but are different arguments.
    store(0.0, 1.0, 10.0);
    EXPECT_EQ(find(-0.0, 1.0), -1.0);
    // The same NaN is the same argument.
    store(kNaN, 1.0, 20.0);
    EXPECT_EQ(find(kNaN, 1.0), 20.0);
}

// The literal definitions of the transformations: rotation matrices from
// std::sin and std::cos, products summed from 0 over all three terms, chains
// accumulated from the left.

Mat3 LiteralRotation(int axis, double degrees) {
    const double s = std::sin(degrees * kDegreesToRadians);
    const double c = std::cos(degrees * kDegreesToRadians);
    if (axis == 1)
        return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
    if (axis == 2)
        return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

Mat3 operator*(const Mat3& a, const Mat3& b) {
    Mat3 product{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 3; ++k)
                sum = sum + a[i][k] * b[k][j];
            product[i][j] = sum;
        }
    }
    return product;
}

Mat3 LiteralOrientation(const BodyPose& pose) {
    return LiteralRotation(3, pose.rz) * LiteralRotation(2, pose.ry) * LiteralRotation(1, pose.rx);
}

int LiteralTransformToLocal(BodyPose& pose, const BodyPose& reference) {
    const Mat3 inverse = LiteralRotation(1, -reference.rx) * LiteralRotation(2, -reference.ry) *
                         LiteralRotation(3, -reference.rz);
    const double offset[3] = {pose.x - reference.x, pose.y - reference.y, pose.z - reference.z};
    double local[3];
    for (int i = 0; i < 3; ++i)
        local[i] =
            0.0 + inverse[i][0] * offset[0] + inverse[i][1] * offset[1] + inverse[i][2] * offset[2];
    const Mat3 r = inverse * LiteralRotation(3, pose.rz) * LiteralRotation(2, pose.ry) *
                   LiteralRotation(1, pose.rx);
    const double c = std::sqrt(std::max(1.0 - r[2][0] * r[2][0], 1e-7));
    pose = {local[0],
            local[1],
            local[2],
            ArcTan2(r[2][1] / c, r[2][2] / c) * kRadiansToDegrees,
            ArcTan2(-r[2][0], c) * kRadiansToDegrees,
            ArcTan2(r[1][0] / c, r[0][0] / c) * kRadiansToDegrees};
    const std::array<double, 6> values = std::bit_cast<std::array<double, 6>>(pose);
    const bool finite =
        std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
    return finite ? kStatusOk : kStatusCalculationError;
}

// Poses with ordinary, special and repeated values.
std::vector<BodyPose> SamplePoses() {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> position(-1000.0, 1000.0);
    std::uniform_real_distribution<double> angle(-200.0, 200.0);
    std::vector<BodyPose> poses;
    for (int i = 0; i < 60; ++i) {
        poses.push_back({position(random), position(random), position(random), angle(random),
                         angle(random), angle(random)});
    }
    const double specials[] = {0.0,    -0.0,   90.0,  -90.0, 180.0, -180.0, 360.0,    1e-300,
                               5e-324, -1e-10, 720.5, 1e6,   1e300, kNaN,   kInfinity};
    for (double special : specials) {
        poses.push_back({1.0, 2.0, 3.0, special, 10.0, 20.0});
        poses.push_back({-1.0, 0.0, 4.0, 30.0, special, -0.0});
        poses.push_back({0.0, -0.0, 0.0, 0.0, 0.0, special});
        poses.push_back({special, 5.0, -special, special, special, special});
    }
    return poses;
}

TEST(OrientationMatrix, IsTheLiteralProductBitForBit) {
    using Values = std::array<double, 9>;
    for (const BodyPose& pose : SamplePoses()) {
        EXPECT_EQ(BitsOf(std::bit_cast<Values>(OrientationMatrix(pose))),
                  BitsOf(std::bit_cast<Values>(LiteralOrientation(pose))))
            << "angles " << pose.rx << ", " << pose.ry << ", " << pose.rz;
    }
}

// Far more pairs than the memo has slots, many of them recurring: the second
// and later answers come from the memo, or from a slot another pair took over.
TEST(TransformToLocal, GivesTheLiteralResultBitForBitAlsoWhenAskedAgain) {
    const std::vector<BodyPose> poses = SamplePoses();
    std::mt19937_64 random(11);
    std::uniform_int_distribution<std::size_t> pick(0, poses.size() - 1);
    for (int round = 0; round < 3000; ++round) {
        const BodyPose& pose = poses[pick(random) % 25];
        const BodyPose& reference = poses[pick(random)];
        BodyPose expected = pose;
        const int expectedStatus = LiteralTransformToLocal(expected, reference);
        BodyPose fresh = pose;
        EXPECT_EQ(ComputeTransformToLocal(fresh, reference), expectedStatus);
        ExpectSameBits(fresh, expected);
        BodyPose remembered = pose;
        EXPECT_EQ(TransformToLocal(remembered, reference), expectedStatus);
        ExpectSameBits(remembered, expected);
    }
}

// --- Distance correction: the measures of the body ------------------------------

using testing::Place;

// An upright model without rotations: body height `height` (Top over Bottom),
// right arm 20 + 30 long, right leg 40 + 40 long.
InputVariableTable UprightModel(int person, double height) {
    InputVariableTable table;
    Place(table, person, kHips, {0, 50, 0, 0, 0, 0});
    Place(table, person, kChest, {0, 60, 0, 0, 0, 0});
    Place(table, person, kHead, {0, 70, 0, 0, 0, 0});
    Place(table, person, kTop, {0, height, 0, 0, 0, 0});
    Place(table, person, kLegR, {10, 45, 0, 0, 0, 0});
    Place(table, person, kKneeR, {10, 5, 0, 0, 0, 0});
    Place(table, person, kFootR, {10, -35, 0, 0, 0, 0});
    Place(table, person, kBottom, {10, 0, 0, 0, 0, 0});
    Place(table, person, kArmR, {20, 60, 0, 0, 0, 0});
    Place(table, person, kElbowR, {20, 40, 0, 0, 0, 0});
    Place(table, person, kHandR, {20, 10, 0, 0, 0, 0});
    return table;
}

// The options scale the model to the real person; any other text ("length"
// and "height" too: the case counts) leaves the factors at 1.
TEST(CalculateDistanceCorrectionFactors, ScaleTheModelToTheRealPerson) {
    struct Case {
        const char* option;
        const char* decimalSymbol;
        int person;
        double modelHeight;
        double armFactor;
        double legFactor;
    };
    for (const Case& c :
         {Case{"180", ".", 1, 90, 2.0, 2.0}, Case{"180,0", ",", 1, 80, 2.25, 2.25},
          // percent of the model's height
          Case{"Height", ".", 2, 200, 0.5, 0.5},
          // 100 / (20 + 30) and 100 / (40 + 40)
          Case{"Length", ".", 1, 90, 2.0, 1.25}, Case{"unmodified", ".", 1, 90, 1, 1},
          Case{"length", ".", 1, 90, 1, 1}, Case{"height", ".", 1, 90, 1, 1},
          Case{"", ".", 1, 90, 1, 1}, Case{"180 cm", ".", 1, 90, 1, 1}}) {
        const DistanceCorrectionResult result = CalculateDistanceCorrectionFactors(
            UprightModel(c.person, c.modelHeight), c.person, c.option, c.decimalSymbol);
        EXPECT_FALSE(result.failed) << c.option;
        EXPECT_TRUE(result.noticeLines.empty()) << c.option;
        EXPECT_EQ(result.factors.armFactor, c.armFactor) << c.option;
        EXPECT_EQ(result.factors.legFactor, c.legFactor) << c.option;
    }
}

TEST(CalculateDistanceCorrectionFactors, HeightIsMeasuredOnStraightenedChains) {
    // A model lying on its back: every part turned 90 degrees about x, so the
    // body's up direction is global +z and all y values are equal.
    InputVariableTable table;
    Place(table, 1, kHips, {0, 0, 0, 90, 0, 0});
    Place(table, 1, kChest, {0, 0, 30, 90, 0, 0});
    Place(table, 1, kHead, {0, 0, 60, 90, 0, 0});
    Place(table, 1, kTop, {0, 0, 80, 90, 0, 0});
    Place(table, 1, kLegR, {5, 0, -5, 90, 0, 0});
    Place(table, 1, kKneeR, {5, 0, -45, 90, 0, 0});
    Place(table, 1, kFootR, {5, 0, -85, 90, 0, 0});
    Place(table, 1, kBottom, {5, 0, -120, 90, 0, 0});
    const DistanceCorrectionResult result =
        CalculateDistanceCorrectionFactors(table, 1, "Height", ".");
    EXPECT_FALSE(result.failed);
    EXPECT_NEAR(result.factors.armFactor, 0.5, 1e-12);  // 100 / 200
}

// Missing data, or a measured length of 0 (instead of dividing by it), leave
// the factors at 1 and give the notice lines.
TEST(CalculateDistanceCorrectionFactors, FailureLeavesFactorsAtOneWithTheNoticeLines) {
    const char* limbs = "Arm R, Elbow R, Hand R, Leg R, Knee R, and Foot R.";
    const char* heightChain = "Top, Bottom, Hips, Chest, Head, Leg R, Knee R, and Foot R.";
    struct Case {
        const char* name;
        const char* option;
        void (*spoil)(InputVariableTable&);
        const char* measure;
        const char* variables;
    };
    const Case cases[] = {
        {"MissingFootField", "Length",
         [](InputVariableTable& model) { model.Person(kFootR, 1).fieldIndex[kRz] = 0; },
         "arm and leg length", limbs},
        {"MissingTopField", "Height",
         [](InputVariableTable& model) { model.Person(kTop, 1).fieldIndex[kTy] = 0; },
         "body height", heightChain},
        {"OnlyThePartnerBound", "175.5",
         [](InputVariableTable& model) { model = UprightModel(2, 90); }, "body height",
         heightChain},
        {"ZeroBodyHeight", "Height", [](InputVariableTable& model) { model = UprightModel(1, 0); },
         "body height", heightChain},
        {"ZeroArmLength", "Length",
         [](InputVariableTable& model) {
             Place(model, 1, kElbowR, {20, 60, 0, 0, 0, 0});
             Place(model, 1, kHandR, {20, 60, 0, 0, 0, 0});
         },
         "arm and leg length", limbs}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InputVariableTable table = UprightModel(1, 90);
        c.spoil(table);
        const DistanceCorrectionResult result =
            CalculateDistanceCorrectionFactors(table, 1, c.option, ".");
        EXPECT_TRUE(result.failed);
        EXPECT_EQ(result.factors.armFactor, 1.0);
        EXPECT_EQ(result.factors.legFactor, 1.0);
        ASSERT_EQ(result.noticeLines.size(), 2u);
        EXPECT_EQ(result.noticeLines[0],
                  "ERROR: Distance correction factors could be not calculated due to missing "
                  "input data. All distance measures (distance, symmetry, expansion, openness, "
                  "proxemics) in the output and statistics files are uncorrected.");
        EXPECT_EQ(result.noticeLines[1],
                  std::string("NOTE: Data from the following variables are required to calculate "
                              "the ") +
                      c.measure + " of the 3D model (see tab page 'Data Fields'): " + c.variables);
    }
}

}  // namespace
}  // namespace kivo
