#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/InputVariableTable.h"
#include "core/Text.h"

namespace kivo {
namespace {

using Fields = std::vector<std::string_view>;

TEST(SplitFields, KeepsEmptyFieldsAndDoesNotQuote) {
    EXPECT_EQ(SplitFields("a;;b;", ';'), (Fields{"a", "", "b", ""}));
    EXPECT_EQ(SplitFields("\"a;b\"", ';'), (Fields{"\"a", "b\""}));
    EXPECT_EQ(SplitFields("", ';'), (Fields{""}));
    EXPECT_EQ(SplitFields("a  b", ' '), (Fields{"a", "", "b"}));
    // A letter separator matches in both cases; the caller's vector is reused.
    EXPECT_EQ(SplitFields("FrameNo1n2", 'N'), (Fields{"Frame", "o1", "2"}));
    Fields fields{"stale"};
    SplitFields("x\ty", '\t', fields);
    EXPECT_EQ(fields, (Fields{"x", "y"}));
}

TEST(TrimBlanks, RemovesBlanksButNotTabs) {
    EXPECT_EQ(TrimBlanks("  Hips "), "Hips");
    EXPECT_EQ(TrimBlanks("\tHips"), "\tHips");
    EXPECT_EQ(TrimBlanks("   "), "");
}

TEST(ReplaceAll, ReplacesEveryOccurrenceOnce) {
    EXPECT_EQ(ReplaceAll("@ and @", "@", "x@y"), "x@y and x@y");
    EXPECT_EQ(ReplaceAll("none", "@", "x"), "none");
}

TEST(StripCarriageReturn, RemovesOnlyTheTrailingOne) {
    EXPECT_EQ(StripCarriageReturn("1;2\r"), "1;2");
    EXPECT_EQ(StripCarriageReturn("1\r;2"), "1\r;2");
}

TEST(IgnoringCase, ComparesAsciiLetters) {
    EXPECT_TRUE(EqualsIgnoringCase("640X480", "640x480"));
    EXPECT_FALSE(EqualsIgnoringCase("ab", "abc"));
    EXPECT_TRUE(ContainsIgnoringCase("640X480", "x"));
    EXPECT_FALSE(ContainsIgnoringCase("640480", "x"));
}

TEST(InputVariableTable, FindsNamesCaseSensitivelyAndTheFirstOfEqualNames) {
    InputVariableTable table;
    table[40].name = "Cup";
    table[41].name = "Cup";
    EXPECT_EQ(table.GetInputVariableIndex("Cup"), 40);
    EXPECT_EQ(table.GetInputVariableIndex("Knee L"), kKneeL);
    EXPECT_EQ(table.GetInputVariableIndex("knee l"), kNotAnInputVariable);
}

}  // namespace
}  // namespace kivo
