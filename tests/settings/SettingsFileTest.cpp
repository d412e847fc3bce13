#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/FileError.h"
#include "core/Numbers.h"
#include "core/Text.h"
#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "params/Catalogue.h"
#include "settings/BindingsFile.h"
#include "settings/RichStudy.h"
#include "settings/SettingsFile.h"
#include "support/ScriptedPrompt.h"
#include "support/SmallDataFile.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;
using testing::ScriptedPrompt;
using testing::TempDir;
using testing::WriteSmallDataFile;

// The fields of a settings file, one per CR LF line, and back.
std::vector<std::string> Lines(const std::string& content) {
    std::vector<std::string> lines = SplitToStrings(content, '\n');
    lines.pop_back();
    for (std::string& line : lines)
        line.pop_back();
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines)
        content += line + "\r\n";
    return content;
}

// Line numbers (1-based) of fields in the study's settings file.
constexpr int kFileCountLine = 25;
constexpr int kColumnCountLine = 26;
constexpr int kFirstFileLine = 27;
constexpr int kDataFieldBoundLine = kFirstFileLine + 2 * kInputFileColumnCount;
constexpr int kUserVariableBoundLine = kDataFieldBoundLine + 1 + kInputVariableCount;
constexpr int kParameterCountLine = kUserVariableBoundLine + 1 + kUserVariableCount;

// A study of two partner files, three parameters, a user variable and bindings.
class SettingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteSmallDataFile(dir, "s01.A.csv");
        WriteSmallDataFile(dir, "s01.B.csv");
        study.options.timeField = "Time";
        ASSERT_TRUE(AddFile(study, "s01.A.csv", dir.PathOf(""), prompt));
        ASSERT_TRUE(AddFile(study, "s01.B.csv", dir.PathOf(""), prompt));
        study.boundDataFields[kHips] = "Hips";
        study.userVariableNames[0] = "Cup";
        for (const char* function : {"Static SRL", "No Such Function", "Static SRL"})
            AddParameterRow(study.parameters, "Global Static SRL Hips", function, "Hips", "", "",
                            "x", "", "", study.parameters.size() < 2);
        path = dir.PathOf("study.set");
        Save();
    }

    void Save() {
        SaveSettings(study, path);
        lines = Lines(ReadFileText(path));
        prompt.messages.clear();
    }

    // Writes `content` as a settings file and loads it into `loaded`.
    SettingsLoadResult Load(const std::string& content) {
        dir.Write("edited.set", content);
        return LoadSettings(dir.PathOf("edited.set"), loaded, prompt);
    }

    bool ReportedError(const std::string& number, const std::string& field) const {
        if (prompt.messages.empty())
            return false;
        const PromptMessage& message = prompt.messages.back();
        return message.title == "Error Message" && message.icon == PromptIcon::Critical &&
               message.text.starts_with("Error No. " + number +
                                        " in subroutine 'LoadSettings': ") &&
               message.text.find(field) != std::string::npos;
    }

    TempDir dir;
    ScriptedPrompt prompt;
    Workspace study;
    Workspace loaded;
    std::string path;
    std::vector<std::string> lines;
};

TEST_F(SettingsFileTest, WritesAndReadsTheFieldsInTheirEncoding) {
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kParameterCountLine + 1 + 3 * 9));
    EXPECT_EQ(lines[0], "\"Kivo Settings\"");
    EXPECT_EQ(lines[5], "\"Time\"");
    EXPECT_EQ(lines[8], "1");
    EXPECT_EQ(lines[10], "#TRUE#");
    EXPECT_EQ(lines[11], "#FALSE#");
    EXPECT_EQ(lines[kFileCountLine - 1], "2");
    EXPECT_EQ(lines[kColumnCountLine - 1], "16");
    EXPECT_EQ(lines[kFirstFileLine], "\"s01.B.csv\"");
    EXPECT_EQ(lines[kDataFieldBoundLine - 1], "85");
    EXPECT_EQ(lines[kDataFieldBoundLine + 1], "\"Hips\"");
    EXPECT_EQ(lines[kUserVariableBoundLine - 1], "49");
    EXPECT_EQ(lines[kUserVariableBoundLine], "\"Cup\"");
    EXPECT_EQ(lines[kParameterCountLine - 1], "3");
    EXPECT_EQ(lines[kParameterCountLine], "9");
    EXPECT_EQ(lines.back(), "#FALSE#");
    // A comma ends a field as well as a line break; blanks around a field are skipped.
    lines[kFileCountLine - 1] += ",16";
    lines.erase(lines.begin() + kColumnCountLine - 1);
    lines[0] = "  \"Kivo Settings\"  ";
    EXPECT_EQ(Load(Join(lines)), SettingsLoadResult::Loaded) << prompt.LastText();
    EXPECT_EQ(loaded.inputFiles.size(), 2u);
}

