#include <gtest/gtest.h>

#include <string>
#include <utility>
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

TEST(DataFieldNamesOfFormatLine, AreTakenFromTheFormatLine) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        // Parts beginning with "Woody" and component names are not offered.
        {"Time\tWoody:Hips:Tx\tWoody:Hips:Ty", {"Hips"}},
        {"Time;Frame;Woody:Hips:Tx;Woody:Hips:Ty;Woody:Hips:Rz", {"Frame", "Hips"}},
        // Other prefixes are offered, each name once, in order; parts are trimmed.
        {"Time;S18:Hips:Tx;S18: Hips :Ty;;S18:Head:Tx", {"S18", "Hips", "Head"}},
        {"Time,Hips:Tx,Ty,Tz", {"Hips"}},
        // Blank layout: the words before the component; a label written after
        // a separator and a blank keeps its leading blank.
        {"Time, Hips TranslationX, Hips TranslationY", {" Hips"}},
        {"Time\tFrame\tLeft Arm TranslationX\tLeft Arm RotationZ\tHead TranslationX",
         {"Frame", "Left Arm", "Head"}}};
    for (const auto& [line, names] : cases) {
        std::vector<std::string_view> fields;
        SplitAtSeparator(line, GetSeparator(line, "Time"), fields);
        EXPECT_EQ(DataFieldNamesOfFormatLine(fields, IsColonLayout(line)), names) << line;
    }
}

TEST(FillPlaceholders, DoesNotSearchInsertedValuesAgain) {
    EXPECT_EQ(
        FillPlaceholders(kFormatLineNotFoundMessage, {{'@', "/data/take#1*.csv"}, {'*', "T@"}}),
        "The format line starting with the time identifier 'T@' could not be found in the "
        "file:\r\n/data/take#1*.csv.");
}

}  // namespace
}  // namespace kivo
