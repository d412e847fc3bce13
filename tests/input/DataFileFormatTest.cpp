#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/Text.h"
#include "input/DataFileFormat.h"
#include "input/InputMessages.h"

namespace kivo {
namespace {

struct SeparatorCase {
    std::string formatLine;
    std::string timeLabel;
    std::string separator;
};

void PrintTo(const SeparatorCase& c, std::ostream* os) {
    *os << c.formatLine;
}

class GetSeparatorTest : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(GetSeparatorTest, IsTheCharacterAfterTheLabel) {
    EXPECT_EQ(GetSeparator(GetParam().formatLine, GetParam().timeLabel), GetParam().separator);
}

INSTANTIATE_TEST_SUITE_P(
    FormatLines, GetSeparatorTest,
    ::testing::Values(SeparatorCase{"Time;Hips:Tx;Hips:Ty", "Time", ";"},
                      SeparatorCase{"Time\tWoody:Hips:Tx", "Time", "\t"},
                      SeparatorCase{"Time, Hips TranslationX", "Time", ","},
                      SeparatorCase{"Time [sec] Hips TranslationX", "Time [sec]", " "},
                      // Any character serves, even a letter of a longer first field.
                      SeparatorCase{"FrameNo,Hips:Tx", "Frame", "N"},
                      // A line no longer than the label has no separator.
                      SeparatorCase{"Time", "Time", ""}, SeparatorCase{"Tim", "Time", ""}));

TEST(SplitAtSeparator, KeepsTheWholeLineWithoutSeparator) {
    std::vector<std::string_view> fields;
    SplitAtSeparator("Time;1", "", fields);
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(fields[0], "Time;1");
}

TEST(SplitAtSeparator, MatchesALetterSeparatorInBothCases) {
    std::vector<std::string_view> fields;
    SplitAtSeparator("FrameNo,1n2", "N", fields);
    EXPECT_EQ(fields, (std::vector<std::string_view>{"Frame", "o,1", "2"}));
}

struct NamesCase {
    std::string formatLine;
    std::vector<std::string> names;
};

void PrintTo(const NamesCase& c, std::ostream* os) {
    *os << c.formatLine;
}

class OfferedNamesTest : public ::testing::TestWithParam<NamesCase> {};

TEST_P(OfferedNamesTest, AreTakenFromTheFormatLine) {
    const std::string& line = GetParam().formatLine;
    std::vector<std::string_view> fields;
    SplitAtSeparator(line, GetSeparator(line, "Time"), fields);
    EXPECT_EQ(DataFieldNamesOfFormatLine(fields, IsColonLayout(line)), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    FormatLines, OfferedNamesTest,
    ::testing::Values(
        NamesCase{"Time;Hips:Tx;Hips:Ty", {"Hips"}},
        // Parts beginning with "Woody" and component names are not offered.
        NamesCase{"Time\tWoody:Hips:Tx\tWoody:Hips:Ty", {"Hips"}},
        NamesCase{"Time;Frame;Woody:Hips:Tx;Woody:Hips:Ty;Woody:Hips:Tz;Woody:Hips:Rx",
                  {"Frame", "Hips"}},
        // Other prefixes are offered as well, each name once, in order.
        NamesCase{"Time;S18:Hips:Tx;S18:Hips:Ty;S18:Head:Tx", {"S18", "Hips", "Head"}},
        NamesCase{"Time,Hips:Tx,Ty,Tz", {"Hips"}}, NamesCase{"Time; Hips : Tx ;;Hips:Ty", {"Hips"}},
        // Blank layout: the words before the component; a label written after
        // a separator and a blank keeps its leading blank.
        NamesCase{"Time, Hips TranslationX, Hips TranslationY", {" Hips"}},
        NamesCase{"Time\tFrame\tLeft Arm TranslationX\tLeft Arm RotationZ\tHead TranslationX",
                  {"Frame", "Left Arm", "Head"}}));

TEST(IsColonLayout, LooksForAColonAnywhereInTheLine) {
    EXPECT_TRUE(IsColonLayout("Time;Hips:Tx"));
    EXPECT_TRUE(IsColonLayout("Time: x;Hips TranslationX"));
    EXPECT_FALSE(IsColonLayout("Time;Hips TranslationX"));
}

struct LabelCase {
    bool colonLayout;
    std::vector<std::string> fields;
    std::vector<std::pair<std::string, std::string>> expected;  // body-part name, component
};

void PrintTo(const LabelCase& c, std::ostream* os) {
    *os << c.fields.front();
}

class DataFieldLabelParserTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(DataFieldLabelParserTest, DerivesBodyPartAndComponent) {
    DataFieldLabelParser parser(GetParam().colonLayout);
    for (std::size_t i = 0; i < GetParam().fields.size(); ++i) {
        parser.Parse(GetParam().fields[i]);
        EXPECT_EQ(parser.BodyPartName(), GetParam().expected[i].first) << GetParam().fields[i];
        EXPECT_EQ(parser.Component(), GetParam().expected[i].second) << GetParam().fields[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Labels, DataFieldLabelParserTest,
    ::testing::Values(
        LabelCase{
            true, {"Hips:Tx", "Ty", " Tz "}, {{"Hips", "Tx"}, {"Hips", "Ty"}, {"Hips", "Tz"}}},
        LabelCase{
            true, {"Woody:Hips:Tx", "Woody: Head :Ry:extra"}, {{"Hips", "Tx"}, {"Head", "Ry"}}},
        LabelCase{false,
                  {" Hips TranslationX", " RotationY", " Hips RotationZ"},
                  {{" Hips", "TranslationX"}, {" Hips", "RotationY"}, {" Hips", "RotationZ"}}},
        LabelCase{
            false,
            {"Left Arm TranslationX", "Head TranslationY", "RotationX"},
            {{"Left Arm", "TranslationX"}, {"Head", "TranslationY"}, {"Head", "RotationX"}}}));

TEST(FillPlaceholders, DoesNotSearchInsertedValuesAgain) {
    EXPECT_EQ(
        FillPlaceholders(kFormatLineNotFoundMessage, {{'@', "/data/take#1*.csv"}, {'*', "T@"}}),
        "The format line starting with the time identifier 'T@' could not be found in the "
        "file:\r\n/data/take#1*.csv.");
}

}  // namespace
}  // namespace kivo
