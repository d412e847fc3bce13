#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/Text.h"
#include "support/CliRun.h"
#include "support/OutputLines.h"
#include "support/Rotations.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::ReadCrLfLines;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;

// ---- The posture angles, written out from their definitions ----------------

using testing::Matrix;
using testing::Multiply;

// The program's degree: pi to 15 digits.
constexpr double kDegree = 3.14159265358979 / 180.0;

Matrix Orientation(double rx, double ry, double rz) {
    return testing::Orientation(rx, ry, rz, kDegree);
}

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

// The raw data lines of a recording, read apart from the program.
class Recording {
  public:
    explicit Recording(const std::string& path) {
        for (const std::string& line : SplitToStrings(ReadFileText(path), '\n')) {
            const std::string fields(StripCarriageReturn(line));
            if (!format_.empty() && !fields.empty())
                lines_.push_back(SplitToStrings(fields, ';'));
            else if (format_.empty() && fields.starts_with("Time;"))
                format_ = SplitToStrings(fields, ';');
        }
    }

    std::size_t FrameCount() const { return lines_.size(); }

    // The orientation of "<subject>:<name>:R?" in data line `number` (1-based).
    Matrix OrientationOf(int number, const std::string& name) const {
        double angles[3] = {};
        for (int k = 0; k < 3; ++k) {
            const std::string suffix = ":" + name + ":R" + static_cast<char>('x' + k);
            std::size_t i = 0;
            while (i < format_.size() && !format_[i].ends_with(suffix))
                ++i;
            EXPECT_LT(i, format_.size()) << "no data field " << suffix;
            angles[k] = i < format_.size() ? std::stod(lines_.at(number - 1).at(i)) : 0.0;
        }
        return Orientation(angles[0], angles[1], angles[2]);
    }

  private:
    std::vector<std::string> format_;
    std::vector<std::vector<std::string>> lines_;
};

// `kivo init` pairs the CMU dyad and binds its data fields as the bindings
// file says; the run writes every frame, with posture angles as computed here
// from the raw data.
TEST(RunCommandOnRecordings, InitPairsAndBindsTheCmuDyadAndTheRunWritesPostureAnglesOfTheRawData) {
    const std::string cmu = std::string(KIVO_SHARED_DATA_DIR) + "/cmu/";
    for (const char* name : {"cmu18_01.A.txt", "cmu18_01.B.txt", "bindings.txt"}) {
        if (!fs::exists(cmu + name))
            GTEST_SKIP() << "the shared CMU recordings are not available";
    }
    TempDir dir;
    const auto init = RunKivo({"init", "study.set", cmu + "cmu18_01.A.txt", cmu + "cmu18_01.B.txt",
                               "--time-label", "Time", "--bindings", cmu + "bindings.txt"},
                              dir);
    ASSERT_EQ(init.exitCode, 0) << init.out << init.err;
    EXPECT_TRUE(testing::Contains(init.out, "still unbound: Base\n")) << init.out;
    const std::string show = RunKivo({"settings", "show", "study.set"}, dir).out;
    EXPECT_TRUE(testing::Contains(show, "Input Files: 2\n")) << show;
    const std::size_t first = show.find("  1. cmu18_01.A.txt\n");
    const std::size_t second = show.find("  2. cmu18_01.B.txt\n");
    ASSERT_TRUE(first != std::string::npos && second != std::string::npos) << show;
    EXPECT_EQ(testing::ValueAfter(show, first, "Partner File"), "cmu18_01.B.txt");
    EXPECT_EQ(testing::ValueAfter(show, second, "Partner File"), "cmu18_01.A.txt");
    EXPECT_EQ(testing::ValueAfter(show, second, "Frames/Sec"), "120.0048");
    int bound = 0;
    for (std::string line : SplitToStrings(ReadFileText(cmu + "bindings.txt"), '\n')) {
        line = std::string(StripCarriageReturn(line));
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t separator = line.find(';');
        const std::string shown =
            "\n  " + line.substr(0, separator) + ": " + line.substr(separator + 1) + "\n";
        EXPECT_TRUE(testing::Contains(show, shown)) << shown;
        ++bound;
    }
    EXPECT_EQ(bound, 35);
    EXPECT_TRUE(testing::Contains(show, "\n  Base: (unbound)\n"));
    EXPECT_TRUE(testing::Contains(show, "Parameters: 165 (161 enabled)\n"));

    const std::string output = dir.PathOf("out");
    fs::create_directories(output);
    const auto run = RunKivo({"run", "study.set", "--output-dir", output}, dir);
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    const auto listing = RunKivo({"parameters", "study.set", "--captions"}, dir);
    ASSERT_EQ(listing.exitCode, 0) << listing.err;
    const std::vector<std::string> captions =
        testing::ListedCaptions(listing.out, "Output file columns:");
    ASSERT_GT(captions.size(), 2u);
    constexpr int kFrame = 10;

    for (const char* person : {"A", "B"}) {
        SCOPED_TRACE(person);
        const std::string name = std::string("cmu18_01.") + person;
        const Recording recording(cmu + name + ".txt");
        ASSERT_EQ(recording.FrameCount(), 303u);
        const std::vector<std::string> lines = ReadCrLfLines(output + "/" + name + ".csv");
        ASSERT_EQ(lines.size(), 304u);
        ASSERT_EQ(SplitToStrings(lines[0], ';'), captions);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const std::vector<std::string> fields = SplitToStrings(lines[i], ';');
            ASSERT_EQ(fields.size(), captions.size()) << "line " << i;
            ASSERT_EQ(fields[1], std::to_string(i)) << "line " << i;
        }

        std::map<std::string, std::string> value;
        const std::vector<std::string> fields = SplitToStrings(lines[kFrame], ';');
        for (std::size_t i = 0; i < captions.size(); ++i)
            value[captions[i]] = fields[i];
        EXPECT_EQ(value["Time"], "0.075");
        const Matrix hips = recording.OrientationOf(kFrame, "Hips");
        const Matrix chest = recording.OrientationOf(kFrame, "Spine1");
        const Matrix hipsBefore = recording.OrientationOf(kFrame - 1, "Hips");
        const std::array<std::pair<std::string, Matrix>, 3> rows = {{
            {"Global Static SRL Hips", hips},
            {"Local Static SRL Chest", Multiply(hips, chest, true)},
            {"Global Dynamic SRL Hips", Multiply(hipsBefore, hips, true)},
        }};
        for (const auto& [row, orientation] : rows) {
            const auto angles = SrlAngles(orientation);
            const char* suffixes[] = {" Sagittal", " Rotational", " Lateral"};
            for (int k = 0; k < 3; ++k) {
                const std::string caption = row + suffixes[k];
                ASSERT_TRUE(value.count(caption)) << caption;
                EXPECT_EQ(value[caption], OneDecimal(angles[k])) << caption;
            }
        }
    }
}

