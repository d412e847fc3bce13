#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/ErrorTrap.h"
#include "support/ScriptedPrompt.h"

namespace kivo {
namespace {

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
}

TEST(ErrorTrap, NumbersStandardFailures) {
    testing::ScriptedPrompt prompt;
    RunTrapped(prompt, "P", [] { throw std::out_of_range("Subscript out of range"); });
    EXPECT_EQ(prompt.LastText().rfind("Error No. 9 ", 0), 0u);
    EXPECT_TRUE(RunTrapped(prompt, "P", [] {}));
}

TEST(ErrorTrap, ACountingPromptCountsTheFailuresItPassesOn) {
    testing::ScriptedPrompt prompt;
    ErrorCountingPrompt counting(prompt);
    counting.Tell(PromptId::RunFinished, "a note");
    RunTrapped(counting, "WriteStatisticLine", [] { throw std::runtime_error("failed"); });
    EXPECT_EQ(counting.Count(), 1);
    EXPECT_EQ(prompt.messages.size(), 2u);
}

}  // namespace
}  // namespace kivo
