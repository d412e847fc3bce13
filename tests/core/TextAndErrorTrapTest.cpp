#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/ErrorTrap.h"
#include "core/InputVariableTable.h"
#include "core/Text.h"
#include "support/ScriptedPrompt.h"

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

// Trimming keeps tabs; a replacement is not searched again; only a trailing
// CR is stripped; case is ignored for ASCII letters.
TEST(TextHelpers, TrimReplaceStripAndCompareIgnoringCase) {
    EXPECT_EQ(TrimBlanks("  Hips "), "Hips");
    EXPECT_EQ(TrimBlanks("\tHips"), "\tHips");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(ReplaceAll("@ and @", "@", "x@y"), "x@y and x@y");
    EXPECT_EQ(ReplaceAll("none", "@", "x"), "none");
    EXPECT_EQ(StripCarriageReturn("1;2\r"), "1;2");
    EXPECT_EQ(StripCarriageReturn("1\r;2"), "1\r;2");
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

// The program-wide error message; standard failures get their numbers; a
// counting prompt counts the failures it passes on, not other messages.
TEST(ErrorTrap, ShowsTheProgramWideErrorMessage) {
    testing::ScriptedPrompt prompt;
    const bool completed = RunTrapped(prompt, "CheckFile", [] {
        throw TrappedError(kErrorInputPastEndOfFile, "Input past end of file");
    });
    EXPECT_FALSE(completed);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Error No. 62 in subroutine 'CheckFile': \r\n\r\nInput past end of file");
    EXPECT_EQ(prompt.messages[0].title, "Error Message");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Critical);
    RunTrapped(prompt, "P", [] { throw std::out_of_range("Subscript out of range"); });
    EXPECT_EQ(prompt.LastText().rfind("Error No. 9 ", 0), 0u);
    EXPECT_TRUE(RunTrapped(prompt, "P", [] {}));
    ErrorCountingPrompt counting(prompt);
    counting.Tell(PromptId::RunFinished, "a note");
    RunTrapped(counting, "WriteStatisticLine", [] { throw std::runtime_error("failed"); });
    EXPECT_EQ(counting.Count(), 1);
    EXPECT_EQ(prompt.messages.size(), 4u);
}

}  // namespace
}  // namespace kivo
