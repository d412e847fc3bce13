#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "core/StatusCode.h"
#include "engine/CalculationTestRows.h"
#include "engine/CameraFunctions.h"
#include "engine/FileVideoSetUp.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "support/TestVideo.h"

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

TEST_F(CameraFunctions, WithoutACameraOrItsDataThereIsNoValue) {
    EXPECT_EQ(CalculateCameraFraming(table_, record_, nullptr), kStatusSettingError);
    EXPECT_EQ(CalculateCameraProxemics(table_, record_, nullptr), kStatusSettingError);
    table_.Person(kInterest, 1).fieldIndex[kRz] = 0;
    EXPECT_EQ(CalculateCameraFraming(table_, record_, &camera_), kStatusDataError);
    EXPECT_EQ(record_.Current(0, 1), kNoValue);
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

}  // namespace
}  // namespace kivo