// Person B lacks the bound "Head": the run says so once, whatever --quiet.
TEST(RunCommand, ReportsRepeatedWarningsOnceAndTheOutputFolderItCannotUse) {
    TempDir dir;
    const std::string format = "Time;Frame;Hips:Tx;Hips:Ty;Hips:Tz;Hips:Rx;Hips:Ry;Hips:Rz";
    const std::string head = ";Head:Tx;Head:Ty;Head:Tz;Head:Rx;Head:Ry;Head:Rz";
    const std::string frames = "0;1;1;2;3;4;5;6\n0.01;2;1;2;3;4;5;6\n0.02;3;1;2;3;4;5;6\n";
    dir.Write("s01.A.csv", format + head + "\n" + frames);
    dir.Write("s01.B.csv", format + "\n" + frames);
    ASSERT_EQ(RunKivo({"init", "study.set", "s01.A.csv", "s01.B.csv", "--time-label", "Time"}, dir)
                  .exitCode,
              0);

    const auto quiet = RunKivo({"run", "study.set", "--quiet", "--output-dir", "out/new"}, dir);
    EXPECT_EQ(quiet.exitCode, 0) << quiet.out << quiet.err;
    EXPECT_TRUE(fs::exists(dir.PathOf("out/new/s01.A.csv")));
    const std::string missing =
        "Data to the following body parts are missing in the file "
        "'s01.B.csv': Head\n";
    EXPECT_TRUE(testing::Contains(quiet.err, missing)) << quiet.err;
    EXPECT_EQ(quiet.err.find("body parts are missing"), quiet.err.rfind("body parts are missing"));
    EXPECT_FALSE(testing::Contains(quiet.err, "Elapsed time")) << quiet.err;
    EXPECT_TRUE(testing::Contains(quiet.out, "frames processed in")) << quiet.out;

    fs::create_directories(dir.PathOf("gone"));
    ASSERT_EQ(RunKivo({"settings", "set", "study.set", "output-folder", "gone"}, dir).exitCode, 0);
    fs::remove(dir.PathOf("gone"));
    const auto stopped = RunKivo({"run", "study.set", "--quiet"}, dir);
    EXPECT_EQ(stopped.exitCode, 2);
    EXPECT_TRUE(testing::Contains(stopped.err, dir.PathOf("gone") + " named in study.set"))
        << stopped.err;
}

}  // namespace
}  // namespace kivo
