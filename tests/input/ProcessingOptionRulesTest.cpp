#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/Numbers.h"
#include "core/Workspace.h"
#include "input/OutputOptionRules.h"
#include "input/ProcessingOptionRules.h"
#include "support/ScriptedPrompt.h"

namespace kivo {
namespace {

using testing::ScriptedPrompt;

constexpr std::string_view kCameraMessage =
    "The input field 'Camera' does not contain exactly four values for the following variables "
    "(slash-separated): \r\n\r\nWidthxHeight/NearPlane/FarPlane/Field Of View";

// A workspace with one file whose option columns hold known values.
class OptionRulesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetDecimalSymbol(".");
        InputFileRow row;
        row[kColFileName] = "s01.csv";
        row[kColFramesPerSec] = "120";
        row[kColUseEvery] = "3";
        row[kColAngles] = "0.25";
        row[kColDecimalPlaces] = "4";
        row[kColResolution] = "1024x768";
        row[kColNearPlane] = "10";
        row[kColFarPlane] = "4000";
        row[kColFieldOfView] = "40";
        row[kColVideoClipFile] = "/v.avi";
        row[kColVideoClipSide] = "Both Sides";
        workspace.inputFiles.push_back(row);
    }
    void TearDown() override { SetDecimalSymbol("."); }

    InputFileRow& Row() { return workspace.inputFiles[0]; }

    Workspace workspace;
    ScriptedPrompt prompt;
    const std::optional<std::size_t> selected = 0;
};

TEST(NumericTextBox, EmptiesATextThatIsNoNumber) {
    EXPECT_EQ(FilterNumericText("2"), "2");
    EXPECT_EQ(FilterNumericText("2a"), "");
    EXPECT_EQ(FilterNumericText("-"), "");
    EXPECT_EQ(FilterNumericText("2.5"), "2.5");
    EXPECT_EQ(FilterNumericText(""), "");
}

TEST(NumericTextBox, TakesTheUsersDecimalSymbol) {
    SetDecimalSymbol(",");
    EXPECT_EQ(FilterNumericText("2,5"), "2,5");
    EXPECT_DOUBLE_EQ(NumericTextValue("2,5"), 2.5);
    SetDecimalSymbol(".");
}

TEST(OrdinalFrameLabel, ReadsAsOnePhraseWithTheBox) {
    EXPECT_EQ(OrdinalFrameLabel("1"), "st Frame");
    EXPECT_EQ(OrdinalFrameLabel("2"), "nd Frame");
    EXPECT_EQ(OrdinalFrameLabel("3"), "rd Frame");
    EXPECT_EQ(OrdinalFrameLabel("4"), "th Frame");
    EXPECT_EQ(OrdinalFrameLabel("21"), "th Frame");
    EXPECT_EQ(OrdinalFrameLabel(""), "th Frame");
}

struct WholeNumberCase {
    std::string typed;
    std::string shown;
};

std::ostream& operator<<(std::ostream& out, const WholeNumberCase& c) {
    return out << c.typed;
}

class UseEveryLostFocus : public OptionRulesTest,
                          public ::testing::WithParamInterface<WholeNumberCase> {};

TEST_P(UseEveryLostFocus, StoresPositiveWholeNumbersRoundedHalfToEven) {
    workspace.options.skipLines = GetParam().typed;
    SkipLinesLostFocus(workspace, selected, prompt);
    EXPECT_EQ(workspace.options.skipLines, GetParam().shown);
    EXPECT_EQ(Row()[kColUseEvery], GetParam().shown);
    EXPECT_TRUE(prompt.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, UseEveryLostFocus,
                         ::testing::Values(WholeNumberCase{"5", "5"}, WholeNumberCase{"0", "3"},
                                           WholeNumberCase{"-2", "3"}, WholeNumberCase{"", "3"},
                                           WholeNumberCase{"2.5", "2"}, WholeNumberCase{"3.5", "4"},
                                           WholeNumberCase{"0.4", "3"}));

TEST_F(OptionRulesTest, ZeroRestoresThePreviousValueAndItsLabel) {
    workspace.options.skipLines = "0";
    SkipLinesLostFocus(workspace, selected, prompt);
    EXPECT_EQ(workspace.options.skipLines, "3");
    EXPECT_EQ(OrdinalFrameLabel(workspace.options.skipLines), "rd Frame");
}

TEST_F(OptionRulesTest, ANumberBeyondSixteenBitsIsAnOverflow) {
    workspace.options.linesPerSec = "40000";
    LinesPerSecLostFocus(workspace, selected, prompt);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.LastText(),
              "Error No. 6 in subroutine 'txtLinesPerSec_LostFocus': \r\n\r\nOverflow");
    EXPECT_EQ(workspace.options.linesPerSec, "120");
    EXPECT_EQ(Row()[kColFramesPerSec], "120");
}

