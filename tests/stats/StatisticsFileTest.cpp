#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "StatisticsTestSupport.h"
#include "core/Numbers.h"
#include "params/CompileTestSupport.h"
#include "params/DefaultParameterList.h"
#include "params/DyadicRows.h"
#include "stats/StatisticsFile.h"

namespace kivo {
namespace {

using testing::ArrayOf;
using testing::Fields;
using testing::FrameFeeder;
using testing::MakeRecord;
using testing::ScriptedPrompt;

StatisticsFileContext Context(char separator, int decimalPlaces = 1,
                              double framesPerSecond = 30.0) {
    return {"a.csv", "b.csv", {separator, decimalPlaces, framesPerSecond}};
}

// The field of `line` under the header caption `caption`.
std::string FieldUnder(const std::string& header, const std::string& line,
                       const std::string& caption, char separator) {
    const std::vector<std::string> captions = Fields(header, separator);
    const std::vector<std::string> fields = Fields(line, separator);
    const auto at = std::find(captions.begin(), captions.end(), caption);
    if (at == captions.end() || fields.size() != captions.size())
        return "<missing>";
    return fields[static_cast<std::size_t>(at - captions.begin())];
}

class StatisticsFileSeparator : public ::testing::TestWithParam<char> {};

TEST_P(StatisticsFileSeparator, HeaderNamesFileColumnsThenEveryStatisticsCaption) {
    const char s = GetParam();
    ParameterArray array(4);
    array[1] = MakeRecord(kFnDistance, 1, false, false, false, "Dist");
    array[2] = MakeRecord(kFnDistance, 1, false, false, false, "Quiet");
    array[2].statistics = false;
    array[3] = MakeRecord(kFnPixelDifference, 1, false, false, false, "Pixels");
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(array, false, s, prompt);
    ASSERT_TRUE(header.has_value());
    const std::string t(1, s);
    EXPECT_EQ(header->line, "File Name" + t + "Partner File" + t + "M Dist 1" + t + "SD Dist 1" +
                                t + "MIN Dist 1" + t + "MAX Dist 1" + t + "MBM Pixels 1" + t +
                                "MAP Pixels 1");
    EXPECT_EQ(header->layout.FieldCount(), 6u);
    const auto split = GetStatisticFormatLine(array, true, s, prompt);
    ASSERT_TRUE(split.has_value());
    EXPECT_TRUE(split->line.starts_with("File Name" + t + "Partner File" + t + "Part " + t +
                                        "Frames" + t + "M Dist 1"));
}

// An error item is one field of its own, with ";" and with tab separators.
TEST_P(StatisticsFileSeparator, AFileWithoutValuesGivesFourErrorFieldsPerColumn) {
    const char s = GetParam();
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1));
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(array, false, s, prompt);
    FrameFeeder feeder(array);
    feeder.Frame(kNoValue);
    const auto line = WriteStatisticLine(array, header->layout, 1, Context(s), false, "", prompt);
    ASSERT_TRUE(line.has_value());
    const std::string t(1, s);
    EXPECT_EQ(*line, "a.csv" + t + "b.csv" + t + "ERROR:DIV/0" + t + "ERROR:DIV/0" + t +
                         "ERROR:NO DATA" + t + "ERROR:NO DATA");
    EXPECT_EQ(Fields(*line, s).size(), Fields(header->line, s).size());
}

TEST_P(StatisticsFileSeparator, MeansLineHasAnEmptyFieldUnderEachDifferenceCaption) {
    const char s = GetParam();
    ParameterArray array = ArrayOf(MakeRecord(kFnStaticSRL, 2, true, false, true, "Head"));
    const MeansHeader header = GetMeansFormatLine(array, s);
    const std::string t(1, s);
    EXPECT_EQ(header.line, "Part " + t + "Frames" + t + "Head 1" + t + "D Head 1" + t + "Head 2" +
                               t + "D Head 2");
    FrameFeeder feeder(array, true);
    for (double v : {1.0, 2.0, 4.0}) {
        feeder.Set(1, {v, kNoValue});
        feeder.EndFrame();
    }
    EXPECT_EQ(BuildMeansLine(array, header.layout, "Part 001", 3, {s, 2, 30.0}),
              "Part 001" + t + "3" + t + "2.33" + t + t + "ERROR:DIV/0" + t);
    // The sums were reset: the next part starts from nothing.
    EXPECT_EQ(BuildMeansLine(array, header.layout, "Part 002", 0, {s, 2, 30.0}),
              "Part 002" + t + "0" + t + "ERROR:DIV/0" + t + t + "ERROR:DIV/0" + t);
}

