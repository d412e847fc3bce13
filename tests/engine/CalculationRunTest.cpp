#include <gtest/gtest.h>

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "core/InputVariableTable.h"
#include "core/NoValue.h"
#include "core/Numbers.h"
#include "core/StatusCode.h"
#include "core/Text.h"
#include "core/Workspace.h"
#include "engine/CalculationRun.h"
#include "engine/DistanceCorrection.h"
#include "engine/OutputFileNames.h"
#include "engine/OutputItems.h"
#include "engine/RunSink.h"
#include "input/DataFieldBindings.h"
#include "input/InputFileList.h"
#include "params/Catalogue.h"
#include "params/DefaultParameterList.h"
#include "settings/BindingsFile.h"
#include "support/OutputLines.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "support/TestVideo.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::Fields;
using testing::ReadCrLfLines;
using testing::ReadFileText;
using testing::ScriptedPrompt;
using testing::TempDir;

constexpr const char* kDataError = "ERROR:Data error";

// One frame of a small data file: the time and frame fields as written, the
// Hips pose and, unless the line is cut short, the Chest pose.
struct Frame {
    std::string time;
    std::string frame;
    std::vector<double> hips;
    std::vector<double> chest;
};

std::string Number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string DataFile(const std::vector<Frame>& frames) {
    std::string content = "Exported take\nTime;Frame";
    for (const char* part : {"Hips", "Chest"}) {
        for (const char* component : {"Tx", "Ty", "Tz", "Rx", "Ry", "Rz"})
            content += std::string(";") + part + ":" + component;
    }
    content += "\n";
    for (const Frame& frame : frames) {
        content += frame.time + ";" + frame.frame;
        for (double value : frame.hips)
            content += ";" + Number(value);
        for (double value : frame.chest)
            content += ";" + Number(value);
        content += "\n";
    }
    return content;
}

// Frames 1..count, 0.01 s apart; the Hips are turned forward by as many
// degrees as the frame number (plus `offset`), so every output line shows
// which data line it came from.
std::vector<Frame> TurningFrames(int count, double offset = 0.0) {
    std::vector<Frame> frames;
    for (int k = 1; k <= count; ++k) {
        char time[16];
        std::snprintf(time, sizeof time, "%.2f", (k - 1) * 0.01);
        frames.push_back({time,
                          std::to_string(k),
                          {1.0, 2.0, 3.0, k + offset, 0.0, 0.0},
                          {0.0, 0.5, 0.0, 0.0, 0.0, 0.0}});
    }
    return frames;
}

// Requests a cancel on the n-th poll and records the files it was told about.
class TestSink : public RunSink {
  public:
    void FileFinished(const RunProgress& progress) override { finished.push_back(progress); }
    bool TakeCancelRequest() override { return ++polls == cancelOnPoll; }

    int cancelOnPoll = 0;
    int polls = 0;
    std::vector<RunProgress> finished;
};

// Keeps the statistics file as it is when the run reports its end.
class EndWatchingPrompt : public ScriptedPrompt {
  public:
    PromptAnswer Ask(const PromptMessage& message) override {
        if (message.text.starts_with("All files have been processed."))
            statisticsAtEnd = ReadFileText(statisticsPath);
        return ScriptedPrompt::Ask(message);
    }
    using UserPrompt::Ask;

    std::string statisticsPath;
    std::string statisticsAtEnd;
};

class CalculationRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir.PathOf("in"));
        fs::create_directories(dir.PathOf("out"));
        WorkspaceOptions& options = workspace.options;
        options.timeField = "Time";
        options.distances = false;  // distances stay unmodified
        options.decimalPlaces = "3";
        options.directoryOutputFiles = OutDir();
        workspace.boundDataFields[kHips] = "Hips";
        workspace.boundDataFields[kChest] = "Chest";
        prompt.statisticsPath = OutPath("Statistics.csv");
    }

    std::string InDir() const { return dir.PathOf("in"); }
    std::string OutDir() const { return dir.PathOf("out"); }
    std::string InPath(const std::string& name) const { return InDir() + "/" + name; }
    std::string OutPath(const std::string& name) const { return OutDir() + "/" + name; }

    // Writes a data file into the input folder and adds it to the input file list.
    void AddInput(const std::string& name, const std::vector<Frame>& frames) {
        dir.Write("in/" + name, DataFile(frames));
        ASSERT_TRUE(AddFile(workspace, name, InDir(), setupPrompt)) << setupPrompt.LastText();
    }

    void AddRow(const std::string& name, const std::string& function, const std::string& variables,
                const std::string& target = "", const std::string& reference = "",
                const std::string& output = "x", const std::string& dynamic = "",
                bool enabled = true) {
        AddParameterRow(workspace.parameters, name, function, variables, target, reference, output,
                        "", dynamic, enabled);
    }

    // Person A's file with `framesA` frames, its partner with `framesB` (0: none),
    // a Static SRL row of the Hips and a Dyadic row on it.
    void AddPairWithDyadicRow(int framesA, int framesB, const std::string& dyadicOutput = "x") {
        AddInput(framesB > 0 ? "s.A.csv" : "take.csv", TurningFrames(framesA));
        if (framesB > 0)
            AddInput("s.B.csv", TurningFrames(framesB, 100.0));
        AddRow("Hips SRL", "Static SRL", "Hips");
        AddRow("Dyadic Hips", "Dyadic Parameter", "Hips SRL", "", "", dyadicOutput);
    }

    RunSummary Run() {
        SetAllParameterTypeTags(workspace.parameters);
        return CalculateData(workspace, prompt, sink);
    }

    int CountMessages(const std::string& part) const {
        int count = 0;
        for (const PromptMessage& message : prompt.messages)
            count += message.text.find(part) != std::string::npos ? 1 : 0;
        return count;
    }

    std::string AllMessages() const {
        std::string all;
        for (const PromptMessage& message : prompt.messages)
            all += "[" + message.text + "]\n";
        return all;
    }

    TempDir dir;
    Workspace workspace;
    ScriptedPrompt setupPrompt;
    EndWatchingPrompt prompt;
    TestSink sink;
};

