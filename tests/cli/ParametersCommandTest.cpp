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

struct KivoOutput {
    int exitCode = -1;
    std::vector<std::string> lines;  // standard output
    std::string err;
};

// Runs the built kivo program with `arguments` (no quoting needed).
KivoOutput RunKivo(const std::string& arguments, const testing::TempDir& dir) {
    const std::string errPath = dir.Write("stderr.txt", "");
    const std::string command =
        std::string("'") + KIVO_CLI_PATH + "' " + arguments + " </dev/null 2>'" + errPath + "'";
    KivoOutput result;
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

// The captions listed under `heading`, without their column numbers.
std::vector<std::string> CaptionsUnder(const KivoOutput& output, const std::string& heading) {
    std::vector<std::string> captions;
    bool inside = false;
    for (const std::string& line : output.lines) {
        if (line == heading) {
            inside = true;
        } else if (inside && line.empty()) {
            break;
        } else if (inside) {
            const std::size_t number = line.find_first_not_of(' ');
            const std::size_t gap = line.find("  ", number);
            captions.push_back(gap == std::string::npos ? "" : line.substr(gap + 2));
        }
    }
    return captions;
}

TEST(ParametersCommand, ListsTheDefaultListAsATableOf165Rows) {
    testing::TempDir dir;
    const KivoOutput output = RunKivo("parameters --default", dir);
    ASSERT_EQ(output.exitCode, 0) << output.err;
    ASSERT_EQ(output.lines.size(), 166u);
    EXPECT_EQ(output.lines[0].rfind("Pos  Parameter Name", 0), 0u);
    EXPECT_EQ(output.lines[1].rfind("1    Global Static SRL Hips ", 0), 0u);
    EXPECT_EQ(output.lines[165].rfind("165  Video Pixel Difference ", 0), 0u);
    // Columns line up: every row's function starts where the header's does.
    const std::size_t functionColumn = output.lines[0].find("Calculation Function");
    EXPECT_EQ(output.lines[1].compare(functionColumn, 11, "Static SRL "), 0);
    EXPECT_EQ(output.lines[165].compare(functionColumn, 17, "Pixel Difference "), 0);
}

TEST(ParametersCommand, PrintsTheCaptionsTheDefaultListCompilesTo) {
    testing::TempDir dir;
    const KivoOutput output = RunKivo("parameters --default --captions", dir);
    ASSERT_EQ(output.exitCode, 0) << output.err;
    const std::vector<std::string> columns = CaptionsUnder(output, "Output file columns:");
    ASSERT_GE(columns.size(), 3u);
    EXPECT_EQ(columns[0], "Time");
    EXPECT_EQ(columns[1], "Frame");
    EXPECT_EQ(columns[2], "Global Static SRL Hips Sagittal");
    const std::vector<std::string> statistics = CaptionsUnder(output, "Statistics file columns:");
    ASSERT_GE(statistics.size(), 3u);
    EXPECT_EQ(statistics[0], "File Name");
    EXPECT_EQ(statistics[1], "Partner File");
    EXPECT_EQ(statistics[2], "M Global Static SRL Hips Sagittal");
}

TEST(ParametersCommand, NeedsAListToShow) {
    testing::TempDir dir;
    const KivoOutput output = RunKivo("parameters", dir);
    EXPECT_EQ(output.exitCode, 2);
    EXPECT_TRUE(output.lines.empty());
}

}  // namespace
}  // namespace kivo
