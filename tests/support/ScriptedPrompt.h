#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/UserPrompt.h"

namespace kivo::testing {

// A prompt for tests: answers from a queue (or the default answer of the
// buttons when the queue is empty) and records every message it was shown.
class ScriptedPrompt : public UserPrompt {
  public:
    void QueueAnswer(PromptAnswer answer) { answers_.push_back(answer); }
    // The next text input gets `text`; nothing stands for Cancel.
    void QueueText(std::optional<std::string> text) { texts_.push_back(std::move(text)); }

    PromptAnswer Ask(const PromptMessage& message) override {
        messages.push_back(message);
        if (!answers_.empty()) {
            const PromptAnswer answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        switch (message.buttons) {
            case PromptButtons::Ok:
            case PromptButtons::OkCancel:
                return PromptAnswer::Ok;
            case PromptButtons::YesNo:
            case PromptButtons::YesNoCancel:
                return PromptAnswer::Yes;
        }
        return PromptAnswer::Ok;
    }
    using UserPrompt::Ask;

    std::optional<std::string> AskText(const PromptMessage& message,
                                       std::string_view /*initial*/) override {
        messages.push_back(message);
        if (texts_.empty())
            return std::nullopt;
        std::optional<std::string> text = std::move(texts_.front());
        texts_.pop_front();
        return text;
    }

    const std::string& LastText() const {
        static const std::string none;
        return messages.empty() ? none : messages.back().text;
    }

    std::vector<PromptMessage> messages;

  private:
    std::deque<PromptAnswer> answers_;
    std::deque<std::optional<std::string>> texts_;
};

}  // namespace kivo::testing
