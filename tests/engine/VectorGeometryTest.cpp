#include "engine/VectorGeometry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kivo {
namespace {

struct DistanceCase {
    Vec3 a;
    Vec3 b;
    double expected;
};

void PrintTo(const DistanceCase& c, std::ostream* os) {
    *os << "(" << c.a.x << "," << c.a.y << "," << c.a.z << ")-(" << c.b.x << "," << c.b.y << ","
        << c.b.z << ")";
}

class VectorDistanceCases : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(VectorDistanceCases, GivesEuclideanDistanceAndZeroBelowThreshold) {
    const DistanceCase& c = GetParam();
    EXPECT_EQ(VectorDistance(c.a, c.b), c.expected);
}

INSTANTIATE_TEST_SUITE_P(VectorDistance, VectorDistanceCases,
                         ::testing::Values(DistanceCase{{1.5, -2.0, 7.0}, {1.5, -2.0, 7.0}, 0.0},
                                           // 0.0003 apart: squared distance 9e-8 is below 1e-7.
                                           DistanceCase{{0.0, 0.0, 0.0}, {0.0, 0.0003, 0.0}, 0.0},
                                           DistanceCase{{0.0, 0.0, 0.0}, {3.0, 4.0, 12.0}, 13.0},
                                           DistanceCase{
                                               {-1.0, 2.0, -3.0}, {2.0, -2.0, -3.0}, 5.0}));

struct ArcTanCase {
    double y;
    double x;
    double expected;
};

void PrintTo(const ArcTanCase& c, std::ostream* os) {
    *os << "y=" << c.y << " x=" << c.x;
}

class ArcTan2Cases : public ::testing::TestWithParam<ArcTanCase> {};

TEST_P(ArcTan2Cases, UsesFifteenDigitPiAndItsTieBreaks) {
    const ArcTanCase& c = GetParam();
    EXPECT_EQ(ArcTan2(c.y, c.x), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    ArcTan2, ArcTan2Cases,
    ::testing::Values(ArcTanCase{0.0, -1.0, -3.14159265358979},   // straight along -x: -pi, not +pi
                      ArcTanCase{1e-8, -1.0, -3.14159265358979},  // |y| < 1e-7 counts as 0
                      ArcTanCase{0.0, 0.0, 0.0}, ArcTanCase{1.0, 0.0, 1.570796326794895},
                      ArcTanCase{-1.0, 5e-8, -1.570796326794895},
                      ArcTanCase{1.0, 1.0, 0.7853981633974483},
                      // atan(-1) + 3.14159265358979 and atan(1) - 3.14159265358979
                      ArcTanCase{1.0, -1.0, 2.3561944901923417},
                      ArcTanCase{-1.0, -1.0, -2.3561944901923417}));

struct AngleCase {
    Vec3 a;
    Vec3 b;
    double expected;
    bool error;
};

void PrintTo(const AngleCase& c, std::ostream* os) {
    *os << "(" << c.a.x << "," << c.a.y << "," << c.a.z << ")^(" << c.b.x << "," << c.b.y << ","
        << c.b.z << ")";
}

class VectorAngleCases : public ::testing::TestWithParam<AngleCase> {};

TEST_P(VectorAngleCases, GivesDegreesOrRaisesErrorFlag) {
    const AngleCase& c = GetParam();
    bool error = false;
    EXPECT_NEAR(VectorAngle(c.a, c.b, error), c.expected, 1e-12);
    EXPECT_EQ(error, c.error);
}

INSTANTIATE_TEST_SUITE_P(
    VectorAngle, VectorAngleCases,
    ::testing::Values(AngleCase{{1, 0, 0}, {0, 0, 0}, 0.0, true},
                      AngleCase{{1, 0, 0}, {2, 0, 0}, 0.0, false},
                      AngleCase{{1, 0, 0}, {0, 1, 0}, 90.0, false},
                      AngleCase{{1, 0, 0}, {1, 1, 0}, 45.0, false},
                      // Here rounding gives c = -1.0000000000000002: no square root.
                      AngleCase{{1, 1, 1}, {-1, -1, -1}, 0.0, true},
                      // Squared length overflows.
                      AngleCase{{1e200, 0, 0}, {1, 1, 0}, 0.0, true}));

// Opposite vectors: c = -1, s = 0 and ArcTan2(0, -1) = -pi.
TEST(VectorAngle, OppositeVectorsGiveMinusPiInDegreesExactly) {
    bool error = false;
    EXPECT_EQ(VectorAngle({0, 0, 2}, {0, 0, -3}, error), -3.14159265358979 * 57.29577951308238);
}

TEST(VectorAngle, KeepsAnErrorFlagRaisedByAnEarlierCall) {
    bool error = false;
    VectorAngle({0, 0, 0}, {1, 0, 0}, error);
    EXPECT_EQ(VectorAngle({1, 0, 0}, {0, 1, 0}, error), 1.570796326794895 * 57.29577951308238);
    EXPECT_TRUE(error);
}

}  // namespace
}  // namespace kivo
