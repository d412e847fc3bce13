#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "core/FileError.h"
#include "core/Numbers.h"
#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "settings/SettingsFile.h"
#include "support/ScriptedPrompt.h"
#include "support/SmallDataFile.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedPrompt;
using testing::TempDir;
using testing::WriteSmallDataFile;

std::string ReadText(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// The lines of a settings file (each field stands on a line of its own).
std::vector<std::string> Lines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(content.substr(start, end - start));
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines)
        content += line + "\r\n";
    return content;
}

ParameterDefinition Parameter(std::string name, std::string function, bool enabled = true) {
    ParameterDefinition row;
    row.name = std::move(name);
    row.function = std::move(function);
    row.variables = "Hips";
    row.output = "x";
    row.enabled = enabled;
    return row;
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
        SetDecimalSymbol(".");
        WriteSmallDataFile(dir, "s01.A.csv");
        WriteSmallDataFile(dir, "s01.B.csv");
        study.options.timeField = "Time";
        ASSERT_TRUE(AddFile(study, "s01.A.csv", dir.PathOf(""), prompt));
        ASSERT_TRUE(AddFile(study, "s01.B.csv", dir.PathOf(""), prompt));
        study.boundDataFields[kHips] = "Hips";
        study.userVariableNames[0] = "Cup";
        study.parameters = {Parameter("Global Static SRL Hips", "Static SRL"),
                            Parameter("Bogus", "No Such Function"),
                            Parameter("Camera Angle", "Static SRL", false)};
        path = dir.PathOf("study.set");
        SaveSettings(study, path);
        lines = Lines(ReadText(path));
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
               message.text.rfind("Error No. " + number + " in subroutine 'LoadSettings': ", 0) ==
                   0 &&
               message.text.find(field) != std::string::npos;
    }

    TempDir dir;
    ScriptedPrompt prompt;
    Workspace study;
    Workspace loaded;
    std::string path;
    std::vector<std::string> lines;
};

TEST_F(SettingsFileTest, WritesTheFieldsInTheirEncoding) {
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
}

TEST_F(SettingsFileTest, AFunctionOutsideTheCatalogueGetsTypeTag00) {
    ASSERT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded);
    ASSERT_EQ(loaded.parameters.size(), 3u);
    EXPECT_EQ(loaded.parameters[0].typeTag, "31");
    EXPECT_EQ(loaded.parameters[1].function, "No Such Function");
    EXPECT_EQ(loaded.parameters[1].typeTag, "00");
    EXPECT_FALSE(loaded.parameters[2].enabled);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(SettingsFileTest, RefusesAFileThatIsNoSettingsFile) {
    loaded.options.timeField = "Before";
    loaded.parameters = {Parameter("Kept", "Distance")};
    for (const std::string& content :
         {std::string("\"Other Settings\"\r\n"), std::string(), std::string(3'000'000, 'z')}) {
        prompt.messages.clear();
        EXPECT_EQ(Load(content), SettingsLoadResult::NotSettingsFile);
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.LastText(), "This file contains no valid settings!");
        EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
    }
    EXPECT_EQ(loaded.options.timeField, "Before");
    EXPECT_EQ(loaded.parameters.size(), 1u);
    EXPECT_EQ(loaded.parameters[0].typeTag, "111");
    EXPECT_EQ(loaded.options.directorySettingsFiles, FolderWithoutSeparator(dir.PathOf("")));
}

TEST_F(SettingsFileTest, AMissingFileIsReported) {
    EXPECT_EQ(LoadSettings(dir.PathOf("none.set"), loaded, prompt), SettingsLoadResult::Failed);
    EXPECT_TRUE(ReportedError("53", "none.set"));
}

TEST_F(SettingsFileTest, AFileTruncatedAfterAnyFieldIsReported) {
    for (std::size_t kept = 1; kept < lines.size(); ++kept) {
        SCOPED_TRACE("fields kept: " + std::to_string(kept));
        prompt.messages.clear();
        loaded = Workspace();
        const std::vector<std::string> head(lines.begin(), lines.begin() + kept);
        EXPECT_EQ(Load(Join(head)), SettingsLoadResult::Failed);
        EXPECT_TRUE(ReportedError("62", "Input past end of file")) << prompt.LastText();
    }
}

TEST_F(SettingsFileTest, ATruncatedFileKeepsWhatWasLoadedUpToThatPoint) {
    const std::vector<std::string> head(lines.begin(), lines.begin() + kDataFieldBoundLine + 5);
    loaded.userVariableNames[0] = "Before";
    EXPECT_EQ(Load(Join(head)), SettingsLoadResult::Failed);
    EXPECT_EQ(loaded.options.timeField, "Time");
    EXPECT_EQ(loaded.inputFiles.size(), 2u);
    EXPECT_EQ(loaded.boundDataFields[kHips], "Hips");
    EXPECT_EQ(loaded.userVariableNames[0], "Before");
}

