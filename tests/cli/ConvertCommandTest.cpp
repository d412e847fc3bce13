#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/CliRun.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::RunKivo;
using testing::TempDir;

constexpr std::string_view kRecording =
    "HIERARCHY\nROOT Hips\n{\n  OFFSET 0 0 0\n"
    "  CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
    "  JOINT Head\n  {\n    OFFSET 0 10 0\n    CHANNELS 3 Zrotation Xrotation Yrotation\n"
    "    End Site\n    {\n      OFFSET 0 2 0\n    }\n  }\n}\n"
    "MOTION\nFrames: 3\nFrame Time: 0.01\n"
    "0 90 0 0 0 0 0 0 0\n1 90 0 0 0 0 10 0 0\n2 90 0 0 0 0 20 0 0\n";

TEST(ConvertCommand, WritesAPairOnlyWhenBothRecordingsConvertAndTheCheckPairsThem) {
    TempDir dir;
    dir.Write("s18.bvh", kRecording);
    std::string cut(kRecording);
    cut.resize(cut.rfind("2 90"));
    dir.Write("cut.bvh", cut);

    const auto refused =
        RunKivo({"convert", "--pair", "s18.bvh", "cut.bvh", "--prefix", "dyad"}, dir);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(Contains(refused.err,
                         "cut.bvh, line 17, field 'Frames': the file ends after 2 of "
                         "the 3 frames announced here; no data file was written"))
        << refused.err;
    EXPECT_FALSE(fs::exists(dir.PathOf("dyad.A.txt")));
    // Not even with --force over a folder in the place of one data file.
    fs::create_directory(dir.PathOf("dyad.B.txt"));
    const auto folder =
        RunKivo({"convert", "--pair", "s18.bvh", "s18.bvh", "--prefix", "dyad", "--force"}, dir);
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(Contains(folder.err, "dyad.B.txt exists and is not a file")) << folder.err;
    EXPECT_FALSE(fs::exists(dir.PathOf("dyad.A.txt")));
    fs::remove(dir.PathOf("dyad.B.txt"));

    const auto pair = RunKivo({"convert", "--pair", "s18.bvh", "s18.bvh", "--prefix", "dyad",
                               "--separator", "tab", "--decimals", "2"},
                              dir);
    ASSERT_EQ(pair.exitCode, 0) << pair.err;
    EXPECT_TRUE(Contains(pair.out,
                         "Wrote dyad.B.txt from s18.bvh: 2 joints, 3 frames, 0.01 s "
                         "apart\n"))
        << pair.out;
    EXPECT_TRUE(Contains(testing::ReadFileText(dir.PathOf("dyad.A.txt")),
                         "\n0.010000\t2\t1.00\t90.00\t0.00\t0.00\t0.00\t0.00\t1.00\t100.00"))
        << "frame 2: Hips at (1, 90, 0), Head 10 above it";
    const auto check = RunKivo({"check", "--time-label", "Time", "dyad.A.txt", "dyad.B.txt"}, dir);
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_TRUE(Contains(check.out, "  frames/sec: 100\n  partner: dyad.A.txt\n")) << check.out;

    const auto again = RunKivo({"convert", "s18.bvh", "dyad.A.txt"}, dir);
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(Contains(again.err, "dyad.A.txt exists already (--force overwrites it)"));
    EXPECT_EQ(RunKivo({"convert", "s18.bvh", "--skip-frames", "1"}, dir).exitCode, 0);
    EXPECT_TRUE(Contains(testing::ReadFileText(dir.PathOf("s18.txt")), "\n0.000000;1;1.000000;"));
}

}  // namespace
}  // namespace kivo
