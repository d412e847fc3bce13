#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Numbers.h"
#include "core/Text.h"
#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "params/Catalogue.h"
#include "settings/SettingsFile.h"
#include "support/CliRun.h"
#include "support/OutputLines.h"
#include "support/ScriptedPrompt.h"
#include "support/TestVideo.h"

namespace kivo {
namespace {

using testing::Contains;
using testing::RunKivo;
using testing::TempDir;

constexpr int kWidth = 6, kHeight = 4, kVideoFrames = 16;

// A data file of `frames` lines at 25 frames per second.
std::string DataFile(int frames) {
    std::string content = "take\nTime;Frame;Hips:Tx;Hips:Ty;Hips:Tz;Hips:Rx;Hips:Ry;Hips:Rz\n";
    for (int k = 0; k < frames; ++k) {
        char line[80];
        std::snprintf(line, sizeof line, "%.2f;%d;1;2;3;%d;0;0\n", k * 0.04, k + 1, k);
        content += line;
    }
    return content;
}

// A dyad of 7 frames at 25 per second with a 50-per-second video assigned
// through `kivo video`, in parts of 3 lines: every processed frame passes
// two video frames, which go into the clip of its part.
TEST(VideoCommands, AssignAVideoToADyadAndWriteOneClipPerPart) {
    TempDir dir;
    dir.Write("s01.A.txt", DataFile(7));
    dir.Write("s01.B.txt", DataFile(7));
    std::vector<PixelFrame> frames;
    for (int k = 0; k < kVideoFrames; ++k)
        frames.push_back(testing::SolidFrame(kWidth, kHeight, {50, std::uint8_t(k * 10), 50}));
    testing::WriteVideo(dir.PathOf("s01.mkv"), frames, 50);
    {
        testing::ScriptedPrompt prompt;
        Workspace workspace;
        workspace.options.timeField = "Time";
        workspace.options.distances = false;  // no body height needed
        ASSERT_TRUE(AddFile(workspace, "s01.A.txt", dir.PathOf(""), prompt));
        ASSERT_TRUE(AddFile(workspace, "s01.B.txt", dir.PathOf(""), prompt));
        workspace.boundDataFields[kHips] = "Hips";
        AddParameterRow(workspace.parameters, "Change", "Pixel Difference", "", "", "", "x", "", "",
                        true);
        SetAllParameterTypeTags(workspace.parameters);
        workspace.options.directoryOutputFiles = dir.PathOf("");
        workspace.options.splitFile = true;
        workspace.options.noOfLines = "3";
        SaveSettings(workspace, dir.PathOf("study.set"));
    }

    const auto assigned = RunKivo({"video", "study.set", "s01.A.txt", "s01.mkv"}, dir);
    ASSERT_EQ(assigned.exitCode, 0) << assigned.err;
    EXPECT_TRUE(Contains(assigned.out, "s01.A.txt: " + dir.PathOf("s01.mkv") + ", Left Side"))
        << assigned.out;
    EXPECT_TRUE(Contains(assigned.out, "s01.B.txt: " + dir.PathOf("s01.mkv") + ", Right Side"))
        << assigned.out;
    const auto checked = RunKivo({"check-video", "s01.mkv", "--data-rate", "25"}, dir);
    EXPECT_EQ(checked.exitCode, 0) << checked.err;
    for (const char* line : {"container matroska", "6 x 4 pixels", "50 frames per second",
                             "16 frames", "2 video frames per data frame"}) {
        EXPECT_TRUE(Contains(checked.out, line)) << checked.out;
    }
    const auto listed = RunKivo({"run", "study.set", "--clip-codec", "list"}, dir);
    EXPECT_TRUE(Contains(listed.out, "Encoders for matroska clips")) << listed.out;
    EXPECT_TRUE(Contains(listed.out, "\n  ffv1 ")) << listed.out;

    // Without an encoder the run writes no clips and says so once.
    const auto withoutClips = RunKivo({"run", "study.set"}, dir);
    EXPECT_EQ(withoutClips.exitCode, 0) << withoutClips.err;
    const std::string noClips = "no video clips are written";
    const std::size_t said = withoutClips.err.find(noClips);
    EXPECT_NE(said, std::string::npos) << withoutClips.err;
    EXPECT_EQ(withoutClips.err.find(noClips, said + 1), std::string::npos) << withoutClips.err;
    EXPECT_FALSE(std::filesystem::exists(dir.PathOf("s01.part-001.mkv")));

    const auto run = RunKivo({"run", "study.set", "--overwrite", "--clip-codec", "ffv1"}, dir);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    // Every frame has a pixel difference (the values themselves are the
    // video frames' business).
    for (const char* output : {"s01.A.csv", "s01.B.csv"}) {
        const std::vector<std::string> lines = testing::ReadCrLfLines(dir.PathOf(output));
        ASSERT_GE(lines.size(), 8u);
        for (int i = 1; i <= 7; ++i)
            EXPECT_TRUE(IsNumeric(SplitToStrings(lines[i], ';').at(2), ".")) << lines[i];
    }
    // One clip per part of each file (both files name the same clips: the
    // second file's run replaces them under --overwrite).
    EXPECT_EQ(testing::DecodedFrameCount(dir.PathOf("s01.part-001.mkv")), 6);
    EXPECT_EQ(testing::DecodedFrameCount(dir.PathOf("s01.part-002.mkv")), 6);
    EXPECT_EQ(testing::DecodedFrameCount(dir.PathOf("s01.part-003.mkv")), 2);
    for (const auto& entry : std::filesystem::directory_iterator(dir.PathOf("")))
        EXPECT_FALSE(entry.path().extension() == ".tmp") << entry.path();  // no clip half-written
    EXPECT_TRUE(Contains(run.out, "Video clips:\n  " + dir.PathOf("s01.part-001.mkv") + "\n  " +
                                      dir.PathOf("s01.part-002.mkv") + "\n  " +
                                      dir.PathOf("s01.part-003.mkv") + "\n"))
        << run.out;
}

}  // namespace
}  // namespace kivo