// The time is written as a general number of 15 digits with the user's
// decimal symbol, the frame field as it is.
TEST_F(CalculationRunTest, WritesTheCompiledCaptionsAndOneCrLfLinePerFrame) {
    workspace.decimalSymbol = ",";
    std::vector<Frame> frames = TurningFrames(3);
    frames[0].time = "0.0083333333333333332";
    frames[0].frame = "0007";
    frames[1].time = "0.10000000000000001";
    frames[1].frame = "f8";
    frames[2].time = "12.5000";
    frames[2].frame = "9.50";
    AddInput("take.csv", frames);
    AddRow("Hips", "Static SRL", "Hips", "", "", "x", "x");
    AddRow("Pose", "Coord. Transform.", "Hips");
    AddRow("Turn Rate", "Dynamic SRL", "Hips", "", "", "x", "x");
    AddRow("Hidden", "Static SRL", "Chest", "", "", "");
    AddRow("Off", "Static SRL", "Chest", "", "", "x", "", false);

    const RunSummary summary = Run();

    EXPECT_TRUE(summary.completed) << AllMessages();
    EXPECT_EQ(summary.outputFiles, std::vector<std::string>{OutPath("take.csv")});
    EXPECT_EQ(summary.framesProcessed, 3);
    EXPECT_TRUE(summary.filesWithErrors.empty());
    const std::vector<std::string> lines = ReadCrLfLines(OutPath("take.csv"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              "Time;Frame;Hips Sagittal;D Hips Sagittal;Hips Rotational;D Hips Rotational;"
              "Hips Lateral;D Hips Lateral;Pose: TransX;Pose: TransY;Pose: TransZ;Pose: RotX;"
              "Pose: RotY;Pose: RotZ;Turn Rate Sagittal;D Turn Rate Sagittal;"
              "Turn Rate Rotational;D Turn Rate Rotational;Turn Rate Lateral;D Turn Rate Lateral");
    // The first frame has no differences, and rows that need two frames stay empty.
    EXPECT_EQ(lines[1],
              "0,00833333333333333;0007;1,000;;0,000;;0,000;;1,000;2,000;3,000;1,000;0,000;0,000;"
              ";;;;;");
    EXPECT_EQ(lines[2],
              "0,1;f8;2,000;1,000;0,000;0,000;0,000;0,000;1,000;2,000;3,000;2,000;0,000;0,000;"
              "1,000;;0,000;;0,000;");
    EXPECT_EQ(lines[3],
              "12,5;9.50;3,000;1,000;0,000;0,000;0,000;0,000;1,000;2,000;3,000;3,000;0,000;0,000;"
              "1,000;0,000;0,000;0,000;0,000;0,000");
    ASSERT_EQ(prompt.messages.size(), 1u) << AllMessages();
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Information);
    EXPECT_TRUE(
        std::regex_match(prompt.messages[0].text,
                         std::regex("The data of the file 'take\\.csv' has been "
                                    "processed\\.\r\n\r\nElapsed time: \\d\\d:\\d\\d:\\d\\d")))
        << prompt.messages[0].text;
}

TEST_F(CalculationRunTest, UseEveryThreeProcessesLinesOneFourSevenWithThePartnerInStep) {
    workspace.options.skipLines = "3";
    std::vector<Frame> partner = TurningFrames(7, 100.0);
    partner[3].hips.clear();  // data line 4 (line 6 of the file) lacks the Hips fields
    partner[3].chest.clear();
    AddInput("s.A.csv", TurningFrames(7));
    AddInput("s.B.csv", partner);
    ASSERT_EQ(workspace.inputFiles[0][kColPartnerFile], "s.B.csv");
    AddRow("Hips", "Static SRL", "Hips", "", "", "x", "x");
    AddRow("Turn", "Dynamic SRL", "Hips");

    const RunSummary summary = Run();

    EXPECT_TRUE(summary.completed) << AllMessages();
    const std::vector<std::string> lines = ReadCrLfLines(OutPath("s.A.csv"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "0;1;1.000;;0.000;;0.000;;;;");
    EXPECT_EQ(lines[2], "0.03;4;4.000;3.000;0.000;0.000;0.000;0.000;3.000;0.000;0.000");
    EXPECT_EQ(lines[3], "0.06;7;7.000;3.000;0.000;0.000;0.000;0.000;3.000;0.000;0.000");
    // The partner's 4th data line is read together with the input's 4th: the
    // short line is found, and the partner does not run out.
    const std::string shortPartnerLine = "Line 6 of the file '" + InPath("s.B.csv") + "'";
    EXPECT_EQ(CountMessages(shortPartnerLine), 2) << AllMessages();  // once per file of the pair
    EXPECT_EQ(CountMessages("Line "), 2) << AllMessages();
    EXPECT_EQ(CountMessages("ends before"), 0) << AllMessages();
    const std::vector<std::string> partnerLines = ReadCrLfLines(OutPath("s.B.csv"));
    ASSERT_EQ(partnerLines.size(), 4u);
    EXPECT_EQ(Fields(partnerLines[3])[1], "7");
}

struct SplitCase {
    int frames;
    int useEvery;
    int linesPerPart;
    std::vector<std::vector<std::string>> partFrames;  // frame fields of each part
};

class SplitModeRun : public CalculationRunTest, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(SplitModeRun, WritesPartFilesOnlyForLinesThatExist) {
    const SplitCase& c = GetParam();
    workspace.options.skipLines = std::to_string(c.useEvery);
    workspace.options.splitFile = true;
    workspace.options.noOfLines = std::to_string(c.linesPerPart);
    AddInput("take.csv", TurningFrames(c.frames));
    AddRow("Hips", "Static SRL", "Hips", "", "", "x", "x");
    AddRow("Turn", "Dynamic SRL", "Hips");

    const RunSummary summary = Run();

    ASSERT_TRUE(summary.completed) << AllMessages();
    const std::vector<std::string> output = ReadCrLfLines(OutPath("take.csv"));
    ASSERT_FALSE(output.empty());
    std::size_t written = 0;
    for (std::size_t part = 0; part < c.partFrames.size(); ++part) {
        char name[64];
        std::snprintf(name, sizeof name, "take.part-%03zu.csv", part + 1);
        SCOPED_TRACE(name);
        const std::vector<std::string> lines = ReadCrLfLines(OutPath(name));
        ASSERT_EQ(lines.size(), c.partFrames[part].size() + 1);
        EXPECT_EQ(lines[0], output[0]);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i], output[++written]);
            const std::vector<std::string> fields = Fields(lines[i]);
            ASSERT_EQ(fields.size(), 11u);
            EXPECT_EQ(fields[1], c.partFrames[part][i - 1]);
            // The Dynamic SRL row starts again with every part.
            if (i == 1) {
                EXPECT_EQ(fields[8] + fields[9] + fields[10], "") << lines[i];
            } else {
                EXPECT_EQ(fields[8], FormatFixed(c.useEvery, 3, ".")) << lines[i];
            }
        }
    }
    EXPECT_EQ(written + 1, output.size());
    char next[64];
    std::snprintf(next, sizeof next, "take.part-%03zu.csv", c.partFrames.size() + 1);
    EXPECT_FALSE(fs::exists(OutPath(next)));
    EXPECT_EQ(summary.outputFiles.size(), c.partFrames.size() + 1);
    const std::vector<std::string> means = ReadCrLfLines(OutPath("take.means.csv"));
    ASSERT_FALSE(means.empty());
    EXPECT_EQ(means[0].rfind("Part ;Frames;Hips Sagittal;D Hips Sagittal;", 0), 0u) << means[0];
}

