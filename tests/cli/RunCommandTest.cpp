#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "cli/ConsolePrompt.h"
#include "core/Numbers.h"
#include "core/Text.h"
#include "support/CliRun.h"
#include "support/OutputLines.h"
#include "support/Rotations.h"
#include "support/TestVideo.h"

namespace kivo {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
namespace fs = std::filesystem;
using testing::Cmu;
using testing::Fails;
using testing::FilesOf;
using testing::Kivo;
using testing::Matrix;
using testing::ReadCrLfLines;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;

// ---- The posture angles, written out from their definitions ----------------

// The program's degree: pi to 15 digits.
constexpr double kDegree = 3.14159265358979 / 180.0;

// Sagittal, rotational and lateral angle of an orientation; nothing where the
// axis projection is too short to give one.
std::array<std::optional<double>, 3> SrlAngles(const Matrix& m) {
    auto r = [&m](int i, int j) { return m[i - 1][j - 1]; };  // 1-based as in the definition
    const double n = r(1, 1) * r(3, 3) - r(3, 1) * r(1, 3);
    auto angle = [](double q, double c0, bool negate) -> std::optional<double> {
        if (q <= 1e-7)
            return std::nullopt;
        const double c = c0 / std::sqrt(q);
        if (1 - c * c <= -1e-7)
            return std::nullopt;
        const double s = std::sqrt(std::fabs(1 - c * c));
        return std::atan2(negate ? -s : s, c) / kDegree;
    };
    return {angle(r(1, 1) * r(1, 1) + r(3, 1) * r(3, 1), n, r(2, 3) > 0),
            angle(r(1, 2) * r(1, 2) + r(2, 2) * r(2, 2), r(2, 2) * r(1, 1) - r(2, 1) * r(1, 2),
                  r(3, 1) > 0),
            angle(r(1, 3) * r(1, 3) + r(3, 3) * r(3, 3), n, r(2, 1) < 0)};
}

// Round half up to one decimal, written with one decimal; empty for no value.
std::string OneDecimal(const std::optional<double>& value) {
    if (!value)
        return "";
    const double scaled = *value * 10.0;
    EXPECT_GT(std::fabs(scaled - std::floor(scaled) - 0.5), 1e-6)
        << *value << " lies on a rounding boundary; pick another frame";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", std::floor(scaled + 0.5) / 10.0);
    return text;
}

// The format line and the data lines of a recording as fields, read apart
// from the program.
std::vector<std::vector<std::string>> RecordingLines(const std::string& path) {
    std::vector<std::vector<std::string>> lines;
    for (const std::string& line : SplitToStrings(ReadFileText(path), '\n')) {
        const std::string_view text = StripCarriageReturn(line);
        if (lines.empty() ? text.starts_with("Time;") : !text.empty())
            lines.push_back(SplitToStrings(text, ';'));
    }
    return lines;
}

// The orientation of "<subject>:<name>:R?" in data line `number` (1-based).
Matrix OrientationIn(const std::vector<std::vector<std::string>>& lines, std::size_t number,
                     const std::string& name) {
    double angles[3] = {};
    for (int k = 0; k < 3; ++k) {
        const std::string suffix = ":" + name + ":R" + static_cast<char>('x' + k);
        const auto at =
            std::find_if(lines[0].begin(), lines[0].end(),
                         [&](const std::string& field) { return field.ends_with(suffix); });
        EXPECT_NE(at, lines[0].end()) << "no data field " << suffix;
        if (at != lines[0].end())
            angles[k] =
                std::stod(lines.at(number).at(static_cast<std::size_t>(at - lines[0].begin())));
    }
    return testing::Orientation(angles[0], angles[1], angles[2], kDegree);
}

// `kivo init` pairs the CMU dyad and binds its data fields as the bindings
// file says; the run writes every frame, with posture angles as computed here
// from the raw data.
TEST(RunCommandOnRecordings, InitPairsAndBindsTheCmuDyadAndTheRunWritesPostureAnglesOfTheRawData) {
    if (testing::CmuMissing())
        GTEST_SKIP() << "the shared CMU recordings are not available";
    TempDir dir;
    const auto init = RunKivo({"init", "study.set", Cmu("cmu18_01.A.txt"), Cmu("cmu18_01.B.txt"),
                               "--time-label", "Time", "--bindings", Cmu("bindings.txt")},
                              dir);
    ASSERT_EQ(init.exitCode, 0) << init.out << init.err;
    EXPECT_THAT(init.out, HasSubstr("still unbound: Base\n"));
    const std::string show = Kivo("settings show study.set", dir).out;
    EXPECT_THAT(show, HasSubstr("Input Files: 2\n"));
    const std::size_t first = show.find("  1. cmu18_01.A.txt\n");
    const std::size_t second = show.find("  2. cmu18_01.B.txt\n");
    ASSERT_TRUE(first != std::string::npos && second != std::string::npos) << show;
    EXPECT_EQ(testing::ValueAfter(show, first, "Partner File"), "cmu18_01.B.txt");
    EXPECT_EQ(testing::ValueAfter(show, second, "Partner File"), "cmu18_01.A.txt");
    EXPECT_EQ(testing::ValueAfter(show, second, "Frames/Sec"), "120.0048");
    int bound = 0;
    for (const std::string& line : SplitToStrings(ReadFileText(Cmu("bindings.txt")), '\n')) {
        std::string binding(StripCarriageReturn(line));
        if (binding.empty() || binding[0] == '#')
            continue;
        const std::string shown = "\n  " + binding.replace(binding.find(';'), 1, ": ") + "\n";
        EXPECT_THAT(show, HasSubstr(shown));
        ++bound;
    }
    EXPECT_EQ(bound, 35);
    EXPECT_THAT(show, HasSubstr("\n  Base: (unbound)\n"));
    EXPECT_THAT(show, HasSubstr("Parameters: 165 (161 enabled)\n"));

    const auto run = Kivo("run study.set --output-dir out", dir);
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    const auto listing = Kivo("parameters study.set --captions", dir);
    ASSERT_EQ(listing.exitCode, 0) << listing.err;
    const std::vector<std::string> captions =
        testing::ListedCaptions(listing.out, "Output file columns:");
    constexpr int kFrame = 10;

    for (const char* person : {"A", "B"}) {
        SCOPED_TRACE(person);
        const std::string name = std::string("cmu18_01.") + person;
        const auto recording = RecordingLines(Cmu(name + ".txt"));
        ASSERT_EQ(recording.size(), 304u);  // the format line and 303 frames
        const std::vector<std::string> lines = ReadCrLfLines(dir.PathOf("out/" + name + ".csv"));
        ASSERT_EQ(lines.size(), 304u);
        ASSERT_EQ(SplitToStrings(lines[0], ';'), captions);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const std::vector<std::string> fields = SplitToStrings(lines[i], ';');
            ASSERT_EQ(fields.size(), captions.size()) << "line " << i;
            ASSERT_EQ(fields[1], std::to_string(i)) << "line " << i;
        }

        const std::vector<std::string> fields = SplitToStrings(lines[kFrame], ';');
        const auto value = [&](const std::string& caption) {
            const auto at = std::find(captions.begin(), captions.end(), caption);
            return at == captions.end() ? "(no column " + caption + ")"
                                        : fields[static_cast<std::size_t>(at - captions.begin())];
        };
        EXPECT_EQ(value("Time"), "0.075");
        const Matrix hips = OrientationIn(recording, kFrame, "Hips");
        const std::pair<std::string, Matrix> rows[] = {
            {"Global Static SRL Hips", hips},
            {"Local Static SRL Chest",
             testing::Multiply(hips, OrientationIn(recording, kFrame, "Spine1"), true)},
            {"Global Dynamic SRL Hips",
             testing::Multiply(OrientationIn(recording, kFrame - 1, "Hips"), hips, true)}};
        for (const auto& [row, orientation] : rows) {
            const auto angles = SrlAngles(orientation);
            const char* suffixes[] = {" Sagittal", " Rotational", " Lateral"};
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(value(row + suffixes[k]), OneDecimal(angles[k])) << row << suffixes[k];
        }
    }
}

