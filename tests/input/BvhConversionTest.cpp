#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/FileError.h"
#include "core/Text.h"
#include "input/BvhConversion.h"
#include "support/Rotations.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::Matrix;
using testing::Multiply;
using testing::ReadFileText;
using testing::TempDir;

constexpr double kDegree = 3.14159265358979323846 / 180.0;

// The angle in degrees of the rotation that turns the orientation written in
// `pose` (angles rx, ry, rz standing for R = Rz·Ry·Rx) into `b`.
double AngleBetween(const std::array<double, 6>& pose, const Matrix& b) {
    const Matrix a = testing::Orientation(pose[3], pose[4], pose[5], kDegree);
    double trace = 0;
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k)
            trace += a[k][i] * b[k][i];
    return std::acos(std::clamp((trace - 1) / 2, -1.0, 1.0)) / kDegree;
}

// A converted data file: its format line's fields and the values of each line.
struct DataFile {
    std::vector<std::string> fields;
    std::vector<std::vector<std::string>> lines;

    explicit DataFile(const std::string& path, char separator = ';') {
        const std::vector<std::string> text = SplitToStrings(ReadFileText(path), '\n');
        fields = SplitToStrings(text.at(1), separator);
        for (std::size_t i = 2; i < text.size(); ++i) {
            if (!text[i].empty())
                lines.push_back(SplitToStrings(text[i], separator));
        }
    }
    // The column of the first of the six fields of `joint`.
    std::size_t Column(const std::string& joint) const {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].ends_with(":" + joint + ":Tx") || fields[i] == joint + ":Tx")
                return i;
        }
        ADD_FAILURE() << "no joint " << joint;
        return 0;
    }
    // The six values from `column` on in data line `line` (0-based).
    std::array<double, 6> Pose(std::size_t line, std::size_t column) const {
        std::array<double, 6> pose{};
        for (int k = 0; k < 6; ++k)
            pose[k] = std::stod(lines.at(line).at(column + k));
        return pose;
    }
};

// The root lists its channels in an unusual order, the child's rotation
// order is Z, X, Y, and an end site closes the chain.
constexpr std::string_view kTwoJoints =
    "HIERARCHY\nROOT mixamorig:Hips\n{\n  OFFSET 0 5 0\n"
    "  CHANNELS 6 Yrotation Xposition Yposition Zposition Xrotation Zrotation\n"
    "  JOINT Arm {\n    OFFSET 2 0 0\n    CHANNELS 3 Zrotation Xrotation Yrotation\n"
    "    End Site\n    {\n      OFFSET 1 0 0\n    }\n  }\n}\n"
    "MOTION\nFrames: 3\nFrame Time: .01\n"
    "0 0 0 0 0 0 0 0 0\n30 10 20 30 0 0 90 0 0\n30 10 20 30 0 0 0 45 0\r\n";

TEST(BvhConversion, WritesEveryJointsGlobalPoseInTheBodyGeometryConvention) {
    TempDir dir;
    BvhConversionOptions options;
    options.scale = 2.0;
    options.skipFrames = 1;
    options.separator = '\t';
    options.decimals = 3;
    ConvertedDataFile converted =
        ConvertBvh(dir.Write("take.bvh", kTwoJoints), dir.PathOf("take.txt"), options);
    EXPECT_FALSE(fs::exists(dir.PathOf("take.txt")));  // until committed
    converted.Commit();
    EXPECT_EQ(converted.joints, 2u);
    EXPECT_EQ(converted.frames, 2);

    const DataFile data(dir.PathOf("take.txt"), '\t');
    EXPECT_EQ(data.fields.size(), 2u + 12u);
    EXPECT_EQ(std::vector(data.fields.begin(), data.fields.begin() + 3),
              (std::vector<std::string>{"Time", "Frame", "mixamorig:Hips:Tx"}));
    EXPECT_EQ(data.fields[13], "Arm:Rz");
    ASSERT_EQ(data.lines.size(), 2u);
    EXPECT_EQ(data.lines[0][0], "0.000000");  // times keep six decimals
    EXPECT_EQ(data.lines[1][0], "0.010000");
    EXPECT_EQ(data.lines[1][1], "2");
    EXPECT_EQ(data.lines[0][2], "20.000");  // translation channels replace the offset, scaled

    const Matrix hips = testing::Rotation('y', 30 * kDegree);
    const std::array<Matrix, 2> arm = {Multiply(hips, testing::Rotation('z', 90 * kDegree)),
                                       Multiply(hips, testing::Rotation('x', 45 * kDegree))};
    for (std::size_t line = 0; line < 2; ++line) {
        const auto root = data.Pose(line, data.Column("Hips"));
        const auto child = data.Pose(line, data.Column("Arm"));
        EXPECT_NEAR(AngleBetween(root, hips), 0, 1e-3);
        EXPECT_NEAR(AngleBetween(child, arm[line]), 0, 1e-3);
        // The arm sits 2 units along the turned hips' x axis, scaled by 2.
        EXPECT_NEAR(child[0], 20 + 4 * std::cos(30 * kDegree), 1e-3);
        EXPECT_NEAR(child[1], 40, 1e-3);
        EXPECT_NEAR(child[2], 60 - 4 * std::sin(30 * kDegree), 1e-3);
    }
}

