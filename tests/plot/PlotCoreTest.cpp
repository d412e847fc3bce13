#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/FileError.h"
#include "params/DefaultParameterList.h"
#include "plot/Decimation.h"
#include "plot/FileStatistics.h"
#include "plot/MovementPhases.h"
#include "plot/OutputColumns.h"
#include "plot/StudyPlots.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using ::testing::ElementsAre;
using ::testing::IsNan;
using ::testing::NanSensitiveDoubleEq;
using testing::TempDir;

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

struct FileLayout {
    const char* name;
    char separator;
    const char* decimalSymbol;
};

class OutputColumnsLayout : public ::testing::TestWithParam<FileLayout> {
  protected:
    // Writes an output file in the layout: ";" stands for the separator and
    // "," for the decimal symbol.
    std::string Write(const TempDir& dir, std::string text) const {
        std::replace(text.begin(), text.end(), ';', GetParam().separator);
        std::replace(text.begin(), text.end(), ',', GetParam().decimalSymbol[0]);
        return dir.Write("out.csv", text);
    }
};

TEST_P(OutputColumnsLayout, ReadsTheChosenColumnsWithGapsAndRefusesALineTooShortForOne) {
    TempDir dir;
    const std::string path =
        Write(dir,
              "Time;Frame;Head Sagittal;Head Rotational;Hand R Sagittal;Tail\r\n"
              "ERROR: Distance correction factors could be not calculated\r\n"
              "NOTE: Data from the following variables are required\r\n"
              "0;1;1,50;;-2,25;x\r\n"
              "0,033333;2;ERROR:Data error;7,0;3,00\r\n"
              "\r\n"
              "0,066667;3;-0,5;8,0;;\r\n");
    const OutputHeader header = ReadOutputHeader(path);
    EXPECT_EQ(header.separator, GetParam().separator);
    ASSERT_EQ(header.captions.size(), 6u);

    // Anywhere in the caption, any case; never Time or Frame.
    EXPECT_EQ(MatchOutputColumns(header, "sagittal"), (std::vector<std::size_t>{2, 4}));
    EXPECT_EQ(MatchOutputColumns(header, "^(head|tail)"), (std::vector<std::size_t>{2, 3, 5}));
    EXPECT_TRUE(MatchOutputColumns(header, "Time|Frame").empty());
    EXPECT_THROW(MatchOutputColumns(header, "Head ("), std::invalid_argument);

    const OutputColumns columns = ReadOutputColumns(
        header, MatchOutputColumns(header, "sagittal|rotational"), GetParam().decimalSymbol);
    ASSERT_EQ(columns.LineCount(), 3u);
    EXPECT_EQ(columns.time, (std::vector<double>{0.0, 0.033333, 0.066667}));
    ASSERT_EQ(columns.values.size(), 3u);
    EXPECT_EQ(columns.Caption(2), "Hand R Sagittal");
    // An error item and an empty field are gaps, not zero.
    EXPECT_THAT(columns.values[0], ElementsAre(1.5, IsNan(), -0.5));
    EXPECT_THAT(columns.values[1], ElementsAre(IsNan(), 7.0, 8.0));
    EXPECT_THAT(columns.values[2], ElementsAre(-2.25, 3.0, IsNan()));

    // A line too short for a chosen column is refused.
    const OutputHeader shortLine =
        ReadOutputHeader(Write(dir, "Time;Frame;A;B\r\n0;1;1,0;2,0\r\n0,1;2;1,0\r\n"));
    EXPECT_EQ(ReadOutputColumns(shortLine, std::vector<std::size_t>{2}, GetParam().decimalSymbol)
                  .LineCount(),
              2u);
    try {
        ReadOutputColumns(shortLine, std::vector<std::size_t>{3}, GetParam().decimalSymbol);
        FAIL() << "a line without column B was read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.Line(), 3);
        EXPECT_EQ(error.Field(), "B");
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, OutputColumnsLayout,
                         ::testing::Values(FileLayout{"Semicolon", ';', "."},
                                           FileLayout{"Tab", '\t', "."},
                                           FileLayout{"SemicolonDecimalComma", ';', ","},
                                           FileLayout{"TabDecimalComma", '\t', ","}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(OutputColumns, RefusesFilesThatAreNoOutputFilesAndReadsWrittenNumbersOnly) {
    TempDir dir;
    for (const char* text : {"File Name;Partner File;M Head\r\n", "Part ;Frames;Head\r\n", ""}) {
        const std::string path = dir.Write("other.csv", text);
        EXPECT_THROW(ReadOutputHeader(path), FileError) << text;
    }
    EXPECT_THROW(ReadOutputHeader(dir.PathOf("missing.csv")), FileError);

    // Written numbers and nothing else are read.
    const struct {
        const char* field;
        const char* decimalSymbol;
        double expected;  // NaN: no value
    } cases[] = {
        {"12.5", ".", 12.5},  {"-0.063", ".", -0.063},     {"4.", ".", 4.0},
        {"12,5", ",", 12.5},  {"12.5", ",", 12.5},         {"1.5E+20", ".", 1.5e20},
        {"", ".", kNone},     {"ERROR:DIV/0", ".", kNone}, {"12,5", ".", kNone},
        {"1.5x", ".", kNone}, {"inf", ".", kNone},         {"nan", ".", kNone},
    };
    for (const auto& c : cases)
        EXPECT_THAT(ReadOutputNumber(c.field, c.decimalSymbol), NanSensitiveDoubleEq(c.expected))
            << c.field;
}

// Stretches as text: "m" movement, "p" pause, upper case when counted, then
// first line and count.
std::string Stretches(const MovementPhases& phases) {
    std::string text;
    for (const PhaseStretch& s : phases.stretches) {
        if (!text.empty())
            text += ' ';
        text += s.movement ? (s.counted ? 'M' : 'm') : (s.counted ? 'P' : 'p');
        text += std::to_string(s.first) + "+" + std::to_string(s.count);
    }
    return text;
}

TEST(MovementPhases, FollowTheStatisticsRule) {
    const struct {
        std::vector<double> values;
        bool firstLineIsZero;
        const char* stretches;
        int movementPhases;
        int pausePhases;
    } cases[] = {// The first line starts no phase; crossings both ways do.
                 {{0.0, 1.0, 2.0, 0.2, 0.9}, false, "p0+1 M1+2 P3+1 M4+1", 2, 1},
                 // A value equal to the threshold is a pause, and a movement after it
                 // is not counted (the previous value must lie below the threshold).
                 {{1.0, 0.5, 1.0, 0.5}, false, "m0+1 P1+1 m2+1 P3+1", 0, 2},
                 // A line without a value ends a stretch; the next one is not counted.
                 {{0.0, kNone, 1.0, 1.0, 0.0}, false, "p0+1 m2+2 P4+1", 0, 1},
                 // A run counts an Activation row without a column of its own from 0
                 // on its first frame, which its output file leaves empty.
                 {{kNone, 1.0, 1.0}, true, "p0+1 M1+2", 1, 0},
                 {{kNone, 1.0, 1.0}, false, "m1+2", 0, 0}};
    for (const auto& c : cases) {
        const MovementPhases phases = FindMovementPhases(c.values, 0.5, c.firstLineIsZero);
        EXPECT_EQ(Stretches(phases), c.stretches);
        EXPECT_EQ(phases.movementPhases, c.movementPhases) << c.stretches;
        EXPECT_EQ(phases.pausePhases, c.pausePhases) << c.stretches;
    }
}

// Statistics stretches as text: "first+count: mean sd deviation", comma-separated.
std::string Stretches(const std::vector<StatisticsStretch>& stretches) {
    std::ostringstream text;
    for (const StatisticsStretch& s : stretches) {
        text << (text.tellp() > 0 ? ", " : "") << s.first << "+" << s.count << ": " << s.mean
             << " sd " << s.standardDeviation;
    }
    return text.str();
}

TEST(FileStatistics, SpreadsPartLinesOverTheirFramesAndFindsTheFileByItsOutputName) {
    TempDir dir;
    const std::string path =
        dir.Write("Statistics.csv",
                  "File Name;Partner File;Part ;Frames;M Head;SD Head;MBM Magnitude Body;"
                  "Activation Body: Number of Movement Phases\r\n"
                  "s1.A.txt;s1.B.txt;Part 001;1000;1,5;0,25;3,0;4,0\r\n"
                  "s1.A.txt;s1.B.txt;Part 002;20;2,5;ERROR:DIV/0;1,0;1,0\r\n"
                  "s1.txt;No;Part 001;30;9,0;9,0;9,0;9,0\r\n");
    const StatisticsTable table = ReadStatisticsFile(path);
    EXPECT_EQ(InputFileOfOutput(table, "/out/p_s1.A_x.csv"), "s1.A.txt");
    EXPECT_EQ(InputFileOfOutput(table, "/out/s1_x.csv"), "s1.txt");
    EXPECT_EQ(InputFileOfOutput(table, "/out/other.csv"), std::nullopt);

    const std::vector<std::size_t> rows = StatisticsRowsOf(table, "s1.A.txt");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Stretches(ColumnStatistics(table, rows, "Head", 1020, ",")),
              "0+1000: 1.5 sd 0.25, 1000+20: 2.5 sd nan");
    EXPECT_EQ(Stretches(ColumnStatistics(table, rows, "Magnitude Body", 1020, ",")),
              "0+1000: 3 sd nan, 1000+20: 1 sd nan");
    EXPECT_TRUE(ColumnStatistics(table, rows, "Hand", 1020, ",").empty());
    EXPECT_EQ(ReportedMovementPhases(table, rows, "Activation Body", ","), 5);
    EXPECT_EQ(ReportedMovementPhases(table, rows, "Activation Head", ","), std::nullopt);
}

TEST(StudyPlots, ActivationRowsOfTheDefaultListReadTheirMagnitudeColumn) {
    Workspace workspace;
    CreateDefaultParameterList(workspace.parameters);
    const std::vector<ActivationSource> sources = ActivationSources(workspace);
    ASSERT_EQ(sources.size(), 5u);
    EXPECT_EQ(sources[0].activationName, "Activation Body");
    EXPECT_EQ(sources[0].caption, "Translational Magnitude Body");

    // A plot opens on the Activation columns, else on the first value column,
    // matched exactly however their captions read as a pattern.
    TempDir dir;
    PlotRequest request;
    request.file.outputPath = dir.Write("s1.csv",
                                        "Time;Frame;Head (x) [cm];Head (x) [cm] 2;"
                                        "Translational Magnitude Body\n0;1;1;2;3\n");
    const OutputHeader header = ReadOutputHeader(request.file.outputPath);
    EXPECT_EQ(MatchOutputColumns(header, FirstColumnsPattern(request)),
              (std::vector<std::size_t>{2}));
    request.activations = sources;
    EXPECT_EQ(MatchOutputColumns(header, FirstColumnsPattern(request)),
              (std::vector<std::size_t>{4}));
}

// The drawn points as text: "x:y" with "|" for a gap.
std::string Drawn(const std::vector<PlotPoint>& points) {
    std::string text;
    for (const PlotPoint& p : points) {
        if (!text.empty())
            text += ' ';
        text += std::isnan(p.y) ? std::string("|")
                                : std::to_string(static_cast<int>(p.x)) + ":" +
                                      std::to_string(static_cast<int>(p.y));
    }
    return text;
}

TEST(Decimation, KeepsExtremesAndGaps) {
    const struct {
        std::vector<double> y;  // x is the sample index
        std::size_t buckets;
        const char* drawn;
    } cases[] = {
        // Few samples are drawn as they are; gaps at the ends and repeated
        // gaps leave one gap between values.
        {{kNone, 1, 2, kNone, kNone, 3, kNone}, 10, "1:1 2:2 | 5:3"},
        // Each of two buckets gives its smallest and largest value in order.
        {{5, 9, 1, 4, 2, 7, 0, 3}, 2, "1:9 2:1 5:7 6:0"},
        // A one-sample gap inside a bucket stays a gap.
        {{5, 9, kNone, 4, 2, 7, 0, 3}, 2, "0:5 1:9 | 3:4 5:7 6:0"},
        // A bucket of nothing but gaps is one gap.
        {{1, 2, 3, kNone, kNone, kNone, 6, 5}, 2, "0:1 2:3 | 6:6 7:5"},
        // More than three stretches in a bucket: the middle ones are joined.
        {{1, kNone, 8, kNone, -4, kNone, 2, kNone, 6, 0, 0, 0}, 1, "0:1 | 2:8 4:-4 | 8:6 9:0"}};
    for (const auto& c : cases) {
        std::vector<double> x(c.y.size());
        for (std::size_t i = 0; i < x.size(); ++i)
            x[i] = static_cast<double>(i);
        EXPECT_EQ(Drawn(DecimateForDrawing(x, c.y, c.buckets)), c.drawn);
    }
}

}  // namespace
}  // namespace kivo