INSTANTIATE_TEST_SUITE_P(Parts, SplitModeRun,
                         ::testing::Values(SplitCase{5, 1, 2, {{"1", "2"}, {"3", "4"}, {"5"}}},
                                           SplitCase{6, 3, 2, {{"1", "4"}}},
                                           SplitCase{9, 2, 3, {{"1", "3", "5"}, {"7", "9"}}}));

// A file whose options cannot be read stops alone, with one or several jobs;
// the files before and after it are written whole.
class FailingFileRun : public CalculationRunTest, public ::testing::WithParamInterface<int> {};

TEST_P(FailingFileRun, StopsOnlyItsOwnFile) {
    for (const char* name : {"first.csv", "bad.csv", "third.csv"})
        AddInput(name, TurningFrames(5));
    workspace.inputFiles[1][kColDecimalPlaces] = "99";
    AddRow("Hips SRL", "Static SRL", "Hips");
    // Rows whose captions name their target row or input variables.
    AddRow("Ratio", "Division", "Hips SRL", "Hips SRL");
    AddRow("Near", "Less Than", "Hips SRL", "Hips,Chest");
    SetAllParameterTypeTags(workspace.parameters);
    RunSchedule schedule;
    schedule.jobs = GetParam();

    const RunSummary summary = CalculateData(workspace, prompt, sink, {}, schedule);

    EXPECT_FALSE(summary.completed);
    EXPECT_EQ(ReadCrLfLines(OutPath("first.csv")).size(), 6u);
    EXPECT_EQ(ReadCrLfLines(OutPath("third.csv")).size(), 6u);
    EXPECT_EQ(summary.framesProcessed, 10);
    EXPECT_EQ(CountMessages("'99' is not a whole number"), 1) << AllMessages();
    EXPECT_EQ(CountMessages("bad.csv"), 1) << AllMessages();
    EXPECT_EQ(sink.finished.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Jobs, FailingFileRun, ::testing::Values(1, 3));

constexpr const char* kOverwriteQuestion =
    "Do you want to overwrite all files in the output directory?";

// The answers to the overwrite question and, when the run is asked to stop
// in the first file, to the abort question.
struct QuestionCase {
    const char* label;
    bool overwrite;
    bool cancel;
    bool abort;
};

class RunQuestions : public CalculationRunTest,
                     public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(RunQuestions, DecideWhetherTheRunGoesOn) {
    const QuestionCase& c = GetParam();
    AddInput("first.csv", TurningFrames(5));
    AddInput("second.csv", TurningFrames(3));
    AddParameterRow(workspace.parameters, "Hips", "Static SRL", "Hips", "", "", "x", "x", "", true);
    dir.Write("out/first.csv", "old\r\n");
    dir.Write("out/Statistics.csv", "old\r\n");
    sink.cancelOnPoll = c.cancel ? 2 : 0;
    prompt.QueueAnswer(c.overwrite ? PromptAnswer::Yes : PromptAnswer::No);
    prompt.QueueAnswer(c.abort ? PromptAnswer::Yes : PromptAnswer::No);

    const RunSummary summary = Run();

    EXPECT_EQ(CountMessages(kOverwriteQuestion), 1) << AllMessages();
    EXPECT_EQ(summary.completed, c.overwrite && !c.abort);
    if (c.cancel) {
        ASSERT_GE(prompt.messages.size(), 2u) << AllMessages();
        EXPECT_EQ(prompt.messages[1].text, "Do you really want to abort the calculations?");
        EXPECT_EQ(prompt.messages[1].buttons, PromptButtons::YesNo);
    }
    if (!summary.completed) {
        // Nothing is written, or the file in hand is dropped; the earlier files
        // stay as they were.
        EXPECT_EQ(prompt.messages.size(), c.overwrite ? 2u : 1u) << AllMessages();
        EXPECT_EQ(summary.framesProcessed, c.overwrite ? 2 : 0);
        EXPECT_TRUE(summary.outputFiles.empty());
        EXPECT_TRUE(summary.statisticsFile.empty());
        EXPECT_EQ(ReadFileText(OutPath("first.csv")), "old\r\n");
        EXPECT_EQ(ReadFileText(OutPath("Statistics.csv")), "old\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(OutDir()), fs::directory_iterator()), 2)
            << "a file besides the old ones is left";
        return;
    }
    EXPECT_EQ(ReadCrLfLines(OutPath("first.csv"))[0],
              "Time;Frame;Hips Sagittal;Hips Rotational;Hips Lateral");
    EXPECT_EQ(ReadCrLfLines(OutPath("first.csv")).size(), 6u);
    EXPECT_EQ(ReadCrLfLines(OutPath("second.csv")).size(), 4u);
    EXPECT_EQ(ReadCrLfLines(OutPath("Statistics.csv")).size(), 3u);
    // The end is reported once, when every file is in place.
    EXPECT_EQ(prompt.statisticsAtEnd, ReadFileText(OutPath("Statistics.csv")));
    EXPECT_EQ(summary.outputFiles.size(), 2u);
    EXPECT_EQ(prompt.messages.size(), 3u) << AllMessages();
    EXPECT_TRUE(std::regex_match(
        prompt.LastText(),
        std::regex("All files have been processed\\.\r\n\r\nElapsed time: \\d\\d:\\d\\d:\\d\\d")))
        << AllMessages();
    ASSERT_EQ(sink.finished.size(), 2u);
    EXPECT_EQ(sink.finished[1].fileName, "second.csv");
    EXPECT_EQ(sink.finished[1].fileNumber, 2);
    EXPECT_EQ(sink.finished[1].fileCount, 2);
    EXPECT_EQ(sink.finished[1].framesProcessed, 3);
    EXPECT_EQ(sink.finished[1].bytesRead, sink.finished[1].fileSize);
}

INSTANTIATE_TEST_SUITE_P(Answers, RunQuestions,
                         ::testing::Values(QuestionCase{"NoOverwrite", false, false, false},
                                           QuestionCase{"Abort", true, true, true},
                                           QuestionCase{"NoAbort", true, true, false}),
                         [](const auto& paramInfo) { return paramInfo.param.label; });

struct CollisionCase {
    std::string label;
    std::string other;  // a second input file ("" = none)
    bool otherIsPartner;
    std::string prefix;
    std::string suffix;
    bool split;
};

class OutputCollision : public CalculationRunTest,
                        public ::testing::WithParamInterface<CollisionCase> {};

TEST_P(OutputCollision, RefusesAnOutputPathThatIsAnInputFile) {
    const CollisionCase& c = GetParam();
    workspace.options.directoryOutputFiles = InDir();
    workspace.options.prefix = c.prefix;
    workspace.options.suffix = c.suffix;
    workspace.options.splitFile = c.split;
    workspace.options.noOfLines = "2";
    AddInput("take.csv", TurningFrames(3));
    if (!c.other.empty()) {
        dir.Write("in/" + c.other, DataFile(TurningFrames(3)));
        if (c.otherIsPartner) {
            ASSERT_TRUE(AssignPartnerFile(workspace, 0, InPath(c.other), setupPrompt));
        } else {
            ASSERT_TRUE(AddFile(workspace, c.other, InDir(), setupPrompt));
        }
    }
    // With statistics: the existing statistics file must stay as it is, too.
    AddParameterRow(workspace.parameters, "Hips", "Static SRL", "Hips", "", "", "x", "x", "", true);
    dir.Write("in/Statistics.csv", "kept\r\n");
    std::vector<std::pair<std::string, std::string>> before;
    for (const auto& entry : fs::directory_iterator(InDir()))
        before.emplace_back(entry.path().string(), ReadFileText(entry.path().string()));

    const RunSummary summary = Run();

    EXPECT_FALSE(summary.completed);
    EXPECT_EQ(CountMessages("would replace the input file"), 1) << AllMessages();
    EXPECT_EQ(CountMessages(kOverwriteQuestion), 0) << AllMessages();
    EXPECT_TRUE(summary.outputFiles.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(InDir()), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(before.size()))
        << "a file was created";
    for (const auto& [path, content] : before)
        EXPECT_EQ(ReadFileText(path), content) << path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, OutputCollision,
    ::testing::Values(
        CollisionCase{"ItsOwnInputFile", "", false, "", "", false},
        CollisionCase{"ThePartnerFile", "p_take.csv", true, "p_", "", false},
        CollisionCase{"ALaterPartFileOnAListedFile", "take_o.part-002.csv", false, "", "_o", true},
        CollisionCase{"TheMeansFileOnAListedFile", "take_o.means.csv", false, "", "_o", true}),
    [](const auto& paramInfo) { return paramInfo.param.label; });

struct SharedFileCase {
    std::string label;
    std::string first;  // "x/name": an input file in a folder of its own
    std::string second;
    bool split;
    std::string clash;  // the output file both would write
};

class SharedOutputFile : public CalculationRunTest,
                         public ::testing::WithParamInterface<SharedFileCase> {};

TEST_P(SharedOutputFile, IsRefusedNamingBothInputFilesBeforeAnythingIsWritten) {
    const SharedFileCase& c = GetParam();
    workspace.options.splitFile = c.split;
    workspace.options.noOfLines = "2";
    for (const std::string& file : {c.first, c.second}) {
        const auto [folder, name] = SplitDirectoryAndName(file);
        fs::create_directories(dir.PathOf("in/" + folder));
        dir.Write("in/" + file, DataFile(TurningFrames(3)));
        ASSERT_TRUE(AddFile(workspace, name, InPath(folder), setupPrompt)) << file;
    }
    AddParameterRow(workspace.parameters, "Hips", "Static SRL", "Hips", "", "", "x", "x", "", true);
    dir.Write("out/Statistics.csv", "kept\r\n");

    const RunSummary summary = Run();

    EXPECT_FALSE(summary.completed);
    ASSERT_EQ(prompt.messages.size(), 1u) << AllMessages();
    const std::string& text = prompt.messages[0].text;
    for (const std::string& named : {c.second, "out/" + c.clash})
        EXPECT_NE(text.find(named), std::string::npos) << named << " in " << text;
    EXPECT_EQ(text.find(c.first) != std::string::npos, c.clash != "Statistics.csv") << text;
    EXPECT_EQ(std::distance(fs::directory_iterator(OutDir()), fs::directory_iterator()), 1);
    EXPECT_EQ(ReadFileText(OutPath("Statistics.csv")), "kept\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Files, SharedOutputFile,
    ::testing::Values(
        SharedFileCase{"OutputFile", "x/s.A.txt", "y/s.A.tsv", false, "s.A.csv"},
        SharedFileCase{"MeansFileAsOutputFile", "x/s.txt", "y/s.means.txt", true, "s.means.csv"},
        SharedFileCase{"PartFile", "x/s.txt", "y/s.part-002.txt", true, "s.part-002.csv"},
        SharedFileCase{"StatisticsFile", "x/s.txt", "y/Statistics.txt", false, "Statistics.csv"}),
    [](const auto& paramInfo) { return paramInfo.param.label; });

// A short data line gives data errors for the variables it lacks only; a
// value, difference or statistic that overflows is an error item, never an
// infinity.
TEST_F(CalculationRunTest, ShortDataLinesAndOverflowsGiveErrorItemsOnly) {
    std::vector<Frame> frames = TurningFrames(5);
    frames[2].chest.clear();  // data lines 3 and 4 (file lines 5 and 6) lack the Chest fields
    frames[3].chest.clear();
    frames[0].hips[0] = 1e308;
    frames[1].hips[0] = -1e308;  // the difference to the frame before overflows
    frames[2].hips[0] = 1e154;   // and so do the sums of squares
    AddInput("take.csv", frames);
    AddRow("Hips SRL", "Static SRL", "Hips");
    AddRow("Chest SRL", "Static SRL", "Chest");
    AddRow("Both", "Addition", "Hips SRL,Chest SRL");
    AddParameterRow(workspace.parameters, "Pose", "Coord. Transform.", "Hips", "", "", "x", "x",
                    "x", true);

    const RunSummary summary = Run();

    EXPECT_TRUE(summary.completed) << AllMessages();
    const std::vector<std::string> lines = ReadCrLfLines(OutPath("take.csv"));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_TRUE(
        lines[2].starts_with("0.01;2;2.000;0.000;0.000;0.000;0.000;0.000;2.000;0.000;0.000;"))
        << lines[2];
    EXPECT_TRUE(
        lines[3].starts_with("0.02;3;3.000;0.000;0.000;ERROR:Data error;ERROR:Data error;"
                             "ERROR:Data error;ERROR:Inherited error;ERROR:Inherited "
                             "error;ERROR:Inherited error;"))
        << lines[3];
    EXPECT_EQ(Fields(lines[4])[5], kDataError);
    EXPECT_TRUE(
        lines[5].starts_with("0.04;5;5.000;0.000;0.000;0.000;0.000;0.000;5.000;0.000;0.000;"))
        << lines[5];
    EXPECT_EQ(Fields(lines[2])[12], "ERROR:Overflow") << lines[2];  // D Pose: TransX
    for (const char* name : {"take.csv", "Statistics.csv"}) {
        std::string text = ReadFileText(OutPath(name));
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(text.find("inf"), std::string::npos) << name << ":\n" << text;
        EXPECT_EQ(text.find("nan"), std::string::npos) << name << ":\n" << text;
        EXPECT_NE(text.find("error:overflow"), std::string::npos) << name << ":\n" << text;
    }
    EXPECT_EQ(CountMessages("fewer fields"), 1) << AllMessages();
    EXPECT_EQ(CountMessages("Line 5 of the file '" + InPath("take.csv") + "'"), 1) << AllMessages();
    EXPECT_EQ(summary.filesWithErrors, std::vector<std::string>{"take.csv"});
    EXPECT_EQ(prompt.LastText(),
              "While processing the data, at least one error occured.\r\nPlease check the "
              "following output files for the item 'ERROR':\r\n\r\ntake.csv");
}

TEST_F(CalculationRunTest, BlankLinesAreNoFramesAndAShorterPartnerGivesOneNotice) {
    AddPairWithDyadicRow(5, 3);
    // A blank line after the format line and after the second frame, blank
    // lines at the end; in the partner a line of blanks after the first frame.
    // Two fields of the input file, after the partner has ended, are not numbers.
    std::vector<Frame> frames = TurningFrames(5);
    frames[3].chest[3] = std::numeric_limits<double>::quiet_NaN();
    frames[4].chest[0] = std::numeric_limits<double>::infinity();
    std::string a = DataFile(frames);
    a.insert(a.find("\n0.00;") + 1, "\n");
    a.insert(a.find("\n0.02;") + 1, "\r\n");
    dir.Write("in/s.A.csv", a + "\n \t\n\n");
    std::string b = DataFile(TurningFrames(3, 100.0));
    b.insert(b.find("\n0.01;") + 1, "   \n");
    dir.Write("in/s.B.csv", b);

    const RunSummary summary = Run();

    EXPECT_TRUE(summary.completed) << AllMessages();
    EXPECT_EQ(summary.framesProcessed, 8);
    EXPECT_EQ(CountMessages("The partner file 's.B.csv' ends before the input file 's.A.csv'"), 1)
        << AllMessages();
    EXPECT_EQ(CountMessages("ends before"), 1) << AllMessages();
    EXPECT_EQ(CountMessages("not numbers"), 1) << AllMessages();
    EXPECT_EQ(CountMessages("The file '" + InPath("s.A.csv") +
                            "' holds 2 fields that are not numbers; they were read as 0 or as "
                            "the number they begin with.\r\nThe first is in line 8, field "
                            "'Chest:Rx' (column 12): 'nan'."),
              1)
        << AllMessages();
    for (const auto& [name, count] : {std::pair{"s.A.csv", 5}, {"s.B.csv", 3}}) {
        const std::vector<std::string> lines = ReadCrLfLines(OutPath(name));
        ASSERT_EQ(lines.size(), count + 1u) << name;
        for (int k = 1; k <= count; ++k) {
            const std::vector<std::string> fields = Fields(lines[k]);
            ASSERT_EQ(fields.size(), 17u) << lines[k];
            EXPECT_EQ(fields[1], std::to_string(k)) << name;
            if (k > 3)
                continue;
            // The pair's common sagittal angle: the same frame of both files.
            EXPECT_EQ(fields[5], FormatFixed(2 * k + 100, 3, ".")) << name << ": " << lines[k];
            EXPECT_EQ(lines[k].find("ERROR"), std::string::npos) << name << ": " << lines[k];
        }
    }
}

class MissingPartner : public CalculationRunTest,
                       public ::testing::WithParamInterface<PromptAnswer> {};

TEST_P(MissingPartner, DyadicRowIsDroppedAfterOkAndCancelEndsTheRun) {
    const bool ok = GetParam() == PromptAnswer::Ok;
    AddPairWithDyadicRow(3, 0);
    prompt.QueueAnswer(GetParam());

    const RunSummary summary = Run();

    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_EQ(prompt.messages[0].text,
              "Partner file of input file 'take.csv' is missing.\r\nNo parameters will be "
              "calculated, which needs data of a partner.");
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(summary.completed, ok);
    if (!ok) {
        EXPECT_FALSE(fs::exists(OutPath("take.csv")));
        return;
    }
    // The run leaves the list alone and names the row the user agreed to drop.
    EXPECT_TRUE(workspace.parameters[1].enabled);
    EXPECT_EQ(summary.rowsToUncheck, std::vector<std::size_t>{1});
    const std::vector<std::string> lines = ReadCrLfLines(OutPath("take.csv"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Time;Frame;Hips SRL Sagittal;Hips SRL Rotational;Hips SRL Lateral");
    EXPECT_EQ(lines[3], "0.02;3;3.000;0.000;0.000");
}

INSTANTIATE_TEST_SUITE_P(Answers, MissingPartner,
                         ::testing::Values(PromptAnswer::Ok, PromptAnswer::Cancel),
                         [](const ::testing::TestParamInfo<PromptAnswer>& paramInfo) {
                             return paramInfo.param == PromptAnswer::Ok ? "Ok" : "Cancel";
                         });

// A file whose camera text cannot be used: after OK its camera rows are
// setting errors and the list leaves them out later; the next file has its
// own camera (here without camera data in the file).
TEST_F(CalculationRunTest, UnusableCameraGivesSettingErrorsForThatFileOnly) {
    AddInput("one.csv", TurningFrames(2));
    AddInput("two.csv", TurningFrames(2));
    workspace.inputFiles[0][kColResolution] = "1024x";
    AddRow("Hips SRL", "Static SRL", "Hips");
    AddRow("Framing", "Camera Framing", "Hips", "Chest");
    AddRow("Extent", "Camera Proxemics", "Hips", "Chest");

    const RunSummary summary = Run();

    EXPECT_TRUE(summary.completed) << AllMessages();
    ASSERT_EQ(CountMessages("Values for resolution, near plane, far plane, and 'field of view' "
                            "are missing.\r\n\r\nThe parameters 'Camera Framing' and 'Camera "
                            "Proxemics' cannot be calculated and will be disabled."),
              1)
        << AllMessages();
    EXPECT_EQ(ReadCrLfLines(OutPath("one.csv"))[2],
              "0.01;2;2.000;0.000;0.000;ERROR:Setting error;ERROR:Setting error");
    EXPECT_EQ(ReadCrLfLines(OutPath("two.csv"))[2],
              "0.01;2;2.000;0.000;0.000;ERROR:Data error;ERROR:Data error");
    EXPECT_EQ(summary.rowsToUncheck, (std::vector<std::size_t>{1, 2}));
}

// The video is opened only for enabled Pixel Difference rows. It advances
// once per data frame however many rows read it, lags one frame behind the
// data, and gives data errors once its last frame is reached.
TEST_F(CalculationRunTest, PixelDifferenceRowsShareOneFramePairPerDataFrame) {
    AddInput("take.csv", TurningFrames(6));  // 100 frames per second
    workspace.inputFiles[0][kColVideoClipFile] = dir.PathOf("missing.avi");
    workspace.inputFiles[0][kColVideoClipSide] = "Right Side";
    AddRow("Change", "Pixel Difference", "", "", "", "x", "", false);
    AddRow("Change Again", "Pixel Difference", "", "", "", "x", "", false);
    ASSERT_TRUE(Run().completed);
    EXPECT_EQ(CountMessages("missing.avi"), 0) << AllMessages();

    using testing::SolidFrame;
    const PixelFrame dark = SolidFrame(8, 2, {0, 0, 0});
    const PixelFrame rightLit = testing::WithColumns(dark, 4, 7, {9, 9, 9});
    testing::WriteVideo(dir.PathOf("take.avi"), {dark, dark, rightLit, dark, dark}, 100);
    workspace.inputFiles[0][kColVideoClipFile] = dir.PathOf("take.avi");
    workspace.parameters[0].enabled = workspace.parameters[1].enabled = true;
    prompt.messages.clear();

    const RunSummary summary = Run();

    EXPECT_TRUE(summary.completed);
    EXPECT_EQ(CountMessages("take.avi"), 0) << AllMessages();
    const std::vector<std::string> lines = ReadCrLfLines(OutPath("take.csv"));
    ASSERT_EQ(lines.size(), 7u);
    const char* values[] = {"0.000", "0.000", "0.000", "50.000", "50.000", kDataError};
    for (int i = 0; i < 6; ++i) {
        const std::vector<std::string> fields = Fields(lines[i + 1]);
        EXPECT_EQ(fields[2], values[i]) << lines[i + 1];
        EXPECT_EQ(fields[3], values[i]) << lines[i + 1];
    }
}

class FailedCorrection : public CalculationRunTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FailedCorrection, EachPersonComputedWritesItsOwnNotice) {
    const bool partnerRow = GetParam();
    workspace.options.distances = true;  // body height, but Top, Bottom, ... are not bound
    AddPairWithDyadicRow(2, 2, "");
    workspace.parameters[1].enabled = partnerRow;

    const RunSummary summary = Run();

    ASSERT_TRUE(summary.completed) << AllMessages();
    // The notice is the one the factors' calculation gives for an empty model.
    const std::vector<std::string> notice =
        CalculateDistanceCorrectionFactors(InputVariableTable(), 1, "Height", ".").noticeLines;
    ASSERT_EQ(notice.size(), 2u);
    const std::string& error = notice[0];
    const std::string& note = notice[1];
    std::vector<std::string> expected = {
        "Time;Frame;Hips SRL Sagittal;Hips SRL Rotational;Hips SRL Lateral", error, note};
    if (partnerRow) {
        expected.push_back(error);
        expected.push_back(note);
    }
    expected.push_back("0;1;1.000;0.000;0.000");
    expected.push_back("0.01;2;2.000;0.000;0.000");
    EXPECT_EQ(ReadCrLfLines(OutPath("s.A.csv")), expected);
    EXPECT_EQ(summary.filesWithErrors, (std::vector<std::string>{"s.A.csv", "s.B.csv"}));
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutPartnerRows, FailedCorrection, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& paramInfo) {
                             return paramInfo.param ? "PartnerRow" : "PersonAOnly";
                         });

// --- The items and names of output files -----------------------------------

ParameterRecord OutputRow(std::vector<std::string> captions, int nValues, bool dynamic) {
    ParameterRecord record;
    record.enabled = record.output = true;
    record.dynamic = dynamic;
    record.nValues = nValues;
    record.valueCaptions = std::move(captions);
    record.currentValues.assign(nValues, 0.0);
    record.previousValues.assign(nValues, 0.0);
    return record;
}

TEST(OutputItems, NoValueIsAnEmptyFieldAndHasNoDifference) {
    ParameterRecord record = OutputRow({"X", "D X", "Y", "D Y"}, 2, true);
    record.currentValues = {kNoValue, 2.0};
    record.previousValues = {1.0, kNoValue};
    std::string line;
    AppendValueItems(line, record, false, OutputFormat{'\t', 1});
    EXPECT_EQ(line, "\t\t\t2.0\t");
}

// Rows without output write nothing; the others one item per column.
TEST(OutputItems, RowsWithoutOutputWriteNothing) {
    ParameterRecord record = OutputRow({"X", "D X"}, 1, true);
    std::string line;
    AppendErrorItems(line, record, kStatusDataError, OutputFormat{});
    AppendEmptyItems(line, record, ';');
    EXPECT_EQ(line, ";ERROR:Data error;ERROR:Data error;;");
    record.output = false;
    line.clear();
    AppendValueItems(line, record, false, OutputFormat{});
    AppendErrorItems(line, record, kStatusDataError, OutputFormat{});
    AppendEmptyItems(line, record, ';');
    EXPECT_EQ(line, "");
}

TEST(OutputFileNames, NamesOutputPartAndMeansFiles) {
    const OutputFileNames names =
        MakeOutputFileNames("/data/out", "p_", "subject01.take2.csv", "_out", ".csv");
    EXPECT_EQ(names.OutputPath(), "/data/out/p_subject01.take2_out.csv");
    EXPECT_EQ(names.PartPath(1), "/data/out/p_subject01.take2_out.part-001.csv");
    EXPECT_EQ(names.PartPath(42), "/data/out/p_subject01.take2_out.part-042.csv");
    EXPECT_EQ(names.PartPath(1000), "/data/out/p_subject01.take2_out.part-1000.csv");
    EXPECT_EQ(names.MeansPath(), "/data/out/p_subject01.take2_out.means.csv");
    EXPECT_EQ(FileNameOf(names.OutputPath()), "p_subject01.take2_out.csv");
    EXPECT_EQ(MakeOutputFileNames("out/", "", "take", "", ".txt").OutputPath(), "out/take.txt");
}

// --- The default list over the real recordings ----------------------------------

const std::string kRecordings = std::string(KIVO_SHARED_DATA_DIR) + "/cmu";

// The first data line's value of the field whose name ends with `suffix`.
double FirstFrameValue(const std::string& path, const std::string& suffix) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines(3);
    for (std::string& line : lines)
        std::getline(in, line);
    const std::vector<std::string_view> names = SplitFields(lines.at(1), ';');
    const std::vector<std::string_view> values = SplitFields(lines.at(2), ';');
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].ends_with(suffix))
            return std::stod(std::string(values.at(i)));
    }
    ADD_FAILURE() << "no field " << suffix << " in " << path;
    return 0.0;
}