TEST_F(SettingsFileTest, EveryCutOfTheFileIsHandled) {
    const std::string content = ReadText(path);
    for (std::size_t cut = 0; cut < content.size(); cut += 7) {
        prompt.messages.clear();
        loaded = Workspace();
        const SettingsLoadResult result = Load(content.substr(0, cut));
        EXPECT_EQ(result == SettingsLoadResult::Loaded, cut + 2 >= content.size()) << cut;
        if (result != SettingsLoadResult::Loaded) {
            EXPECT_FALSE(prompt.messages.empty()) << cut;
        }
    }
}

struct BadCountCase {
    std::string label;
    int line;
    std::string text;
    std::string number;
    std::string field;
};

std::ostream& operator<<(std::ostream& out, const BadCountCase& c) {
    return out << c.label;
}

class BadCount : public SettingsFileTest, public ::testing::WithParamInterface<BadCountCase> {};

TEST_P(BadCount, IsReportedWithTheField) {
    const BadCountCase& c = GetParam();
    lines[c.line - 1] = c.text;
    EXPECT_EQ(Load(Join(lines)), SettingsLoadResult::Failed);
    EXPECT_TRUE(ReportedError(c.number, c.field)) << prompt.LastText();
}

INSTANTIATE_TEST_SUITE_P(
    Counts, BadCount,
    ::testing::Values(
        BadCountCase{"NonNumeric", kFileCountLine, "abc", "13", "number of input files"},
        BadCountCase{"Negative", kFileCountLine, "-1", "9", "number of input files"},
        BadCountCase{"BeyondLongLong", kFileCountLine, "99999999999999999999", "6",
                     "number of input files"},
        BadCountCase{"Huge", kFileCountLine, "4000000000", "62", "Input past end of file"},
        BadCountCase{"TooFewColumns", kColumnCountLine, "15", "9", "number of input file columns"},
        BadCountCase{"TooManyFiles", kFileCountLine, "3", "13", "highest data-field position"},
        BadCountCase{"TooFewFiles", kFileCountLine, "1", "13", "highest data-field position"},
        BadCountCase{"DataFieldBound", kDataFieldBoundLine, "86", "9",
                     "highest data-field position"},
        BadCountCase{"UserVariableBound", kUserVariableBoundLine, "50", "9",
                     "highest user variable index"},
        BadCountCase{"HugeParameterCount", kParameterCountLine, "4000000000", "62",
                     "Input past end of file"},
        BadCountCase{"TooFewParameters", kParameterCountLine, "2", "440",
                     "more fields than its counts"},
        BadCountCase{"TooFewParameterColumns", kParameterCountLine + 1, "8", "9",
                     "number of parameter columns"},
        BadCountCase{"CheckBox", 9, "7", "9", "Distances related to"},
        BadCountCase{"Boolean", 11, "maybe", "13", "Height"}));

TEST_F(SettingsFileTest, ACommaEndsAFieldAsWellAsALineBreak) {
    lines[kFileCountLine - 1] += ",16";
    lines.erase(lines.begin() + kColumnCountLine - 1);
    lines[0] = "  \"Kivo Settings\"  ";
    EXPECT_EQ(Load(Join(lines)), SettingsLoadResult::Loaded) << prompt.LastText();
    EXPECT_EQ(loaded.inputFiles.size(), 2u);
}

TEST_F(SettingsFileTest, FilesThatNoLongerExistAreReported) {
    fs::remove(dir.PathOf("s01.A.csv"));
    fs::remove(dir.PathOf("s01.B.csv"));
    loaded.inputFiles.push_back(InputFileRow());
    EXPECT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.LastText(), "Files not found at the last location.");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(loaded.inputFiles.empty());
    EXPECT_EQ(loaded.parameters.size(), 3u);
}

TEST_F(SettingsFileTest, OneMissingFileIsSkippedSilently) {
    fs::remove(dir.PathOf("s01.A.csv"));
    EXPECT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded);
    EXPECT_TRUE(prompt.messages.empty());
    ASSERT_EQ(loaded.inputFiles.size(), 1u);
    EXPECT_EQ(loaded.inputFiles[0][kColFileName], "s01.B.csv");
}

TEST_F(SettingsFileTest, ZeroInputFilesEmptyTheListWithoutMessage) {
    study.inputFiles.clear();
    SaveSettings(study, path);
    loaded.inputFiles.push_back(InputFileRow());
    EXPECT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(loaded.inputFiles.empty());
}

TEST_F(SettingsFileTest, EachFileIsCheckedWithItsOwnTimeLabel) {
    WriteSmallDataFile(dir, "zeit.csv", "Zeit");
    ASSERT_TRUE(AddFile(study, "zeit.csv", dir.PathOf(""), "Zeit", prompt));
    study.options.timeField = "Something else";
    SaveSettings(study, path);
    EXPECT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded);
    ASSERT_EQ(loaded.inputFiles.size(), 3u);
    EXPECT_EQ(loaded.inputFiles[2][kColTimeField], "Zeit");
    EXPECT_TRUE(prompt.messages.empty()) << prompt.LastText();
}