// Saving replaces the file; the stored bindings replace the current ones, a folder that is gone
// keeps the current value.
TEST_F(SettingsFileTest, LoadsTheStoredStudyOverTheCurrentOne) {
    study.options.directoryOutputFiles = dir.PathOf("gone");
    Save();
    loaded.boundDataFields[kBase] = "Chair";
    loaded.userVariableNames[1] = "Mug";
    loaded.options.directoryOutputFiles = "/current";
    ASSERT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded);
    EXPECT_TRUE(prompt.messages.empty()) << prompt.LastText();
    EXPECT_EQ(loaded.options.directoryOutputFiles, "/current");
    std::vector<std::string> names;  // saving over the file left no temporary file
    for (const auto& entry : fs::directory_iterator(dir.PathOf("")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"s01.A.csv", "s01.B.csv", "study.set"}));
    EXPECT_EQ(loaded.boundDataFields[kBase], "");
    EXPECT_EQ(loaded.boundDataFields[kHips], "Hips");
    EXPECT_EQ(loaded.userVariableNames[1], "");
}

TEST_F(SettingsFileTest, RefusesAFileThatIsNoSettingsFileAndKeepsTheWorkspace) {
    loaded.options.timeField = "Before";
    loaded.parameters = study.parameters;
    for (const std::string& content :
         {std::string("\"Other Settings\"\r\n"), std::string(), std::string(3'000'000, 'z')}) {
        prompt.messages.clear();
        EXPECT_EQ(Load(content), SettingsLoadResult::NotSettingsFile);
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.LastText(), "This file contains no valid settings!");
        EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
    }
    EXPECT_EQ(loaded.options.timeField, "Before");
    ASSERT_EQ(loaded.parameters.size(), 3u);  // kept, with the type tags set
    EXPECT_EQ(loaded.parameters[0].typeTag, "31");
    EXPECT_EQ(LoadSettings(dir.PathOf("none.set"), loaded, prompt), SettingsLoadResult::Failed);
    EXPECT_TRUE(ReportedError("53", "none.set")) << prompt.LastText();
}

// Cut after a field, the file ends early: "Input past end of file". What
// was loaded up to that point stays loaded.
TEST_F(SettingsFileTest, AFileCutAnywhereIsReportedAndOnlyTheWholeFileLoads) {
    const std::string content = ReadFileText(path);
    const std::size_t bindings =
        Join({lines.begin(), lines.begin() + kDataFieldBoundLine + 5}).size();
    for (std::size_t cut = 0; cut < content.size(); ++cut) {
        prompt.messages.clear();
        loaded = Workspace();
        loaded.userVariableNames[0] = "Before";
        const SettingsLoadResult result = Load(content.substr(0, cut));
        EXPECT_EQ(result == SettingsLoadResult::Loaded, cut + 2 >= content.size()) << cut;
        if (result == SettingsLoadResult::Loaded)
            continue;
        EXPECT_FALSE(prompt.messages.empty()) << cut;
        if (cut > lines[0].size() + 1 && content.compare(cut - 2, 2, "\r\n") == 0) {
            EXPECT_TRUE(ReportedError("62", "Input past end of file")) << prompt.LastText();
        }
        if (cut == bindings) {
            EXPECT_EQ(loaded.options.timeField, "Time");
            EXPECT_EQ(loaded.inputFiles.size(), 2u);
            EXPECT_EQ(loaded.boundDataFields[kHips], "Hips");
            EXPECT_EQ(loaded.userVariableNames[0], "Before");
        }
    }
}

