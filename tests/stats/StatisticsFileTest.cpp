#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "StatisticsTestSupport.h"
#include "core/FileError.h"
#include "core/Text.h"
#include "params/CompileTestSupport.h"
#include "params/DyadicRows.h"
#include "stats/StatisticsFile.h"
#include "stats/StatisticsTable.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::ArrayOf;
using testing::FrameFeeder;
using testing::MakeRecord;
using testing::ScriptedPrompt;
using testing::TempDir;

StatisticsFileContext Context(char separator, int decimalPlaces = 1,
                              double framesPerSecond = 30.0) {
    return {"a.csv", "b.csv", {separator, decimalPlaces, framesPerSecond}};
}

// The field of `line` under the header caption `caption`.
std::string FieldUnder(const std::string& header, const std::string& line,
                       const std::string& caption, char separator) {
    const std::vector<std::string> captions = SplitToStrings(header, separator);
    const std::vector<std::string> fields = SplitToStrings(line, separator);
    const auto at = std::find(captions.begin(), captions.end(), caption);
    if (at == captions.end() || fields.size() != captions.size())
        return "<missing>";
    return fields[static_cast<std::size_t>(at - captions.begin())];
}

class StatisticsFileSeparator : public ::testing::TestWithParam<char> {
  protected:
    const char s = GetParam();
    const std::string t = std::string(1, GetParam());
    ScriptedPrompt prompt;
};

TEST_P(StatisticsFileSeparator, HeaderNamesFileColumnsThenEveryStatisticsCaption) {
    ParameterArray array(4);
    array[1] = MakeRecord(kFnDistance, 1, false, false, false, "Dist");
    array[2] = MakeRecord(kFnDistance, 1, false, false, false, "Quiet");
    array[2].statistics = false;
    array[3] = MakeRecord(kFnPixelDifference, 1, false, false, false, "Pixels");
    const auto header = GetStatisticFormatLine(array, false, s, prompt);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->line, "File Name" + t + "Partner File" + t + "M Dist 1" + t + "SD Dist 1" +
                                t + "MIN Dist 1" + t + "MAX Dist 1" + t + "MBM Pixels 1" + t +
                                "MAP Pixels 1");
    const auto split = GetStatisticFormatLine(array, true, s, prompt);
    ASSERT_TRUE(split.has_value());
    EXPECT_TRUE(split->line.starts_with("File Name" + t + "Partner File" + t + "Part " + t +
                                        "Frames" + t + "M Dist 1"));
}

// Every error item is one field of its own, for every kind of statistics.
TEST_P(StatisticsFileSeparator, AFileWithoutValuesGivesErrorItemsInFieldsOfTheirOwn) {
    ParameterArray array(4);
    array[1] = MakeRecord(kFnDistance, 1);
    array[2] = MakeRecord(kFnTSM, 1, true, true);
    array[3] = MakeRecord(kFnActivation, 1, true);
    const auto header = GetStatisticFormatLine(array, false, s, prompt);
    ASSERT_TRUE(header.has_value());
    FrameFeeder feeder{array};
    feeder.Set(2, {kNoValue});
    feeder.Frame(kNoValue);
    const auto line = WriteStatisticLine(array, header->layout, 1, Context(s), false, "", prompt);
    ASSERT_TRUE(line.has_value());
    std::string expected = "a.csv" + t + "b.csv";
    for (const char* item : {"ERROR:DIV/0", "ERROR:DIV/0", "ERROR:NO DATA", "ERROR:NO DATA"})
        expected += t + item;
    for (int k = 0; k < 10; ++k)  // TSM and its differences
        expected += t + "ERROR:DIV/0";
    for (const char* item : {"0.0", "ERROR:DIV/0", "0.0", "ERROR:DIV/0", "ERROR:DIV/0",
                             "ERROR:DIV/0", "ERROR:DIV/0"})  // Activation: no differences
        expected += t + item;
    EXPECT_EQ(*line, expected);
    EXPECT_EQ(SplitToStrings(*line, s).size(), SplitToStrings(header->line, s).size());
    EXPECT_TRUE(prompt.messages.empty()) << prompt.LastText();
}

