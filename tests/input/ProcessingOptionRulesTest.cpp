#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "core/Numbers.h"
#include "core/Workspace.h"
#include "input/OutputOptionRules.h"
#include "input/ProcessingOptionRules.h"
#include "support/ScriptedPrompt.h"

namespace kivo {
namespace {

using testing::ScriptedPrompt;

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

TEST(NumericTextBox, EmptiesATextThatIsNoNumberInTheUsersDecimalSymbol) {
    for (const char* text : {"2", "2.5", ""})
        EXPECT_EQ(FilterNumericText(text, "."), text);
    for (const char* text : {"2a", "-", "2,5"})
        EXPECT_EQ(FilterNumericText(text, "."), "") << text;
    EXPECT_EQ(FilterNumericText("2,5", ","), "2,5");
}

// Only 1, 2 and 3 take their own ending ("21" is "th" as well).
TEST(OrdinalFrameLabel, ReadsAsOnePhraseWithTheBox) {
    for (const auto& [box, label] : {std::pair{"1", "st Frame"}, std::pair{"2", "nd Frame"},
                                     std::pair{"3", "rd Frame"}, std::pair{"21", "th Frame"}})
        EXPECT_EQ(OrdinalFrameLabel(box, "."), label) << box;
}

// Use Every: positive whole numbers, rounded half to even, else the stored
// value. Thresholds: positive values, else 0.1. Decimal places: 1 to 15.
TEST_F(OptionRulesTest, TextBoxesStoreTheirCorrectedValueInTheSelectedFile) {
    using Cases = std::initializer_list<std::pair<const char*, const char*>>;
    for (const auto& [typed, shown] : Cases{{"0", "3"},
                                            {"-2", "3"},
                                            {"", "3"},
                                            {"0.4", "3"},
                                            {"2.5", "2"},
                                            {"3.5", "4"},
                                            {"5", "5"}}) {
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
        EXPECT_EQ(prompt.LastText(),
                  c.accepted ? ""
                             : "The input field 'Camera' does not contain exactly four values for "
                               "the following variables (slash-separated): \r\n\r\n"
                               "WidthxHeight/NearPlane/FarPlane/Field Of View");
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
    options.statisticsFileName = "Statistics";  // a name without period keeps its text
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

}  // namespace
}  // namespace kivo