// A count or state that does not fit is reported with the error number and field.
TEST_F(SettingsFileTest, ABadCountOrStateIsReportedWithTheField) {
    const struct {
        int line;
        const char* text;
        const char* number;
        const char* field;
    } cases[] = {
        {kFileCountLine, "abc", "13", "number of input files"},
        {kFileCountLine, "-1", "9", "number of input files"},
        {kFileCountLine, "99999999999999999999", "6", "number of input files"},
        {kFileCountLine, "4000000000", "13", "Frames/Sec"},  // no huge allocation
        {kColumnCountLine, "15", "9", "number of input file columns"},
        {kFileCountLine, "3", "13", "input file 3 '85', Frames/Sec"},  // not the files stored
        {kDataFieldBoundLine, "86", "9", "highest data-field position"},
        {kUserVariableBoundLine, "50", "9", "highest user variable index"},
        {kParameterCountLine, "4000000000", "62", "Input past end of file"},
        {kParameterCountLine, "2", "440", "more fields than its counts"},
        {kParameterCountLine + 1, "8", "9", "number of parameter columns"},
        {9, "7", "9", "Distances related to"},
        {11, "maybe", "13", "Height"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("line ") + std::to_string(c.line) + ": " + c.text);
        std::vector<std::string> edited = lines;
        edited[static_cast<std::size_t>(c.line - 1)] = c.text;
        prompt.messages.clear();
        EXPECT_EQ(Load(Join(edited)), SettingsLoadResult::Failed);
        EXPECT_TRUE(ReportedError(c.number, c.field)) << prompt.LastText();
    }
}

// Only when every stored file is gone does loading say so (a study of no
// files loads silently: see the round trip).
// Options come back as their boxes would hold them, from a computer with
// either decimal symbol; a value a box would refuse is reported.
TEST_F(SettingsFileTest, OptionsPassTheRulesOfTheirBoxesWithEitherDecimalSymbol) {
    constexpr int kFirstFile = kFirstFileLine - 1;  // the line before column 0
    const struct {
        int line;
        const char* text;
        int column;          // of the first input file, for a value that loads
        const char* loaded;  // what the column holds; nullptr: refused
        const char* field;   // the field the refusal names
    } cases[] = {
        {kFirstFile + 1 + kColFramesPerSec, "\"120,0048\"", kColFramesPerSec, "120.0048", ""},
        {kFirstFile + 1 + kColAngles, "\" 0,25\"", kColAngles, "0.25", ""},
        {kFirstFile + 1 + kColDistances, "\"-5\"", kColDistances, "0.1", ""},
        {kFirstFile + 1 + kColDecimalPlaces, "\"20\"", kColDecimalPlaces, "15", ""},
        {kFirstFile + 1 + kColUseEvery, "\"2,4\"", kColUseEvery, "2", ""},
        {kFirstFile + 1 + kColDistancesRelatedTo, "\"172,5\"", kColDistancesRelatedTo, "172.5", ""},
        {kFirstFile + 1 + kColFramesPerSec, "\"-5\"", 0, nullptr,
         "input file 1 's01.A.csv', Frames/Sec"},
        {kFirstFile + 1 + kColFramesPerSec, "\"1e-300\"", 0, nullptr, "Frames/Sec"},
        {kFirstFile + 1 + kColAngles, "\"1,2,5\"", 0, nullptr, "Angles"},
        {kFirstFile + 1 + kColResolution, "\"800\"", 0, nullptr, "Camera"},
        {7, "\"1 000\"", 0, nullptr, "Frames/Sec"},
        {8, "\"abc\"", 0, nullptr, "Use Every"},
        {15, "\"99999\"", 0, nullptr, "Dec. Places"},
        {16, "\"800x600/1/100\"", 0, nullptr, "Camera"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("line ") + std::to_string(c.line) + ": " + c.text);
        std::vector<std::string> edited = lines;
        edited[static_cast<std::size_t>(c.line - 1)] = c.text;
        prompt.messages.clear();
        loaded = Workspace();
        if (c.loaded == nullptr) {
            EXPECT_EQ(Load(Join(edited)), SettingsLoadResult::Failed);
            EXPECT_TRUE(ReportedError("13", std::string(c.field) + "'")) << prompt.LastText();
            EXPECT_NE(prompt.LastText().find(", line " + std::to_string(c.line) + ","),
                      std::string::npos)
                << prompt.LastText();
            continue;
        }
        ASSERT_EQ(Load(Join(edited)), SettingsLoadResult::Loaded) << prompt.LastText();
        EXPECT_EQ(loaded.inputFiles.at(0)[c.column], c.loaded);
    }
}

