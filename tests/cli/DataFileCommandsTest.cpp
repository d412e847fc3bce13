#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/Numbers.h"
#include "core/RegularFile.h"
#include "core/Text.h"
#include "support/CliRun.h"
#include "support/OutputLines.h"

namespace kivo {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
namespace fs = std::filesystem;
using testing::Cmu;
using testing::Kivo;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;

std::string Example(const std::string& name) {
    return std::string(KIVO_EXAMPLES_DIR) + "/" + name;
}

TEST(CheckCommand, ReportsSeparatorLayoutNamesAndRateOfTheExamplesAndTheCmuRecordings) {
    TempDir dir;
    const auto result = RunKivo({"check", "--time-label", "Time", Example("standing.colon.csv"),
                                 Example("standing.blank.tsv")},
                                dir);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_THAT(result.out,
                HasSubstr("standing.colon.csv: accepted\n  separator: \";\"\n  layout: colon\n"));
    EXPECT_THAT(result.out,
                HasSubstr("standing.blank.tsv: accepted\n  separator: tab\n  layout: blank\n"));
    EXPECT_THAT(result.out, HasSubstr("\"Left Arm\""));
    EXPECT_THAT(result.out, HasSubstr("  frames/sec: 50\n"));
    EXPECT_EQ(result.err, "");

    if (testing::CmuMissing())
        GTEST_SKIP() << "the shared CMU recordings are not available";
    const std::pair<std::string, std::string> recordings[] = {{Cmu("cmu18_01.A.txt"), "\";\""},
                                                              {Cmu("cmu18_01_tab.A.tsv"), "tab"}};
    for (const auto& [path, separator] : recordings) {
        const auto cmu = RunKivo({"check", "--time-label", "Time", path}, dir);
        EXPECT_EQ(cmu.exitCode, 0) << cmu.out << cmu.err;
        EXPECT_THAT(cmu.out, HasSubstr(path + ": accepted\n  separator: " + separator +
                                       "\n  layout: colon\n"));
        for (const char* name :
             {"\"Hips\"", "\"Spine1\"", "\"LeftArm\"", "\"HeadTop\"", "\"Camera1\""})
            EXPECT_THAT(cmu.out, HasSubstr(name));
        EXPECT_THAT(cmu.out, HasSubstr("  frames/sec: 120.0048\n"));
    }
}

TEST(CheckCommand, ReportsEachRefusedFileOnOneLineAndExitsWithOne) {
    TempDir dir;
    const std::string notes = dir.Write("notes.txt", "no format line here\n");
    const std::string missing = dir.PathOf("missing.csv");
    const auto result = RunKivo({"check", Example("standing.colon.csv"), notes, missing}, dir);
    EXPECT_EQ(result.exitCode, 1);
    // The default label is the program's start value, which the example does not use.
    EXPECT_THAT(result.out, HasSubstr("standing.colon.csv: not accepted: The format line starting "
                                      "with the time identifier 'Time [sec]' could not be found"));
    EXPECT_THAT(result.out,
                HasSubstr(".csv. Hint: the format line seems to be line 2, starting with 'Time'; "
                          "use --time-label Time\n"));
    EXPECT_THAT(result.out, HasSubstr(notes + ": not accepted: The format line"));
    EXPECT_THAT(result.out, Not(HasSubstr(notes + ". Hint")));
    EXPECT_THAT(result.out, HasSubstr(missing + ": not accepted: no such file"));
    // The reason is given once, with the result.
    EXPECT_EQ(result.err, "");
}

// A refused file offers no names; a later file without a rate keeps the list's.
TEST(CheckCommand, TakesNamesFromTheFirstAcceptedFileAndKeepsTheRateWhenTimesGiveNone) {
    TempDir dir;
    dir.Write("short.csv", "Time;Early:Tx\n0;1\n");
    dir.Write("first.csv", "Time;Hips:Tx\n0;1\n0.01;2\n");
    dir.Write("second.csv", "Time;Head:Tx;Head:Ty\n0;1;1\n0;2;2\n\n0.02;nan;x\n0.03;1,5;3\n");
    const auto result = Kivo("check --time-label Time short.csv first.csv second.csv", dir);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.out, HasSubstr("short.csv: not accepted: Error No. 62 in subroutine "
                                      "'CheckFile': Input past end of file"));
    EXPECT_THAT(result.out, HasSubstr("  data fields (offered for binding): \"Hips\"\n"));
    EXPECT_THAT(result.out, HasSubstr("  data fields: \"Head\"\n"));
    EXPECT_THAT(result.out,
                HasSubstr("  frames/sec: 100 (kept: no rate from the first two times)"));
    // Fields a run would read as 0 or as their leading number are counted.
    EXPECT_THAT(result.out, HasSubstr("  partner: No\n  fields that are not numbers: none\n"));
    EXPECT_THAT(result.out,
                HasSubstr("  fields that are not numbers: 3, the first in line 5, field 'Head:Tx' "
                          "(column 2): 'nan'\n"));
    EXPECT_THAT(result.err, HasSubstr("seem not to be correct"));
}

