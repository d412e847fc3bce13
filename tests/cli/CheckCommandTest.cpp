#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/CliRun.h"

namespace kivo {
namespace {

using testing::Contains;
using testing::RunKivo;
using testing::TempDir;

std::string Example(const std::string& name) {
    return std::string(KIVO_EXAMPLES_DIR) + "/" + name;
}

TEST(CheckCommand, AcceptsTheBundledExamples) {
    TempDir dir;
    const auto result = RunKivo({"check", "--time-label", "Time", Example("standing.colon.csv"),
                                 Example("standing.blank.tsv")},
                                dir);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_TRUE(
        Contains(result.out, "standing.colon.csv: accepted\n  separator: \";\"\n  layout: colon\n"))
        << result.out;
    EXPECT_TRUE(
        Contains(result.out, "standing.blank.tsv: accepted\n  separator: tab\n  layout: blank\n"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "\"Left Arm\"")) << result.out;
    EXPECT_TRUE(Contains(result.out, "  frames/sec: 50\n")) << result.out;
    EXPECT_EQ(result.err, "");
}

TEST(CheckCommand, ReportsEachRefusedFileOnOneLineAndExitsWithOne) {
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
    EXPECT_TRUE(Contains(result.out,
                         ".csv. Hint: the format line seems to be line 2, starting with 'Time'; "
                         "use --time-label Time\n"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, notes + ": not accepted: The format line")) << result.out;
    EXPECT_FALSE(Contains(result.out, notes + ". Hint")) << result.out;
    EXPECT_TRUE(Contains(result.out, missing + ": not accepted: no such file")) << result.out;
    // The reason is given once, with the result.
    EXPECT_EQ(result.err, "");
}

// A refused file offers no names; a later file without a rate keeps the list's.
TEST(CheckCommand, TakesNamesFromTheFirstAcceptedFileAndKeepsTheRateWhenTimesGiveNone) {
    TempDir dir;
    const std::string shortFile = dir.Write("short.csv", "Time;Early:Tx\n0;1\n");
    const std::string first = dir.Write("first.csv", "Time;Hips:Tx\n0;1\n0.01;2\n");
    const std::string second =
        dir.Write("second.csv", "Time;Head:Tx;Head:Ty\n0;1;1\n0;2;2\n\n0.02;nan;x\n0.03;1,5;3\n");
    const auto result = RunKivo({"check", "--time-label", "Time", shortFile, first, second}, dir);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Contains(result.out,
                         "short.csv: not accepted: Error No. 62 in subroutine "
                         "'CheckFile': Input past end of file"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "  data fields (offered for binding): \"Hips\"\n"))
        << result.out;
    EXPECT_TRUE(Contains(result.out, "  data fields: \"Head\"\n")) << result.out;
    EXPECT_TRUE(Contains(result.out, "  frames/sec: 100 (kept: no rate from the first two times)"))
        << result.out;
    // Fields a run would read as 0 or as their leading number are counted.
    EXPECT_TRUE(Contains(result.out, "  partner: No\n  fields that are not numbers: none\n"))
        << result.out;
    EXPECT_TRUE(Contains(result.out,
                         "  fields that are not numbers: 3, the first in line 5, field 'Head:Tx' "
                         "(column 2): 'nan'\n"))
        << result.out;
    EXPECT_TRUE(Contains(result.err, "seem not to be correct")) << result.err;
}

class SharedRecordingCheck : public ::testing::TestWithParam<std::pair<const char*, const char*>> {
};

TEST_P(SharedRecordingCheck, ReportsSeparatorLayoutNamesAndRate) {
    const auto [file, separator] = GetParam();
    const std::string path = std::string(KIVO_SHARED_DATA_DIR) + "/cmu/" + file;
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << "shared recordings not available";
    TempDir dir;
    const auto result = RunKivo({"check", "--time-label", "Time", path}, dir);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_TRUE(Contains(result.out,
                         path + ": accepted\n  separator: " + separator + "\n  layout: colon\n"))
        << result.out;
    for (const char* name : {"\"Hips\"", "\"Spine1\"", "\"LeftArm\"", "\"HeadTop\"", "\"Camera1\""})
        EXPECT_TRUE(Contains(result.out, name)) << name;
    EXPECT_TRUE(Contains(result.out, "  frames/sec: 120.0048\n")) << result.out;
}

INSTANTIATE_TEST_SUITE_P(Recordings, SharedRecordingCheck,
                         ::testing::Values(std::pair{"cmu18_01.A.txt", "\";\""},
                                           std::pair{"cmu18_01_tab.A.tsv", "tab"}),
                         [](const auto& caseInfo) { return caseInfo.index == 0 ? "Csv" : "Tsv"; });

}  // namespace
}  // namespace kivo
