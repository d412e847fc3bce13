#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "input/OutputOptionRules.h"
#include "input/ProcessingOptionRules.h"
#include "input/StoredOptionRules.h"
#include "support/ScriptedPrompt.h"
#include "support/SmallDataFile.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::ScriptedPrompt;
using testing::TempDir;
using testing::WriteSmallDataFile;
using Texts = std::vector<std::string>;

TEST(PartnerFileName, SwapsTheTokenBetweenTheLastTwoPeriods) {
    const std::pair<const char*, const char*> partners[] = {{"s12.A.csv", "s12.B.csv"},
                                                            {"s12.L.csv", "s12.R.csv"},
                                                            {"A.csv", "B.csv"},
                                                            {"study.2.A.txt", "study.2.B.txt"}};
    for (const auto& [name, partner] : partners) {
        EXPECT_EQ(GetPartnerFileName(name), partner) << name;
        EXPECT_EQ(GetPartnerFileName(partner), name) << partner;
    }
    for (const char* name : {"s12.C.csv", "s12.a.csv", "s12.AB.csv", "noperiod", ".A"})
        EXPECT_EQ(GetPartnerFileName(name), "") << name;
}

class InputFileListTest : public ::testing::Test {
  protected:
    void SetUp() override { workspace.options.timeField = "Time"; }

    bool Add(const std::string& name, std::string_view step = "0.01") {
        WriteSmallDataFile(dir, name, "Time", step);
        return AddFile(workspace, name, dir.PathOf(""), prompt);
    }

    const InputFileRow& Row(std::size_t i) const { return workspace.inputFiles.at(i); }
    // One column of every row.
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> texts;
        for (const InputFileRow& row : workspace.inputFiles)
            texts.push_back(row[column]);
        return texts;
    }

    TempDir dir;
    ScriptedPrompt prompt;
    Workspace workspace;
};

TEST_F(InputFileListTest, FillsTheColumnsFromTheOptionsAndShowsThemBack) {
    workspace.options.skipLines = "2";
    workspace.options.distances = false;
    workspace.options.bodyHeight = "175";
    workspace.options.camera = "640x480/1/100/45";
    ASSERT_TRUE(Add("s01.csv"));
    const std::vector<std::string> expected = {
        "s01.csv", "No", "Time",    "100", "2",   "175", "0.25",
        "0.1",     "1",  "640x480", "1",   "100", "45",  WithTrailingSeparator(dir.PathOf("")),
        "",        ""};
    EXPECT_EQ(std::vector<std::string>(Row(0).columns.begin(), Row(0).columns.end()), expected);
    EXPECT_EQ(Row(0).fullPath, dir.PathOf("s01.csv"));
    // The derived rate goes to the new row only, not into the option boxes.
    EXPECT_EQ(workspace.options.linesPerSec, "30");

    // Showing the row's options is the inverse, for each text of the distance column.
    for (const char* text : {"unmodified", "Height", "Length", "175"}) {
        SCOPED_TRACE(text);
        workspace.inputFiles[0][kColDistancesRelatedTo] = text;
        workspace.options = WorkspaceOptions();
        workspace.options.bodyHeight = "stale";
        ShowInputFileOptions(workspace, 0);
        const WorkspaceOptions& options = workspace.options;
        EXPECT_EQ(options.timeField, "Time");
        EXPECT_EQ(options.linesPerSec, "100");
        EXPECT_EQ(options.camera, "640x480/1/100/45");
        EXPECT_EQ(GetDistanceOption(options), text);
        EXPECT_TRUE(!options.distances || options.distancesHeight != options.distancesLength);
        EXPECT_FALSE(options.videoClipSide);
    }
}

// Removing a file leaves its partner without.
TEST_F(InputFileListTest, PairsPartnersOnlyOfTheSameRate) {
    ASSERT_TRUE(Add("s01.A.csv"));
    ASSERT_TRUE(Add("s01.B.csv"));
    ASSERT_TRUE(Add("s02.A.csv", "0.01"));
    ASSERT_TRUE(Add("s02.B.csv", "0.02"));
    EXPECT_EQ(Column(kColPartnerFile), (Texts{"s01.B.csv", "s01.A.csv", "No", "No"}));
    ASSERT_TRUE(RemoveInputFile(workspace, 0, prompt));
    EXPECT_EQ(Column(kColFileName), (Texts{"s01.B.csv", "s02.A.csv", "s02.B.csv"}));
    EXPECT_EQ(Column(kColPartnerFile), (Texts{"No", "No", "No"}));
}

