#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/CliRun.h"
#include "support/SmallDataFile.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
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
