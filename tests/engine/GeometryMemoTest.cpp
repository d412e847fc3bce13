#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "core/StatusCode.h"
#include "engine/CalculationTestRows.h"
#include "engine/ExactMemo.h"
#include "engine/PostureFunctions.h"
#include "engine/Rotation.h"
#include "engine/SrlAngles.h"
#include "engine/VectorGeometry.h"

namespace kivo {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

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

// --- The memo itself -------------------------------------------------------

using SmallMemo = ExactMemo<2, double, 4>;

SmallMemo::Key KeyOf(double a, double b) {
    return {SmallMemo::Bits(a), SmallMemo::Bits(b)};
}

TEST(ExactMemo, FindsOnlyWhatWasStoredForTheSameBits) {
    SmallMemo memo;
    EXPECT_EQ(memo.Find(KeyOf(1.0, 2.0)), nullptr);
    memo.Store(KeyOf(1.0, 2.0), 3.0);
    ASSERT_NE(memo.Find(KeyOf(1.0, 2.0)), nullptr);
    EXPECT_EQ(*memo.Find(KeyOf(1.0, 2.0)), 3.0);
    EXPECT_EQ(memo.Find(KeyOf(2.0, 1.0)), nullptr);
    // 0.0 and -0.0 compare equal but are different arguments.
    memo.Store(KeyOf(0.0, 1.0), 10.0);
    EXPECT_EQ(memo.Find(KeyOf(-0.0, 1.0)), nullptr);
    // The same NaN is the same argument.
    memo.Store(KeyOf(kNaN, 1.0), 20.0);
    ASSERT_NE(memo.Find(KeyOf(kNaN, 1.0)), nullptr);
    EXPECT_EQ(*memo.Find(KeyOf(kNaN, 1.0)), 20.0);
    memo.Clear();
    EXPECT_EQ(memo.Find(KeyOf(1.0, 2.0)), nullptr);
}

TEST(ExactMemo, NeverGivesAnotherKeysValueWhenSlotsAreShared) {
    // Far more keys than slots: entries replace each other, and every answer
    // is either nothing or the value of exactly that key.
    SmallMemo memo;
    for (int i = 0; i < 200; ++i)
        memo.Store(KeyOf(i, -i), 1000.0 + i);
    int found = 0;
    for (int i = 0; i < 200; ++i) {
        if (const double* value = memo.Find(KeyOf(i, -i))) {
            EXPECT_EQ(*value, 1000.0 + i);
            ++found;
        }
    }
    EXPECT_GE(found, 1);
    EXPECT_LE(found, 4);
}

// --- Transformations computed in the shortest way ---------------------------
// The literal definitions: rotation matrices from std::sin and std::cos,
// products summed from 0 over all three terms, chains accumulated from the
// left.

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

TEST(TransformToLocal, GivesTheLiteralResultBitForBitAlsoWhenAskedAgain) {
    const std::vector<BodyPose> poses = SamplePoses();
    std::mt19937_64 random(11);
    std::uniform_int_distribution<std::size_t> pick(0, poses.size() - 1);
    // Many pairs recur: the second and later answers come from the memo.
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

// Rows read the table of the current frame: a new frame (or the other
// person) with other values must never get the results of earlier values.
TEST(StaticSRL, FollowsEachFramesValuesForEachPerson) {
    using testing::BindPose;
    using testing::MakeRecord;
    InputVariableTable table;
    ParameterRecord record = MakeRecord(3, true, {kHead}, {}, kChest);
    const testing::Pose frames[3][2] = {
        {{0, 150, 0, 10, 20, 30}, {0, 150, 0, 10, 20, 31}},
        {{0, 150, 0, 10, 20, 31}, {0, 150, 0, 10, 20, 30}},
        {{0, 150, 0, 10, 20, 30}, {0, 150, 0, 10, 20, 30}},
    };
    const BodyPose chest{0, 120, 0, 5, -5, 0};
    for (const auto& frame : frames) {
        for (int person = 1; person <= 2; ++person) {
            BindPose(table, kHead, person, frame[person - 1]);
            BindPose(table, kChest, person,
                     {chest.x, chest.y, chest.z, chest.rx, chest.ry, chest.rz});
        }
        ASSERT_EQ(CalculateStaticSRL(table, record, 1), kStatusOk);
        ASSERT_EQ(CalculateStaticSRL(table, record, 2), kStatusOk);
        for (int person = 1; person <= 2; ++person) {
            const testing::Pose& p = frame[person - 1];
            BodyPose local{p[0], p[1], p[2], p[3], p[4], p[5]};
            ASSERT_EQ(LiteralTransformToLocal(local, chest), kStatusOk);
            SrlAngles expected;
            ASSERT_EQ(CalculateSRLAngles(local, expected), kStatusOk);
            EXPECT_EQ(Bits(record.Current(0, person)), Bits(expected.sagittal));
            EXPECT_EQ(Bits(record.Current(1, person)), Bits(expected.rotational));
            EXPECT_EQ(Bits(record.Current(2, person)), Bits(expected.lateral));
        }
    }
}

}  // namespace
}  // namespace kivo
