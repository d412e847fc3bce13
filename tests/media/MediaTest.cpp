#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "core/StatusCode.h"
#include "media/CameraProjection.h"
#include "media/PixelFrame.h"
#include "media/VideoFrames.h"
#include "support/TempDir.h"
#include "support/TestVideo.h"

namespace kivo {
namespace {

using testing::DecodedFrameCount;
using testing::SolidFrame;
using testing::TempDir;
using testing::WithColumns;
using testing::WriteVideo;

TEST(VideoFrames, StepsByTheRoundedRatioOfVideoAndDataRate) {
    TempDir dir;
    const std::vector<PixelFrame> frames(3, SolidFrame(4, 2, {1, 2, 3}));
    // Video rate, data rate, step (25 / 10 is 2.5); no step: the video is too slow.
    const int cases[][3] = {{25, 25, 1}, {25, 10, 2}, {30, 10, 3}, {30, 120, 0}, {30, 0, 0}};
    for (const auto& [videoRate, dataRate, step] : cases) {
        const std::string path = dir.PathOf("rate" + std::to_string(videoRate) + ".avi");
        WriteVideo(path, frames, videoRate);
        VideoFrames video;
        EXPECT_EQ(video.OpenVideo(path, kWholeWidth, nullptr, dataRate),
                  step > 0 ? VideoOpenResult::Opened : VideoOpenResult::TooSlow)
            << videoRate << " / " << dataRate;
        EXPECT_EQ(video.Step(), step) << videoRate << " / " << dataRate;
    }
    VideoFrames video;
    EXPECT_EQ(video.OpenVideo(dir.PathOf("rate25.avi"), kNoVideoSide, nullptr, 25),
              VideoOpenResult::NotOpened);
    EXPECT_EQ(video.OpenVideo(dir.PathOf("none.avi"), kWholeWidth, nullptr, 25),
              VideoOpenResult::NotOpened);
    EXPECT_EQ(video.FrameCount(), 0);
}

// Frames: 0 and 1 alike, 2 changes every pixel, 3 only the columns left of
// the middle, 4 is the last frame, which is never taken. Odd widths: the
// rounded middle column belongs to both halves (width 5) or to neither (7).
TEST(VideoFrames, CountChangedPixelsOfTheSideAgainstTheWholePicture) {
    struct Side {
        int side;
        int everyPixel;    // columns counted as changed when every pixel changes
        int leftOfMiddle;  // and when only the columns left of the middle change
    };
    const struct {
        const char* file;     // its extension gives the container
        const char* encoder;  // lossless
        int width;
        std::vector<Side> sides;
    } videos[] = {
        {"even.avi", "ffv1", 6, {{kWholeWidth, 6, 3}, {kRightHalf, 3, 0}, {kLeftHalf, 3, 3}}},
        {"raw5.avi", "rawvideo", 5, {{kRightHalf, 3, 0}, {kLeftHalf, 3, 2}}},
        {"odd.mkv", "ffv1", 7, {{kRightHalf, 3, 0}, {kLeftHalf, 3, 3}, {kWholeWidth, 7, 3}}}};
    TempDir dir;
    for (const auto& v : videos) {
        const PixelFrame first = SolidFrame(v.width, 3, {10, 20, 30});
        const PixelFrame changed = SolidFrame(v.width, 3, {200, 200, 200});
        const PixelFrame leftChanged = WithColumns(changed, 0, v.width / 2 - 1, {0, 0, 0});
        const std::string path = dir.PathOf(v.file);
        WriteVideo(path, {first, first, changed, leftChanged, first}, 25, v.encoder);
        for (const Side& s : v.sides) {
            SCOPED_TRACE(std::string(v.file) + " side " + std::to_string(s.side));
            VideoFrames video;
            ASSERT_EQ(video.OpenVideo(path, s.side, nullptr, 25), VideoOpenResult::Opened);
            EXPECT_EQ(video.FrameCount(), 5);
            ASSERT_TRUE(video.GetFirstFrame(""));
            const double column = 100.0 / v.width;
            // The first frame is taken twice: the video lags one processed frame.
            for (double expected : {0.0, 0.0, s.everyPixel * column, s.leftOfMiddle * column}) {
                ASSERT_TRUE(video.GetNextFrame(""));
                EXPECT_NEAR(video.GetPixelDifference(), expected, 1e-9);
            }
            EXPECT_FALSE(video.GetNextFrame(""));
            EXPECT_FALSE(video.GetNextFrame(""));
        }
    }
}

// Chooses a lossless encoder and records what it was asked.
class RecordingClipPolicy : public ClipPolicy {
  public:
    std::optional<ClipCodecChoice> ChooseClipCodec(const ClipCodecRequest& request) override {
        requests.push_back(request);
        return ClipCodecChoice{"ffv1"};
    }
    bool MayWriteClip(const std::string&) override { return true; }
    void ClipFailed(const std::string& path, const std::string& reason) override {
        ADD_FAILURE() << path << ": " << reason;
    }
    void ClipWritten(const std::string& path) override { written.push_back(path); }
    std::vector<ClipCodecRequest> requests;
    std::vector<std::string> written;
};

// 12 frames at 50 per second for data at 25: two video frames per data
// frame, each clip holds the frames its part passes over, and the clip of
// the first part is not begun again at the second frame.
TEST(VideoFrames, WritesTheFramesOfEachPartIntoItsOwnClip) {
    TempDir dir;
    std::vector<PixelFrame> frames;
    for (int k = 0; k < 12; ++k)
        frames.push_back(SolidFrame(8, 4, {static_cast<std::uint8_t>(k * 10), 0, 0}));
    WriteVideo(dir.PathOf("take.v1.avi"), frames, 50);

    RecordingClipPolicy clips;
    VideoFrames video;
    ASSERT_EQ(video.OpenVideo(dir.PathOf("take.v1.avi"), kWholeWidth, &clips, 25),
              VideoOpenResult::Opened);
    ASSERT_TRUE(video.GetFirstFrame(".part-001"));
    for (const char* suffix : {".part-001", ".part-001", ".part-002", ".part-002", ".part-002"}) {
        ASSERT_TRUE(video.GetNextFrame(suffix)) << suffix;
        EXPECT_EQ(video.GetPixelDifference(), 100.0);
    }
    EXPECT_FALSE(video.GetNextFrame(".part-002"));
    video.CloseVideo();

    ASSERT_EQ(clips.requests.size(), 1u);
    EXPECT_EQ(clips.requests[0].clipPath, dir.PathOf("take.v1.part-001.avi"));
    EXPECT_EQ(clips.requests[0].container, "avi");
    ASSERT_FALSE(clips.requests[0].encoders.empty());
    EXPECT_EQ(clips.requests[0].encoders[0].name, "rawvideo");
    EXPECT_EQ(clips.written, (std::vector<std::string>{dir.PathOf("take.v1.part-001.avi"),
                                                       dir.PathOf("take.v1.part-002.avi")}));
    EXPECT_EQ(DecodedFrameCount(dir.PathOf("take.v1.part-001.avi")), 6);
    EXPECT_EQ(DecodedFrameCount(dir.PathOf("take.v1.part-002.avi")), 6);
}

// A video cut off in the middle: the frames that are there are taken, then
// every call says there is none (no decode past the end, in clip mode too).
TEST(VideoFrames, ACutOffVideoEndsWhereItsDataEnd) {
    TempDir dir;
    std::vector<PixelFrame> frames;
    for (int k = 0; k < 40; ++k)
        frames.push_back(SolidFrame(64, 48, {static_cast<std::uint8_t>(k), 1, 2}));
    WriteVideo(dir.PathOf("whole.avi"), frames, 25, "rawvideo");
    const std::string whole = testing::ReadFileText(dir.PathOf("whole.avi"));
    dir.Write("cut.avi", whole.substr(0, whole.size() / 2));

    for (bool clipMode : {false, true}) {
        RecordingClipPolicy clips;
        VideoFrames video;
        ASSERT_EQ(
            video.OpenVideo(dir.PathOf("cut.avi"), kWholeWidth, clipMode ? &clips : nullptr, 25),
            VideoOpenResult::Opened);
        ASSERT_TRUE(video.GetFirstFrame(".part-001"));
        int taken = 1;
        while (video.GetNextFrame(".part-001"))
            ++taken;
        EXPECT_GT(taken, 5);
        EXPECT_LT(taken, 30);
        EXPECT_FALSE(video.GetNextFrame(".part-001"));
        video.CloseVideo();
    }
}

// 3 x 2 pictures with padded rows: one element differs in its last byte, and
// the padding differs everywhere (it is never compared).
TEST(PixelDifference, ComparesWholeElementsOfEachSizeAndSkipsRowPadding) {
    for (int bytes = 1; bytes <= 5; ++bytes) {
        const int stride = 3 * bytes + 2;
        PixelFrame a{3, 2, bytes, stride, std::vector<std::uint8_t>(2 * stride, 7)};
        PixelFrame b = a;
        b.pixels[stride + 2 * bytes + bytes - 1] = 8;  // element (2, 1)
        for (int y = 0; y < 2; ++y)
            b.pixels[y * stride + stride - 1] = 9;
        const double expected = bytes <= 4 ? 100.0 / 6.0 : -1.0;
        EXPECT_DOUBLE_EQ(GetPixelDifference(a, b, 0, 2), expected) << bytes << " bytes";
        EXPECT_DOUBLE_EQ(GetPixelDifference(a, b, 0, 1), bytes <= 4 ? 0.0 : -1.0);
        EXPECT_DOUBLE_EQ(GetPixelDifference(a, a, 0, 2), bytes <= 4 ? 0.0 : -1.0);
    }
}

// Half the height of the picture at 100 units in front of a camera whose
// vertical field of view is 40 degrees.
const double kHalfHeightAt100 = 100.0 * std::tan(20.0 * std::numbers::pi / 180.0);

// Eye and interest in one place give no viewing direction and no projection
// (never NaN); rolled by 90 degrees, the camera's up direction is the world's -x.
TEST(CameraProjection, GivesUnroundedWindowCoordinatesFromTheLowerLeftCorner) {
    const double half = kHalfHeightAt100;
    const std::array<double, 3> ahead{0, 0, -100};
    const struct {
        const char* name;
        std::array<double, 6> cameraPose;
        std::array<double, 3> interest, point;
        int status;
        double x, y;
    } cases[] = {
        {"on the axis", {}, ahead, {0, 0, -50}, kStatusOk, 512, 384},
        {"at the upper edge", {}, ahead, {0, half, -100}, kStatusOk, 512, 768},
        {"at the lower edge", {}, ahead, {0, -half, -100}, kStatusOk, 512, 0},
        {"at the left edge", {}, ahead, {-half * 4 / 3, 0, -100}, kStatusOk, 0, 384},
        {"rolled camera", {0, 0, 0, 0, 0, 90}, ahead, {-half, 0, -100}, kStatusOk, 512, 768},
        {"moved camera", {10, 20, 30, 0, 0, 0}, {10, 20, -70}, {10, 20, -300}, kStatusOk, 512, 384},
        {"in the camera plane", {}, ahead, {50, 0, 0}, kStatusSettingError, 0, 0},
        {"no viewing direction", {5, 5, 5, 0, 0, 0}, {5, 5, 5}, ahead, kStatusSettingError, 0, 0}};
    const CameraView camera = SetUpCamera(1024, 768, 10.0, 4000.0, 40.0);
    for (const auto& p : cases) {
        std::array<double, 3> window{-1.0, -1.0, -1.0};
        ASSERT_EQ(ProjectPoint(camera, p.point, p.cameraPose, p.interest, window), p.status)
            << p.name;
        if (p.status == kStatusOk) {
            EXPECT_NEAR(window[0], p.x, 1e-9) << p.name;
            EXPECT_NEAR(window[1], p.y, 1e-9) << p.name;
        }
    }
}

TEST(CameraSetUp, ReplacesAZeroSizeAndKeepsTheIdentityForADegenerateFrustum) {
    const CameraView zeroSize = SetUpCamera(0, 0, 10.0, 4000.0, 40.0);
    EXPECT_EQ(std::pair(zeroSize.width, zeroSize.height), std::pair(1, 1));
    const decltype(CameraView::projection) identity = {
        {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    EXPECT_EQ(SetUpCamera(640, 480, 10.0, 10.0, 40.0).projection, identity);
    EXPECT_EQ(SetUpCamera(640, 480, 10.0, 20.0, 0.0).projection, identity);
}

}  // namespace
}  // namespace kivo