// Person B lacks the bound "Head": the run says so once, whatever --quiet.
TEST(ExitStatus, RepeatedWarningsComeOnceAndTheStatusSaysWhetherEveryFileWasProcessed) {
    TempDir dir;
    const std::string format = "Time;Frame;Hips:Tx;Hips:Ty;Hips:Tz;Hips:Rx;Hips:Ry;Hips:Rz";
    const std::string head = ";Head:Tx;Head:Ty;Head:Tz;Head:Rx;Head:Ry;Head:Rz";
    const std::string frames = "0;1;1;2;3;4;5;6\n0.01;2;1;2;3;4;5;6\n0.02;3;1;2;3;4;5;6\n";
    dir.Write("s01.A.csv", format + head + "\n" + frames);
    dir.Write("s01.B.csv", format + "\n" + frames);
    ASSERT_EQ(Kivo("init study.set s01.A.csv s01.B.csv --time-label Time", dir).exitCode, 0);

    const auto quiet = Kivo("run study.set --quiet --output-dir out/new", dir);
    EXPECT_EQ(quiet.exitCode, 0) << quiet.out << quiet.err;
    EXPECT_TRUE(fs::exists(dir.PathOf("out/new/s01.A.csv")));
    EXPECT_THAT(quiet.err, HasSubstr("Data to the following body parts are missing in the file "
                                     "'s01.B.csv': Head\n"));
    EXPECT_EQ(quiet.err.find("body parts are missing"), quiet.err.rfind("body parts are missing"));
    EXPECT_THAT(quiet.err, Not(HasSubstr("Elapsed time")));
    EXPECT_THAT(quiet.out, HasSubstr("frames processed in"));

    fs::create_directories(dir.PathOf("gone"));
    ASSERT_EQ(Kivo("settings set study.set output-folder gone", dir).exitCode, 0);
    fs::remove(dir.PathOf("gone"));
    EXPECT_THAT(Kivo("run study.set --quiet", dir),
                Fails(2, dir.PathOf("gone") + " named in study.set"));

    // The exit status says whether every input file was processed.
    const char* run = "run study.set --output-dir out --overwrite";
    const auto all = Kivo(run, dir);
    EXPECT_EQ(all.exitCode, 0) << all.err;
    dir.Write("out/s01.A.csv", "kept\r\n");
    EXPECT_THAT(Kivo("run study.set --output-dir out", dir), Fails(2, "--overwrite"));
    EXPECT_EQ(ReadFileText(dir.PathOf("out/s01.A.csv")), "kept\r\n");

    fs::remove(dir.PathOf("s01.B.csv"));
    const auto one = Kivo(run, dir);
    EXPECT_THAT(one,
                Fails(3, "not found and are left out of the list:\n\n" + dir.PathOf("s01.B.csv")));
    EXPECT_THAT(one.out, HasSubstr("Input files not processed:\n  s01.B.csv\n"));

    fs::remove(dir.PathOf("s01.A.csv"));
    fs::remove_all(dir.PathOf("out"));
    EXPECT_THAT(Kivo(run, dir), Fails(3, "none of the input files"));
    EXPECT_FALSE(fs::exists(dir.PathOf("out/Statistics.csv")));

    // Jobs below one, shards outside their count and a pipeline other than on
    // or off are usage errors.
    for (const std::string options :
         {"--jobs 0", "--jobs -2", "--shard 4/3", "--shard 0/3", "--shard 2", "--pipeline maybe"})
        EXPECT_THAT(Kivo("run study.set " + options, dir),
                    Fails(64, options.substr(0, options.find(' '))));
    for (const char* usage : {"run", "frobnicate", "stats a --colums x"})
        EXPECT_EQ(Kivo(usage, dir).exitCode, 64) << usage;
}

