#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "core/FileError.h"
#include "core/Text.h"
#include "plot/OutputColumns.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::TempDir;

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
        const FileLayout& layout = GetParam();
        std::string file;
        for (char c : text) {
            if (c == ';')
                file += layout.separator;
            else if (c == ',')
                file += layout.decimalSymbol;
            else
                file += c;
        }
        return dir.Write("out.csv", file);
    }
};

TEST_P(OutputColumnsLayout, ReadsTheChosenColumnsWithGapsForMissingValues) {
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
    const auto& head = columns.values[0];
    EXPECT_EQ(head[0], 1.5);
    EXPECT_TRUE(std::isnan(head[1])) << "an error item is a gap, not zero";
    EXPECT_EQ(head[2], -0.5);
    EXPECT_TRUE(std::isnan(columns.values[1][0])) << "an empty field is a gap, not zero";
    EXPECT_EQ(columns.values[1][1], 7.0);
    EXPECT_EQ(columns.values[2][0], -2.25);
    EXPECT_TRUE(std::isnan(columns.values[2][2]));
}

TEST_P(OutputColumnsLayout, RefusesALineTooShortForAChosenColumn) {
    TempDir dir;
    const std::string path = Write(dir, "Time;Frame;A;B\r\n0;1;1,0;2,0\r\n0,1;2;1,0\r\n");
    const OutputHeader header = ReadOutputHeader(path);
    EXPECT_EQ(ReadOutputColumns(header, std::vector<std::size_t>{2}, GetParam().decimalSymbol)
                  .LineCount(),
              2u);
    try {
        ReadOutputColumns(header, std::vector<std::size_t>{3}, GetParam().decimalSymbol);
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

TEST(OutputColumns, RefusesFilesThatAreNoOutputFiles) {
    TempDir dir;
    for (const char* text : {"File Name;Partner File;M Head\r\n", "Part ;Frames;Head\r\n", ""}) {
        const std::string path = dir.Write("other.csv", text);
        EXPECT_THROW(ReadOutputHeader(path), FileError) << text;
    }
    EXPECT_THROW(ReadOutputHeader(dir.PathOf("missing.csv")), FileError);
}

TEST(OutputColumns, ReadsWrittenNumbersAndNothingElse) {
    const double none = std::nan("");
    const struct {
        const char* field;
        const char* decimalSymbol;
        double expected;  // NaN: no value
    } cases[] = {
        {"12.5", ".", 12.5}, {"-0.063", ".", -0.063},    {"4.", ".", 4.0},
        {"12,5", ",", 12.5}, {"12.5", ",", 12.5},        {"1.5E+20", ".", 1.5e20},
        {"", ".", none},     {"ERROR:DIV/0", ".", none}, {"12,5", ".", none},
        {"1.5x", ".", none}, {"inf", ".", none},         {"nan", ".", none},
    };
    for (const auto& c : cases) {
        const double value = ReadOutputNumber(c.field, c.decimalSymbol);
        if (std::isnan(c.expected)) {
            EXPECT_TRUE(std::isnan(value)) << c.field;
        } else {
            EXPECT_EQ(value, c.expected) << c.field;
        }
    }
}

}  // namespace
}  // namespace kivo
