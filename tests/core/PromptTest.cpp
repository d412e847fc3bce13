#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "core/ConsolePrompt.h"
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

class ConsolePromptTest : public ::testing::Test {
  protected:
    void SetUp() override { stream_ = std::tmpfile(); }
    void TearDown() override { std::fclose(stream_); }
    std::string Printed() {
        std::rewind(stream_);
        std::string text;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, stream_))
            text += buffer;
        return text;
    }
    std::FILE* stream_ = nullptr;
};

TEST_F(ConsolePromptTest, AnswersCautiouslyWithoutARule) {
    ConsolePrompt prompt(stream_);
    EXPECT_EQ(prompt.Ask("Overwrite?", PromptButtons::YesNo, PromptIcon::Question),
              PromptAnswer::No);
    EXPECT_EQ(prompt.Ask("Go on?", PromptButtons::OkCancel, PromptIcon::Question),
              PromptAnswer::Cancel);
    EXPECT_EQ(prompt.Ask("Go on?", PromptButtons::YesNoCancel, PromptIcon::Question),
              PromptAnswer::Cancel);
    EXPECT_EQ(prompt.Ask("Done.", PromptButtons::Ok, PromptIcon::Information), PromptAnswer::Ok);
}

TEST_F(ConsolePromptTest, AnswersByRuleAndPrintsLineBreaks) {
    ConsolePrompt prompt(stream_);
    prompt.AddRule({"already exists", PromptAnswer::Yes, "--overwrite"});
    EXPECT_EQ(prompt.Ask("The file 'x' already exists.\r\nOverwrite?", PromptButtons::YesNo,
                         PromptIcon::Question),
              PromptAnswer::Yes);
    const std::string printed = Printed();
    EXPECT_NE(printed.find("Kivo: question: The file 'x' already exists.\nOverwrite?"),
              std::string::npos);
    EXPECT_EQ(printed.find('\r'), std::string::npos);
    EXPECT_NE(printed.find("answered Yes: --overwrite"), std::string::npos);
}

}  // namespace
}  // namespace kivo
