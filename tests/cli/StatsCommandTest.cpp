#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace kivo {
namespace {

struct StatsOutput {
    int exitCode = -1;
    std::vector<std::string> lines;
    std::string err;
};

StatsOutput RunStats(const std::string& arguments, const testing::TempDir& dir) {
    const std::string errPath = dir.Write("stderr.txt", "");
    const std::string command = std::string("'") + KIVO_CLI_PATH + "' stats " + arguments +
                                " </dev/null 2>'" + errPath + "'";
    StatsOutput result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    std::string out;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, count);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream stream(out);
    for (std::string line; std::getline(stream, line);)
        result.lines.push_back(line);
    std::ifstream errStream(errPath);
    result.err.assign(std::istreambuf_iterator<char>(errStream), std::istreambuf_iterator<char>());
    return result;
}

constexpr const char* kSplitFile =
    "File Name;Partner File;Part ;Frames;M Head;SD Head;CBM Complexity Body\r\n"
    "a.csv;b.csv;Part 001;1000;1.5;0.2;3.0\r\n"
    "a.csv;b.csv;Part 002;20;-11.25;ERROR:DIV/0;4.0\r\n";

TEST(StatsCommand, PrintsOneRowPerPartWithTheChosenColumns) {
    testing::TempDir dir;
    const std::string path = dir.Write("stats.csv", kSplitFile);
    const StatsOutput output = RunStats("'" + path + "' --columns head", dir);
    EXPECT_EQ(output.exitCode, 0) << output.err;
    EXPECT_EQ(output.lines, (std::vector<std::string>{
                                "File Name  Partner File  Part      Frames  M Head      SD Head",
                                "a.csv      b.csv         Part 001    1000     1.5          0.2",
                                "a.csv      b.csv         Part 002      20  -11.25  ERROR:DIV/0",
                            }));
}

TEST(StatsCommand, ReportsALineThatDoesNotFitTheHeader) {
    testing::TempDir dir;
    const std::string path =
        dir.Write("stats.csv", "File Name;Partner File;M Head\r\na.csv;;1.0;2.0\r\n");
    const StatsOutput output = RunStats("'" + path + "'", dir);
    EXPECT_EQ(output.exitCode, 1);
    EXPECT_TRUE(output.lines.empty());
    EXPECT_NE(output.err.find(path + ", line 2"), std::string::npos) << output.err;
}

TEST(StatsCommand, FailsWhenNoCaptionMatches) {
    testing::TempDir dir;
    const std::string path = dir.Write("stats.csv", kSplitFile);
    const StatsOutput output = RunStats("'" + path + "' --columns Activation", dir);
    EXPECT_EQ(output.exitCode, 1);
    EXPECT_NE(output.err.find("Activation"), std::string::npos);
}

}  // namespace
}  // namespace kivo
