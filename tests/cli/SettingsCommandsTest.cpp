#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/Text.h"
#include "support/CliRun.h"
#include "support/SmallDataFile.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;
using testing::ValueAfter;
using testing::WriteSmallDataFile;

// study.set over the small pair s01.A.csv and s01.B.csv.
void InitSmallDyad(const TempDir& dir) {
    WriteSmallDataFile(dir, "s01.A.csv");
    WriteSmallDataFile(dir, "s01.B.csv");
    ASSERT_EQ(RunKivo({"init", "study.set", "s01.A.csv", "s01.B.csv", "--time-label", "Time"}, dir)
                  .exitCode,
              0);
}

TEST(SettingsCommands, InitWritesNothingWhenItRefusesADataFileBindingOrExistingFile) {
    TempDir dir;
    WriteSmallDataFile(dir, "s01.csv");
    WriteSmallDataFile(dir, "s02.csv");
    WriteSmallDataFile(dir, "seconds.csv", "Seconds");
    dir.Write("bindings.txt", "# mine\nHips;Hips\nTorso;Hips\n");
    const std::string data = ReadFileText(dir.PathOf("s01.csv"));
    const struct {
        std::string settings;
        std::string arguments;  // further arguments, separated by blanks
        std::string reason;
        std::string before;  // what the settings file holds before
    } refusals[] = {
        {"study.set", "none.csv", "none.csv: file not found", ""},
        {"study.set", "seconds.csv --time-label Time", "could not be found in the file", ""},
        {"study.set", "s01.csv --time-label Time --bindings bindings.txt",
         "bindings.txt, line 3, field 'Torso'", ""},
        {"study.set", "s01.csv --time-label Time", "exists already", "keep"},
        {"study.set", "s01.csv --time-label Time --force", "not a settings file", "keep"},
        // The settings file's name forgotten: the first data file stands in its place.
        {"s01.csv", "s02.csv --time-label Time --force", "not a settings file", data},
        {"s01.csv", "s01.csv --time-label Time --force", "one of the data files", data}};
    for (const auto& [settings, arguments, reason, before] : refusals) {
        if (!before.empty())
            dir.Write(settings, before);
        std::vector<std::string> command = {"init", settings};
        for (const std::string& word : SplitToStrings(arguments, ' '))
            command.push_back(word);
        const auto init = RunKivo(command, dir);
        EXPECT_EQ(init.exitCode, 1) << reason;
        EXPECT_TRUE(Contains(init.err, reason)) << init.err;
        EXPECT_EQ(ReadFileText(dir.PathOf(settings)), before) << reason;
    }
    fs::remove(dir.PathOf("study.set"));
    for (int run = 0; run < 2; ++run) {
        const auto init =
            RunKivo({"init", "study.set", "s01.csv", "--time-label", "Time", "--force"}, dir);
        EXPECT_EQ(init.exitCode, 0) << init.err;
        EXPECT_TRUE(Contains(init.out, "1 input files, 165 parameters")) << init.out;
    }
}

TEST(SettingsCommands, InitTakesTheLabelAutomaticallyAndWritesFoldersTheStudyCanMoveWith) {
    TempDir dir;
    fs::create_directories(dir.PathOf("study/data"));
    WriteSmallDataFile(dir, "study/data/s01.A.csv");
    WriteSmallDataFile(dir, "study/data/s01.B.csv");
    const auto init = RunKivo({"init", "study/study.set", "study/data/s01.A.csv",
                               "study/data/s01.B.csv", "--time-label", "auto"},
                              dir);
    ASSERT_EQ(init.exitCode, 0) << init.out << init.err;
    EXPECT_TRUE(Contains(init.out, "Time label 'Time' (format line 2 of study/data/s01.A.csv)"))
        << init.out;
    const std::string stored = ReadFileText(dir.PathOf("study/study.set"));
    EXPECT_TRUE(Contains(stored, "\"Kivo Settings\"\r\n\"data\"\r\n\".\"\r\n")) << stored;
    EXPECT_TRUE(Contains(stored, "\"data/\"\r\n")) << stored;

    fs::rename(dir.PathOf("study"), dir.PathOf("moved"));
    const auto show = RunKivo({"settings", "show", "moved/study.set"}, dir);
    EXPECT_EQ(show.exitCode, 0) << show.err;
    EXPECT_EQ(show.err, "");
    EXPECT_TRUE(Contains(show.out, "Input Files: 2\n")) << show.out;
    EXPECT_EQ(ValueAfter(show.out, 0, "Directory"), dir.PathOf("moved/data/"));
}

