#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/FileError.h"
#include "stats/StatisticsTable.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::TempDir;

TEST(ReadStatisticsFile, RecognisesTheSeparatorAndThePartColumns) {
    TempDir dir;
    const std::string path = dir.Write(
        "stats.tsv",
        "File Name\tPartner File\tPart \tFrames\tM Head\r\na.tsv\t\tPart 001\t10\t1.5\r\n\r\n");
    const StatisticsTable table = ReadStatisticsFile(path);
    EXPECT_EQ(table.separator, '\t');
    EXPECT_EQ(table.identifyingColumns, 4u);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"a.tsv", "", "Part 001", "10", "1.5"}));
}

struct BadFile {
    const char* name;
    const char* content;
    long line;
};

class ReadStatisticsFileRefuses : public ::testing::TestWithParam<BadFile> {};

TEST_P(ReadStatisticsFileRefuses, NamingTheFileAndLine) {
    TempDir dir;
    const std::string path = dir.Write("stats.csv", GetParam().content);
    try {
        ReadStatisticsFile(path);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.File(), path);
        EXPECT_EQ(error.Line(), GetParam().line);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadStatisticsFileRefuses,
    ::testing::Values(BadFile{"Empty", "", 1},
                      BadFile{"OutputFile", "Time;Frame;X\r\n1;1;2\r\n", 1},
                      BadFile{"MissingField", "File Name;Partner File;M X\r\na;b;1\r\nc;d\r\n", 3},
                      BadFile{"ExtraField", "File Name;Partner File;M X\r\na;b;1;2\r\n", 2}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ReadStatisticsFile, RefusesAMissingFile) {
    TempDir dir;
    EXPECT_THROW(ReadStatisticsFile(dir.PathOf("none.csv")), FileError);
}

StatisticsTable SampleTable() {
    StatisticsTable table;
    table.captions = {"File Name", "Partner File", "M Global Dynamic Complexity Body",
                      "CBM Translational Complexity Body", "Posture"};
    table.rows = {{"first.csv", "p.csv", "12.5", "ERROR:DIV/0", "open"},
                  {"second-longer.csv", "", "-3.0", "1.0", ""}};
    return table;
}

TEST(SelectStatisticsColumns, KeepsTheFileColumnsAndMatchesCaptionsIgnoringCase) {
    const StatisticsTable table = SampleTable();
    EXPECT_EQ(SelectStatisticsColumns(table, "complexity"), (std::vector<std::size_t>{0, 1, 2, 3}));
    EXPECT_EQ(SelectStatisticsColumns(table, "CBM"), (std::vector<std::size_t>{0, 1, 3}));
    EXPECT_EQ(SelectStatisticsColumns(table, ""), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(SelectStatisticsColumns(table, "nothing"), (std::vector<std::size_t>{0, 1}));
}

TEST(FormatStatisticsTable, AlignsNumbersRightAndTextLeft) {
    const StatisticsTable table = SampleTable();
    EXPECT_EQ(FormatStatisticsTable(table, {0, 2, 3, 4}),
              "File Name          M Global Dynamic Complexity Body  "
              "CBM Translational Complexity Body  Posture\n"
              "first.csv                                      12.5  "
              "                      ERROR:DIV/0  open\n"
              "second-longer.csv                              -3.0  "
              "                              1.0\n");
}

}  // namespace
}  // namespace kivo