// A file the system stops writing part-way (here: past the size the process
// may write) stops the run: the message names the file and the system's
// reason, the earlier file of that name stays, nothing half-written is left
// beside it, and the summary lists only complete files.
TEST(ExitStatus, AFailingWriteFailsTheCommandAndARunKeepsThePreviousFileAndNamesTheReason) {
    TempDir dir;
    testing::WriteSmallDataFile(dir, "s01.csv");
    std::string frames = "Time;Frame;Hips:Tx;Hips:Ty;Hips:Tz;Hips:Rx;Hips:Ry;Hips:Rz\n";
    for (int k = 0; k < 60; ++k)
        frames += "0." + std::to_string(k + 10) + ";" + std::to_string(k + 1) + ";1;2;3;4;5;6\n";
    dir.Write("s02.csv", frames);
    ASSERT_EQ(Kivo("init study.set s01.csv s02.csv --time-label Time", dir).exitCode, 0);
    fs::create_directory(dir.PathOf("out"));
    dir.Write("out/s02.csv", "old\r\n");

    // 120 blocks of 512 bytes (of 1024 in some shells): several times the
    // output of s01.csv, a part of that of s02.csv.
    const auto run =
        Kivo("run study.set --output-dir out --overwrite", dir, "trap '' XFSZ; ulimit -f 120;");

    EXPECT_THAT(run, Fails(2, "out/s02.csv: The file cannot be written: File too large"));
    EXPECT_EQ(ReadFileText(dir.PathOf("out/s02.csv")), "old\r\n");
    EXPECT_THAT(run.out, HasSubstr("Output files in out:\n  out/s01.csv\n"));
    EXPECT_THAT(run.out, Not(HasSubstr("s02.csv")));
    const auto left = FilesOf(dir.PathOf("out"));
    EXPECT_EQ(left.size(), 2u);
    EXPECT_TRUE(left.count("s01.csv") && left.count("s02.csv"));

    // Every command fails when its output cannot be written.
    dir.Write("stats.csv", "File Name;Partner File;M Head\r\na.csv;;1.0\r\n");
    for (const char* command :
         {"stats stats.csv", "settings show study.set", "parameters study.set",
          "check --time-label Time s01.csv", "--help"}) {
        EXPECT_THAT(RunKivo(testing::Words(command), dir, {}, "/dev/full"),
                    Fails(1, "No space left on device"))
            << command;
    }
}

