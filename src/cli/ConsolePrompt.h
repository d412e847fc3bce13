#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/UserPrompt.h"

namespace kivo::cli {

// The command line's prompt: prints every message to stderr and answers
// questions by rules set from command-line flags. It asks on the terminal only
// when interactive answers were requested and stdin is a terminal; otherwise it
// never waits for input.
class ConsolePrompt : public UserPrompt {
  public:
    struct Rule {
        PromptId question;  // the rule answers this question
        PromptAnswer answer;
        std::string note;  // printed after the message when the rule answers (may be empty)
    };

    explicit ConsolePrompt(std::FILE* stream = stderr) : stream_(stream) {}

    void AddRule(Rule rule) { rules_.push_back(std::move(rule)); }
    void SetInteractive(bool interactive) { interactive_ = interactive; }
    void SetQuiet(bool quiet) { quiet_ = quiet; }

    PromptAnswer Ask(const PromptMessage& message) override;
    using UserPrompt::Ask;

    // The answer given when no rule applies: OK for a message, otherwise the
    // cautious answer (Cancel, or No for a Yes/No question).
    static PromptAnswer DefaultAnswer(PromptButtons buttons);

  private:
    std::optional<PromptAnswer> AskTerminal(PromptButtons buttons);

    std::FILE* stream_;
    std::vector<Rule> rules_;
    bool interactive_ = false;
    bool quiet_ = false;
};

std::string_view AnswerName(PromptAnswer answer);

}  // namespace kivo::cli
