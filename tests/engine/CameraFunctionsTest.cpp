#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "core/StatusCode.h"
#include "engine/CalculationTestRows.h"
#include "engine/CameraFunctions.h"

namespace kivo {
namespace {

using testing::BindPose;
using testing::BindPosition;
using testing::MakeRecord;

// At 100 units in front of the camera, one pixel of a 768-pixel-high window
// with a 40-degree field of view.
const double kUnitsPerPixel = 100.0 * std::tan(20.0 * std::numbers::pi / 180.0) / 384.0;

// Height in world units of window row `pixels` (from the centre) at 100 units.
double RowAt(double pixels) {
    return pixels * kUnitsPerPixel;
}

struct Placement {
    const char* name;
    std::vector<double> bodyRows;  // window rows (from the centre) of Hips, Chest, ...
    int status;
    double value;
};

void PrintTo(const Placement& p, std::ostream* os) {
    *os << p.name;
}

// A camera at the origin looking down -z at a 1024x768 window; the row
// measures two points (user variables, no body parts) 384 pixels apart.
class CameraFunctions : public ::testing::TestWithParam<Placement> {
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

TEST_F(CameraFunctions, WithoutACameraOrItsDataThereIsNoValue) {
    EXPECT_EQ(CalculateCameraFraming(table_, record_, nullptr), kStatusSettingError);
    EXPECT_EQ(CalculateCameraProxemics(table_, record_, nullptr), kStatusSettingError);
    table_.Person(kInterest, 1).fieldIndex[kRz] = 0;
    EXPECT_EQ(CalculateCameraFraming(table_, record_, &camera_), kStatusDataError);
    EXPECT_EQ(record_.Current(0, 1), kNoValue);
}

TEST_P(CameraFunctions, ProxemicsIsTheDistanceAsAShareOfTheBodyExtentInTheWindow) {
    // Body parts from Hips on, each at the given row (pixels from the centre).
    int part = kHips;
    for (double row : GetParam().bodyRows)
        BindPosition(table_, part++, 1, {0, RowAt(row), -100}, {});
    ASSERT_EQ(CalculateCameraProxemics(table_, record_, &camera_), GetParam().status);
    if (GetParam().status == kStatusOk) {
        EXPECT_NEAR(record_.Current(0, 1), GetParam().value, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Extents, CameraFunctions,
    ::testing::Values(Placement{"InsideTheWindow", {-300, 100, 300}, kStatusOk, 384.0 * 100 / 600},
                      Placement{"ClampedAtBothEdges", {-500, 600, 0}, kStatusOk, 50.0},
                      Placement{"AllAboveTheWindow", {400, 500}, kStatusDataError, 0},
                      Placement{"AllBelowTheWindow", {-400, -500}, kStatusDataError, 0},
                      Placement{"OnePart", {10}, kStatusDataError, 0}),
    [](const ::testing::TestParamInfo<Placement>& paramInfo) {
        return std::string(paramInfo.param.name);
    });

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

}  // namespace
}  // namespace kivo