// The converted CMU recordings beside their BVH sources: positions in cm from
// the skeleton unit times 2.54/0.45, the calibration frame left out and
// orientations relative to it.
class SharedBvhSource : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(SharedBvhSource, AgreesWithTheConvertedRecordingForEveryJoint) {
    const auto [source, converted] = GetParam();
    const std::string cmu = std::string(KIVO_SHARED_DATA_DIR) + "/cmu/";
    if (!fs::exists(cmu + "bvh/" + source) || !fs::exists(cmu + converted))
        GTEST_SKIP() << "the shared CMU recordings are not available";
    TempDir dir;
    BvhConversionOptions options;
    options.scale = 2.54 / 0.45;
    options.skipFrames = 1;
    options.restFrame = 0;
    ConvertBvh(cmu + "bvh/" + source, dir.PathOf("mine.txt"), options).Commit();
    const DataFile mine(dir.PathOf("mine.txt"));
    const DataFile shared(cmu + converted);
    ASSERT_EQ(mine.lines.size(), shared.lines.size());
    ASSERT_EQ(mine.fields.size(), 2u + 31u * 6u);

    double position = 0, orientation = 0;
    for (std::size_t field = 2; field < mine.fields.size(); field += 6) {
        const std::size_t column =
            shared.Column(mine.fields[field].substr(0, mine.fields[field].find(':')));
        for (std::size_t line = 0; line < mine.lines.size(); ++line) {
            const auto a = mine.Pose(line, field);
            const auto b = shared.Pose(line, column);
            for (int k = 0; k < 3; ++k)
                position = std::max(position, std::fabs(a[k] - b[k]));
            orientation = std::max(
                orientation, AngleBetween(a, testing::Orientation(b[3], b[4], b[5], kDegree)));
        }
    }
    EXPECT_LT(position, 0.01);      // cm
    EXPECT_LT(orientation, 0.001);  // degrees
}

INSTANTIATE_TEST_SUITE_P(Cmu, SharedBvhSource,
                         ::testing::Values(std::pair{"18_01.bvh", "cmu18_01.A.txt"},
                                           std::pair{"19_01.bvh", "cmu18_01.B.txt"}),
                         [](const auto& caseInfo) { return caseInfo.index == 0 ? "A" : "B"; });

std::string ManyJoints(int count) {
    std::string text =
        "HIERARCHY\nROOT j0\n{\nOFFSET 0 0 0\nCHANNELS 3 Zrotation Xrotation Yrotation\n";
    for (int i = 1; i < count; ++i)
        text += "JOINT j" + std::to_string(i) +
                "\n{\nOFFSET 0 1 0\nCHANNELS 3 Xrotation Yrotation Zrotation\n}\n";
    return text + "}\nMOTION\nFrames: 0\nFrame Time: 0.01\n";
}

TEST(BvhConversion, RefusesABadFileNamingTheLineAndWritesNothing) {
    const std::string head =
        "HIERARCHY\nROOT Hips\n{\nOFFSET 0 0 0\nCHANNELS 3 Zrotation Yrotation Xrotation\n}\n";
    const std::string motion = "MOTION\nFrames: 2\nFrame Time: 0.01\n";
    const struct {
        const char* name;
        std::string content;
        long line;
        const char* says;
    } cases[] = {
        {"truncated motion", head + motion + "1 2 3\n", 8, "ends after 1 of the 2 frames"},
        {"channel count", "HIERARCHY\nROOT Hips\n{\nOFFSET 0 0 0\nCHANNELS 4 Xrotation\n", 5,
         "3 or 6 channels, not 4"},
        {"channel name", "HIERARCHY\nROOT Hips\n{\nOFFSET 0 0 0\nCHANNELS 3 Xrotation Yrot Z\n", 5,
         "'Yrot' is not a channel"},
        {"too few values", head + motion + "1 2 3\n1 2\n", 11, "has 2 values"},
        {"not a number", head + motion + "1 2 3\n1 x2 3\n", 11, "'x2' is not a number"},
        {"more frames", head + motion + "1 2 3\n1 2 3\n4 5 6\n", 12, "more than the 2 frames"},
        {"frame time 0", head + "MOTION\nFrames: 2\nFrame Time: 0\n", 9, "greater than 0"},
        {"endless time", head + "MOTION\nFrames: 2\nFrame Time: 1e308\n", 9, "too large"},
        {"frame time below the time decimals", head + "MOTION\nFrames: 2\nFrame Time: 1e-7\n", 9,
         "tell apart"},
        {"10,000 joints", ManyJoints(10000), 5001, "more than 1000 joints"},
        {"unclosed joint",
         "HIERARCHY\nROOT Hips\n{\nOFFSET 0 0 0\nCHANNELS 3 Xrotation "
         "Yrotation Zrotation\nMOTION\n",
         6, "opened on line 2 is not closed"},
        {"no frames", head + "MOTION\nFrames: 0\nFrame Time: 0.01\n", 8, "holds no frame"},
        {"twice the name",
         "HIERARCHY\nROOT Hips\n{\nOFFSET 0 0 0\nCHANNELS 3 Xrotation "
         "Yrotation Zrotation\nJOINT a:Hips\n{\nOFFSET 0 1 0\nCHANNELS 3 "
         "Xrotation Yrotation Zrotation\n}\n}\n" +
             motion + "1 2 3 4 5 6\n",
         6, "a second joint named 'Hips'"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string bvh = dir.Write("bad.bvh", c.content);
        try {
            ConvertBvh(bvh, dir.PathOf("bad.txt"), BvhConversionOptions()).Commit();
            ADD_FAILURE() << c.name << ": converted";
        } catch (const FileError& error) {
            EXPECT_EQ(error.File(), bvh) << c.name;
            EXPECT_EQ(error.Line(), c.line) << c.name << ": " << error.what();
            EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos)
                << c.name << ": " << error.what();
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.PathOf("")), fs::directory_iterator()),
                  1)
            << c.name << ": something was written";
    }
}

}  // namespace
}  // namespace kivo