TEST_F(OptionRulesTest, WithoutASelectedFileNothingIsStored) {
    workspace.options.linesPerSec = "60";
    LinesPerSecLostFocus(workspace, std::nullopt, prompt);
    EXPECT_EQ(workspace.options.linesPerSec, "60");
    EXPECT_EQ(Row()[kColFramesPerSec], "120");
    workspace.options.skipLines = "0";
    SkipLinesLostFocus(workspace, std::nullopt, prompt);
    EXPECT_EQ(workspace.options.skipLines, "1");
}

struct ThresholdCase {
    std::string typed;
    std::string shown;
};

std::ostream& operator<<(std::ostream& out, const ThresholdCase& c) {
    return out << c.typed;
}

class ThresholdLostFocus : public OptionRulesTest,
                           public ::testing::WithParamInterface<ThresholdCase> {};

TEST_P(ThresholdLostFocus, KeepsPositiveValuesAndOtherwiseTakesOneTenth) {
    workspace.options.thresholdAngles = GetParam().typed;
    ThresholdAnglesLostFocus(workspace, selected);
    EXPECT_EQ(workspace.options.thresholdAngles, GetParam().shown);
    EXPECT_EQ(Row()[kColAngles], GetParam().shown);
    workspace.options.thresholdDistances = GetParam().typed;
    ThresholdDistancesLostFocus(workspace, std::nullopt);
    EXPECT_EQ(workspace.options.thresholdDistances, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Texts, ThresholdLostFocus,
                         ::testing::Values(ThresholdCase{"-5", "0.1"}, ThresholdCase{"0", "0.1"},
                                           ThresholdCase{"0.05", "0.05"}, ThresholdCase{"", "0.1"},
                                           ThresholdCase{"2", "2"}));

struct DecimalPlacesCase {
    std::string typed;
    std::string shown;
};

std::ostream& operator<<(std::ostream& out, const DecimalPlacesCase& c) {
    return out << c.typed;
}

class DecimalPlacesLostFocusTest : public OptionRulesTest,
                                   public ::testing::WithParamInterface<DecimalPlacesCase> {};

TEST_P(DecimalPlacesLostFocusTest, ClampsToOneToFifteen) {
    workspace.options.decimalPlaces = GetParam().typed;
    DecimalPlacesLostFocus(workspace, selected, prompt);
    EXPECT_EQ(workspace.options.decimalPlaces, GetParam().shown);
    EXPECT_EQ(Row()[kColDecimalPlaces], GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Texts, DecimalPlacesLostFocusTest,
                         ::testing::Values(DecimalPlacesCase{"0", "1"},
                                           DecimalPlacesCase{"20", "15"},
                                           DecimalPlacesCase{"", "1"}, DecimalPlacesCase{"7", "7"},
                                           DecimalPlacesCase{"-3", "1"},
                                           DecimalPlacesCase{"2.5", "2"}));

TEST_F(OptionRulesTest, AcceptsAFourPartCameraTextInAnyLetterCase) {
    workspace.options.camera = "640X480/1/100/45";
    EXPECT_TRUE(CameraLostFocus(workspace, selected, prompt));
    EXPECT_EQ(Row()[kColResolution], "640X480");
    EXPECT_EQ(Row()[kColNearPlane], "1");
    EXPECT_EQ(Row()[kColFarPlane], "100");
    EXPECT_EQ(Row()[kColFieldOfView], "45");
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(OptionRulesTest, RefusesAThreePartCameraTextAndRestoresTheStoredValues) {
    workspace.options.camera = "800x600/1/100";
    EXPECT_FALSE(CameraLostFocus(workspace, selected, prompt));
    EXPECT_EQ(prompt.LastText(), kCameraMessage);
    EXPECT_EQ(workspace.options.camera, "1024x768/10/4000/40");
    EXPECT_EQ(Row()[kColResolution], "1024x768");
}

TEST_F(OptionRulesTest, RefusesACameraTextWithoutSlashAndLeavesTheBox) {
    workspace.options.camera = "800x600";
    EXPECT_FALSE(CameraLostFocus(workspace, selected, prompt));
    EXPECT_EQ(prompt.LastText(), kCameraMessage);
    EXPECT_EQ(workspace.options.camera, "800x600");
    EXPECT_EQ(Row()[kColResolution], "1024x768");
}

TEST_F(OptionRulesTest, ARefusedCameraTextWithoutSelectionEmptiesTheBox) {
    workspace.options.camera = "800/600/1/100";
    EXPECT_FALSE(CameraLostFocus(workspace, std::nullopt, prompt));
    EXPECT_EQ(workspace.options.camera, "");
}

TEST_F(OptionRulesTest, AnEmptyCameraTextEmptiesTheCameraColumns) {
    workspace.options.camera.clear();
    EXPECT_TRUE(CameraLostFocus(workspace, selected, prompt));
    for (int column = kColResolution; column <= kColFieldOfView; ++column) {
        EXPECT_EQ(Row()[column], "");
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
    EXPECT_EQ(DistancesCaption(false), "Body Height");
    EXPECT_EQ(DistancesCaption(true), "Distances related to");
}

TEST_F(OptionRulesTest, SelectingASideNeedsASelectedFile) {
    EXPECT_FALSE(VideoSideClick(workspace, std::nullopt, VideoSide::Right, prompt));
    EXPECT_EQ(prompt.LastText(), "Please select an input file.");
    EXPECT_EQ(Row()[kColVideoClipSide], "Both Sides");
    EXPECT_TRUE(VideoSideClick(workspace, selected, VideoSide::Right, prompt));
    EXPECT_EQ(Row()[kColVideoClipSide], "Right Side");
}

TEST_F(OptionRulesTest, VideoAnalysisWithoutVideoAsksForOne) {
    Row()[kColVideoClipFile].clear();
    workspace.options.videoClipSide = true;
    const VideoClipSideOutcome outcome = VideoClipSideClick(workspace, selected);
    EXPECT_TRUE(outcome.openVideoDialog);
    EXPECT_FALSE(outcome.sidesEnabled);
    EXPECT_FALSE(workspace.options.videoClipSide);
}

TEST_F(OptionRulesTest, UncheckingVideoAnalysisForgetsTheVideo) {
    workspace.options.videoClipSide = true;
    workspace.options.leftSide = true;
    workspace.options.bothSides = false;
    EXPECT_TRUE(VideoClipSideClick(workspace, selected).sidesEnabled);
    EXPECT_EQ(Row()[kColVideoClipSide], "Left Side");
    workspace.options.videoClipSide = false;
    EXPECT_FALSE(VideoClipSideClick(workspace, selected).sidesEnabled);
    EXPECT_EQ(Row()[kColVideoClipFile], "");
    EXPECT_EQ(Row()[kColVideoClipSide], "");
}

TEST(OutputOptionRules, TheStatisticsFileFollowsTheSeparator) {
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
    EXPECT_TRUE(options.csvSeparator);
    EXPECT_FALSE(options.tsvSeparator);
}

TEST(OutputOptionRules, ANameWithoutPeriodKeepsItsText) {
    WorkspaceOptions options;
    options.statisticsFileName = "Statistics";
    SelectCsvSeparator(options);
    EXPECT_EQ(options.statisticsFileName, "Statistics.csv");
    options.statisticsFileName = "Stats";
    StatisticsFileNameLostFocus(options);
    EXPECT_EQ(options.statisticsFileName, "Stats.");
}

TEST(OutputOptionRules, LinesPerPartFileRangeFromTwoTo32767) {
    ScriptedPrompt prompt;
    WorkspaceOptions options;
    options.splitFile = true;
    for (const char* refused : {"1", "abc", "40000", ""}) {
        options.noOfLines = refused;
        EXPECT_FALSE(NoOfLinesLostFocus(options, prompt)) << refused;
        EXPECT_EQ(prompt.LastText(),
                  "Please enter the maximum number of data lines for each part file!");
    }
    options.noOfLines = "0500";
    EXPECT_TRUE(NoOfLinesLostFocus(options, prompt));
    EXPECT_EQ(options.noOfLines, "500");
    options.splitFile = false;
    SplitFileClick(options);
    EXPECT_EQ(options.noOfLines, "");
}

}  // namespace
}  // namespace kivo