// Without a rule a question gets the cautious answer; line breaks print as
// the console's.
TEST(ConsolePrompt, AnswersCautiouslyOrByItsRuleAndPrintsLineBreaks) {
    std::FILE* stream = std::tmpfile();
    cli::ConsolePrompt prompt(stream);
    prompt.AddRule({PromptId::OverwriteOutputFiles, PromptAnswer::Yes, "--overwrite"});
    using A = PromptAnswer;
    using B = PromptButtons;
    const std::tuple<PromptId, B, PromptIcon, A> cases[] = {
        {PromptId::RemoveAllFiles, B::YesNo, PromptIcon::Question, A::No},
        {PromptId::PartnerFileMissing, B::OkCancel, PromptIcon::Question, A::Cancel},
        {PromptId::MissingBodyParts, B::YesNoCancel, PromptIcon::Question, A::Cancel},
        {PromptId::RunFinished, B::Ok, PromptIcon::Information, A::Ok},
        {PromptId::OverwriteOutputFiles, B::YesNo, PromptIcon::Question, A::Yes}};
    for (const auto& [id, buttons, icon, answer] : cases)
        EXPECT_EQ(prompt.Ask(id, "The file 'x' already exists.\r\nOverwrite?", buttons, icon),
                  answer);
    std::rewind(stream);
    std::string printed(4096, '\0');
    printed.resize(std::fread(printed.data(), 1, printed.size(), stream));
    std::fclose(stream);
    EXPECT_THAT(printed, HasSubstr("Kivo: question: The file 'x' already exists.\nOverwrite?"));
    EXPECT_THAT(printed, Not(HasSubstr("\r")));
    EXPECT_THAT(printed, HasSubstr("answered Yes: --overwrite"));
}

// A data file of `frames` lines at 25 frames per second.
std::string DataFile(int frames) {
    std::string content = "take\nTime;Frame;Hips:Tx;Hips:Ty;Hips:Tz;Hips:Rx;Hips:Ry;Hips:Rz\n";
    for (int k = 0; k < frames; ++k) {
        char line[80];
        std::snprintf(line, sizeof line, "%.2f;%d;1;2;3;%d;0;0\n", k * 0.04, k + 1, k);
        content += line;
    }
    return content;
}

