#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string ReadText(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// Runs the built kivo program with `arguments`; stdin is empty.
CommandResult RunKivo(const std::vector<std::string>& arguments, const TempDir& dir) {
    const std::string errPath = dir.PathOf("stderr.txt");
    std::string command = Quoted(KIVO_CLI_PATH);
    for (const std::string& argument : arguments)
        command += " " + Quoted(argument);
    command += " </dev/null 2>" + Quoted(errPath);
    CommandResult result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.out.append(buffer, count);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadText(errPath);
    return result;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        fields.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return fields;
        start = end + 1;
    }
}

// Lines of an output file, which must all end with CR LF.
std::vector<std::string> ReadCrLfLines(const std::string& path) {
    const std::string text = ReadText(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << path << ": the last line has no CR LF";
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// ---- The posture angles, written out from the definitions -----------------

using Matrix = std::array<std::array<double, 3>, 3>;

constexpr double kDegree = 3.14159265358979 / 180.0;

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix product{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            for (int k = 0; k < 3; ++k)
                product[i][j] += a[i][k] * b[k][j];
        }
    }
    return product;
}

Matrix Transposed(const Matrix& m) {
    Matrix t{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            t[i][j] = m[j][i];
    }
    return t;
}

// R = Rz(rz) * Ry(ry) * Rx(rx), angles in degrees.
Matrix Orientation(double rx, double ry, double rz) {
    const double cx = std::cos(rx * kDegree), sx = std::sin(rx * kDegree);
    const double cy = std::cos(ry * kDegree), sy = std::sin(ry * kDegree);
    const double cz = std::cos(rz * kDegree), sz = std::sin(rz * kDegree);
    const Matrix x = {{{1, 0, 0}, {0, cx, -sx}, {0, sx, cx}}};
    const Matrix y = {{{cy, 0, sy}, {0, 1, 0}, {-sy, 0, cy}}};
    const Matrix z = {{{cz, -sz, 0}, {sz, cz, 0}, {0, 0, 1}}};
    return Multiply(Multiply(z, y), x);
}