TEST_P(StatisticsFileSeparator, MeansLineHasAnEmptyFieldUnderEachDifferenceCaption) {
    ParameterArray array = ArrayOf(MakeRecord(kFnStaticSRL, 2, true, false, true, "Head"));
    const MeansHeader header = GetMeansFormatLine(array, s);
    EXPECT_EQ(header.line, "Part " + t + "Frames" + t + "Head 1" + t + "D Head 1" + t + "Head 2" +
                               t + "D Head 2");
    FrameFeeder feeder{array, true};
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

// Numbers and counts alike get the file's decimal places.
TEST(StatisticLine, PutsEveryStatisticUnderItsCaptionWithTheFileDecimalPlaces) {
    ParameterArray array(4);
    array[1] = MakeRecord(kFnDistance, 1, false, false, false, "Dist");
    array[2] = MakeRecord(kFnActivation, 1, false, false, false, "Act");
    array[3] = MakeRecord(kFnStaticSRL, 2, true, false, false, "Hips");
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(array, false, ';', prompt);
    FrameFeeder feeder{array, false, 0.0, 1.0};
    for (int f = 0; f < 8; ++f) {
        feeder.Set(1, {f % 2 == 0 ? 2.0 : 3.0});
        feeder.Set(2, {f % 2 == 0 ? 0.0 : 2.0});  // four movement phases, three pauses
        feeder.Set(3, {f * f * 1.0, -f * f * 1.0});
        feeder.EndFrame();
    }
    const auto line =
        WriteStatisticLine(array, header->layout, 8, Context(';', 3, 2.0), false, "", prompt);
    ASSERT_TRUE(line.has_value());
    const auto field = [&](const std::string& caption) {
        return FieldUnder(header->line, *line, caption, ';');
    };
    EXPECT_EQ(field("M Dist 1"), "2.500");
    EXPECT_EQ(field("SD Dist 1"), "0.500");
    EXPECT_EQ(field("Act: Number of Movement Phases"), "4.000");
    EXPECT_EQ(field("Act: Number of Pause Phases"), "3.000");
    // 4 frames / 4 phases / 2 fps
    EXPECT_EQ(field("Act: Average Duration of Movement Phases (seconds)"), "0.500");
    EXPECT_EQ(field("M Hips 2"), "-17.500");  // -(0 + 1 + 4 + ... + 49) / 8
    EXPECT_EQ(field("MAX Hips 1"), "49.000");
    EXPECT_EQ(field("M D Hips 1"), "7.000");  // 1, 3, ..., 13
    EXPECT_EQ(field("MIN D Hips 2"), "-13.000");
}

// 2,500 frames with 1,000 lines per part: three parts, each line over its own
// frames only (the accumulators start again after each line).
TEST(PartFileStatisticLine, WritesOneStatisticsAndOneMeansLinePerPart) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1, false, false, true, "Dist"));
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(array, true, ';', prompt);
    const MeansHeader means = GetMeansFormatLine(array, ';');
    FrameFeeder feeder{array, true};
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
    EXPECT_EQ(PartName(1000), "Part 1000");
}

TEST(PartFileStatisticLine, WithoutStatisticsWritesOnlyTheMeansLine) {
    ParameterRecord record = MakeRecord(kFnDistance, 1, false, false, true, "Dist");
    record.statistics = false;  // no part sums either: the mean is an error item
    ParameterArray array = ArrayOf(record);
    const MeansHeader means = GetMeansFormatLine(array, ';');
    FrameFeeder feeder{array, true};
    feeder.Frame(4.0);
    ScriptedPrompt prompt;
    const PartFileStatisticLines lines =
        WritePartFileStatisticLine(array, {}, means.layout, 7, 1, false, Context(';'), prompt);
    EXPECT_FALSE(lines.statisticLine.has_value());
    EXPECT_EQ(lines.meansLine, "Part 007;1;ERROR:DIV/0");
}

// After the rows that need a partner are dropped and the list is compiled
// again, the lines keep the header's columns: the dropped row's stay empty,
// and the fresh accumulators start as at the start of a run.
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
    FrameFeeder feeder{c.array};
    for (double v : {10.0, 20.0}) {
        feeder.Set(1, {v, v, v});
        feeder.Set(3, {-v, -v, -v});
        feeder.EndFrame();
    }
    const auto line =
        WriteStatisticLine(c.array, header->layout, 2, Context('\t'), false, "", prompt);
    ASSERT_TRUE(line.has_value());
    const auto field = [&](const std::string& caption) {
        return FieldUnder(header->line, *line, caption, '\t');
    };
    EXPECT_EQ(field("M Heads"), "");
    EXPECT_EQ(field("MAX Heads"), "");
    EXPECT_EQ(field("M Head SRL Sagittal"), "15.0");
    EXPECT_EQ(field("MIN Head SRL Sagittal"), "10.0");
    EXPECT_EQ(field("MAX Hand SRL Lateral"), "-10.0");
}

// Selecting and aligning the columns is checked through 'kivo stats'.
TEST(ReadStatisticsFile, RecognisesTheSeparatorAndPartColumnsAndRefusesOtherFilesNamingTheLine) {
    TempDir dir;
    const StatisticsTable table = ReadStatisticsFile(dir.Write(
        "stats.tsv",
        "File Name\tPartner File\tPart \tFrames\tM Head\r\na.tsv\t\tPart 001\t10\t1.5\r\n\r\n"));
    EXPECT_EQ(table.separator, '\t');
    EXPECT_EQ(table.identifyingColumns, 4u);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"a.tsv", "", "Part 001", "10", "1.5"}));

    const struct {
        const char* content;
        long line;
    } files[] = {{"", 1},
                 {"Time;Frame;X\r\n1;1;2\r\n", 1},  // an output file
                 {"File Name;Partner File;M X\r\na;b;1\r\nc;d\r\n", 3},
                 {"File Name;Partner File;M X\r\na;b;1;2\r\n", 2}};
    for (const auto& file : files) {
        const std::string path = dir.Write("stats.csv", file.content);
        try {
            ReadStatisticsFile(path);
            ADD_FAILURE() << "read: " << file.content;
        } catch (const FileError& error) {
            EXPECT_EQ(error.File(), path);
            EXPECT_EQ(error.Line(), file.line) << file.content;
        }
    }
    EXPECT_THROW(ReadStatisticsFile(dir.PathOf("none.csv")), FileError);
}

}  // namespace
}  // namespace kivo
