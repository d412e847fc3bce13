#include "engine/SrlAngles.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kivo {
namespace {

struct SrlCase {
    BodyPose pose;
    SrlAngles expected;
};

void PrintTo(const SrlCase& c, std::ostream* os) {
    *os << "rotation (" << c.pose.rx << "," << c.pose.ry << "," << c.pose.rz << ")";
}

class SrlAngleCases : public ::testing::TestWithParam<SrlCase> {};

// Single-axis and zero rotations come back unchanged (to within the last bits).
TEST_P(SrlAngleCases, DecomposesOrientation) {
    const SrlCase& c = GetParam();
    SrlAngles angles;
    ASSERT_EQ(CalculateSRLAngles(c.pose, angles), 0);
    EXPECT_DOUBLE_EQ(angles.sagittal, c.expected.sagittal);
    EXPECT_DOUBLE_EQ(angles.rotational, c.expected.rotational);
    EXPECT_DOUBLE_EQ(angles.lateral, c.expected.lateral);
}

INSTANTIATE_TEST_SUITE_P(
    CalculateSRLAngles, SrlAngleCases,
    ::testing::Values(
        SrlCase{{0, 0, 0, 0, 0, 0}, {0, 0, 0}}, SrlCase{{0, 0, 0, 30, 0, 0}, {30, 0, 0}},
        SrlCase{{0, 0, 0, 0, 30, 0}, {0, 30, 0}}, SrlCase{{0, 0, 0, 0, 0, 30}, {0, 0, 30}},
        SrlCase{{0, 0, 0, 0, -30, 0}, {0, -30, 0}}, SrlCase{{0, 0, 0, 0, 90, 0}, {0, 90, 0}},
        // Degenerate axis projections leave the angle without a value.
        SrlCase{{0, 0, 0, 0, 0, 90}, {kNoValue, 0, 90}},
        SrlCase{{0, 0, 0, 90, 0, 0}, {90, kNoValue, kNoValue}}));

TEST(CalculateSRLAngles, DecomposesCombinedRotation) {
    SrlAngles angles;
    ASSERT_EQ(CalculateSRLAngles({5, 6, 7, 20, 30, 10}, angles), 0);
    EXPECT_NEAR(angles.sagittal, 14.961631, 5e-7);
    EXPECT_NEAR(angles.rotational, 31.566704, 5e-7);
    EXPECT_NEAR(angles.lateral, 8.947841, 5e-7);
}

TEST(CalculateLocalSRLAngles, MeasuresRotationRelativeToReference) {
    SrlAngles angles;
    ASSERT_EQ(CalculateLocalSRLAngles({1, 2, 3, 30, 0, 0}, {4, 5, 6, 10, 0, 0}, angles), 0);
    EXPECT_NEAR(angles.sagittal, 20.0, 1e-12);
    EXPECT_NEAR(angles.rotational, 0.0, 1e-12);
    EXPECT_NEAR(angles.lateral, 0.0, 1e-12);
}

TEST(CalculateLocalSRLAngles, GivesNoValuesWhenTransformationFails) {
    SrlAngles angles{1, 2, 3};
    EXPECT_EQ(CalculateLocalSRLAngles({1e308, 0, 0, 0, 0, 0}, {-1e308, 0, 0, 0, 0, 0}, angles), 1);
    EXPECT_EQ(angles.sagittal, kNoValue);
    EXPECT_EQ(angles.rotational, kNoValue);
    EXPECT_EQ(angles.lateral, kNoValue);
}

}  // namespace
}  // namespace kivo
