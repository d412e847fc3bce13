#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "core/StatusCode.h"
#include "media/CameraProjection.h"

namespace kivo {
namespace {

// Half the height of the picture at 100 units in front of a camera whose
// vertical field of view is 40 degrees.
const double kHalfHeightAt100 = 100.0 * std::tan(20.0 * std::numbers::pi / 180.0);

struct Projection {
    const char* name;
    std::array<double, 6> cameraPose;
    std::array<double, 3> interest;
    std::array<double, 3> point;
    int status;
    double x, y;
};

void PrintTo(const Projection& p, std::ostream* os) {
    *os << p.name;
}

class CameraProjection : public ::testing::TestWithParam<Projection> {};

TEST_P(CameraProjection, GivesUnroundedWindowCoordinatesFromTheLowerLeftCorner) {
    const Projection& p = GetParam();
    const CameraView camera = SetUpCamera(1024, 768, 10.0, 4000.0, 40.0);
    std::array<double, 3> window{-1.0, -1.0, -1.0};
    ASSERT_EQ(ProjectPoint(camera, p.point, p.cameraPose, p.interest, window), p.status);
    if (p.status == kStatusOk) {
        EXPECT_NEAR(window[0], p.x, 1e-9);
        EXPECT_NEAR(window[1], p.y, 1e-9);
    }
}

constexpr std::array<double, 3> kAhead{0, 0, -100};
const double kHalf = kHalfHeightAt100;
constexpr std::array<double, 6> kMoved{10, 20, 30, 0, 0, 0}, kAtFive{5, 5, 5, 0, 0, 0};

INSTANTIATE_TEST_SUITE_P(
    Points, CameraProjection,
    ::testing::Values(
        Projection{"OnTheAxis", {}, kAhead, {0, 0, -50}, kStatusOk, 512, 384},
        Projection{"AtTheUpperEdge", {}, kAhead, {0, kHalf, -100}, kStatusOk, 512, 768},
        Projection{"AtTheLowerEdge", {}, kAhead, {0, -kHalf, -100}, kStatusOk, 512, 0},
        Projection{"AtTheLeftEdge", {}, kAhead, {-kHalf * 4 / 3, 0, -100}, kStatusOk, 0, 384},
        // Rolled by 90 degrees: the camera's up direction is the world's -x.
        Projection{
            "RolledCamera", {0, 0, 0, 0, 0, 90}, kAhead, {-kHalf, 0, -100}, kStatusOk, 512, 768},
        Projection{"MovedCamera", kMoved, {10, 20, -70}, {10, 20, -300}, kStatusOk, 512, 384},
        Projection{"InTheCameraPlane", {}, kAhead, {50, 0, 0}, kStatusSettingError, 0, 0},
        // Eye and interest in one place: no direction, no projection (never NaN).
        Projection{"NoViewingDirection", kAtFive, {5, 5, 5}, kAhead, kStatusSettingError, 0, 0}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(CameraSetUp, ReplacesAZeroSizeAndKeepsTheIdentityForADegenerateFrustum) {
    const CameraView zeroSize = SetUpCamera(0, 0, 10.0, 4000.0, 40.0);
    EXPECT_EQ(zeroSize.width, 1);
    EXPECT_EQ(zeroSize.height, 1);
    for (const CameraView& flat :
         {SetUpCamera(640, 480, 10.0, 10.0, 40.0), SetUpCamera(640, 480, 10.0, 20.0, 0.0)}) {
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j)
                EXPECT_EQ(flat.projection[i][j], i == j ? 1.0 : 0.0);
        }
    }
}

}  // namespace
}  // namespace kivo
