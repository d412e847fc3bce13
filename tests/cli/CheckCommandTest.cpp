#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::TempDir;

struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string ReadText(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// Runs the built kivo program with `arguments`; stdin is empty.
CommandResult RunKivo(const std::vector<std::string>& arguments, const TempDir& dir) {
    const std::string errPath = dir.PathOf("stderr.txt");
    std::string command = Quoted(KIVO_CLI_PATH);
    for (const std::string& argument : arguments)
        command += " " + Quoted(argument);
    command += " </dev/null 2>" + Quoted(errPath);
    CommandResult result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, count);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadText(errPath);
    return result;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Example(const std::string& name) {
    return std::string(KIVO_EXAMPLES_DIR) + "/" + name;
}

TEST(CheckCommand, AcceptsTheBundledExamples) {
    TempDir dir;
    const auto result = RunKivo({"check", "--time-label", "Time", Example("standing.colon.csv"),
                                 Example("standing.blank.tsv")},
                                dir);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_TRUE(Contains(result.out,
                         "standing.colon.csv: accepted\n  separator: \";\"\n"
                         "  layout: colon\n"))
        << result.out;
    EXPECT_TRUE(Contains(result.out,
                         "standing.blank.tsv: accepted\n  separator: tab\n"
                         "  layout: blank\n"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "\"Left Arm\"")) << result.out;
    EXPECT_TRUE(Contains(result.out, "  frames/sec: 50\n")) << result.out;
    EXPECT_EQ(result.err, "");
}

TEST(CheckCommand, ReportsARefusedFileAndExitsWithOne) {
    TempDir dir;
    const std::string notes = dir.Write("notes.txt", "no format line here\n");
    const std::string missing = dir.PathOf("missing.csv");
    const auto result = RunKivo({"check", Example("standing.colon.csv"), notes, missing}, dir);
    EXPECT_EQ(result.exitCode, 1);
    // The default label is the program's start value, which the example does not use.
    EXPECT_TRUE(Contains(result.out,
                         "standing.colon.csv: not accepted: The format line starting "
                         "with the time identifier 'Time [sec]' could not be found"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, notes + ": not accepted: The format line")) << result.out;
    EXPECT_TRUE(Contains(result.out, missing + ": not accepted: no such file")) << result.out;
    EXPECT_TRUE(Contains(result.err, "Kivo: warning: The format line")) << result.err;
}

TEST(CheckCommand, TakesDataFieldNamesFromTheFirstAcceptedFileOnly) {
    TempDir dir;
    const std::string shortFile = dir.Write("short.csv", "Time;Early:Tx\n0;1\n");
    const std::string first = dir.Write("first.csv", "Time;Hips:Tx\n0;1\n0.01;2\n");
    const std::string second = dir.Write("second.csv", "Time;Head:Tx\n0;1\n0.01;2\n");
    const auto result = RunKivo({"check", "--time-label", "Time", shortFile, first, second}, dir);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Contains(result.out,
                         "short.csv: not accepted: Error No. 62 in subroutine "
                         "'CheckFile': Input past end of file"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "  data fields (offered for binding): \"Hips\"\n"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "  data fields: \"Head\"\n")) << result.out;
}

TEST(CheckCommand, KeepsThePreviousRateWhenTheTimesGiveNone) {
    TempDir dir;
    const std::string first = dir.Write("a.csv", "Time;Hips:Tx\n0;1\n0.01;2\n");
    const std::string second = dir.Write("b.csv", "Time;Hips:Tx\n0;1\n0;2\n");
    const auto result = RunKivo({"check", "--time-label", "Time", first, second}, dir);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(Contains(result.out, "  frames/sec: 100 (kept: no rate from the first two times)"))
        << result.out;
    EXPECT_TRUE(Contains(result.err, "seem not to be correct")) << result.err;
}

struct Recording {
    const char* file;
    const char* separator;
};

void PrintTo(const Recording& recording, std::ostream* os) {
    *os << recording.file;
}

class SharedRecordingCheck : public ::testing::TestWithParam<Recording> {};

TEST_P(SharedRecordingCheck, ReportsSeparatorLayoutNamesAndRate) {
    const std::string path = std::string(KIVO_SHARED_DATA_DIR) + "/cmu/" + GetParam().file;
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "shared recordings not available";
    TempDir dir;
    const auto result = RunKivo({"check", "--time-label", "Time", path}, dir);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_TRUE(Contains(result.out, path + ": accepted\n")) << result.out;
    EXPECT_TRUE(Contains(result.out, std::string("  separator: ") + GetParam().separator + "\n"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "  layout: colon\n")) << result.out;
    for (const char* name :
         {"\"Hips\"", "\"Spine1\"", "\"LeftArm\"", "\"HeadTop\"", "\"Camera1\""}) {
        EXPECT_TRUE(Contains(result.out, name)) << name;
    }
    EXPECT_TRUE(Contains(result.out, "  frames/sec: 120.0048\n")) << result.out;
}

INSTANTIATE_TEST_SUITE_P(Recordings, SharedRecordingCheck,
                         ::testing::Values(Recording{"cmu18_01.A.txt", "\";\""},
                                           Recording{"cmu18_01_tab.A.tsv", "tab"}));

}  // namespace
}  // namespace kivo