// The first file offers the data-field names; the same name from another
// directory is refused.
TEST_F(InputFileListTest, RefusesTheSameNameFromAnotherDirectory) {
    ASSERT_TRUE(Add("s01.csv"));
    std::filesystem::create_directories(dir.PathOf("other"));
    dir.Write("other/s01.csv", "Time;Frame;Head:Tx\n0;1;1\n0.01;2;1\n");
    EXPECT_FALSE(AddFile(workspace, "s01.csv", dir.PathOf("other"), prompt));
    ASSERT_EQ(workspace.inputFiles.size(), 1u);
    EXPECT_EQ(Row(0)[kColDirectory], WithTrailingSeparator(dir.PathOf("")));
    EXPECT_EQ(prompt.LastText(),
              "The file 's01.csv' is already in the list and will not added once again.");
    dir.Write("s02.csv", "Time;Frame;Head:Tx\n0;1;1\n0.01;2;1\n");
    ASSERT_TRUE(AddFile(workspace, "s02.csv", dir.PathOf(""), prompt));
    EXPECT_TRUE(workspace.dataFieldNames.Contains("Hips"));
    EXPECT_FALSE(workspace.dataFieldNames.Contains("Head"));
}

TEST_F(InputFileListTest, RefusesANameThatWouldSplitALineOfTheStatisticsFile) {
    for (const char* name : {"s;01.csv", "s\t01.csv", "s\r01.csv", "s\x01.csv"}) {
        EXPECT_FALSE(Add(name)) << name;
        EXPECT_NE(prompt.LastText().find("Please rename the file"), std::string::npos)
            << prompt.LastText();
    }
    EXPECT_TRUE(workspace.inputFiles.empty());
    EXPECT_TRUE(Add("s 01,2.csv"));
}

TEST_F(InputFileListTest, AddsNothingWithoutATimeLabelOrWithAnUnusableCameraText) {
    WriteSmallDataFile(dir, "s01.csv");
    workspace.options.timeField.clear();
    EXPECT_EQ(AddFiles(workspace, {dir.PathOf("s01.csv")}, prompt), 0);
    EXPECT_EQ(prompt.LastText(),
              "Please enter the label of the first field of the format line (Time field).");
    workspace.options.timeField = "Time";
    workspace.options.camera = "800x600/1/100";
    EXPECT_EQ(AddFiles(workspace, {dir.PathOf("s01.csv")}, prompt), 0);
    EXPECT_EQ(prompt.messages.back().id, PromptId::CameraTextInvalid);
    EXPECT_TRUE(workspace.inputFiles.empty());
}

TEST(VideoSide, IsPreselectedFromTheDataFileNameAndSwappedForThePartner) {
    Texts preselected;
    for (const char* name : {"s01.R.csv", "s01.L.csv", "s01.A.csv", "s01.B.csv", "s01.csv"})
        preselected.emplace_back(PreselectVideoSide(name));
    EXPECT_EQ(preselected,
              (Texts{"Right Side", "Left Side", "Left Side", "Right Side", "Both Sides"}));
    EXPECT_EQ(OppositeVideoSide("Left Side"), "Right Side");
    EXPECT_EQ(OppositeVideoSide("Right Side"), "Left Side");
    EXPECT_EQ(OppositeVideoSide("Both Sides"), "Both Sides");
}

// An assigned video goes to the listed partner, a listed video to a partner
// added later, each time with the other side.
TEST_F(InputFileListTest, AVideoGoesToThePartnerWithTheOtherSide) {
    ASSERT_TRUE(Add("s01.A.csv"));
    ASSERT_TRUE(Add("s01.B.csv"));
    ASSERT_TRUE(AssignVideoFile(workspace, 1, "/videos/take.avi", prompt));
    EXPECT_TRUE(workspace.options.videoClipSide);
    EXPECT_FALSE(workspace.options.leftSide);
    EXPECT_TRUE(workspace.options.rightSide);
    ASSERT_TRUE(Add("s01.L.csv"));
    workspace.inputFiles[2][kColVideoClipFile] = "/videos/s01.avi";
    workspace.inputFiles[2][kColVideoClipSide] = "Left Side";
    ASSERT_TRUE(Add("s01.R.csv"));
    EXPECT_EQ(Column(kColVideoClipFile), (Texts{"/videos/take.avi", "/videos/take.avi",
                                                "/videos/s01.avi", "/videos/s01.avi"}));
    EXPECT_EQ(Column(kColVideoClipSide),
              (Texts{"Left Side", "Right Side", "Left Side", "Right Side"}));
}