glm::dvec3 FirstFramePosition(const std::string& path, const std::string& name) {
    return {FirstFrameValue(path, name + ":Tx"), FirstFrameValue(path, name + ":Ty"),
            FirstFrameValue(path, name + ":Tz")};
}

// Camera Framing of HeadTop and ChinTip in the first frame of the A file, for
// the default camera 1024x768/10/4000/40, projected with GLM.
double FirstFrameFraming(const std::string& path) {
    const glm::dvec3 eye = FirstFramePosition(path, "Camera1");
    glm::dmat4 orientation(1.0);
    const char* axes[3] = {":Rz", ":Ry", ":Rx"};
    const glm::dvec3 directions[3] = {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}};
    for (int i = 0; i < 3; ++i) {
        orientation = glm::rotate(
            orientation, glm::radians(FirstFrameValue(path, std::string("Camera1") + axes[i])),
            directions[i]);
    }
    const glm::dmat4 view =
        glm::lookAt(eye, FirstFramePosition(path, "CameraTarget"), glm::dvec3(orientation[1]));
    const glm::dmat4 projection =
        glm::perspective(glm::radians(40.0), 1024.0 / 768.0, 10.0, 4000.0);
    const glm::dvec4 viewport(0.0, 0.0, 1024.0, 768.0);
    glm::dvec3 top = glm::project(FirstFramePosition(path, "HeadTop"), view, projection, viewport);
    glm::dvec3 chin = glm::project(FirstFramePosition(path, "ChinTip"), view, projection, viewport);
    top.z = chin.z = 0.0;
    return glm::distance(top, chin) * 100.0 / 768.0;
}

