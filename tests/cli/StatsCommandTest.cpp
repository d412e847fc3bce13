#include <gtest/gtest.h>

#include <string>

#include "support/CliRun.h"

namespace kivo {
namespace {

using testing::Contains;
using testing::RunKivo;
using testing::TempDir;

TEST(StatsCommand, PrintsOneRowPerPartWithTheChosenColumnsAndNamesALineThatDoesNotFit) {
    TempDir dir;
    dir.Write("stats.csv",
              "File Name;Partner File;Part ;Frames;M Head;SD Head;CBM Complexity Body\r\n"
              "a.csv;b.csv;Part 001;1000;1.5;0.2;3.0\r\n"
              "a.csv;b.csv;Part 002;20;-11.25;ERROR:DIV/0;4.0\r\n");
    const auto result = RunKivo({"stats", "stats.csv", "--columns", "head"}, dir);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "File Name  Partner File  Part      Frames  M Head      SD Head\n"
              "a.csv      b.csv         Part 001    1000     1.5          0.2\n"
              "a.csv      b.csv         Part 002      20  -11.25  ERROR:DIV/0\n");

    const auto unmatched = RunKivo({"stats", "stats.csv", "--columns", "Activation"}, dir);
    EXPECT_EQ(unmatched.exitCode, 1);
    EXPECT_TRUE(Contains(unmatched.err, "Activation")) << unmatched.err;
    // A line that does not fit the header is named.
    const std::string path =
        dir.Write("bad.csv", "File Name;Partner File;M Head\r\na.csv;;1.0;2.0\r\n");
    const auto bad = RunKivo({"stats", path}, dir);
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_TRUE(Contains(bad.err, path + ", line 2")) << bad.err;
}

}  // namespace
}  // namespace kivo