INSTANTIATE_TEST_SUITE_P(Separators, StatisticsFileSeparator, ::testing::Values(';', '\t'),
                         [](const auto& testInfo) {
                             return testInfo.param == ';' ? std::string("Semicolon")
                                                          : std::string("Tab");
                         });

TEST(StatisticLine, WritesNumbersWithTheFileDecimalPlacesAndCountsWithZeroDecimals) {
    ParameterArray array(3);
    array[1] = MakeRecord(kFnDistance, 1, false, false, false, "Dist");
    array[2] = MakeRecord(kFnActivation, 1, false, false, false, "Act");
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(array, false, ';', prompt);
    FrameFeeder feeder(array, false, 0.0, 1.0);
    // Dist: 2 and 3; Act: four movement phases (above 1 after 0).
    const double act[] = {0.0, 2.0, 0.0, 2.0, 0.0, 2.0, 0.0, 2.0};
    for (int f = 0; f < 8; ++f) {
        feeder.Set(1, {f % 2 == 0 ? 2.0 : 3.0});
        feeder.Set(2, {act[f]});
        feeder.EndFrame();
    }
    const auto line =
        WriteStatisticLine(array, header->layout, 8, Context(';', 3, 2.0), false, "", prompt);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(FieldUnder(header->line, *line, "M Dist 1", ';'), "2.500");
    EXPECT_EQ(FieldUnder(header->line, *line, "SD Dist 1", ';'), "0.500");
    EXPECT_EQ(FieldUnder(header->line, *line, "Act: Number of Movement Phases", ';'), "4.000");
    EXPECT_EQ(FieldUnder(header->line, *line, "Act: Number of Pause Phases", ';'), "3.000");
    EXPECT_EQ(
        FieldUnder(header->line, *line, "Act: Average Duration of Movement Phases (seconds)", ';'),
        "0.500");  // 4 frames / 4 phases / 2 fps
}

TEST(StatisticLine, PutsDifferenceStatisticsUnderTheirCaptions) {
    ParameterArray array = ArrayOf(MakeRecord(kFnStaticSRL, 2, true, false, false, "Hips"));
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(array, false, ';', prompt);
    FrameFeeder feeder(array);
    for (double v : {1.0, 4.0, 9.0}) {
        feeder.Set(1, {v, -v});
        feeder.EndFrame();
    }
    const auto line = WriteStatisticLine(array, header->layout, 3, Context(';'), false, "", prompt);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(FieldUnder(header->line, *line, "M Hips 2", ';'), "-4.7");
    EXPECT_EQ(FieldUnder(header->line, *line, "MAX Hips 1", ';'), "9.0");
    EXPECT_EQ(FieldUnder(header->line, *line, "M D Hips 1", ';'), "4.0");
    EXPECT_EQ(FieldUnder(header->line, *line, "MIN D Hips 2", ';'), "-5.0");
}

TEST(StatisticLine, CoversOnlyTheFramesSinceThePreviousLine) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1, false, false, false, "Dist"));
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(array, false, ';', prompt);
    FrameFeeder feeder(array);
    for (double v : {1.0, 2.0, 3.0})
        feeder.Frame(v);
    ASSERT_TRUE(WriteStatisticLine(array, header->layout, 3, Context(';'), false, "", prompt));
    feeder.StartNewFile();
    feeder.Frame(10.0);
    const auto second =
        WriteStatisticLine(array, header->layout, 1, Context(';'), false, "", prompt);
    EXPECT_EQ(*second, "a.csv;b.csv;10.0;0.0;10.0;10.0");
}