TEST_F(InputFileListTest, AnAssignedPartnerNamesTheFileUnlessItIsItselfOrOfAnotherRate) {
    ASSERT_TRUE(Add("s01.csv", "0.01"));
    EXPECT_FALSE(AssignPartnerFile(workspace, 0, dir.PathOf("s01.csv"), prompt));
    EXPECT_EQ(prompt.LastText(),
              "The file '" + dir.PathOf("s01.csv") + "' cannot be its own partner file.");
    WriteSmallDataFile(dir, "other.csv", "Time", "0.02");
    EXPECT_FALSE(AssignPartnerFile(workspace, 0, dir.PathOf("other.csv"), prompt));
    EXPECT_EQ(prompt.LastText(),
              "The partner file 'other.csv'\r\nhas not the same rate of frames/sec\r\nas the data "
              "file 's01.csv'.");
    EXPECT_EQ(Row(0)[kColPartnerFile], "No");
    EXPECT_EQ(workspace.inputFiles.size(), 1u);
    // A partner not yet listed is added; either way both rows name each other.
    WriteSmallDataFile(dir, "other.csv");
    ASSERT_TRUE(AssignPartnerFile(workspace, 0, dir.PathOf("other.csv"), prompt));
    ASSERT_EQ(workspace.inputFiles.size(), 2u);
    EXPECT_EQ(Column(kColPartnerFile), (Texts{"other.csv", "s01.csv"}));
    ASSERT_TRUE(Add("third.csv"));
    ASSERT_TRUE(AssignPartnerFile(workspace, 2, dir.PathOf("s01.csv"), prompt));
    EXPECT_EQ(Row(0)[kColPartnerFile], "third.csv");
    EXPECT_EQ(Row(2)[kColPartnerFile], "s01.csv");
}

// Commands on the selected file need a selection; removing all files asks first.
TEST_F(InputFileListTest, CommandsNeedASelectionAndRemovingAllAsksFirst) {
    EXPECT_FALSE(RemoveAllInputFiles(workspace, prompt));
    EXPECT_EQ(prompt.LastText(), "The list is already empty!");
    ASSERT_TRUE(Add("s01.csv"));
    EXPECT_FALSE(AssignVideoFile(workspace, std::nullopt, "/v.avi", prompt));
    EXPECT_EQ(prompt.LastText(), "Please select an input file.");
    EXPECT_FALSE(AssignPartnerFile(workspace, std::nullopt, dir.PathOf("s01.csv"), prompt));
    EXPECT_FALSE(RemoveInputFile(workspace, 5, prompt));
    EXPECT_EQ(prompt.messages.size(), 4u);
    EXPECT_EQ(prompt.LastText(), "Please select an input file.");
    prompt.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(RemoveAllInputFiles(workspace, prompt));
    EXPECT_EQ(prompt.LastText(), "Do you really want to remove all input files?");
    EXPECT_EQ(workspace.inputFiles.size(), 1u);
    EXPECT_TRUE(RemoveAllInputFiles(workspace, prompt));
    EXPECT_TRUE(workspace.inputFiles.empty());
}