TEST_F(SettingsFileTest, FilesNotFoundAreNamedInOneMessage) {
    fs::remove(dir.PathOf("s01.A.csv"));
    SettingsLoadNotes notes;
    EXPECT_EQ(LoadSettings(path, loaded, prompt, &notes), SettingsLoadResult::Loaded);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.LastText(),
              "The following input files were not found and are left out of the list:\r\n\r\n" +
                  dir.PathOf("s01.A.csv"));
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(notes.skippedInputFiles, std::vector<std::string>{"s01.A.csv"});
    ASSERT_EQ(loaded.inputFiles.size(), 1u);
    EXPECT_EQ(loaded.inputFiles[0][kColFileName], "s01.B.csv");

    fs::remove(dir.PathOf("s01.B.csv"));
    prompt.messages.clear();
    EXPECT_EQ(LoadSettings(path, loaded, prompt, &notes), SettingsLoadResult::Loaded);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.LastText(), "Files not found at the last location.\r\n\r\n" +
                                     dir.PathOf("s01.A.csv") + "\r\n" + dir.PathOf("s01.B.csv"));
    EXPECT_EQ(notes.skippedInputFiles, (std::vector<std::string>{"s01.A.csv", "s01.B.csv"}));
    EXPECT_TRUE(loaded.inputFiles.empty());
    EXPECT_EQ(loaded.parameters.size(), 3u);
}

TEST_F(SettingsFileTest, AMovedStudyFindsItsFilesBesideTheSettingsFile) {
    const fs::path moved = dir.PathOf("moved");
    fs::create_directories(moved);
    for (const char* name : {"s01.A.csv", "s01.B.csv", "study.set"})
        fs::rename(dir.PathOf(name), moved / name);
    const std::string movedStudy = (moved / "study.set").string();
    EXPECT_EQ(LoadSettings(movedStudy, loaded, prompt), SettingsLoadResult::Loaded);
    ASSERT_EQ(loaded.inputFiles.size(), 2u);
    EXPECT_EQ(loaded.inputFiles[0][kColDirectory], WithTrailingSeparator(moved.string()));
    EXPECT_EQ(loaded.inputFiles[1].fullPath, (moved / "s01.B.csv").string());
    EXPECT_EQ(loaded.inputFiles[0][kColPartnerFile], "s01.B.csv");
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.LastText(),
              "The following input files were not found at their stored location and were taken "
              "from the folder of the settings file '" +
                  movedStudy + "':\r\n\r\ns01.A.csv\r\ns01.B.csv");
}

// A text that cannot be read back is refused naming its field; nothing is written.
TEST_F(SettingsFileTest, RefusesAnUnstorableTextNamingTheFieldAndWritesNothing) {
    const std::string before = ReadFileText(path);
    const std::pair<const char*, void (*)(Workspace&)> cases[] = {
        {"Prefix", [](Workspace& w) { w.options.prefix = "a\"b"; }},
        {"Camera", [](Workspace& w) { w.options.camera = "1\r\n2"; }},
        {"input file 2 's01.B.csv', Video Clip File",
         [](Workspace& w) { w.inputFiles[1][kColVideoClipFile] = "v\".avi"; }},
        {"data field of input variable 3 'Head'",
         [](Workspace& w) { w.boundDataFields[kHead] = "He\nad"; }},
        {"name of user variable 2", [](Workspace& w) { w.userVariableNames[1] = "\"Mug\""; }},
        {"parameter 1 'Global Static SRL Hips', Variables",
         [](Workspace& w) { w.parameters[0].variables = "Hips\r"; }}};
    for (const auto& [field, spoil] : cases) {
        Workspace spoiled = study;
        spoil(spoiled);
        spoiled.options.directorySettingsFiles = "/unchanged";
        for (const std::string& target : {path, dir.PathOf("new.set")}) {
            try {
                SaveSettings(spoiled, target);
                ADD_FAILURE() << "saved " << target;
            } catch (const FileError& error) {
                EXPECT_EQ(error.File(), target);
                EXPECT_EQ(error.Field(), field);
                EXPECT_NE(std::string(error.what()).find("double quote or a line break"),
                          std::string::npos);
            }
        }
        EXPECT_EQ(spoiled.options.directorySettingsFiles, "/unchanged") << field;
    }
    EXPECT_EQ(ReadFileText(path), before);
    EXPECT_FALSE(fs::exists(dir.PathOf("new.set")));
}

