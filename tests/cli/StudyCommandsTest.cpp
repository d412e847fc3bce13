#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
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
using testing::Fails;
using testing::Kivo;
using testing::ListedCaptions;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;
using testing::ValueAfter;
using testing::WriteSmallDataFile;

// Setting up a study: data files checked and converted, the settings file
// written and changed, the parameter list edited, the study kept in the store.

std::string Example(const std::string& name) {
    return std::string(KIVO_EXAMPLES_DIR) + "/" + name;
}

TEST(HelpAndListings, TheReadmeShowsHelpAndParametersAndStatsListTheirTables) {
    TempDir dir;
    const auto help = Kivo("--help", dir);
    ASSERT_EQ(help.exitCode, 0);
    const std::string text = help.out.substr(0, help.out.find_last_not_of('\n') + 1);
    const std::string readme = ReadFileText(std::string(KIVO_EXAMPLES_DIR) + "/../README.md");
    EXPECT_THAT(readme, HasSubstr("```\n" + text + "\n```\n"))
        << "README.md must show `kivo --help` as it is:\n"
        << text;

    for (const char* command :
         {"convert", "check", "parameters", "init", "settings show", "settings set", "bindings",
          "video", "check-video", "run", "stats", "plot", "store path", "store show",
          "store export", "store import", "store reset"}) {
        const std::string line = std::string("kivo ") + command;
        const auto commandHelp = Kivo(std::string(command) + " --help", dir);
        EXPECT_THAT(commandHelp.out, HasSubstr("Example: " + line));
        EXPECT_THAT(text, HasSubstr("\n  " + line));
    }
    // A usage error shows how the command is used.
    EXPECT_THAT(Kivo("init", dir), Fails(64, "\nExample: kivo init study.set "));

    // The default list as an aligned table, shortened to the terminal's width
    // or in full, and the captions it compiles to.
    const auto result = Kivo("parameters --default --wide", dir, "COLUMNS=100");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> lines = SplitToStrings(result.out, '\n');
    ASSERT_EQ(lines.size(), 167u);  // the header, 165 rows and the last line's end
    EXPECT_TRUE(lines[1].starts_with("1    Global Static SRL Hips ")) << lines[1];
    // Every row's function starts where the header's does.
    const std::size_t functionColumn = lines[0].find("Calculation Function");
    EXPECT_EQ(lines[165].compare(0, 28, "165  Video Pixel Difference "), 0) << lines[165];
    EXPECT_EQ(lines[165].compare(functionColumn, 17, "Pixel Difference "), 0);
    EXPECT_THAT(result.out, HasSubstr("Hand R O,Hand R F,Hand R I  Hips,Chest,Head,"));

    const auto narrow = Kivo("parameters --default", dir, "COLUMNS=100");
    for (const std::string& line : SplitToStrings(narrow.out, '\n')) {
        const auto characters =
            std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; });
        EXPECT_LE(characters, 100) << line;
    }
    EXPECT_THAT(narrow.out, HasSubstr("\n126  Dyadic P…  Dyadic Pr…  Hips,Ches…"));
    const auto nothing = Kivo("parameters", dir);
    EXPECT_EQ(nothing.exitCode, 64);
    EXPECT_EQ(nothing.out, "");

    // The captions the default list compiles to, with their units.
    const auto listing = Kivo("parameters --default --captions", dir);
    ASSERT_EQ(listing.exitCode, 0) << listing.err;
    const auto columns = ListedCaptions(listing.out, "Output file columns:");
    const auto statistics = ListedCaptions(listing.out, "Statistics file columns:");
    ASSERT_GE(columns.size(), 3u);
    ASSERT_GE(statistics.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(columns.begin(), columns.begin() + 3),
              (std::vector<std::string>{"Time", "Frame", "Global Static SRL Hips Sagittal"}));
    EXPECT_EQ(std::vector<std::string>(statistics.begin(), statistics.begin() + 3),
              (std::vector<std::string>{"File Name", "Partner File",
                                        "M Global Static SRL Hips Sagittal"}));

    // Units follow the function of each column and the distance option.
    const auto units = ListedCaptions(listing.out, "Output file columns:", true);
    const auto statisticsUnits = ListedCaptions(listing.out, "Statistics file columns:", true);
    ASSERT_EQ(units.size(), columns.size());
    ASSERT_EQ(statisticsUnits.size(), statistics.size());
    std::map<std::string, std::string> unit;
    for (std::size_t i = 0; i < columns.size(); ++i)
        unit[columns[i]] = units[i];
    for (std::size_t i = 0; i < statistics.size(); ++i)
        unit["statistics: " + statistics[i]] = statisticsUnits[i];
    const std::pair<std::string, const char*> expected[] = {
        {"Time", "seconds"},
        {"Global Static SRL Hips Sagittal", "degrees"},
        {"Joint Complexity Body", "count"},
        {"Translational Magnitude Body", "percent of body height"},
        {"Dyadic Proxemics Heads", "percent of body height"},
        {"Dyadic Global Dynamic Magnitude Body: Percentage Contribution of A", "percent"},
        {"statistics: TSM Body (only A)", "percent"},
        {"statistics: Activation Body: Average Duration of Pause Phases (seconds)", "seconds"},
    };
    for (const auto& [caption, expectedUnit] : expected)
        EXPECT_EQ(unit[caption], expectedUnit) << caption;
    for (std::size_t i = 2; i < units.size(); ++i)
        EXPECT_NE(units[i], "") << columns[i];

    // The statistics command prints one row per part with the chosen columns.
    dir.Write("stats.csv",
              "File Name;Partner File;Part ;Frames;M Head;SD Head;CBM Complexity Body\r\n"
              "a.csv;b.csv;Part 001;1000;1.5;0.2;3.0\r\n"
              "a.csv;b.csv;Part 002;20;-11.25;ERROR:DIV/0;4.0\r\n");
    const auto table = Kivo("stats stats.csv --columns head", dir);
    EXPECT_EQ(table.exitCode, 0) << table.err;
    EXPECT_EQ(table.out,
              "File Name  Partner File  Part      Frames  M Head      SD Head\n"
              "a.csv      b.csv         Part 001    1000     1.5          0.2\n"
              "a.csv      b.csv         Part 002      20  -11.25  ERROR:DIV/0\n");

    EXPECT_THAT(Kivo("stats stats.csv --columns Activation", dir), Fails(1, "Activation"));
    // A line that does not fit the header is named.
    const std::string path =
        dir.Write("bad.csv", "File Name;Partner File;M Head\r\na.csv;;1.0;2.0\r\n");
    const auto bad = RunKivo({"stats", path}, dir);
    EXPECT_THAT(bad, Fails(1, path + ", line 2"));
    EXPECT_EQ(bad.out, "");
}

