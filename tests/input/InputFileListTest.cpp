#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Numbers.h"
#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "support/ScriptedPrompt.h"
#include "support/SmallDataFile.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::ScriptedPrompt;
using testing::TempDir;
using testing::WriteSmallDataFile;

TEST(PartnerFileName, SwapsTheTokenBetweenTheLastTwoPeriods) {
    const std::pair<const char*, const char*> names[] = {{"s12.A.csv", "s12.B.csv"},
                                                         {"s12.B.csv", "s12.A.csv"},
                                                         {"s12.L.csv", "s12.R.csv"},
                                                         {"s12.R.csv", "s12.L.csv"},
                                                         {"A.csv", "B.csv"},
                                                         {"study.2.A.txt", "study.2.B.txt"},
                                                         {"s12.C.csv", ""},
                                                         {"s12.a.csv", ""},
                                                         {"s12.AB.csv", ""},
                                                         {"noperiod", ""},
                                                         {".A", ""}};
    for (const auto& [name, partner] : names)
        EXPECT_EQ(GetPartnerFileName(name), partner) << name;
}

class InputFileListTest : public ::testing::Test {
  protected:
    void SetUp() override { workspace.options.timeField = "Time"; }

    bool Add(const std::string& name, std::string_view step = "0.01") {
        WriteSmallDataFile(dir, name, "Time", step);
        return AddFile(workspace, name, dir.PathOf(""), prompt);
    }

    const InputFileRow& Row(std::size_t i) const { return workspace.inputFiles.at(i); }

    TempDir dir;
    ScriptedPrompt prompt;
    Workspace workspace;
};

TEST_F(InputFileListTest, FillsTheColumnsFromTheOptions) {
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
}

// Removing a file leaves its partner without.
TEST_F(InputFileListTest, PairsPartnersOnlyOfTheSameRate) {
    ASSERT_TRUE(Add("s01.A.csv"));
    ASSERT_TRUE(Add("s01.B.csv"));
    ASSERT_TRUE(Add("s02.A.csv", "0.01"));
    ASSERT_TRUE(Add("s02.B.csv", "0.02"));
    EXPECT_EQ(Row(0)[kColPartnerFile], "s01.B.csv");
    EXPECT_EQ(Row(1)[kColPartnerFile], "s01.A.csv");
    EXPECT_EQ(Row(2)[kColPartnerFile], "No");
    EXPECT_EQ(Row(3)[kColPartnerFile], "No");
    ASSERT_TRUE(RemoveInputFile(workspace, 0, prompt));
    ASSERT_EQ(workspace.inputFiles.size(), 3u);
    EXPECT_EQ(Row(0)[kColFileName], "s01.B.csv");
    EXPECT_EQ(Row(0)[kColPartnerFile], "No");
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
    const std::pair<const char*, const char*> sides[] = {{"s01.R.csv", "Right Side"},
                                                         {"s01.L.csv", "Left Side"},
                                                         {"s01.A.csv", "Left Side"},
                                                         {"s01.B.csv", "Right Side"},
                                                         {"s01.csv", "Both Sides"}};
    for (const auto& [name, side] : sides)
        EXPECT_EQ(PreselectVideoSide(name), side) << name;
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
    EXPECT_EQ(Row(1)[kColVideoClipFile], "/videos/take.avi");
    EXPECT_EQ(Row(1)[kColVideoClipSide], "Right Side");
    EXPECT_TRUE(workspace.options.videoClipSide);
    EXPECT_FALSE(workspace.options.leftSide);
    EXPECT_TRUE(workspace.options.rightSide);
    EXPECT_EQ(Row(0)[kColVideoClipFile], "/videos/take.avi");
    EXPECT_EQ(Row(0)[kColVideoClipSide], "Left Side");
    ASSERT_TRUE(Add("s01.L.csv"));
    workspace.inputFiles[2][kColVideoClipFile] = "/videos/s01.avi";
    workspace.inputFiles[2][kColVideoClipSide] = "Left Side";
    ASSERT_TRUE(Add("s01.R.csv"));
    EXPECT_EQ(Row(3)[kColVideoClipFile], "/videos/s01.avi");
    EXPECT_EQ(Row(3)[kColVideoClipSide], "Right Side");
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
    EXPECT_EQ(Row(0)[kColPartnerFile], "other.csv");
    EXPECT_EQ(Row(1)[kColPartnerFile], "s01.csv");
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

// Showing a row's options is the inverse of adding a file, for each text of
// the distance column.
TEST_F(InputFileListTest, ShowingAFilesOptionsIsTheInverseOfAddingIt) {
    ASSERT_TRUE(Add("s01.csv"));
    for (const char* text : {"unmodified", "Height", "Length", "175"}) {
        SCOPED_TRACE(text);
        workspace.inputFiles[0][kColDistancesRelatedTo] = text;
        workspace.options = WorkspaceOptions();
        workspace.options.bodyHeight = "stale";
        ShowInputFileOptions(workspace, 0);
        const WorkspaceOptions& options = workspace.options;
        EXPECT_EQ(options.timeField, "Time");
        EXPECT_EQ(options.linesPerSec, "100");
        EXPECT_EQ(options.camera, "1024x768/10/4000/40");
        EXPECT_EQ(GetDistanceOption(options), text);
        EXPECT_TRUE(!options.distances || options.distancesHeight != options.distancesLength);
        EXPECT_FALSE(options.videoClipSide);
    }
}

}  // namespace
}  // namespace kivo
