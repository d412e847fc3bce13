#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>
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
    const struct {
        int videoRate;
        int dataRate;
        VideoOpenResult result;
        long step;
    } cases[] = {{25, 25, VideoOpenResult::Opened, 1},
                 {25, 10, VideoOpenResult::Opened, 2},  // 2.5
                 {30, 10, VideoOpenResult::Opened, 3},
                 {30, 120, VideoOpenResult::TooSlow, 0},
                 {30, 0, VideoOpenResult::TooSlow, 0}};
    for (const auto& c : cases) {
        const std::string path = dir.PathOf("rate" + std::to_string(c.videoRate) + ".avi");
        WriteVideo(path, frames, c.videoRate);
        VideoFrames video;
        EXPECT_EQ(video.OpenVideo(path, kWholeWidth, nullptr, c.dataRate), c.result)
            << c.videoRate << " / " << c.dataRate;
        EXPECT_EQ(video.Step(), c.step) << c.videoRate << " / " << c.dataRate;
    }
    VideoFrames video;
    EXPECT_EQ(video.OpenVideo(dir.PathOf("rate25.avi"), kNoVideoSide, nullptr, 25),
              VideoOpenResult::NotOpened);
    EXPECT_EQ(video.OpenVideo(dir.PathOf("none.avi"), kWholeWidth, nullptr, 25),
              VideoOpenResult::NotOpened);
    EXPECT_EQ(video.FrameCount(), 0);
}

struct Comparison {
    std::string file;     // name of the generated video; its extension gives the container
    std::string encoder;  // lossless
    int width;
    int side;
    // Columns counted as changed when every pixel changes, and when only the
    // columns left of the middle change.
    int everyPixel;
    int leftOfMiddle;
};

void PrintTo(const Comparison& c, std::ostream* os) {
    *os << c.file << " side " << c.side;
}

class FrameComparison : public ::testing::TestWithParam<Comparison> {};

// Frames: 0 and 1 alike, 2 changes every pixel, 3 only the columns left of
// the middle, 4 is the last frame, which is never taken.
TEST_P(FrameComparison, CountsChangedPixelsOfTheSideAgainstTheWholePicture) {
    const Comparison& c = GetParam();
    const int height = 3;
    const PixelFrame first = SolidFrame(c.width, height, {10, 20, 30});
    const PixelFrame changed = SolidFrame(c.width, height, {200, 200, 200});
    const PixelFrame leftChanged = WithColumns(changed, 0, c.width / 2 - 1, {0, 0, 0});
    TempDir dir;
    const std::string path = dir.PathOf(c.file);
    WriteVideo(path, {first, first, changed, leftChanged, first}, 25, c.encoder);

    VideoFrames video;
    ASSERT_EQ(video.OpenVideo(path, c.side, nullptr, 25), VideoOpenResult::Opened);
    EXPECT_EQ(video.FrameCount(), 5);
    ASSERT_TRUE(video.GetFirstFrame(""));
    const double column = 100.0 / c.width;
    // The first frame is taken twice: the video lags one processed frame.
    for (double expected : {0.0, 0.0, c.everyPixel * column, c.leftOfMiddle * column}) {
        ASSERT_TRUE(video.GetNextFrame(""));
        EXPECT_NEAR(video.GetPixelDifference(), expected, 1e-9);
    }
    EXPECT_FALSE(video.GetNextFrame(""));
    EXPECT_FALSE(video.GetNextFrame(""));
}

INSTANTIATE_TEST_SUITE_P(Videos, FrameComparison,
                         ::testing::Values(Comparison{"even.avi", "ffv1", 6, kWholeWidth, 6, 3},
                                           Comparison{"even.avi", "ffv1", 6, kRightHalf, 3, 0},
                                           Comparison{"even.avi", "ffv1", 6, kLeftHalf, 3, 3},
                                           // Odd widths: the rounded middle column belongs to both
                                           // halves (width 5) or to neither (width 7).
                                           Comparison{"raw5.avi", "rawvideo", 5, kRightHalf, 3, 0},
                                           Comparison{"raw5.avi", "rawvideo", 5, kLeftHalf, 3, 2},
                                           Comparison{"odd.mkv", "ffv1", 7, kRightHalf, 3, 0},
                                           Comparison{"odd.mkv", "ffv1", 7, kLeftHalf, 3, 3},
                                           Comparison{"odd.mkv", "ffv1", 7, kWholeWidth, 7, 3}));

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