// A dyad of 7 frames at 25 per second with a 50-per-second video assigned
// through `kivo video`, in parts of 3 lines: every processed frame passes
// two video frames, which go into the clip of its part.
TEST(VideoCommands, AssignAVideoToADyadAndWriteOneClipPerPart) {
    TempDir dir;
    dir.Write("s01.A.txt", DataFile(7));
    dir.Write("s01.B.txt", DataFile(7));
    std::vector<PixelFrame> frames;
    for (int k = 0; k < 16; ++k)
        frames.push_back(testing::SolidFrame(6, 4, {50, std::uint8_t(k * 10), 50}));
    testing::WriteVideo(dir.PathOf("s01.mkv"), frames, 50);
    for (const char* command :
         {"init study.set s01.A.txt s01.B.txt --time-label Time",
          "settings set study.set distances-related-to unmodified --all-files",
          "settings set study.set split-output-files yes",
          "settings set study.set lines-per-part-file 3", "settings set study.set output-folder ."})
        ASSERT_EQ(Kivo(command, dir).exitCode, 0) << command;
    ASSERT_EQ(
        RunKivo({"parameters", "study.set", "--only", "Video Pixel Difference"}, dir).exitCode, 0);

    const auto assigned = Kivo("video study.set s01.A.txt s01.mkv", dir);
    ASSERT_EQ(assigned.exitCode, 0) << assigned.err;
    EXPECT_THAT(assigned.out, HasSubstr("s01.A.txt: " + dir.PathOf("s01.mkv") + ", Left Side"));
    EXPECT_THAT(assigned.out, HasSubstr("s01.B.txt: " + dir.PathOf("s01.mkv") + ", Right Side"));
    const auto checked = Kivo("check-video s01.mkv --data-rate 25", dir);
    EXPECT_EQ(checked.exitCode, 0) << checked.err;
    for (const char* line : {"container matroska", "6 x 4 pixels", "50 frames per second",
                             "16 frames", "2 video frames per data frame"})
        EXPECT_THAT(checked.out, HasSubstr(line));
    const auto listed = Kivo("run study.set --clip-codec list", dir);
    EXPECT_THAT(listed.out, HasSubstr("Encoders for matroska clips"));
    EXPECT_THAT(listed.out, HasSubstr("\n  ffv1 "));

    // Without an encoder the run writes no clips and says so once.
    const auto withoutClips = Kivo("run study.set", dir);
    EXPECT_EQ(withoutClips.exitCode, 0) << withoutClips.err;
    const std::string noClips = "no video clips are written";
    EXPECT_THAT(withoutClips.err, HasSubstr(noClips));
    EXPECT_EQ(withoutClips.err.find(noClips), withoutClips.err.rfind(noClips));
    EXPECT_FALSE(fs::exists(dir.PathOf("s01.part-001.mkv")));

    const auto run = Kivo("run study.set --overwrite --clip-codec ffv1", dir);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    // Every frame has a pixel difference (the values themselves are the
    // video frames' business).
    for (const char* output : {"s01.A.csv", "s01.B.csv"}) {
        const std::vector<std::string> lines = ReadCrLfLines(dir.PathOf(output));
        ASSERT_GE(lines.size(), 8u);
        for (int i = 1; i <= 7; ++i)
            EXPECT_TRUE(IsNumeric(SplitToStrings(lines[i], ';').at(2), ".")) << lines[i];
    }
    // One clip per part of each file (both files name the same clips: the
    // second file's run replaces them under --overwrite).
    for (const auto& [part, count] : {std::pair{"001", 6}, {"002", 6}, {"003", 2}})
        EXPECT_EQ(testing::DecodedFrameCount(dir.PathOf("s01.part-" + std::string(part) + ".mkv")),
                  count);
    for (const auto& entry : fs::directory_iterator(dir.PathOf("")))
        EXPECT_FALSE(entry.path().extension() == ".tmp") << entry.path();  // no clip half-written
    EXPECT_THAT(run.out, HasSubstr("Video clips:\n  " + dir.PathOf("s01.part-001.mkv") + "\n  " +
                                   dir.PathOf("s01.part-002.mkv") + "\n  " +
                                   dir.PathOf("s01.part-003.mkv") + "\n"));
}

