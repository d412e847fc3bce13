#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/UserPrompt.h"

namespace kivo::testing {

// A prompt for tests: answers from a queue (or the default answer of the
// buttons when the queue is empty) and records every message it was shown.
class ScriptedPrompt : public UserPrompt {
public:
    void QueueAnswer(PromptAnswer answer) { answers_.push_back(answer); }

    PromptAnswer Ask(const PromptMessage& message) override {
        messages.push_back(message);
        if (!answers_.empty()) {
            const PromptAnswer answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        switch (message.buttons) {
            case PromptButtons::Ok:
            case PromptButtons::OkCancel: return PromptAnswer::Ok;
            case PromptButtons::YesNo:
            case PromptButtons::YesNoCancel: return PromptAnswer::Yes;
        }
        return PromptAnswer::Ok;
    }
    using UserPrompt::Ask;

    const std::string& LastText() const {
        static const std::string none;
        return messages.empty() ? none : messages.back().text;
    }

    std::vector<PromptMessage> messages;

private:
    std::deque<PromptAnswer> answers_;
};

}  // namespace kivo::testing