TEST(CheckCommand, ReportsAcceptedAndRefusedFilesOfTheExamplesAndTheCmuRecordings) {
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

    // Each refused file is reported on one line; the command exits with 1.
    const std::string notes = dir.Write("notes.txt", "no format line here\n");
    const std::string missing = dir.PathOf("missing.csv");
    const auto refused = RunKivo({"check", Example("standing.colon.csv"), notes, missing}, dir);
    EXPECT_EQ(refused.exitCode, 1);
    // The default label is the program's start value, which the example does not use.
    EXPECT_THAT(refused.out, HasSubstr("standing.colon.csv: not accepted: The format line starting "
                                       "with the time identifier 'Time [sec]' could not be found"));
    EXPECT_THAT(refused.out,
                HasSubstr(".csv. Hint: the format line seems to be line 2, starting with 'Time'; "
                          "use --time-label Time\n"));
    EXPECT_THAT(refused.out, HasSubstr(notes + ": not accepted: The format line"));
    EXPECT_THAT(refused.out, Not(HasSubstr(notes + ". Hint")));
    EXPECT_THAT(refused.out, HasSubstr(missing + ": not accepted: no such file"));
    // The reason is given once, with the result.
    EXPECT_EQ(refused.err, "");

    // A refused file offers no names; a later file without a rate keeps the list's.
    dir.Write("short.csv", "Time;Early:Tx\n0;1\n");
    dir.Write("names.csv", "Time;Hips:Tx\n0;1\n0.01;2\n");
    dir.Write("second.csv", "Time;Head:Tx;Head:Ty\n0;1;1\n0;2;2\n\n0.02;nan;x\n0.03;1,5;3\n");
    const auto names = Kivo("check --time-label Time short.csv names.csv second.csv", dir);
    EXPECT_EQ(names.exitCode, 1);
    EXPECT_THAT(names.out, HasSubstr("short.csv: not accepted: Error No. 62 in subroutine "
                                     "'CheckFile': Input past end of file"));
    EXPECT_THAT(names.out, HasSubstr("  data fields (offered for binding): \"Hips\"\n"));
    EXPECT_THAT(names.out, HasSubstr("  data fields: \"Head\"\n"));
    EXPECT_THAT(names.out, HasSubstr("  frames/sec: 100 (kept: no rate from the first two times)"));
    // Fields a run would read as 0 or as their leading number are counted.
    EXPECT_THAT(names.out, HasSubstr("  partner: No\n  fields that are not numbers: none\n"));
    EXPECT_THAT(names.out,
                HasSubstr("  fields that are not numbers: 3, the first in line 5, field 'Head:Tx' "
                          "(column 2): 'nan'\n"));
    EXPECT_THAT(names.err, HasSubstr("seem not to be correct"));

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

// Pipes, devices and endless lines are refused at once, whichever file a
// command reads: nothing waits for a writer, nothing grows without bound.
TEST(ReadFiles, EveryFileKivoReadsIsARegularFileWithLinesWithinTheLimit) {
    TempDir dir;
    WriteSmallDataFile(dir, "s01.csv");
    ASSERT_EQ(::mkfifo(dir.PathOf("pipe").c_str(), 0600), 0);
    dir.Write("long.txt", "Time;" + std::string(kMaxLineLength, 'x') + "\n");
    const std::string tooLong = "longer than " + std::to_string(kMaxLineLength);
    const std::string notRegular = "not a regular file";
    const std::pair<const char*, std::string> cases[] = {
        {"settings show pipe", notRegular},
        {"stats pipe", notRegular},
        {"init a.set s01.csv --time-label Time --bindings pipe", notRegular},
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

// A Mixamo-style skeleton: hips, upper chest and head.
constexpr std::string_view kMixamoRecording =
    "HIERARCHY\nROOT mixamorig:Hips\n{\nOFFSET 0 90 0\n"
    "CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"
    "JOINT mixamorig:Spine2\n{\nOFFSET 0 20 0\nCHANNELS 3 Zrotation Xrotation Yrotation\n"
    "JOINT mixamorig:Head\n{\nOFFSET 0 20 0\nCHANNELS 3 Zrotation Xrotation Yrotation\n"
    "End Site\n{\nOFFSET 0 10 0\n}\n}\n}\n}\nMOTION\nFrames: 2\nFrame Time: 0.02\n"
    "0 90 0 0 0 0 0 0 0 0 0 0\n0 90 1 0 0 0 5 0 0 0 0 0\n";

// Convert writes a pair only when both recordings convert, and the check pairs
// them; init converts BVH files and binds known names, which bindings shows
// and changes.
TEST(ConvertCommand, WritesAPairOnlyWhenBothConvertAndInitConvertsAndBindsKnownNames) {
    TempDir dir;
    dir.Write("s18.bvh", kRecording);
    std::string cut(kRecording);
    cut.resize(cut.rfind("2 90"));
    dir.Write("cut.bvh", cut);

    EXPECT_THAT(Kivo("convert --pair s18.bvh cut.bvh --prefix dyad", dir),
                Fails(1,
                      "cut.bvh, line 17, field 'Frames': the file ends after 2 of the 3 frames "
                      "announced here; no data file was written"));
    EXPECT_FALSE(fs::exists(dir.PathOf("dyad.A.txt")));
    // Not even with --force over a folder in the place of one data file.
    fs::create_directory(dir.PathOf("dyad.B.txt"));
    EXPECT_THAT(Kivo("convert --pair s18.bvh s18.bvh --prefix dyad --force", dir),
                Fails(1, "dyad.B.txt exists and is not a file"));
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

    EXPECT_THAT(Kivo("convert s18.bvh dyad.A.txt", dir),
                Fails(1, "dyad.A.txt exists already (--force overwrites it)"));
    EXPECT_EQ(Kivo("convert s18.bvh --skip-frames 1", dir).exitCode, 0);
    EXPECT_THAT(ReadFileText(dir.PathOf("s18.txt")), HasSubstr("\n0.000000;1;1.000000;"));

    dir.Write("take.A.bvh", kMixamoRecording);
    dir.Write("take.B.bvh", kMixamoRecording);
    const auto init =
        Kivo("init study.set take.A.bvh take.B.bvh --bindings auto --convert-dir data", dir);
    ASSERT_EQ(init.exitCode, 0) << init.out << init.err;
    EXPECT_THAT(init.out, HasSubstr("Wrote data/take.A.txt from take.A.bvh: 3 joints, 2 frames"));
    EXPECT_THAT(init.out, HasSubstr("  take.A.txt: partner take.B.txt\n"));
    EXPECT_THAT(init.out,
                HasSubstr("\n  Hips: Hips\n  Chest: Spine2\n  Head: Head\nUnbound: Base, "));
    EXPECT_THAT(init.out, HasSubstr("distances-related-to Length --all-files"));

    const auto changed = Kivo("bindings study.set Top Head", dir);
    EXPECT_EQ(changed.exitCode, 0) << changed.err;
    EXPECT_EQ(changed.out, "Top: Head\n");
    const std::string saved = ReadFileText(dir.PathOf("study.set"));
    for (const auto& [binding, named] :
         {std::pair{"Torso Head", "Torso"}, {"Top HeadTop", "HeadTop"}}) {
        EXPECT_THAT(Kivo("bindings study.set " + std::string(binding), dir),
                    Fails(1, std::string("field '") + named));
        EXPECT_EQ(ReadFileText(dir.PathOf("study.set")), saved);
    }
    const auto show = Kivo("bindings study.set", dir);
    EXPECT_EQ(show.exitCode, 0) << show.err;
    EXPECT_THAT(show.out, HasSubstr("\n  Top: Head\n"));
    EXPECT_THAT(show.out, HasSubstr("\n  Bottom: (unbound)\n"));
    EXPECT_THAT(show.out, HasSubstr("Data fields offered: Frame, mixamorig, Hips, Spine2, Head\n"));
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

TEST(SettingsCommands, InitWritesNothingWhenItRefusesAndWritesFoldersTheStudyCanMoveWith) {
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
        EXPECT_THAT(Kivo("init " + settings + " " + arguments, dir), Fails(1, reason));
        EXPECT_EQ(ReadFileText(dir.PathOf(settings)), before) << reason;
    }
    fs::remove(dir.PathOf("study.set"));
    for (int run = 0; run < 2; ++run) {
        const auto init = Kivo("init study.set s01.csv --time-label Time --force", dir);
        EXPECT_EQ(init.exitCode, 0) << init.err;
        EXPECT_THAT(init.out, HasSubstr("1 input files, 165 parameters"));
    }

    // The label taken automatically; folders the study can move with.
    fs::create_directories(dir.PathOf("study/data"));
    WriteSmallDataFile(dir, "study/data/s01.A.csv");
    WriteSmallDataFile(dir, "study/data/s01.B.csv");
    const auto moving = Kivo(
        "init study/study.set study/data/s01.A.csv study/data/s01.B.csv --time-label auto", dir);
    ASSERT_EQ(moving.exitCode, 0) << moving.out << moving.err;
    EXPECT_THAT(moving.out, HasSubstr("Time label 'Time' (format line 2 of study/data/s01.A.csv)"));
    const std::string stored = ReadFileText(dir.PathOf("study/study.set"));
    EXPECT_THAT(stored, HasSubstr("\"Kivo Settings\"\r\n\"data\"\r\n\".\"\r\n"));
    EXPECT_THAT(stored, HasSubstr("\"data/\"\r\n"));

    fs::rename(dir.PathOf("study"), dir.PathOf("moved"));
    const auto show = Kivo("settings show moved/study.set", dir);
    EXPECT_EQ(show.exitCode, 0) << show.err;
    EXPECT_EQ(show.err, "");
    EXPECT_THAT(show.out, HasSubstr("Input Files: 2\n"));
    EXPECT_EQ(ValueAfter(show.out, 0, "Directory"), dir.PathOf("moved/data/"));
}

TEST(SettingsCommands, SetPassesEachValueThroughItsBoxRuleAndSavesOnlyWhatWasAccepted) {
    TempDir dir;
    ASSERT_EQ(testing::InitSmallDyad(dir), 0);
    const struct {
        std::vector<std::string> arguments;  // after "settings set study.set"
        int exitCode;
        std::string expected;  // in stdout when accepted, in stderr otherwise
    } cases[] = {
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
    for (const auto& c : cases) {
        const std::string before = ReadFileText(dir.PathOf("study.set"));
        std::vector<std::string> command = {"settings", "set", "study.set"};
        command.insert(command.end(), c.arguments.begin(), c.arguments.end());
        const auto set = RunKivo(command, dir);
        EXPECT_EQ(set.exitCode, c.exitCode) << c.arguments[0] << set.err;
        if (c.exitCode == 0) {
            EXPECT_EQ(set.out, c.expected);
        } else {
            EXPECT_THAT(set.err, HasSubstr(c.expected));
            EXPECT_EQ(ReadFileText(dir.PathOf("study.set")), before) << c.arguments[0];
        }
    }
    const auto show = Kivo("settings show study.set", dir);
    const std::size_t second = show.out.find("  2. s01.B.csv\n");
    EXPECT_EQ(ValueAfter(show.out, 0, "Frames/Sec"), "100");
    EXPECT_EQ(ValueAfter(show.out, 0, "Angles"), "0.25 (degrees)");
    EXPECT_EQ(ValueAfter(show.out, 0, "Distances"), "0.1 (percent of body height)");
    EXPECT_EQ(ValueAfter(show.out, second, "Angles"), "0.1 (degrees)");
    EXPECT_EQ(ValueAfter(show.out, second, "Distances"), "0.1 (unit of the body height 175)");
    EXPECT_EQ(ValueAfter(show.out, second, "Dec. Places"), "15");
    EXPECT_EQ(ValueAfter(show.out, 0, "Separator"), "tab, extension .TSV");
}

// The parameter page's rules decide; a refused edit leaves the file as it was.
// The plot command draws chosen columns of the edited study's output.
TEST(ParametersCommand, EditsTheListThroughTheEditorRulesAndPlotDrawsChosenColumnsOfTheRun) {
    TempDir dir;
    testing::CopyExampleStudy(dir);
    const auto only = RunKivo({"parameters", "study.set", "--only", "Dyadic Proxemics Body"}, dir);
    ASSERT_EQ(only.exitCode, 0) << only.err;
    EXPECT_EQ(only.out, "study.set: 1 of 165 parameters enabled\n");
    ASSERT_EQ(Kivo("run study.set --output-dir out --quiet", dir).exitCode, 0);
    const std::string output = ReadFileText(dir.PathOf("out/dyad.A.csv"));
    EXPECT_EQ(output.substr(0, output.find('\r')), "Time;Frame;Dyadic Proxemics Body");

    const std::string saved = ReadFileText(dir.PathOf("study.set"));
    EXPECT_THAT(RunKivo({"parameters", "study.set", "--enable", "TSM Body"}, dir),
                Fails(1,
                      "'TSM Body' requires the calculation of the nonverbal parameter "
                      "'Complexity Body'."));
    EXPECT_THAT(Kivo("parameters study.set --output on Nobody", dir),
                Fails(1, "study.set has no parameter 'Nobody'"));
    EXPECT_EQ(ReadFileText(dir.PathOf("study.set")), saved);

    const auto more = RunKivo(
        {"parameters", "study.set", "--only", "126", "TSM Head", "--dynamic", "on", "TSM Head"},
        dir);
    ASSERT_EQ(more.exitCode, 0) << more.err;
    const auto listing = Kivo("parameters study.set --captions", dir);
    const auto columns = testing::ListedCaptions(listing.out, "Statistics file columns:");
    EXPECT_NE(std::find(columns.begin(), columns.end(), "D TSM Head"), columns.end());

    ASSERT_EQ(
        RunKivo({"parameters", "study.set", "--only", "Activation Body", "Dyadic Proxemics Body"},
                dir)
            .exitCode,
        0);
    ASSERT_EQ(Kivo("run study.set --output-dir out --quiet --overwrite", dir).exitCode, 0);
    const auto png = RunKivo(
        {"plot", "out/dyad.A.csv", "--columns", "magnitude body|proxemics", "--partner",
         "out/dyad.B.csv", "--settings", "study.set", "--out", "dyad.png", "--size", "640x360"},
        dir);
    ASSERT_EQ(png.exitCode, 0) << png.err;
    const QImage image(QString::fromStdString(dir.PathOf("dyad.png")));
    ASSERT_EQ(image.size(), QSize(640, 360));
    QImage blank(image.size(), image.format());
    blank.fill(image.pixel(0, 0));
    EXPECT_TRUE(image != blank) << "the picture is all one colour";

    const auto svg = RunKivo({"plot", "out/dyad.A.csv", "--columns", "^Dyadic Proxemics Body$",
                              "--statistics", "out/Statistics.csv", "--out", "dyad.svg"},
                             dir);
    ASSERT_EQ(svg.exitCode, 0) << svg.err;
    const std::string picture = ReadFileText(dir.PathOf("dyad.svg"));
    EXPECT_THAT(picture, HasSubstr("<svg")) << picture.substr(0, 200);
    EXPECT_THAT(picture, HasSubstr("Dyadic Proxemics Body")) << "the legend names the column";

    EXPECT_THAT(Kivo("plot out/dyad.A.csv --columns Nobody --out x.png", dir),
                Fails(1, "no column caption of out/dyad.A.csv matches 'Nobody'"));
    const auto size = Kivo("plot out/dyad.A.csv --columns Body --out x.png --size 640", dir);
    EXPECT_EQ(size.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.PathOf("x.png")));
}

// A summary without its first line (the file it came from) and without the
// folder of settings files (the folder of the file last loaded).
std::string Body(const std::string& summary) {
    std::string body = summary.substr(summary.find('\n') + 1);
    const std::size_t folder = body.find("  Settings Files: ");
    if (folder != std::string::npos)
        body.erase(folder, body.find('\n', folder) + 1 - folder);
    return body;
}

// Points the program at a store in the test's folder, never the user's own.
class StoreCommand : public ::testing::Test {
  protected:
    void SetUp() override { setenv("KIVO_STORE", store.c_str(), 1); }
    void TearDown() override { unsetenv("KIVO_STORE"); }

    TempDir dir;
    const std::string store = dir.PathOf("config/settings.sqlite");
    const std::string study = std::string(KIVO_EXAMPLES_DIR) + "/study.set";
};

TEST_F(StoreCommand, AnImportedStudyRunsFromTheStoreLikeFromItsSettingsFile) {
    EXPECT_EQ(Kivo("store path", dir).out, store + "\n");
    EXPECT_THAT(Kivo("run --store --output-dir .", dir), Fails(2, "nothing is stored in " + store));

    // A study whose files cannot all be added is not stored.
    ASSERT_EQ(testing::InitSmallDyad(dir), 0);
    fs::remove(dir.PathOf("s01.B.csv"));
    EXPECT_THAT(Kivo("store import study.set", dir), Fails(1, "1 of the 2 input files"));
    EXPECT_FALSE(fs::exists(store));

    const auto imported = RunKivo({"store", "import", study}, dir);
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_THAT(Kivo("run --store", dir), Fails(2, "no existing output folder; give --output-dir"));
    for (const char* folder : {"from-store", "from-file"})
        fs::create_directories(dir.PathOf(folder));
    const auto fromStore = Kivo("run --store --output-dir from-store", dir);
    const auto fromFile = RunKivo({"run", study, "--output-dir", "from-file"}, dir);
    ASSERT_EQ(fromStore.exitCode, 0) << fromStore.err;
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
    const auto files = testing::FilesOf(dir.PathOf("from-file"));
    EXPECT_EQ(files.size(), 3u);
    EXPECT_TRUE(testing::FilesOf(dir.PathOf("from-store")) == files);

    // The store shows and exports what the settings file holds.
    ASSERT_EQ(Kivo("store export copy.set", dir).exitCode, 0);
    const auto shown = Kivo("store show", dir);
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_THAT(shown.out, HasSubstr("Input Files: 2\n"));
    const std::string original = Body(RunKivo({"settings", "show", study}, dir).out);
    EXPECT_EQ(Body(shown.out), original);
    EXPECT_EQ(Body(Kivo("settings show copy.set", dir).out), original);
    EXPECT_EQ(Kivo("store export copy.set", dir).exitCode, 1);  // exists already
    // --force replaces only a settings file, never a data file.
    const std::string data = ReadFileText(dir.PathOf("s01.A.csv"));
    EXPECT_THAT(Kivo("store export s01.A.csv --force", dir),
                Fails(1, "s01.A.csv is not a settings file"));
    EXPECT_EQ(ReadFileText(dir.PathOf("s01.A.csv")), data);

    // Reset asks first; without a terminal to answer, nothing is deleted.
    const std::string before = ReadFileText(store);
    EXPECT_EQ(Kivo("store reset", dir).exitCode, 1);
    EXPECT_EQ(ReadFileText(store), before);
    ASSERT_EQ(Kivo("store reset --yes", dir).exitCode, 0);
    EXPECT_THAT(Kivo("store show", dir).out, HasSubstr("Input Files: 0\n"));

    // A store that cannot be read is named, and reset moves it aside.
    dir.Write("config/settings.sqlite", "not a store");
    EXPECT_THAT(Kivo("store show", dir).err, HasSubstr("(kivo store reset moves it aside)"));
    const auto moved = Kivo("store reset --yes", dir);
    EXPECT_EQ(moved.exitCode, 0) << moved.err;
    EXPECT_FALSE(fs::exists(store));
    EXPECT_EQ(testing::FilesOf(dir.PathOf("config")).size(), 1u);
}

}  // namespace
}  // namespace kivo