TEST_F(InputFileListTest, ApplyToAllKeepsPartnerDirectoryAndVideo) {
    ASSERT_TRUE(Add("s01.A.csv"));
    ASSERT_TRUE(Add("s01.B.csv"));
    ASSERT_TRUE(AssignVideoFile(workspace, 0, "/v.avi", prompt));
    workspace.options.thresholdAngles = "0.5";
    workspace.options.camera = "800x600/2/200/30";
    workspace.options.distances = true;
    workspace.options.distancesHeight = false;
    workspace.options.distancesLength = true;
    ASSERT_TRUE(ApplyOptionsToAllFiles(workspace, prompt));
    // A camera text the camera box would refuse changes no row.
    const std::vector<InputFileRow> applied = workspace.inputFiles;
    workspace.options.thresholdAngles = "0.7";
    workspace.options.camera = "abc";
    EXPECT_FALSE(ApplyOptionsToAllFiles(workspace, prompt));
    EXPECT_EQ(prompt.messages.back().id, PromptId::CameraTextInvalid);
    EXPECT_EQ(workspace.inputFiles, applied);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(Row(i)[kColAngles], "0.5");
        EXPECT_EQ(Row(i)[kColDistancesRelatedTo], "Length");
        EXPECT_EQ(Row(i)[kColResolution], "800x600");
        EXPECT_EQ(Row(i)[kColFieldOfView], "30");
        EXPECT_EQ(Row(i)[kColVideoClipFile], "/v.avi");
        EXPECT_EQ(Row(i)[kColDirectory], WithTrailingSeparator(dir.PathOf("")));
    }
    EXPECT_EQ(Row(0)[kColPartnerFile], "s01.B.csv");
    EXPECT_EQ(Row(1)[kColVideoClipSide], "Right Side");
}

// A workspace with one file whose option columns hold known values.
class OptionRulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InputFileRow row;
        row.columns = {"s01.csv", "No",       "Time", "120",  "3",  "", "0.25",   "0.1",
                       "4",       "1024x768", "10",   "4000", "40", "", "/v.avi", "Both Sides"};
        workspace.inputFiles.push_back(row);
    }
    InputFileRow& Row() { return workspace.inputFiles[0]; }

    Workspace workspace;
    ScriptedPrompt prompt;
    const std::optional<std::size_t> selected = 0;
};

TEST(OptionBoxTexts, NumbersInTheUsersDecimalSymbolAndOrdinalFrameLabels) {
    for (const char* text : {"2", "2.5", ""})
        EXPECT_EQ(FilterNumericText(text, "."), text);
    for (const char* text : {"2a", "-", "2,5"})
        EXPECT_EQ(FilterNumericText(text, "."), "") << text;
    EXPECT_EQ(FilterNumericText("2,5", ","), "2,5");
    // The label after a frame box: only 1, 2 and 3 take their own ending ("21"
    // is "th" as well).
    for (const auto& [box, label] : {std::pair{"1", "st Frame"}, std::pair{"2", "nd Frame"},
                                     std::pair{"3", "rd Frame"}, std::pair{"21", "th Frame"}})
        EXPECT_EQ(OrdinalFrameLabel(box, "."), label) << box;
}

// Use Every: positive whole numbers, rounded half to even, else the stored
// value. Thresholds: positive values, else 0.1. Decimal places: 1 to 15.
TEST_F(OptionRulesTest, TextBoxesStoreTheirCorrectedValueInTheSelectedFile) {
    using Cases = std::initializer_list<std::pair<const char*, const char*>>;
    const Cases useEvery = {{"0", "3"},   {"-2", "3"},  {"", "3"}, {"0.4", "3"},
                            {"2.5", "2"}, {"3.5", "4"}, {"5", "5"}};
    for (const auto& [typed, shown] : useEvery) {
        workspace.options.skipLines = typed;
        SkipLinesLostFocus(workspace, selected, prompt);
        EXPECT_EQ(workspace.options.skipLines, shown) << typed;
        EXPECT_EQ(Row()[kColUseEvery], shown) << typed;
    }
    for (const auto& [typed, shown] :
         Cases{{"-5", "0.1"}, {"0", "0.1"}, {"", "0.1"}, {"0.05", "0.05"}, {"2", "2"}}) {
        workspace.options.thresholdAngles = workspace.options.thresholdDistances = typed;
        ThresholdAnglesLostFocus(workspace, selected);
        ThresholdDistancesLostFocus(workspace, selected);
        EXPECT_EQ(workspace.options.thresholdAngles, shown) << typed;
        EXPECT_EQ(workspace.options.thresholdDistances, shown) << typed;
        EXPECT_EQ(Row()[kColAngles], shown) << typed;
        EXPECT_EQ(Row()[kColDistances], shown) << typed;
    }
    for (const auto& [typed, shown] :
         Cases{{"0", "1"}, {"20", "15"}, {"", "1"}, {"-3", "1"}, {"2.5", "2"}, {"7", "7"}}) {
        workspace.options.decimalPlaces = typed;
        DecimalPlacesLostFocus(workspace, selected, prompt);
        EXPECT_EQ(workspace.options.decimalPlaces, shown) << typed;
        EXPECT_EQ(Row()[kColDecimalPlaces], shown) << typed;
    }
    EXPECT_TRUE(prompt.messages.empty()) << prompt.LastText();
}

