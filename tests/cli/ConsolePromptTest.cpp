#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/ConsolePrompt.h"

namespace kivo::cli {
namespace {

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
    EXPECT_EQ(prompt.Ask(PromptId::OverwriteOutputFiles, "Overwrite?", PromptButtons::YesNo,
                         PromptIcon::Question),
              PromptAnswer::No);
    EXPECT_EQ(prompt.Ask(PromptId::PartnerFileMissing, "Go on?", PromptButtons::OkCancel,
                         PromptIcon::Question),
              PromptAnswer::Cancel);
    EXPECT_EQ(prompt.Ask(PromptId::MissingBodyParts, "Go on?", PromptButtons::YesNoCancel,
                         PromptIcon::Question),
              PromptAnswer::Cancel);
    EXPECT_EQ(
        prompt.Ask(PromptId::RunFinished, "Done.", PromptButtons::Ok, PromptIcon::Information),
        PromptAnswer::Ok);
}

TEST_F(ConsolePromptTest, AnswersByRuleAndPrintsLineBreaks) {
    ConsolePrompt prompt(stream_);
    prompt.AddRule({PromptId::OverwriteOutputFiles, PromptAnswer::Yes, "--overwrite"});
    EXPECT_EQ(
        prompt.Ask(PromptId::RemoveAllFiles, "Remove?", PromptButtons::YesNo, PromptIcon::Question),
        PromptAnswer::No);
    EXPECT_EQ(
        prompt.Ask(PromptId::OverwriteOutputFiles, "The file 'x' already exists.\r\nOverwrite?",
                   PromptButtons::YesNo, PromptIcon::Question),
        PromptAnswer::Yes);
    const std::string printed = Printed();
    EXPECT_NE(printed.find("Kivo: question: The file 'x' already exists.\nOverwrite?"),
              std::string::npos);
    EXPECT_EQ(printed.find('\r'), std::string::npos);
    EXPECT_NE(printed.find("answered Yes: --overwrite"), std::string::npos);
}

}  // namespace
}  // namespace kivo::cli