// The default list (with differences wherever they can be asked for) over the
// CMU dyad and a third recording without partner, whose dyadic rows the run
// drops after the statistics header has been written. Every writer takes the
// one separator whether or not the run splits: two runs, one with semicolons
// and whole files, one with tabs and parts, cover both separators and both
// ways of splitting.
class RecordingRun : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (!fs::exists(kRecordings + "/cmu18_01.A.txt")) {
            GTEST_SKIP() << "the shared CMU recordings are not available";
        }
        workspace_.options.timeField = "Time";
        for (const char* name : {"cmu18_01.A.txt", "cmu18_01.B.txt", "cmu18_01_tab.A.tsv"}) {
            ASSERT_TRUE(AddFile(workspace_, name, kRecordings + "/", prompt_)) << name;
        }
        CreateDefaultParameterList(workspace_.parameters);
        for (int row = 163; row <= 165; ++row)  // the camera and video rows
            workspace_.parameters[row - 1].enabled = true;
        for (ParameterDefinition& row : workspace_.parameters) {
            const bool measured = row.output == "x" || row.statistics == "x";
            if (measured && row.function != "Activation" && row.function != "Static SRL" &&
                row.function != "Dynamic SRL") {
                row.dynamic = "x";
            }
        }
        BindMatchingDataFields(workspace_);
        ApplyBindings(workspace_, ReadBindingsFile(kRecordings + "/bindings.txt"),
                      kRecordings + "/bindings.txt");
        WorkspaceOptions& options = workspace_.options;
        options.directoryOutputFiles = folder_.PathOf("");
        options.csvSeparator = !GetParam();
        options.tsvSeparator = GetParam();
        options.extension = "tsv";
        options.statisticsFileName = GetParam() ? "Statistics.tsv" : "Statistics.csv";
        options.splitFile = GetParam();
        options.noOfLines = "100";
    }

    char Separator() const { return GetParam() ? '\t' : ';'; }

    // Every line of the file has as many fields as its header.
    void ExpectRectangular(const std::string& path) {
        const std::vector<std::string> lines = testing::ReadCrLfLines(path);
        ASSERT_FALSE(lines.empty()) << path;
        const std::size_t fields = SplitFields(lines[0], Separator()).size();
        for (std::size_t i = 1; i < lines.size(); ++i) {
            ASSERT_EQ(SplitFields(lines[i], Separator()).size(), fields)
                << path << " line " << i + 1;
        }
    }

    // Person A's file carries the camera: Framing and Proxemics on every line
    // (Framing of the first frame as projected independently). B's file has
    // no camera of its own, so its camera rows are data errors; no file has a
    // video, so Pixel Difference is a data error everywhere.
    void ExpectCameraColumns(const std::string& outputA) {
        const std::string extension = GetParam() ? ".tsv" : ".csv";
        const std::vector<std::string> linesA = testing::ReadCrLfLines(outputA);
        const std::vector<std::string> linesB =
            testing::ReadCrLfLines(folder_.PathOf("cmu18_01.B" + extension));
        const std::vector<std::string_view> header = SplitFields(linesA[0], Separator());
        std::map<std::string, std::size_t> columns;
        for (std::size_t i = 0; i < header.size(); ++i)
            columns[std::string(header[i])] = i;
        ASSERT_EQ(linesA.size(), 304u);
        for (std::size_t i = 1; i < linesA.size(); ++i) {
            const std::vector<std::string_view> a = SplitFields(linesA[i], Separator());
            const std::vector<std::string_view> b = SplitFields(linesB[i], Separator());
            for (const char* caption : {"Camera Framing", "Camera Proxemics"}) {
                const std::string_view value = a[columns.at(caption)];
                ASSERT_TRUE(!value.empty() && value.find("ERROR") == std::string_view::npos)
                    << caption << " line " << i + 1 << ": " << value;
                EXPECT_EQ(b[columns.at(caption)], "ERROR:Data error") << caption;
            }
            EXPECT_EQ(a[columns.at("Video Pixel Difference")], "ERROR:Data error");
        }
        const std::string firstFraming(
            SplitFields(linesA[1], Separator())[columns.at("Camera Framing")]);
        EXPECT_NEAR(std::stod(firstFraming), FirstFrameFraming(kRecordings + "/cmu18_01.A.txt"),
                    0.05 + 1e-9);
    }

    testing::TempDir folder_;
    testing::ScriptedPrompt prompt_;
    Workspace workspace_;
};