// Pipes, devices and endless lines are refused at once, whichever file a
// command reads: nothing waits for a writer, nothing grows without bound.
TEST(ReadFiles, EveryFileKivoReadsIsARegularFileWithLinesWithinTheLimit) {
    TempDir dir;
    testing::WriteSmallDataFile(dir, "s01.csv");
    ASSERT_EQ(::mkfifo(dir.PathOf("pipe").c_str(), 0600), 0);
    dir.Write("long.txt", "Time;" + std::string(kMaxLineLength, 'x') + "\n");
    const std::string tooLong = "longer than " + std::to_string(kMaxLineLength);
    const std::string notRegular = "not a regular file";
    const std::pair<const char*, std::string> cases[] = {
        {"settings show pipe", notRegular},
        {"stats pipe", notRegular},
        {"init a.set s01.csv --time-label Time --bindings pipe", notRegular},
        {"init b.set s01.csv --time-label Time --bindings /dev/zero", notRegular},
        {"check --time-label Time pipe", notRegular},
        {"settings show long.txt", "no valid settings"},
        {"stats long.txt", tooLong},
        {"init c.set s01.csv --time-label Time --bindings long.txt", tooLong},
        {"check --time-label Time long.txt", tooLong}};
    for (const auto& [command, reason] : cases) {
        const auto result = Kivo(command, dir);
        EXPECT_EQ(result.exitCode, 1) << command;
        EXPECT_THAT(result.err + result.out, HasSubstr(reason)) << command << ":\n"
                                                                << result.err << result.out;
    }
}

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

    const auto refused = Kivo("convert --pair s18.bvh cut.bvh --prefix dyad", dir);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_THAT(refused.err, HasSubstr("cut.bvh, line 17, field 'Frames': the file ends after 2 of "
                                       "the 3 frames announced here; no data file was written"));
    EXPECT_FALSE(fs::exists(dir.PathOf("dyad.A.txt")));
    // Not even with --force over a folder in the place of one data file.
    fs::create_directory(dir.PathOf("dyad.B.txt"));
    const auto folder = Kivo("convert --pair s18.bvh s18.bvh --prefix dyad --force", dir);
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_THAT(folder.err, HasSubstr("dyad.B.txt exists and is not a file"));
    EXPECT_FALSE(fs::exists(dir.PathOf("dyad.A.txt")));
    fs::remove(dir.PathOf("dyad.B.txt"));

    const auto pair =
        Kivo("convert --pair s18.bvh s18.bvh --prefix dyad --separator tab --decimals 2", dir);
    ASSERT_EQ(pair.exitCode, 0) << pair.err;
    EXPECT_THAT(pair.out,
                HasSubstr("Wrote dyad.B.txt from s18.bvh: 2 joints, 3 frames, 0.01 s apart\n"));
    EXPECT_THAT(ReadFileText(dir.PathOf("dyad.A.txt")),
                HasSubstr("\n0.010000\t2\t1.00\t90.00\t0.00\t0.00\t0.00\t0.00\t1.00\t100.00"))
        << "frame 2: Hips at (1, 90, 0), Head 10 above it";
    const auto check = Kivo("check --time-label Time dyad.A.txt dyad.B.txt", dir);
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_THAT(check.out, HasSubstr("  frames/sec: 100\n  partner: dyad.A.txt\n"));

    const auto again = Kivo("convert s18.bvh dyad.A.txt", dir);
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_THAT(again.err, HasSubstr("dyad.A.txt exists already (--force overwrites it)"));
    EXPECT_EQ(Kivo("convert s18.bvh --skip-frames 1", dir).exitCode, 0);
    EXPECT_THAT(ReadFileText(dir.PathOf("s18.txt")), HasSubstr("\n0.000000;1;1.000000;"));
}

// The kivo lines of the README's quick start for BVH recordings turn the CMU
// dyad into output files with a value in every dyadic field.
TEST(QuickStart, TheReadmesThreeLinesTurnTheCmuBvhDyadIntoDyadicRows) {
    const std::string shared = KIVO_SHARED_DATA_DIR;
    if (!fs::exists(shared + "/cmu/bvh/18_01.bvh"))
        GTEST_SKIP() << "the shared CMU recordings are not available";
    const std::string readme = ReadFileText(Example("../README.md"));
    const std::size_t start = readme.find("## Quick start for BVH recordings");
    const std::size_t end = readme.find("\n## ", start + 1);
    TempDir dir;
    int commands = 0;
    for (const std::string& line : SplitToStrings(readme.substr(start, end - start), '\n')) {
        if (!line.starts_with("    kivo "))
            continue;
        std::vector<std::string> words = testing::Words(line.substr(9));
        for (std::string& word : words) {
            if (word.starts_with("../shared/data"))
                word = shared + word.substr(14);
        }
        const auto result = RunKivo(words, dir);
        ASSERT_EQ(result.exitCode, 0) << line << "\n" << result.out << result.err;
        ++commands;
    }
    ASSERT_EQ(commands, 3);

    for (const char* person : {"A", "B"}) {
        const auto lines =
            testing::ReadCrLfLines(dir.PathOf(std::string("dyad.") + person + ".csv"));
        ASSERT_GT(lines.size(), 3u);
        const std::vector<std::string> captions = SplitToStrings(lines[0], ';');
        std::vector<std::size_t> dyadic;
        for (const char* caption : {"Dyadic Proxemics Heads", "Rotational Dyadic Mimicry Body"}) {
            dyadic.push_back(static_cast<std::size_t>(
                std::find(captions.begin(), captions.end(), caption) - captions.begin()));
            ASSERT_LT(dyadic.back(), captions.size()) << caption;
        }
        int frames = 0;
        for (const std::string& line : lines) {
            const std::vector<std::string> fields = SplitToStrings(line, ';');
            if (fields.size() != captions.size() || fields[0] == "Time")
                continue;
            ++frames;
            for (std::size_t i : dyadic)
                EXPECT_TRUE(!fields[i].empty() && IsNumeric(fields[i], "."))
                    << captions[i] << ": " << line.substr(0, 20);
        }
        EXPECT_EQ(frames, 304) << person;
    }
    EXPECT_TRUE(fs::exists(dir.PathOf("Statistics.csv")));
}

}  // namespace
}  // namespace kivo