// A study in a fresh folder: the bundled example, or the CMU dyad listed
// twice under other names (four files, split into parts with
// statistics per part) so that several files are in hand at once.
class StudyRuns : public ::testing::Test {
  protected:
    void MakeStudy(const std::string& which) {
        if (which == "example")
            return testing::CopyExampleStudy(dir);
        if (testing::CmuMissing())
            GTEST_SKIP() << "the shared CMU recordings are not available";
        std::vector<std::string> arguments = {"init", "study.set"};
        for (const char* name : {"s1.A.txt", "s1.B.txt", "s2.A.txt", "s2.B.txt"}) {
            fs::copy_file(testing::Cmu("cmu18_01." + std::string(name).substr(3)),
                          dir.PathOf(name));
            arguments.push_back(name);
        }
        for (const char* option : {"--time-label", "Time", "--bindings"})
            arguments.push_back(option);
        arguments.push_back(testing::Cmu("bindings.txt"));
        ASSERT_EQ(testing::RunKivo(arguments, dir).exitCode, 0);
        for (const char* setting : {"split-output-files yes", "lines-per-part-file 120"})
            ASSERT_EQ(Kivo("settings set study.set " + std::string(setting), dir).exitCode, 0);
    }

    testing::CliResult Run(const std::string& output, const std::string& options) {
        return Kivo("run study.set --quiet --output-dir " + output + " " + options, dir);
    }

    TempDir dir;
};

class ParallelRun : public StudyRuns, public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override { MakeStudy(GetParam()); }
};

// The reference is one file after the other, each on one thread; then four
// files at once with and without the pipeline, and one at a time in three
// shards, each file with its reading and writing on threads of their own.
TEST_P(ParallelRun, WritesTheSameBytesWithAnyNumberOfJobsWithThePipelineAndInShards) {
    const auto sequential = Run("one", "--jobs 1 --pipeline off");
    ASSERT_EQ(sequential.exitCode, 0) << sequential.out << sequential.err;
    const auto expected = FilesOf(dir.PathOf("one"));
    ASSERT_TRUE(expected.count("Statistics.csv"));

    for (const std::string pipeline : {"on", "off"}) {
        const auto parallel = Run("four-" + pipeline, "--jobs 4 --pipeline " + pipeline);
        ASSERT_EQ(parallel.exitCode, 0) << parallel.out << parallel.err;
        EXPECT_TRUE(FilesOf(dir.PathOf("four-" + pipeline)) == expected) << "pipeline " << pipeline;
    }

    for (const std::string shard : {"1/3", "2/3", "3/3"}) {
        const auto part = Run("shards", "--shard " + shard + " --jobs 1 --pipeline on");
        ASSERT_EQ(part.exitCode, 0) << part.out << part.err;
    }
    const auto merge = Kivo(
        "stats merge shards/Statistics.csv shards/Statistics.shard-3-of-3.csv "
        "shards/Statistics.shard-1-of-3.csv shards/Statistics.shard-2-of-3.csv",
        dir);
    ASSERT_EQ(merge.exitCode, 0) << merge.err;
    for (int k = 1; k <= 3; ++k)
        fs::remove(dir.PathOf("shards/Statistics.shard-" + std::to_string(k) + "-of-3.csv"));
    EXPECT_TRUE(FilesOf(dir.PathOf("shards")) == expected);
}

INSTANTIATE_TEST_SUITE_P(Studies, ParallelRun, ::testing::Values("example", "cmu"));

// The GNU parallel variant of the cluster example, as its README runs it.
TEST_F(StudyRuns, ClusterExampleWithGnuParallelWritesWhatOneRunWrites) {
    if (std::system("command -v parallel >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "GNU parallel is not installed";
    MakeStudy("example");
    ASSERT_EQ(Run("one", "--jobs 1").exitCode, 0);
    const std::string command =
        "cd " + testing::ShellQuoted(dir.PathOf("")) +
        " && KIVO=" + testing::ShellQuoted(KIVO_CLI_PATH) + " " +
        testing::ShellQuoted(std::string(KIVO_EXAMPLES_DIR) + "/cluster/run-shards-parallel.sh") +
        " study.set sharded 3 >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(FilesOf(dir.PathOf("sharded")) == FilesOf(dir.PathOf("one")));
}

}  // namespace
}  // namespace kivo