// Without a selected file nothing is stored; a number beyond 16 bits is an overflow.
TEST_F(OptionRulesTest, ANumberIsStoredOnlyInASelectedFileAndWithinSixteenBits) {
    workspace.options.linesPerSec = "60";
    LinesPerSecLostFocus(workspace, std::nullopt, prompt);
    EXPECT_EQ(workspace.options.linesPerSec, "60");
    EXPECT_EQ(Row()[kColFramesPerSec], "120");
    workspace.options.skipLines = "0";
    SkipLinesLostFocus(workspace, std::nullopt, prompt);
    EXPECT_EQ(workspace.options.skipLines, "1");
    EXPECT_TRUE(prompt.messages.empty());
    workspace.options.linesPerSec = "40000";
    LinesPerSecLostFocus(workspace, selected, prompt);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.LastText(),
              "Error No. 6 in subroutine 'txtLinesPerSec_LostFocus': \r\n\r\nOverflow");
    EXPECT_EQ(workspace.options.linesPerSec, "120");
    EXPECT_EQ(Row()[kColFramesPerSec], "120");
}

// The four camera parts are checked together: a refused text restores the
// stored values when there are four parts, else stays for correction.
TEST_F(OptionRulesTest, CameraTextNeedsFourParts) {
    const struct {
        const char* typed;
        bool withSelection;
        bool accepted;
        const char* boxAfter;
        const char* columnsAfter;
    } cases[] = {{"640X480/1/100/45", true, true, "640X480/1/100/45", "640X480/1/100/45"},
                 {"", true, true, "", "///"},
                 {"800x600/1/100", true, false, "1024x768/10/4000/40", "1024x768/10/4000/40"},
                 {"800x600", true, false, "800x600", "1024x768/10/4000/40"},
                 {"800/600/1/100", false, false, "", "1024x768/10/4000/40"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        workspace = Workspace();
        SetUp();
        prompt.messages.clear();
        workspace.options.camera = c.typed;
        EXPECT_EQ(CameraLostFocus(workspace, c.withSelection ? selected : std::nullopt, prompt),
                  c.accepted);
        EXPECT_EQ(workspace.options.camera, c.boxAfter);
        const InputFileRow& row = Row();
        EXPECT_EQ(row[kColResolution] + "/" + row[kColNearPlane] + "/" + row[kColFarPlane] + "/" +
                      row[kColFieldOfView],
                  c.columnsAfter);
        EXPECT_EQ(
            prompt.LastText().find("does not contain exactly four values") != std::string::npos,
            !c.accepted);
    }
}

TEST_F(OptionRulesTest, DistanceControlsStoreTheOptionExceptWhileLoading) {
    workspace.options.distances = true;
    workspace.options.distancesHeight = false;
    workspace.options.distancesLength = true;
    DistanceControlChanged(workspace, selected, true);
    EXPECT_EQ(Row()[kColDistancesRelatedTo], "");
    DistanceControlChanged(workspace, selected, false);
    EXPECT_EQ(Row()[kColDistancesRelatedTo], "Length");
    workspace.options.distances = false;
    DistanceControlChanged(workspace, selected, false);
    EXPECT_EQ(Row()[kColDistancesRelatedTo], "unmodified");
}

// Selecting a side needs a selected file.
TEST_F(OptionRulesTest, VideoAnalysisAsksForAVideoAndUncheckedForgetsIt) {
    EXPECT_FALSE(VideoSideClick(workspace, std::nullopt, VideoSide::Right, prompt));
    EXPECT_EQ(prompt.LastText(), "Please select an input file.");
    EXPECT_EQ(Row()[kColVideoClipSide], "Both Sides");
    EXPECT_TRUE(VideoSideClick(workspace, selected, VideoSide::Right, prompt));
    EXPECT_EQ(Row()[kColVideoClipSide], "Right Side");
    workspace.options.videoClipSide = true;
    workspace.options.leftSide = true;
    workspace.options.bothSides = false;
    EXPECT_TRUE(VideoClipSideClick(workspace, selected).sidesEnabled);
    EXPECT_EQ(Row()[kColVideoClipSide], "Left Side");
    workspace.options.videoClipSide = false;
    EXPECT_FALSE(VideoClipSideClick(workspace, selected).sidesEnabled);
    EXPECT_EQ(Row()[kColVideoClipFile], "");
    EXPECT_EQ(Row()[kColVideoClipSide], "");

    workspace.options.videoClipSide = true;  // now the file has no video
    const VideoClipSideOutcome outcome = VideoClipSideClick(workspace, selected);
    EXPECT_TRUE(outcome.openVideoDialog);
    EXPECT_FALSE(outcome.sidesEnabled);
    EXPECT_FALSE(workspace.options.videoClipSide);
}

TEST(OutputOptionRules, TheStatisticsFileFollowsTheSeparatorAndPartFilesHoldTwoTo32767Lines) {
    WorkspaceOptions options;
    options.statisticsFileName = "study.stats.csv";
    options.extension = "TAB";
    SelectTsvSeparator(options);
    EXPECT_EQ(options.statisticsFileName, "study.stats.tab");
    options.extension = "Txt";
    ExtensionChanged(options);
    EXPECT_EQ(options.statisticsFileName, "study.stats.txt");
    SelectCsvSeparator(options);
    EXPECT_EQ(options.statisticsFileName, "study.stats.csv");
    options.statisticsFileName = "Statistics";  // a name without period keeps its text
    SelectCsvSeparator(options);
    EXPECT_EQ(options.statisticsFileName, "Statistics.csv");
    options.statisticsFileName = "Stats";
    StatisticsFileNameLostFocus(options);
    EXPECT_EQ(options.statisticsFileName, "Stats.");

    // The lines per part file range from 2 to 32767.
    ScriptedPrompt prompt;
    options.splitFile = true;
    for (const char* refused : {"1", "abc", "40000", ""}) {
        options.noOfLines = refused;
        EXPECT_FALSE(NoOfLinesLostFocus(options, ".", prompt)) << refused;
        EXPECT_EQ(prompt.LastText(),
                  "Please enter the maximum number of data lines for each part file!");
    }
    options.noOfLines = "0500";
    EXPECT_TRUE(NoOfLinesLostFocus(options, ".", prompt));
    EXPECT_EQ(options.noOfLines, "500");
    options.splitFile = false;
    SplitFileClick(options);
    EXPECT_EQ(options.noOfLines, "");
}

// What a settings file or the store brings back passes as its box holds it, or
// is refused naming what the box takes.
TEST(StoredOptionRules, PassAsTheBoxHoldsOrNameWhatItTakes) {
    using R = StoredOptionRule;
    const struct {
        R rule;
        const char* text;
        const char* held;
        const char* requirement;  // empty when the text passes
    } cases[] = {
        {R::DistanceOption, "175,5", "175.5", ""},
        {R::DistanceOption, "tall", "tall", "Height, Length, unmodified or a body height"},
        {R::BodyHeight, " ", "", ""},
        {R::BodyHeight, "tall", "tall", "a number"},
        {R::LinesPerPart, "1", "1", "a whole number of lines from 2 to 32767"},
        {R::LinesPerPart, "x", "x", "a whole number of lines from 2 to 32767"},
        {R::UseEvery, "0", "0", "a whole number from 1 to 32767"},
        {R::UseEvery, "x", "x", "a whole number from 1 to 32767"},
        {R::DecimalPlaces, "x", "x", "a whole number of decimal places"},
        {R::DecimalPlaces, "20", "15", ""},
        {R::DecimalPlaces, "0", "1", ""},
    };
    for (const auto& c : cases) {
        const StoredOptionValue value = ApplyStoredOptionRule(c.rule, c.text);
        EXPECT_EQ(value.text, c.held) << c.text;
        EXPECT_EQ(value.refusal,
                  *c.requirement ? "'" + std::string(c.text) + "' is not " + c.requirement : "")
            << c.text;
    }
}

}  // namespace
}  // namespace kivo