TEST_P(RecordingRun, EveryStatisticsLineHasOneFieldPerCaption) {
    RunSink sink;
    const RunSummary summary = CalculateData(workspace_, prompt_, sink);
    ASSERT_TRUE(summary.completed) << prompt_.LastText();
    ASSERT_FALSE(summary.statisticsFile.empty());

    const std::vector<std::string> statistics = testing::ReadCrLfLines(summary.statisticsFile);
    const std::size_t parts = GetParam() ? 4 : 1;  // 303 frames, 100 lines per part
    ASSERT_EQ(statistics.size(), 1 + 3 * parts);
    const std::size_t captions = SplitFields(statistics[0], Separator()).size();
    EXPECT_GT(captions, 1000u);
    for (std::size_t i = 1; i < statistics.size(); ++i) {
        const std::vector<std::string_view> fields = SplitFields(statistics[i], Separator());
        ASSERT_EQ(fields.size(), captions) << "statistics line " << i + 1;
        if (GetParam()) {
            EXPECT_EQ(fields[2], "Part 00" + std::to_string((i - 1) % parts + 1));
        }
    }
    // The file without partner: its dyadic rows were dropped, their fields stay empty.
    const std::vector<std::string_view> last = SplitFields(statistics.back(), Separator());
    EXPECT_EQ(last[0], "cmu18_01_tab.A.tsv");
    for (const std::string& path : summary.outputFiles)
        ExpectRectangular(path);
    ExpectCameraColumns(summary.outputFiles[0]);
    if (GetParam()) {
        for (const char* name : {"cmu18_01.A.means.tsv", "cmu18_01.A.means.csv"}) {
            if (fs::exists(folder_.PathOf(name))) {
                EXPECT_EQ(testing::ReadCrLfLines(folder_.PathOf(name)).size(), 1 + parts);
                ExpectRectangular(folder_.PathOf(name));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, RecordingRun, ::testing::Bool(), [](const auto& paramInfo) {
    return paramInfo.param ? "TabsInParts" : "SemicolonsWhole";
});

}  // namespace
}  // namespace kivo