struct SetCase {
    std::vector<std::string> arguments;  // after "settings set study.set"
    int exitCode;
    std::string expected;  // in stdout when accepted, in stderr otherwise
};

TEST(SettingsCommands, SetPassesEachValueThroughItsBoxRuleAndSavesOnlyWhatWasAccepted) {
    TempDir dir;
    InitSmallDyad(dir);
    const std::vector<SetCase> cases = {
        {{"decimal-places", "20", "--all-files"},
         0,
         "Dec. Places: 15 (s01.A.csv)\nDec. Places: 15 (s01.B.csv)\n"},
        {{"Frames/Sec", "2a", "--file", "s01.A.csv"}, 0, "Frames/Sec: 100 (s01.A.csv)\n"},
        {{"angle threshold", "-5", "--file", "s01.B.csv"}, 0, "Angles: 0.1 (s01.B.csv)\n"},
        {{"distances-related-to", "175", "--file", "s01.B.csv"},
         0,
         "Distances related to: 175 (s01.B.csv)\n"},
        {{"separator", "tab"}, 0, "Separator: tab\n"},
        {{"camera", "800x600/1/100", "--file", "s01.A.csv"}, 1, "exactly four values"},
        {{"lines-per-part-file", "5"}, 1, "set 'Split Output Files' first"},
        {{"video-clip-side", "Up", "--file", "s01.A.csv"}, 1, "Left, Right or Both"},
        {{"decimal-places", "3"}, 64, "give --file DATAFILE or --all-files"},
        {{"prefix", "x", "--all-files"}, 64, "is an output option"},
        {{"colour", "red"}, 64, "no option 'colour'"},
    };
    for (const SetCase& c : cases) {
        const std::string before = ReadFileText(dir.PathOf("study.set"));
        std::vector<std::string> command = {"settings", "set", "study.set"};
        command.insert(command.end(), c.arguments.begin(), c.arguments.end());
        const auto set = RunKivo(command, dir);
        EXPECT_EQ(set.exitCode, c.exitCode) << c.arguments[0] << set.err;
        if (c.exitCode == 0) {
            EXPECT_EQ(set.out, c.expected);
        } else {
            EXPECT_TRUE(Contains(set.err, c.expected)) << set.err;
            EXPECT_EQ(ReadFileText(dir.PathOf("study.set")), before) << c.arguments[0];
        }
    }
    const auto show = RunKivo({"settings", "show", "study.set"}, dir);
    const std::size_t second = show.out.find("  2. s01.B.csv\n");
    EXPECT_EQ(ValueAfter(show.out, 0, "Frames/Sec"), "100");
    EXPECT_EQ(ValueAfter(show.out, 0, "Angles"), "0.25 (degrees)");
    EXPECT_EQ(ValueAfter(show.out, 0, "Distances"), "0.1 (percent of body height)");
    EXPECT_EQ(ValueAfter(show.out, second, "Angles"), "0.1 (degrees)");
    EXPECT_EQ(ValueAfter(show.out, second, "Distances"), "0.1 (unit of the body height 175)");
    EXPECT_EQ(ValueAfter(show.out, second, "Dec. Places"), "15");
    EXPECT_EQ(ValueAfter(show.out, 0, "Separator"), "tab, extension .TSV");
}

}  // namespace
}  // namespace kivo
