#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/FileError.h"
#include "stats/StatisticsTable.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::TempDir;

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
