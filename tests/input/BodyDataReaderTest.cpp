#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/InputVariableTable.h"
#include "core/Numbers.h"
#include "input/BodyDataReader.h"

namespace kivo {
namespace {

using Values = std::array<double, kPoseSlots>;

class BodyDataReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetDecimalSymbol(".");
        table.Person(kHips, 1).fieldIndex = {2, 3, 4, 5, 6, 7};
        table.Person(kHead, 1).fieldIndex = {8, 9, 10, 11, 12, 13};
    }
    void TearDown() override { SetDecimalSymbol("."); }

    InputVariableTable table;
    BodyDataReader reader;
};

TEST_F(BodyDataReaderTest, FirstFrameSetsPreviousEqualToCurrent) {
    reader.GetBodyDataValues(1, "0.0;1;1;2;3;4;5;6;7;8;9;10;11;12", ';', true, table);
    EXPECT_EQ(table.Person(kHips, 1).current, (Values{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(table.Person(kHips, 1).previous, (Values{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(table.Person(kHead, 1).current, (Values{7, 8, 9, 10, 11, 12}));
}

TEST_F(BodyDataReaderTest, LaterFramesMoveCurrentToPrevious) {
    reader.GetBodyDataValues(1, "0.0;1;1;2;3;4;5;6;7;8;9;10;11;12", ';', true, table);
    reader.GetBodyDataValues(1, "0.1;2;1.5;2;3;4;5;-6e1;7;8;9;10;11;12", ';', false, table);
    EXPECT_EQ(table.Person(kHips, 1).current, (Values{1.5, 2, 3, 4, 5, -60}));
    EXPECT_EQ(table.Person(kHips, 1).previous, (Values{1, 2, 3, 4, 5, 6}));
}

TEST_F(BodyDataReaderTest, UnboundVariablesHoldTheTime) {
    reader.GetBodyDataValues(1, "2.5;1;1;2;3;4;5;6;7;8;9;10;11;12", ';', true, table);
    EXPECT_EQ(table.Person(kChest, 1).current, (Values{2.5, 2.5, 2.5, 2.5, 2.5, 2.5}));
}

TEST_F(BodyDataReaderTest, FillsOnlyTheGivenPerson) {
    table.Person(kHips, 2).fieldIndex = {1, 1, 1, 1, 1, 1};
    reader.GetBodyDataValues(2, "0;42", ';', true, table);
    EXPECT_EQ(table.Person(kHips, 2).current, (Values{42, 42, 42, 42, 42, 42}));
    EXPECT_EQ(table.Person(kHips, 1).current, (Values{0, 0, 0, 0, 0, 0}));
}

TEST_F(BodyDataReaderTest, ReturnsTimeAndFrameWithoutCarriageReturn) {
    table.ResetFieldIndices();
    const DataLineValues values = reader.GetBodyDataValues(1, "0.50\t17\r", '\t', true, table);
    EXPECT_EQ(values.time, 0.5);
    EXPECT_EQ(values.frameField, "17");
    EXPECT_EQ(values.missingFields, 0);
    std::string line = "x";
    AppendTimeAndFrame(line, values, ";");
    EXPECT_EQ(line, "x0.5;17");
}

TEST_F(BodyDataReaderTest, CopiesTheFrameFieldUnchanged) {
    const DataLineValues values = reader.GetBodyDataValues(
        1, "1.25E+01; frame 0007 ;1;2;3;4;5;6;7;8;9;10;11;12", ';', true, table);
    SetDecimalSymbol(",");
    std::string line;
    AppendTimeAndFrame(line, values, "\t");
    EXPECT_EQ(line, "12,5\t frame 0007 ");
}

class ShortLineTest : public BodyDataReaderTest,
                      public ::testing::WithParamInterface<std::pair<std::string, int>> {};

TEST_P(ShortLineTest, LeavesMissingFieldsUnassigned) {
    reader.GetBodyDataValues(1, "0.0;1;1;2;3;4;5;6;7;8;9;10;11;12", ';', true, table);
    const auto& [line, missing] = GetParam();
    const DataLineValues values = reader.GetBodyDataValues(1, line, ';', false, table);
    EXPECT_EQ(values.missingFields, missing);
    EXPECT_TRUE(table.Person(kHips, 1).frameComplete);
    EXPECT_FALSE(table.Person(kHead, 1).frameComplete);
    EXPECT_TRUE(table.Person(kChest, 1).frameComplete);
    EXPECT_EQ(table.Person(kHips, 1).current, (Values{21, 22, 23, 24, 25, 26}));
    // The slots whose fields are missing keep the values they had.
    EXPECT_EQ(table.Person(kHead, 1).current[kRz], 12);
    EXPECT_EQ(table.Person(kHead, 1).previous[kRz], 12);

    // A complete line makes the variable assigned again.
    reader.GetBodyDataValues(1, "0.2;3;1;2;3;4;5;6;7;8;9;10;11;12", ';', false, table);
    EXPECT_TRUE(table.Person(kHead, 1).frameComplete);
}

INSTANTIATE_TEST_SUITE_P(Lines, ShortLineTest,
                         ::testing::Values(std::pair{"0.1;2;21;22;23;24;25;26;31;32;33;34;35", 1},
                                           std::pair{"0.1;2;21;22;23;24;25;26;31", 5},
                                           std::pair{"0.1;2;21;22;23;24;25;26", 6}));

TEST_F(BodyDataReaderTest, ReadsAnEmptyLineWithoutLeavingTheLine) {
    const DataLineValues values = reader.GetBodyDataValues(1, "", ';', true, table);
    EXPECT_EQ(values.time, 0.0);
    EXPECT_EQ(values.frameField, "");
    EXPECT_EQ(values.missingFields, 12);
    EXPECT_FALSE(table.Person(kHips, 1).frameComplete);
}

TEST(BodyDataReader, RefusesAPersonOtherThanOneOrTwo) {
    InputVariableTable table;
    BodyDataReader reader;
    EXPECT_THROW(reader.GetBodyDataValues(3, "0;1", ';', true, table), std::invalid_argument);
}

}  // namespace
}  // namespace kivo
