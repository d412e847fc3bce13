#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/InputVariableTable.h"
#include "core/Numbers.h"
#include "input/BodyDataPositions.h"
#include "input/BodyDataReader.h"
#include "support/ScriptedPrompt.h"

namespace kivo {
namespace {

using testing::ScriptedPrompt;

using Indices = std::array<int, kPoseSlots>;

class BodyDataPositionsTest : public ::testing::Test {
  protected:
    BodyDataPositionsResult Search(std::string_view formatLine, int person = 1) {
        return GetBodyDataPositions(person, formatLine, "Time", "s01.A.csv", table, prompt);
    }
    Indices IndicesOf(int position, int person = 1) const {
        return table.Person(position, person).fieldIndex;
    }

    InputVariableTable table;
    ScriptedPrompt prompt;
};

TEST_F(BodyDataPositionsTest, FindsTheSixComponentsOfABoundVariableInFieldOrder) {
    const struct {
        const char* formatLine;
        const char* boundName;
        int firstIndex;
    } cases[] = {
        {"Time;Frame;Woody:Head:Tx;Woody:Head:Ty;Woody:Head:Tz;Woody:Head:Rx;Woody:Head:Ry;"
         "Woody:Head:Rz",
         "Head", 2},
        {"Time,Head:Tx,Ty,Tz,Rx,Ry,Rz", "Head", 1},  // the name carried over
        // Empty fields and unknown components (case counts) are skipped.
        {"Time;Head:Tx;Head:Ty;Head:Tz;Head:Rx;Head:Ry;Head:Rz;;Head:rz;Head:Qw", "Head", 1},
        {"Time, Head TranslationX, Head TranslationY, Head TranslationZ, Head RotationX, Head "
         "RotationY, Head RotationZ",
         " Head", 1},
        {"Time\tUpper Head TranslationX\tUpper Head TranslationY\tUpper Head TranslationZ\tUpper "
         "Head RotationX\tUpper Head RotationY\tUpper Head RotationZ",
         "Upper Head", 1}};
    for (const auto& c : cases) {
        table = InputVariableTable();
        table[kHead].dataFieldName = c.boundName;
        EXPECT_EQ(Search(c.formatLine).answer, PositionsAnswer::Complete) << prompt.LastText();
        const int i = c.firstIndex;
        EXPECT_EQ(IndicesOf(kHead), (Indices{i, i + 1, i + 2, i + 3, i + 4, i + 5}))
            << c.formatLine;
    }
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(BodyDataPositionsTest, ServesEveryVariableBoundToTheSameName) {
    table[kHead].dataFieldName = "Head";
    table[kFirstUserVariable].name = "Skull";
    table[kFirstUserVariable].dataFieldName = "Head";
    Search("Time;Head:Tx;Head:Ty;Head:Tz;Head:Rx;Head:Ry;Head:Rz", 2);
    EXPECT_EQ(IndicesOf(kHead, 2), (Indices{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(IndicesOf(kFirstUserVariable, 2), (Indices{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(IndicesOf(kHead, 1), (Indices{0, 0, 0, 0, 0, 0}));
}

TEST_F(BodyDataPositionsTest, AsksAboutBoundVariablesWithoutAllComponents) {
    table[kHips].dataFieldName = "Hips";
    table[kHips].persons[0].fieldIndex = {9, 9, 9, 9, 9, 9};  // left from another file
    table[kHead].dataFieldName = "Head";
    table[kHandR].dataFieldName = "RightHand";  // not in the file at all
    prompt.QueueAnswer(PromptAnswer::No);
    const auto result =
        Search("Time;Hips:Tx;Hips:Ty;Hips:Tz;Head:Tx;Head:Ty;Head:Tz;Head:Rx;Head:Ry;Head:Rz");
    EXPECT_EQ(result.answer, PositionsAnswer::No);
    EXPECT_EQ(result.missingVariables, (std::vector<int>{kHips, kHandR}));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Data to the following body parts are missing in the file 's01.A.csv':\r\n\r\nHips, "
              "Hand R\r\n\r\nShould the data be processed anyway?");
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::YesNoCancel);
    EXPECT_EQ(IndicesOf(kHips), (Indices{1, 2, 3, 0, 0, 0}));
}

TEST_F(BodyDataPositionsTest, ReportsAWrongFormatLineWithOkAndCancel) {
    table[kHips].dataFieldName = "Hips";
    prompt.QueueAnswer(PromptAnswer::Cancel);
    const auto result = Search("Frame;Time;Hips:Tx");
    EXPECT_EQ(result.answer, PositionsAnswer::Cancel);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "The format line starting with the time identifier 'Time' could not be found in the "
              "file:\r\ns01.A.csv.");
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::OkCancel);
}

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