// Sagittal, rotational and lateral angle of an orientation; nothing where the
// axis projection is too short to give one.
std::array<std::optional<double>, 3> SrlAngles(const Matrix& m) {
    // 1-based names as in the definition: Rij = row i, column j.
    auto r = [&m](int i, int j) { return m[i - 1][j - 1]; };
    const double n = r(1, 1) * r(3, 3) - r(3, 1) * r(1, 3);
    auto angle = [](double q, double c0, bool negate) -> std::optional<double> {
        if (q <= 1e-7)
            return std::nullopt;
        const double c = c0 / std::sqrt(q);
        if (1 - c * c <= -1e-7)
            return std::nullopt;
        double s = std::sqrt(std::fabs(1 - c * c));
        if (negate)
            s = -s;
        return std::atan2(s, c) / kDegree;
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
    const double distance = std::fabs(scaled - std::floor(scaled) - 0.5);
    EXPECT_GT(distance, 1e-6) << *value << " lies on a rounding boundary; pick another frame";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", std::floor(scaled + 0.5) / 10.0);
    return text;
}

// ---- Raw data of a recording ----------------------------------------------

class Recording {
  public:
    explicit Recording(const std::string& path) {
        std::istringstream stream(ReadText(path));
        std::string line;
        while (std::getline(stream, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (formatFields_.empty()) {
                if (line.rfind("Time;", 0) == 0)
                    formatFields_ = Split(line, ';');
                continue;
            }
            lines_.push_back(Split(line, ';'));
        }
    }

    std::size_t FrameCount() const { return lines_.size(); }

    // The data field "<subject>:<name>:<component>" of data line `number` (1-based).
    double Value(int number, const std::string& name, const std::string& component) const {
        const std::string suffix = ":" + name + ":" + component;
        for (std::size_t i = 0; i < formatFields_.size(); ++i) {
            const std::string& field = formatFields_[i];
            if (field.size() > suffix.size() &&
                field.compare(field.size() - suffix.size(), suffix.size(), suffix) == 0) {
                return std::stod(lines_.at(number - 1).at(i));
            }
        }
        ADD_FAILURE() << "no data field " << suffix;
        return 0.0;
    }

    Matrix OrientationOf(int number, const std::string& name) const {
        return Orientation(Value(number, name, "Rx"), Value(number, name, "Ry"),
                           Value(number, name, "Rz"));
    }

    const std::vector<std::string>& Line(int number) const { return lines_.at(number - 1); }

  private:
    std::vector<std::string> formatFields_;
    std::vector<std::vector<std::string>> lines_;
};

// The output columns `kivo parameters --captions` lists for a settings file.
std::vector<std::string> OutputCaptions(const std::string& listing) {
    std::vector<std::string> captions;
    std::istringstream stream(listing);
    std::string line;
    bool inOutput = false;
    while (std::getline(stream, line)) {
        if (line == "Output file columns:") {
            inOutput = true;
            continue;
        }
        if (!inOutput)
            continue;
        if (line.empty())
            break;
        const std::size_t start = line.find_first_not_of(' ');
        const std::size_t gap = line.find("  ", start);
        captions.push_back(line.substr(gap + 2));
    }
    return captions;
}

class RunCommandOnRecordings : public ::testing::Test {
  protected:
    void SetUp() override {
        cmu = std::string(KIVO_SHARED_DATA_DIR) + "/cmu";
        if (!fs::exists(cmu + "/cmu18_01.A.txt") || !fs::exists(cmu + "/cmu18_01.B.txt") ||
            !fs::exists(cmu + "/bindings.txt")) {
            GTEST_SKIP() << "the shared CMU recordings are not available";
        }
        settings = dir.PathOf("study.set");
        output = dir.PathOf("out");
        fs::create_directories(output);
        const CommandResult init =
            RunKivo({"init", settings, cmu + "/cmu18_01.A.txt", cmu + "/cmu18_01.B.txt",
                     "--time-label", "Time", "--bindings", cmu + "/bindings.txt"},
                    dir);
        ASSERT_EQ(init.exitCode, 0) << init.out << init.err;
    }

    CommandResult Run(bool overwrite = false) {
        std::vector<std::string> arguments = {"run", settings, "--output-dir", output};
        if (overwrite)
            arguments.push_back("--overwrite");
        return RunKivo(arguments, dir);
    }

    TempDir dir;
    std::string cmu;
    std::string settings;
    std::string output;
};

TEST_F(RunCommandOnRecordings, WritesOneLinePerFrameUnderTheCompiledCaptions) {
    const CommandResult run = Run();
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    const CommandResult listing = RunKivo({"parameters", settings, "--captions"}, dir);
    ASSERT_EQ(listing.exitCode, 0) << listing.err;
    const std::vector<std::string> captions = OutputCaptions(listing.out);
    ASSERT_GT(captions.size(), 2u);
    std::string header;
    for (const std::string& caption : captions)
        header += (header.empty() ? "" : ";") + caption;

    for (const char* person : {"A", "B"}) {
        SCOPED_TRACE(person);
        const std::string name = std::string("cmu18_01.") + person;
        const Recording recording(cmu + "/" + name + ".txt");
        ASSERT_EQ(recording.FrameCount(), 303u);
        const std::vector<std::string> lines = ReadCrLfLines(output + "/" + name + ".csv");
        ASSERT_EQ(lines.size(), 304u);
        EXPECT_EQ(lines[0], header);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const std::vector<std::string> fields = Split(lines[i], ';');
            ASSERT_EQ(fields.size(), captions.size()) << "line " << i;
            ASSERT_EQ(fields[1], std::to_string(i)) << "line " << i;
        }
    }
}

TEST_F(RunCommandOnRecordings, PostureAnglesMatchTheRawData) {
    const CommandResult run = Run();
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    constexpr int kFrame = 10;

    for (const char* person : {"A", "B"}) {
        SCOPED_TRACE(person);
        const std::string name = std::string("cmu18_01.") + person;
        const Recording recording(cmu + "/" + name + ".txt");
        const std::vector<std::string> lines = ReadCrLfLines(output + "/" + name + ".csv");
        ASSERT_GT(lines.size(), static_cast<std::size_t>(kFrame));
        const std::vector<std::string> header = Split(lines[0], ';');
        const std::vector<std::string> fields = Split(lines[kFrame], ';');
        ASSERT_EQ(fields.size(), header.size());
        std::map<std::string, std::string> value;
        for (std::size_t i = 0; i < header.size(); ++i)
            value[header[i]] = fields[i];

        EXPECT_EQ(value["Time"], "0.075");
        EXPECT_EQ(value["Frame"], recording.Line(kFrame)[1]);

        const Matrix hips = recording.OrientationOf(kFrame, "Hips");
        const Matrix chest = recording.OrientationOf(kFrame, "Spine1");
        const Matrix hipsBefore = recording.OrientationOf(kFrame - 1, "Hips");
        const std::array<std::pair<std::string, Matrix>, 3> rows = {{
            {"Global Static SRL Hips", hips},
            {"Local Static SRL Chest", Multiply(Transposed(hips), chest)},
            {"Global Dynamic SRL Hips", Multiply(Transposed(hipsBefore), hips)},
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

TEST_F(RunCommandOnRecordings, RefusedOverwriteStopsWithExitCodeTwo) {
    const CommandResult first = Run();
    ASSERT_EQ(first.exitCode, 0) << first.out << first.err;
    const std::string path = output + "/cmu18_01.A.csv";
    dir.Write("out/cmu18_01.A.csv", "kept\r\n");

    const CommandResult refused = Run();
    EXPECT_EQ(refused.exitCode, 2) << refused.out << refused.err;
    EXPECT_NE(refused.err.find("--overwrite"), std::string::npos) << refused.err;
    EXPECT_EQ(ReadText(path), "kept\r\n");

    const CommandResult replaced = Run(true);
    EXPECT_EQ(replaced.exitCode, 0) << replaced.out << replaced.err;
    EXPECT_EQ(ReadCrLfLines(path).size(), 304u);
}

}  // namespace
}  // namespace kivo
