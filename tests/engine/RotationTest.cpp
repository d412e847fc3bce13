#include "engine/Rotation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace kivo {
namespace {

void ExpectVecNear(const Vec3& actual, const Vec3& expected, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(RotationMatrix, RotatesCounterClockwiseAboutEachAxis) {
    const double angle = 30.0 * kDegreesToRadians;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    // About x, y turns toward z; about y, z turns toward x; about z, x turns toward y.
    ExpectVecNear(MultiplyMatrixVector(RotationMatrix(RotationAxis::kX, angle), {0, 1, 0}),
                  {0, c, s});
    ExpectVecNear(MultiplyMatrixVector(RotationMatrix(RotationAxis::kY, angle), {0, 0, 1}),
                  {s, 0, c});
    ExpectVecNear(MultiplyMatrixVector(RotationMatrix(RotationAxis::kZ, angle), {1, 0, 0}),
                  {c, s, 0});
}

TEST(MultiplyMatrices, MultipliesRowsByColumnsFromTheLeft) {
    const Mat3 a = {{{1, 2, 0}, {0, 1, 0}, {0, 0, 1}}};
    const Mat3 b = {{{1, 0, 0}, {3, 1, 0}, {0, 0, 2}}};
    const Mat3 ab = {{{7, 2, 0}, {3, 1, 0}, {0, 0, 2}}};
    EXPECT_EQ(MultiplyMatrices(a, b), ab);
    const Mat3 ba = {{{1, 2, 0}, {3, 7, 0}, {0, 0, 2}}};
    EXPECT_EQ(MultiplyMatrices(b, a), ba);
    const std::array<Mat3, 4> chain = {a, b, kIdentityMatrix, a};
    const Mat3 abia = {{{7, 16, 0}, {3, 7, 0}, {0, 0, 2}}};
    EXPECT_EQ(MultiplyMatrices(chain), abia);
}

TEST(TransformToLocal, PoseOntoItselfGivesZeroPoseExactly) {
    BodyPose pose{12.5, 101.25, -3.0, 20.0, 30.0, 10.0};
    ASSERT_EQ(TransformToLocal(pose, pose), 0);
    EXPECT_EQ(pose.x, 0.0);
    EXPECT_EQ(pose.y, 0.0);
    EXPECT_EQ(pose.z, 0.0);
    EXPECT_EQ(pose.rx, 0.0);
    EXPECT_EQ(pose.ry, 0.0);
    EXPECT_EQ(pose.rz, 0.0);
}

TEST(TransformToLocal, ExpressesPositionInReferenceAxes) {
    // The reference is turned 90 degrees about y: its local x axis points along global -z.
    const BodyPose reference{1, 2, 3, 0, 90, 0};
    BodyPose pose{1, 2, 4, 0, 0, 0};
    ASSERT_EQ(TransformToLocal(pose, reference), 0);
    ExpectVecNear(pose.Position(), {-1, 0, 0});
}

TEST(TransformToLocal, ComposesRotationsAboutOneAxis) {
    BodyPose pose{0, 0, 0, 0, 30, 0};
    ASSERT_EQ(TransformToLocal(pose, {0, 0, 0, 0, 10, 0}), 0);
    EXPECT_NEAR(pose.rx, 0.0, 1e-12);
    EXPECT_NEAR(pose.ry, 20.0, 1e-12);
    EXPECT_NEAR(pose.rz, 0.0, 1e-12);
}

TEST(TransformToLocal, ClampsCosineNearNinetyDegreesSoAnglesStayFinite) {
    BodyPose pose{0, 0, 0, 0, 0, 0};
    ASSERT_EQ(TransformToLocal(pose, {0, 0, 0, 0, 90, 0}), 0);
    EXPECT_EQ(pose.rx, 0.0);
    EXPECT_EQ(pose.rz, 0.0);
    // atan(-1 / sqrt(1e-7)) in degrees: the clamp keeps ry just short of -90.
    EXPECT_NEAR(pose.ry, -89.98188148424643, 1e-9);
}

TEST(TransformToLocal, ReportsCalculationErrorWhenValuesOverflow) {
    BodyPose pose{1e308, 0, 0, 0, 0, 0};
    EXPECT_EQ(TransformToLocal(pose, {-1e308, 0, 0, 0, 0, 0}), 1);
}

TEST(StraightenOnReference, AddsReferencePositionToLocalPosition) {
    BodyPose pose{1, 2, 4, 0, 0, 0};
    ASSERT_EQ(StraightenOnReference(pose, {1, 2, 3, 0, 90, 0}), 0);
    ExpectVecNear(pose.Position(), {0, 2, 3});
}

}  // namespace
}  // namespace kivo
