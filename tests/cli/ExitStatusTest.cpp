#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/CliRun.h"
#include "support/SmallDataFile.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;
using testing::WriteSmallDataFile;

TEST(ExitStatus, SaysWhetherEveryInputFileWasProcessed) {
    TempDir dir;
    WriteSmallDataFile(dir, "s01.A.csv");
    WriteSmallDataFile(dir, "s01.B.csv");
    ASSERT_EQ(RunKivo({"init", "study.set", "s01.A.csv", "s01.B.csv", "--time-label", "Time"}, dir)
                  .exitCode,
              0);
    const std::vector<std::string> run = {"run", "study.set", "--output-dir", "out", "--overwrite"};
    const auto all = RunKivo(run, dir);
    EXPECT_EQ(all.exitCode, 0) << all.err;
    dir.Write("out/s01.A.csv", "kept\r\n");
    const auto refused = RunKivo({"run", "study.set", "--output-dir", "out"}, dir);
    EXPECT_EQ(refused.exitCode, 2) << refused.err;
    EXPECT_TRUE(Contains(refused.err, "--overwrite")) << refused.err;
    EXPECT_EQ(testing::ReadFileText(dir.PathOf("out/s01.A.csv")), "kept\r\n");

    fs::remove(dir.PathOf("s01.B.csv"));
    const auto one = RunKivo(run, dir);
    EXPECT_EQ(one.exitCode, 3) << one.err;
    EXPECT_TRUE(
        Contains(one.err, "not found and are left out of the list:\n\n" + dir.PathOf("s01.B.csv")))
        << one.err;
    EXPECT_TRUE(Contains(one.out, "Input files not processed:\n  s01.B.csv\n")) << one.out;

    fs::remove(dir.PathOf("s01.A.csv"));
    fs::remove_all(dir.PathOf("out"));
    const auto none = RunKivo(run, dir);
    EXPECT_EQ(none.exitCode, 3) << none.err;
    EXPECT_TRUE(Contains(none.err, "none of the input files")) << none.err;
    EXPECT_FALSE(fs::exists(dir.PathOf("out/Statistics.csv")));

    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{"run"}, {"frobnicate"}, {"stats", "a", "--colums", "x"}}) {
        EXPECT_EQ(RunKivo(usage, dir).exitCode, 64) << usage[0];
    }
}

// A file the system stops writing part-way (here: past the size the process
// may write) stops the run: the message names the file and the system's
// reason, the earlier file of that name stays, nothing half-written is left
// beside it, and the summary lists only complete files.
TEST(ExitStatus, AWriteFailingPartWayKeepsThePreviousFileAndNamesTheReason) {
    TempDir dir;
    WriteSmallDataFile(dir, "s01.csv");
    std::string frames = "Time;Frame;Hips:Tx;Hips:Ty;Hips:Tz;Hips:Rx;Hips:Ry;Hips:Rz\n";
    for (int k = 0; k < 60; ++k)
        frames += "0." + std::to_string(k + 10) + ";" + std::to_string(k + 1) + ";1;2;3;4;5;6\n";
    dir.Write("s02.csv", frames);
    ASSERT_EQ(
        RunKivo({"init", "study.set", "s01.csv", "s02.csv", "--time-label", "Time"}, dir).exitCode,
        0);
    fs::create_directory(dir.PathOf("out"));
    dir.Write("out/s02.csv", "old\r\n");

    // 120 blocks of 512 bytes (of 1024 in some shells): several times the
    // output of s01.csv, a part of that of s02.csv.
    const auto run = RunKivo({"run", "study.set", "--output-dir", "out", "--overwrite"}, dir,
                             "trap '' XFSZ; ulimit -f 120;");

    EXPECT_EQ(run.exitCode, 2) << run.out << run.err;
    EXPECT_TRUE(Contains(run.err, "out/s02.csv: The file cannot be written: File too large"))
        << run.err;
    EXPECT_EQ(ReadFileText(dir.PathOf("out/s02.csv")), "old\r\n");
    EXPECT_TRUE(Contains(run.out, "Output files in out:\n  out/s01.csv\n")) << run.out;
    EXPECT_FALSE(Contains(run.out, "s02.csv")) << run.out;
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.PathOf("out")))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"s01.csv", "s02.csv"}));
}

TEST(ExitStatus, EveryCommandFailsWhenItsOutputCannotBeWritten) {
    TempDir dir;
    WriteSmallDataFile(dir, "s01.csv");
    ASSERT_EQ(RunKivo({"init", "study.set", "s01.csv", "--time-label", "Time"}, dir).exitCode, 0);
    dir.Write("stats.csv", "File Name;Partner File;M Head\r\na.csv;;1.0\r\n");
    for (const std::vector<std::string>& command : {std::vector<std::string>{"stats", "stats.csv"},
                                                    {"settings", "show", "study.set"},
                                                    {"parameters", "study.set"},
                                                    {"check", "--time-label", "Time", "s01.csv"},
                                                    {"--help"}}) {
        const auto result = RunKivo(command, dir, {}, "/dev/full");
        EXPECT_EQ(result.exitCode, 1) << command[0];
        EXPECT_TRUE(Contains(result.err, "No space left on device")) << result.err;
    }
}

}  // namespace
}  // namespace kivo
