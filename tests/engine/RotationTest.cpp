#include "engine/Rotation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kivo {
namespace {

void ExpectVecNear(const Vec3& actual, const Vec3& expected, double tolerance = 1e-12) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(TransformToLocal, ClampsCosineNearNinetyDegreesSoAnglesStayFinite) {
    BodyPose pose{0, 0, 0, 0, 0, 0};
    ASSERT_EQ(TransformToLocal(pose, {0, 0, 0, 0, 90, 0}), 0);
    EXPECT_EQ(pose.rx, 0.0);
    EXPECT_EQ(pose.rz, 0.0);
    // atan(-1 / sqrt(1e-7)) in degrees: the clamp keeps ry just short of -90.
    EXPECT_NEAR(pose.ry, -89.98188148424643, 1e-9);
}

TEST(StraightenOnReference, AddsReferencePositionToLocalPosition) {
    BodyPose pose{1, 2, 4, 0, 0, 0};
    ASSERT_EQ(StraightenOnReference(pose, {1, 2, 3, 0, 90, 0}), 0);
    ExpectVecNear(pose.Position(), {0, 2, 3});
}

}  // namespace
}  // namespace kivo