// 2,500 frames with 1,000 lines per part: three parts, each line over its own frames.
TEST(PartFileStatisticLine, WritesOneStatisticsAndOneMeansLinePerPart) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1, false, false, true, "Dist"));
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(array, true, ';', prompt);
    const MeansHeader means = GetMeansFormatLine(array, ';');
    FrameFeeder feeder(array, true);
    std::vector<PartFileStatisticLines> parts;
    int linesInPart = 0;
    for (int frame = 1; frame <= 2500; ++frame) {
        feeder.Frame(frame);
        if (++linesInPart == 1000 || frame == 2500) {
            parts.push_back(WritePartFileStatisticLine(array, header->layout, means.layout,
                                                       static_cast<int>(parts.size()) + 1,
                                                       linesInPart, true, Context(';'), prompt));
            linesInPart = 0;
        }
    }
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(*parts[0].statisticLine, "a.csv;b.csv;Part 001;1000;500.5;288.7;1.0;1000.0");
    EXPECT_EQ(*parts[1].statisticLine, "a.csv;b.csv;Part 002;1000;1500.5;288.7;1001.0;2000.0");
    EXPECT_EQ(*parts[2].statisticLine, "a.csv;b.csv;Part 003;500;2250.5;144.3;2001.0;2500.0");
    EXPECT_EQ(*parts[0].meansLine, "Part 001;1000;500.5");
    EXPECT_EQ(*parts[1].meansLine, "Part 002;1000;1500.5");
    EXPECT_EQ(*parts[2].meansLine, "Part 003;500;2250.5");
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(PartFileStatisticLine, WithoutStatisticsWritesOnlyTheMeansLine) {
    ParameterRecord record = MakeRecord(kFnDistance, 1, false, false, true, "Dist");
    record.statistics = false;  // no part sums either: the mean is an error item
    ParameterArray array = ArrayOf(record);
    const MeansHeader means = GetMeansFormatLine(array, ';');
    FrameFeeder feeder(array, true);
    feeder.Frame(4.0);
    ScriptedPrompt prompt;
    const PartFileStatisticLines lines =
        WritePartFileStatisticLine(array, {}, means.layout, 7, 1, false, Context(';'), prompt);
    EXPECT_FALSE(lines.statisticLine.has_value());
    EXPECT_EQ(lines.meansLine, "Part 007;1;ERROR:DIV/0");
}

TEST(PartName, HasAtLeastThreeDigits) {
    EXPECT_EQ(PartName(1), "Part 001");
    EXPECT_EQ(PartName(42), "Part 042");
    EXPECT_EQ(PartName(999), "Part 999");
    EXPECT_EQ(PartName(1000), "Part 1000");
}

// After the rows that need a partner are dropped and the list is compiled
// again, the lines keep the header's columns: the dropped row's stay empty.
TEST(StatisticLine, KeepsTheColumnsOfRowsDroppedByALaterCompilation) {
    using testing::Row;
    testing::Compilation c({Row("Head SRL", "Static SRL", "Head"),
                            Row("Heads", "Dyadic Proxemics", "Head", "Head"),
                            Row("Hand SRL", "Static SRL", "Hand R")});
    ASSERT_FALSE(c.outcome.failed) << c.prompt.LastText();
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(c.array, false, '\t', prompt);
    ASSERT_TRUE(header.has_value());

    ASSERT_EQ(UncheckDyadicRows(c.rows), 1);
    ASSERT_FALSE(
        InitParameterListArray(c.array, c.rows, c.table, c.bindings, false, c.prompt).failed);
    ResetStatisticsAccumulators(c.array, false);
    FrameFeeder feeder(c.array);
    for (double v : {10.0, 20.0}) {
        feeder.Set(1, {v, v, v});
        feeder.Set(3, {-v, -v, -v});
        feeder.EndFrame();
    }
    const auto line =
        WriteStatisticLine(c.array, header->layout, 2, Context('\t'), false, "", prompt);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(Fields(*line, '\t').size(), Fields(header->line, '\t').size());
    EXPECT_EQ(FieldUnder(header->line, *line, "M Heads", '\t'), "");
    EXPECT_EQ(FieldUnder(header->line, *line, "MAX Heads", '\t'), "");
    EXPECT_EQ(FieldUnder(header->line, *line, "M Head SRL Sagittal", '\t'), "15.0");
    EXPECT_EQ(FieldUnder(header->line, *line, "MIN Hand SRL Lateral", '\t'), "-20.0");
}

