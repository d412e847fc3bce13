#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "params/DefaultParameterList.h"
#include "plot/FileStatistics.h"
#include "plot/MovementPhases.h"
#include "plot/OutputColumns.h"
#include "plot/StudyPlots.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::TempDir;

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

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

struct PhaseCase {
    std::vector<double> values;
    bool firstLineIsZero;
    const char* stretches;
    int movementPhases;
    int pausePhases;
};

class PhaseCases : public ::testing::TestWithParam<PhaseCase> {};

TEST_P(PhaseCases, FollowTheStatisticsRule) {
    const PhaseCase& c = GetParam();
    const MovementPhases phases = FindMovementPhases(c.values, 0.5, c.firstLineIsZero);
    EXPECT_EQ(Stretches(phases), c.stretches);
    EXPECT_EQ(phases.movementPhases, c.movementPhases);
    EXPECT_EQ(phases.pausePhases, c.pausePhases);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PhaseCases,
    ::testing::Values(
        // The first line starts no phase; crossings both ways do.
        PhaseCase{{0.0, 1.0, 2.0, 0.2, 0.9}, false, "p0+1 M1+2 P3+1 M4+1", 2, 1},
        // A value equal to the threshold is a pause, and a movement after it
        // is not counted (the previous value must lie below the threshold).
        PhaseCase{{1.0, 0.5, 1.0, 0.5}, false, "m0+1 P1+1 m2+1 P3+1", 0, 2},
        // A line without a value ends a stretch; the next one is not counted.
        PhaseCase{{0.0, kNone, 1.0, 1.0, 0.0}, false, "p0+1 m2+2 P4+1", 0, 1},
        // A run counts an Activation row without a column of its own from 0
        // on its first frame, which its output file leaves empty.
        PhaseCase{{kNone, 1.0, 1.0}, true, "p0+1 M1+2", 1, 0},
        PhaseCase{{kNone, 1.0, 1.0}, false, "m1+2", 0, 0}),
    [](const auto& testInfo) { return "Case" + std::to_string(testInfo.index); });

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
    const auto head = ColumnStatistics(table, rows, "Head", 1020, ",");
    ASSERT_EQ(head.size(), 2u);
    EXPECT_EQ(head[0].first, 0u);
    EXPECT_EQ(head[0].count, 1000u);
    EXPECT_EQ(head[0].mean, 1.5);
    EXPECT_EQ(head[0].standardDeviation, 0.25);
    EXPECT_EQ(head[1].first, 1000u);
    EXPECT_EQ(head[1].count, 20u);
    EXPECT_TRUE(std::isnan(head[1].standardDeviation));
    const auto magnitude = ColumnStatistics(table, rows, "Magnitude Body", 1020, ",");
    ASSERT_EQ(magnitude.size(), 2u);
    EXPECT_EQ(magnitude[1].mean, 1.0);
    EXPECT_TRUE(std::isnan(magnitude[1].standardDeviation));
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

}  // namespace
}  // namespace kivo