TEST_F(SettingsFileTest, ASaveReplacesOnlyARegularFile) {
    fs::create_symlink(path, dir.PathOf("link.set"));
    ASSERT_EQ(::mkfifo(dir.PathOf("pipe.set").c_str(), 0600), 0);
    fs::create_directory(dir.PathOf("folder.set"));
    for (const char* name : {"link.set", "pipe.set", "folder.set"}) {
        const std::string target = dir.PathOf(name);
        const fs::file_status before = fs::symlink_status(target);
        EXPECT_THROW(SaveSettings(study, target), FileError) << name;
        EXPECT_EQ(fs::symlink_status(target).type(), before.type()) << name;
    }
    EXPECT_EQ(fs::read_symlink(dir.PathOf("link.set")), path);
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(dir.PathOf("")))
        files += entry.path().filename().string().starts_with(".") ? 100 : 1;
    EXPECT_EQ(files, 6u) << "a temporary file was left";
}

// A rich study, and its options alone (which the first file's options hide),
// come back as they were saved, without a word; saving what was loaded
// changes nothing.
TEST_F(SettingsFileTest, LoadingWhatWasSavedReproducesTheStudy) {
    for (Workspace original :
         {testing::RichStudy(dir, false), testing::RichStudy(dir, false, false)}) {
        SCOPED_TRACE(original.inputFiles.size());
        SaveSettings(original, path);
        EXPECT_EQ(original.options.directorySettingsFiles, FolderWithoutSeparator(dir.PathOf("")));
        loaded = Workspace();
        ASSERT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded)
            << prompt.LastText();
        EXPECT_TRUE(prompt.messages.empty()) << prompt.LastText();
        for (const std::string& bound : original.boundDataFields)
            EXPECT_TRUE(bound.empty() || loaded.dataFieldNames.Contains(bound)) << bound;
        EXPECT_TRUE(original.inputFiles.empty() || loaded.dataFieldNames.Contains("Hips"));

        const Workspace expected = testing::ExpectedAfterLoading(original, loaded);
        EXPECT_TRUE(loaded.options == expected.options);
        EXPECT_EQ(loaded.inputFiles, expected.inputFiles);
        EXPECT_EQ(loaded.boundDataFields, expected.boundDataFields);
        EXPECT_EQ(loaded.userVariableNames, expected.userVariableNames);
        EXPECT_EQ(loaded.parameters, expected.parameters);

        Workspace copy = loaded;
        SaveSettings(copy, path);
        Workspace reloaded;
        ASSERT_EQ(LoadSettings(path, reloaded, prompt), SettingsLoadResult::Loaded);
        EXPECT_TRUE(reloaded == loaded);
    }
}

// A bindings file holds "variable;data field" lines and "#" comments; blanks
// around the names are skipped and an empty data field unbinds. A line
// without separator, an unknown data field or an unknown input variable is
// refused naming its line and field, and changes nothing.
TEST(BindingsFile, BindsEveryListedVariableOrRefusesABadLine) {
    TempDir dir;
    Workspace workspace;
    for (const char* name : {"Hips", "Spine1", "LeftHand", "Cup Marker"})
        workspace.dataFieldNames.Add(name);
    workspace.userVariableNames[0] = "Cup";
    workspace.boundDataFields[kBase] = "Hips";
    const auto apply = [&](const std::string& content) {
        const std::string file = dir.Write("bindings.txt", content);
        ApplyBindings(workspace, ReadBindingsFile(file), file);
    };
    const struct {
        const char* content;
        long line;
        const char* field;
    } refused[] = {{"Chest;Spine1\n\nHips Hips\n", 3, ""},
                   {"Chest;Spine1\nHead;Skull\n", 2, "Skull"},
                   {"Chest;Spine1\nTorso;Hips\n", 2, "Torso"}};
    for (const auto& c : refused) {
        try {
            apply(c.content);
            ADD_FAILURE() << "accepted: " << c.content;
        } catch (const FileError& error) {
            EXPECT_EQ(error.Line(), c.line) << c.content;
            EXPECT_EQ(error.Field(), c.field) << c.content;
        }
        EXPECT_EQ(workspace.boundDataFields[kChest], "") << c.content;
    }
    EXPECT_THROW(ReadBindingsFile(dir.PathOf("none.txt")), FileError);

    apply(
        "# comment;with separator\r\n\r\nChest;Spine1\r\n  Hand L ; LeftHand \nCup;Cup Marker\n"
        "Base;\n");
    EXPECT_EQ(workspace.boundDataFields[kChest], "Spine1");
    EXPECT_EQ(workspace.boundDataFields[kHandL], "LeftHand");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable], "Cup Marker");
    EXPECT_EQ(workspace.boundDataFields[kBase], "");
}

}  // namespace
}  // namespace kivo
