#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/CliRun.h"

namespace kivo {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;
using testing::Kivo;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;
using testing::ValueAfter;
using testing::WriteSmallDataFile;

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
        const auto init = Kivo("init " + settings + " " + arguments, dir);
        EXPECT_EQ(init.exitCode, 1) << reason;
        EXPECT_THAT(init.err, HasSubstr(reason));
        EXPECT_EQ(ReadFileText(dir.PathOf(settings)), before) << reason;
    }
    fs::remove(dir.PathOf("study.set"));
    for (int run = 0; run < 2; ++run) {
        const auto init = Kivo("init study.set s01.csv --time-label Time --force", dir);
        EXPECT_EQ(init.exitCode, 0) << init.err;
        EXPECT_THAT(init.out, HasSubstr("1 input files, 165 parameters"));
    }
}

TEST(SettingsCommands, InitTakesTheLabelAutomaticallyAndWritesFoldersTheStudyCanMoveWith) {
    TempDir dir;
    fs::create_directories(dir.PathOf("study/data"));
    WriteSmallDataFile(dir, "study/data/s01.A.csv");
    WriteSmallDataFile(dir, "study/data/s01.B.csv");
    const auto init = Kivo(
        "init study/study.set study/data/s01.A.csv study/data/s01.B.csv --time-label auto", dir);
    ASSERT_EQ(init.exitCode, 0) << init.out << init.err;
    EXPECT_THAT(init.out, HasSubstr("Time label 'Time' (format line 2 of study/data/s01.A.csv)"));
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

// A Mixamo-style skeleton: hips, upper chest and head.
std::string MixamoRecording() {
    std::string text =
        "HIERARCHY\nROOT mixamorig:Hips\n{\nOFFSET 0 90 0\n"
        "CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n";
    for (const char* joint : {"mixamorig:Spine2", "mixamorig:Head"}) {
        text += std::string("JOINT ") + joint +
                "\n{\nOFFSET 0 20 0\nCHANNELS 3 Zrotation Xrotation Yrotation\n";
    }
    text += "End Site\n{\nOFFSET 0 10 0\n}\n}\n}\n}\nMOTION\nFrames: 2\nFrame Time: 0.02\n";
    return text + "0 90 0 0 0 0 0 0 0 0 0 0\n0 90 1 0 0 0 5 0 0 0 0 0\n";
}

TEST(BindingsCommand, InitConvertsBvhFilesBindsKnownNamesAndBindingsShowsAndChangesThem) {
    TempDir dir;
    dir.Write("take.A.bvh", MixamoRecording());
    dir.Write("take.B.bvh", MixamoRecording());
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
        const auto refused = Kivo("bindings study.set " + std::string(binding), dir);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_THAT(refused.err, HasSubstr(std::string("field '") + named));
        EXPECT_EQ(ReadFileText(dir.PathOf("study.set")), saved);
    }
    const auto show = Kivo("bindings study.set", dir);
    EXPECT_EQ(show.exitCode, 0) << show.err;
    EXPECT_THAT(show.out, HasSubstr("\n  Top: Head\n"));
    EXPECT_THAT(show.out, HasSubstr("\n  Bottom: (unbound)\n"));
    EXPECT_THAT(show.out, HasSubstr("Data fields offered: Frame, mixamorig, Hips, Spine2, Head\n"));
}

// The parameter page's rules decide; a refused edit leaves the file as it was.
TEST(ParametersCommand, EditsTheListThroughTheEditorRules) {
    TempDir dir;
    testing::CopyExampleStudy(dir);
    const auto only = RunKivo({"parameters", "study.set", "--only", "Dyadic Proxemics Body"}, dir);
    ASSERT_EQ(only.exitCode, 0) << only.err;
    EXPECT_EQ(only.out, "study.set: 1 of 165 parameters enabled\n");
    ASSERT_EQ(Kivo("run study.set --output-dir out --quiet", dir).exitCode, 0);
    const std::string output = ReadFileText(dir.PathOf("out/dyad.A.csv"));
    EXPECT_EQ(output.substr(0, output.find('\r')), "Time;Frame;Dyadic Proxemics Body");

    const std::string saved = ReadFileText(dir.PathOf("study.set"));
    const auto refused = RunKivo({"parameters", "study.set", "--enable", "TSM Body"}, dir);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_THAT(refused.err,
                HasSubstr("The calculation of the nonverbal parameter 'TSM Body' requires "
                          "the calculation of the nonverbal parameter 'Complexity Body'."));
    const auto unknown = Kivo("parameters study.set --output on Nobody", dir);
    EXPECT_THAT(unknown.err, HasSubstr("study.set has no parameter 'Nobody'"));
    EXPECT_EQ(ReadFileText(dir.PathOf("study.set")), saved);

    const auto more = RunKivo(
        {"parameters", "study.set", "--only", "126", "TSM Head", "--dynamic", "on", "TSM Head"},
        dir);
    ASSERT_EQ(more.exitCode, 0) << more.err;
    const auto listing = Kivo("parameters study.set --captions", dir);
    const auto columns = testing::ListedCaptions(listing.out, "Statistics file columns:");
    EXPECT_NE(std::find(columns.begin(), columns.end(), "D TSM Head"), columns.end());
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
    const auto nothing = Kivo("run --store --output-dir .", dir);
    EXPECT_EQ(nothing.exitCode, 2);
    EXPECT_THAT(nothing.err, HasSubstr("nothing is stored in " + store));

    // A study whose files cannot all be added is not stored.
    ASSERT_EQ(testing::InitSmallDyad(dir), 0);
    fs::remove(dir.PathOf("s01.B.csv"));
    const auto incomplete = Kivo("store import study.set", dir);
    EXPECT_EQ(incomplete.exitCode, 1);
    EXPECT_THAT(incomplete.err, HasSubstr("1 of the 2 input files"));
    EXPECT_FALSE(fs::exists(store));

    const auto imported = RunKivo({"store", "import", study}, dir);
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    const auto nowhere = Kivo("run --store", dir);
    EXPECT_EQ(nowhere.exitCode, 2);
    EXPECT_THAT(nowhere.err, HasSubstr("no existing output folder; give --output-dir"));
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
    const auto notSettings = Kivo("store export s01.A.csv --force", dir);
    EXPECT_EQ(notSettings.exitCode, 1);
    EXPECT_THAT(notSettings.err, HasSubstr("s01.A.csv is not a settings file"));
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
