#include "cli/ConsolePrompt.h"

#include <unistd.h>

#include "core/Text.h"

namespace kivo::cli {
namespace {

std::string_view IconLabel(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information:
            return "note";
        case PromptIcon::Exclamation:
            return "warning";
        case PromptIcon::Critical:
            return "error";
        case PromptIcon::Question:
            return "question";
        case PromptIcon::None:
            return "note";
    }
    return "note";
}

std::string ConsoleText(const std::string& text) {
    std::string result = ReplaceAll(text, "\r\n", "\n");
    return ReplaceAll(std::move(result), "\r", "\n");
}

}  // namespace

std::string_view AnswerName(PromptAnswer answer) {
    switch (answer) {
        case PromptAnswer::Ok:
            return "OK";
        case PromptAnswer::Cancel:
            return "Cancel";
        case PromptAnswer::Yes:
            return "Yes";
        case PromptAnswer::No:
            return "No";
    }
    return "OK";
}

PromptAnswer ConsolePrompt::DefaultAnswer(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
            return PromptAnswer::Ok;
        case PromptButtons::OkCancel:
            return PromptAnswer::Cancel;
        case PromptButtons::YesNo:
            return PromptAnswer::No;
        case PromptButtons::YesNoCancel:
            return PromptAnswer::Cancel;
    }
    return PromptAnswer::Ok;
}

PromptAnswer ConsolePrompt::Ask(const PromptMessage& message) {
    const bool question = message.buttons != PromptButtons::Ok;
    if (!quiet_ || question || message.icon == PromptIcon::Critical) {
        std::fprintf(stream_, "%s: %.*s: %s\n", message.title.c_str(),
                     static_cast<int>(IconLabel(message.icon).size()),
                     IconLabel(message.icon).data(), ConsoleText(message.text).c_str());
    }
    if (!question)
        return PromptAnswer::Ok;

    for (const Rule& rule : rules_) {
        if (rule.question == message.id) {
            std::fprintf(stream_, "  -> answered %s%s%s\n", AnswerName(rule.answer).data(),
                         rule.note.empty() ? "" : ": ", rule.note.c_str());
            return rule.answer;
        }
    }
    if (interactive_ && isatty(STDIN_FILENO)) {
        if (auto answer = AskTerminal(message.buttons))
            return *answer;
    }
    const PromptAnswer answer = DefaultAnswer(message.buttons);
    std::fprintf(stream_, "  -> answered %s\n", AnswerName(answer).data());
    return answer;
}

std::optional<PromptAnswer> ConsolePrompt::AskTerminal(PromptButtons buttons) {
    const char* choices = buttons == PromptButtons::OkCancel ? "[o]k/[c]ancel"
                          : buttons == PromptButtons::YesNo  ? "[y]es/[n]o"
                                                             : "[y]es/[n]o/[c]ancel";
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::fprintf(stream_, "%s? ", choices);
        std::fflush(stream_);
        char line[64];
        if (!std::fgets(line, sizeof line, stdin))
            return std::nullopt;
        const char c = line[0] | 0x20;
        if (buttons == PromptButtons::OkCancel) {
            if (c == 'o')
                return PromptAnswer::Ok;
            if (c == 'c')
                return PromptAnswer::Cancel;
        } else {
            if (c == 'y')
                return PromptAnswer::Yes;
            if (c == 'n')
                return PromptAnswer::No;
            if (c == 'c' && buttons == PromptButtons::YesNoCancel)
                return PromptAnswer::Cancel;
        }
    }
    return std::nullopt;
}

}  // namespace kivo::cli
