#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "input/DataFileFormat.h"
#include "input/InputMessages.h"

namespace kivo {
namespace {

TEST(GetSeparator, IsTheCharacterAfterTheLabelWhateverItIs) {
    EXPECT_EQ(GetSeparator("Time\tWoody:Hips:Tx", "Time"), "\t");
    EXPECT_EQ(GetSeparator("Time [sec] Hips TranslationX", "Time [sec]"), " ");
    EXPECT_EQ(GetSeparator("FrameNo,Hips:Tx", "Frame"), "N");
    EXPECT_EQ(GetSeparator("Time", "Time"), "");
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
        // Parts beginning with "Woody" and component names are not offered.
        NamesCase{"Time\tWoody:Hips:Tx\tWoody:Hips:Ty", {"Hips"}},
        NamesCase{"Time;Frame;Woody:Hips:Tx;Woody:Hips:Ty;Woody:Hips:Rz", {"Frame", "Hips"}},
        // Other prefixes are offered, each name once, in order; parts are trimmed.
        NamesCase{"Time;S18:Hips:Tx;S18: Hips :Ty;;S18:Head:Tx", {"S18", "Hips", "Head"}},
        NamesCase{"Time,Hips:Tx,Ty,Tz", {"Hips"}},
        // Blank layout: the words before the component; a label written after
        // a separator and a blank keeps its leading blank.
        NamesCase{"Time, Hips TranslationX, Hips TranslationY", {" Hips"}},
        NamesCase{"Time\tFrame\tLeft Arm TranslationX\tLeft Arm RotationZ\tHead TranslationX",
                  {"Frame", "Left Arm", "Head"}}));

TEST(FillPlaceholders, DoesNotSearchInsertedValuesAgain) {
    EXPECT_EQ(
        FillPlaceholders(kFormatLineNotFoundMessage, {{'@', "/data/take#1*.csv"}, {'*', "T@"}}),
        "The format line starting with the time identifier 'T@' could not be found in the "
        "file:\r\n/data/take#1*.csv.");
}

}  // namespace
}  // namespace kivo