struct LayoutCase {
    char separator;
    bool splitMode;
};

class DefaultListLines : public ::testing::TestWithParam<LayoutCase> {};

// Every line has one field per header caption, whatever the values: numbers,
// no values, error items, and after the dyadic rows were dropped.
TEST_P(DefaultListLines, HaveOneFieldPerHeaderCaption) {
    const char s = GetParam().separator;
    const bool split = GetParam().splitMode;
    std::vector<ParameterDefinition> rows;
    CreateDefaultParameterList(rows);
    for (ParameterDefinition& row : rows) {
        row.dynamic = "x";  // Activation keeps its seven captions
        row.statistics = "x";
    }
    testing::Compilation c(rows, split);
    ASSERT_FALSE(c.outcome.failed) << c.prompt.LastText();
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(c.array, split, s, prompt);
    ASSERT_TRUE(header.has_value());
    const std::size_t statisticsFields = Fields(header->line, s).size();
    ASSERT_GT(statisticsFields, 1000u);

    for (int file = 1; file <= 2; ++file) {
        if (file == 2) {
            ASSERT_GT(UncheckDyadicRows(c.rows), 0);
            ASSERT_FALSE(
                InitParameterListArray(c.array, c.rows, c.table, c.bindings, split, c.prompt)
                    .failed);
            ResetStatisticsAccumulators(c.array, split);
        }
        const MeansHeader means = GetMeansFormatLine(c.array, s);
        const std::size_t meansFields = Fields(means.line, s).size();
        FrameFeeder feeder(c.array, split, 1.0, 0.5);
        for (int frame = 1; frame <= 4; ++frame) {
            for (std::size_t p = 1; p < c.array.size(); ++p) {
                const ParameterRecord& record = c.array[p];
                if (!record.enabled)
                    continue;
                // Frame 1 without values; then values that move for even rows
                // and stay for odd ones (constant and empty series alike).
                const double v = frame == 1 ? kNoValue : (p % 2 == 0 ? frame * 1.5 : 2.0);
                const std::vector<double> values(static_cast<std::size_t>(record.nValues), v);
                feeder.Set(static_cast<int>(p), values, values);
            }
            feeder.EndFrame();
            if (split && frame % 2 == 0) {
                const PartFileStatisticLines lines = WritePartFileStatisticLine(
                    c.array, header->layout, means.layout, frame / 2, 2, true, Context(s), prompt);
                ASSERT_TRUE(lines.statisticLine && lines.meansLine);
                EXPECT_EQ(Fields(*lines.statisticLine, s).size(), statisticsFields) << file;
                EXPECT_EQ(Fields(*lines.meansLine, s).size(), meansFields) << file;
            }
        }
        if (!split) {
            const auto line =
                WriteStatisticLine(c.array, header->layout, 4, Context(s), false, "", prompt);
            ASSERT_TRUE(line.has_value());
            EXPECT_EQ(Fields(*line, s).size(), statisticsFields) << file;
        }
    }
    EXPECT_TRUE(prompt.messages.empty()) << prompt.LastText();
}

INSTANTIATE_TEST_SUITE_P(Files, DefaultListLines,
                         ::testing::Values(LayoutCase{';', false}, LayoutCase{'\t', false},
                                           LayoutCase{';', true}, LayoutCase{'\t', true}),
                         [](const auto& testInfo) {
                             return std::string(testInfo.param.separator == ';' ? "Csv" : "Tsv") +
                                    (testInfo.param.splitMode ? "Split" : "Whole");
                         });

}  // namespace
}  // namespace kivo
