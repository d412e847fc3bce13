#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/InputVariableTable.h"
#include "core/Numbers.h"
#include "input/BodyDataReader.h"

namespace kivo {
namespace {

using Values = std::array<double, kPoseSlots>;

constexpr std::string_view kFirstLine = "0.0;1;1;2;3;4;5;6;7;8;9;10;11;12";

class BodyDataReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        table.Person(kHips, 1).fieldIndex = {2, 3, 4, 5, 6, 7};
        table.Person(kHead, 1).fieldIndex = {8, 9, 10, 11, 12, 13};
    }

    InputVariableTable table;
    BodyDataReader reader;
};

TEST_F(BodyDataReaderTest, FirstFrameSetsPreviousEqualToCurrentLaterFramesShift) {
    reader.GetBodyDataValues(1, kFirstLine, ';', true, table);
    EXPECT_EQ(table.Person(kHips, 1).current, (Values{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(table.Person(kHips, 1).previous, (Values{1, 2, 3, 4, 5, 6}));
    reader.GetBodyDataValues(1, "0.1;2;1.5;2;3;4;5;-6e1;7;8;9;10;11;12", ';', false, table);
    EXPECT_EQ(table.Person(kHips, 1).current, (Values{1.5, 2, 3, 4, 5, -60}));
    EXPECT_EQ(table.Person(kHips, 1).previous, (Values{1, 2, 3, 4, 5, 6}));
    // Unbound variables hold the time.
    EXPECT_EQ(table.Person(kChest, 1).current, (Values{0.1, 0.1, 0.1, 0.1, 0.1, 0.1}));
    EXPECT_EQ(table.Person(kHips, 2).current, (Values{0, 0, 0, 0, 0, 0}));
}

TEST_F(BodyDataReaderTest, ReturnsTimeAndFrameWithoutCarriageReturn) {
    table.ResetFieldIndices();
    const DataLineValues values =
        reader.GetBodyDataValues(1, "1.25E+01\t 0007\r", '\t', true, table);
    EXPECT_EQ(values.frameField, " 0007");
    std::string line = "x";
    AppendTimeAndFrame(line, values, ";", ",");
    EXPECT_EQ(line, "x12,5; 0007");
}

TEST_F(BodyDataReaderTest, CountsFieldsReadThatAreNotNumbersAndKeepsTheFrameFieldOneField) {
    table.Person(kChest, 1).fieldIndex = {5, 5, 5, 5, 5, 5};  // read by two variables
    const DataLineValues values = reader.GetBodyDataValues(
        1, "0.0;1\x01\"2;1;nan;3;1,5;5;;7;8;9;10;11;x12", ';', true, table);
    EXPECT_EQ(values.nonNumbers, 4);  // "nan", "1,5", "" and "x12"
    EXPECT_EQ(values.firstNonNumber, 3);
    EXPECT_EQ(table.Person(kHips, 1).current, (Values{1, 0, 3, 1, 5, 0}));
    std::string line;
    AppendTimeAndFrame(line, values, "\t", ".");
    EXPECT_EQ(line, "0\t1??2");
    line.clear();
    AppendTimeAndFrame(line, reader.GetBodyDataValues(1, "1\t2;3\t", '\t', false, table), ";", ".");
    EXPECT_EQ(line, "1;2?3");
}

// Fields missing at the end of a line leave their variables unassigned for
// the frame (their values are kept, never read past the line).
TEST_F(BodyDataReaderTest, LeavesMissingFieldsUnassignedForTheFrame) {
    const std::pair<const char*, int> lines[] = {{"0.1;2;21;22;23;24;25;26;31;32;33;34;35", 1},
                                                 {"0.1;2;21;22;23;24;25;26", 6}};
    for (const auto& [line, missing] : lines) {
        reader.GetBodyDataValues(1, kFirstLine, ';', true, table);
        EXPECT_EQ(reader.GetBodyDataValues(1, line, ';', false, table).missingFields, missing);
        EXPECT_TRUE(table.Person(kHips, 1).frameComplete);
        EXPECT_FALSE(table.Person(kHead, 1).frameComplete);
        EXPECT_EQ(table.Person(kHips, 1).current, (Values{21, 22, 23, 24, 25, 26}));
        EXPECT_EQ(table.Person(kHead, 1).current[kRz], 12);
        reader.GetBodyDataValues(1, kFirstLine, ';', false, table);
        EXPECT_TRUE(table.Person(kHead, 1).frameComplete);
    }
    const DataLineValues empty = reader.GetBodyDataValues(1, "", ';', true, table);
    EXPECT_EQ(empty.frameField, "");
    EXPECT_EQ(empty.missingFields, 12);
    EXPECT_FALSE(table.Person(kHips, 1).frameComplete);
}

}  // namespace
}  // namespace kivo