TEST_F(SettingsFileTest, KeepsTheStoredPartnersEvenWhenTheNamingRuleWouldPair) {
    study.inputFiles[0][kColPartnerFile] = "No";
    study.inputFiles[1][kColPartnerFile] = "No";
    SaveSettings(study, path);
    EXPECT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded);
    ASSERT_EQ(loaded.inputFiles.size(), 2u);
    EXPECT_EQ(loaded.inputFiles[0][kColPartnerFile], "No");
    EXPECT_EQ(loaded.inputFiles[1][kColPartnerFile], "No");
}

TEST_F(SettingsFileTest, LoadingShowsTheFirstFilesOptions) {
    study.inputFiles[0][kColAngles] = "0.7";
    study.inputFiles[0][kColDistancesRelatedTo] = "182";
    SaveSettings(study, path);
    EXPECT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded);
    EXPECT_EQ(loaded.options.thresholdAngles, "0.7");
    EXPECT_FALSE(loaded.options.distances);
    EXPECT_EQ(loaded.options.bodyHeight, "182");
}

TEST_F(SettingsFileTest, TheStoredBindingsReplaceTheCurrentOnes) {
    loaded.boundDataFields[kBase] = "Chair";
    loaded.userVariableNames[1] = "Mug";
    EXPECT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded);
    EXPECT_EQ(loaded.boundDataFields[kBase], "");
    EXPECT_EQ(loaded.boundDataFields[kHips], "Hips");
    EXPECT_EQ(loaded.userVariableNames[0], "Cup");
    EXPECT_EQ(loaded.userVariableNames[1], "");
    EXPECT_TRUE(loaded.dataFieldNames.Contains("Hips"));
}

TEST_F(SettingsFileTest, AFolderThatNoLongerExistsKeepsTheCurrentValue) {
    study.options.directoryOutputFiles = dir.PathOf("gone");
    study.options.directoryVideoClips = dir.PathOf("");
    SaveSettings(study, path);
    loaded.options.directoryOutputFiles = "/current";
    EXPECT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded);
    EXPECT_EQ(loaded.options.directoryOutputFiles, "/current");
    EXPECT_EQ(loaded.options.directoryVideoClips, dir.PathOf(""));
}

TEST_F(SettingsFileTest, AMovedStudyFindsItsFilesBesideTheSettingsFile) {
    const fs::path moved = dir.PathOf("moved");
    fs::create_directories(moved);
    for (const char* name : {"s01.A.csv", "s01.B.csv", "study.set"}) {
        fs::rename(dir.PathOf(name), moved / name);
    }
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

struct UnstorableCase {
    std::string label;
    std::string field;
    void (*spoil)(Workspace&);
};

std::ostream& operator<<(std::ostream& out, const UnstorableCase& c) {
    return out << c.label;
}

class UnstorableText : public SettingsFileTest,
                       public ::testing::WithParamInterface<UnstorableCase> {};

TEST_P(UnstorableText, IsRefusedNamingTheFieldAndNothingIsWritten) {
    const std::string before = ReadText(path);
    Workspace spoiled = study;
    GetParam().spoil(spoiled);
    spoiled.options.directorySettingsFiles = "/unchanged";
    try {
        SaveSettings(spoiled, path);
        FAIL() << "saved";
    } catch (const FileError& error) {
        EXPECT_EQ(error.File(), path);
        EXPECT_EQ(error.Field(), GetParam().field);
        EXPECT_NE(std::string(error.what()).find("double quote or a line break"),
                  std::string::npos);
    }
    EXPECT_EQ(ReadText(path), before);
    EXPECT_EQ(spoiled.options.directorySettingsFiles, "/unchanged");
    try {
        SaveSettings(spoiled, dir.PathOf("new.set"));
    } catch (const FileError&) {
    }
    EXPECT_FALSE(fs::exists(dir.PathOf("new.set")));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, UnstorableText,
    ::testing::Values(
        UnstorableCase{"Prefix", "Prefix", [](Workspace& w) { w.options.prefix = "a\"b"; }},
        UnstorableCase{"Camera", "Camera", [](Workspace& w) { w.options.camera = "1\r\n2"; }},
        UnstorableCase{"FileColumn", "input file 2 's01.B.csv', Video Clip File",
                       [](Workspace& w) { w.inputFiles[1][kColVideoClipFile] = "v\".avi"; }},
        UnstorableCase{"DataField", "data field of input variable 3 'Head'",
                       [](Workspace& w) { w.boundDataFields[kHead] = "He\nad"; }},
        UnstorableCase{"UserVariable", "name of user variable 2",
                       [](Workspace& w) { w.userVariableNames[1] = "\"Mug\""; }},
        UnstorableCase{"ParameterColumn", "parameter 1 'Global Static SRL Hips', Variables",
                       [](Workspace& w) { w.parameters[0].variables = "Hips\r"; }}));

TEST_F(SettingsFileTest, SavingReplacesTheFileAndLeavesNoTemporaryFile) {
    study.options.prefix = "p_";
    SaveSettings(study, path);
    EXPECT_NE(ReadText(path).find("\"p_\""), std::string::npos);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.PathOf(""))) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"s01.A.csv", "s01.B.csv", "study.set"}));
}

}  // namespace
}  // namespace kivo
