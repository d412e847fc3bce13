#include "core/ErrorTrap.h"

#include <new>

namespace kivo {

std::string ErrorMessageText(int number, std::string_view procedure, std::string_view description) {
    std::string text = "Error No. ";
    text += std::to_string(number);
    text += " in subroutine '";
    text += procedure;
    text += "': \r\n\r\n";
    text += description;
    return text;
}

void ShowErrorMessage(UserPrompt& prompt, int number, std::string_view procedure,
                      std::string_view description) {
    PromptMessage message;
    message.id = PromptId::TrappedError;
    message.text = ErrorMessageText(number, procedure, description);
    message.icon = PromptIcon::Critical;
    message.buttons = PromptButtons::Ok;
    message.title = std::string(kErrorMessageTitle);
    prompt.Ask(message);
}

void ReportTrappedError(UserPrompt& prompt, std::string_view procedure,
                        const std::exception& error) {
    int number = kErrorUnexpected;
    if (const auto* trapped = dynamic_cast<const TrappedError*>(&error)) {
        number = trapped->Number();
    } else if (dynamic_cast<const std::bad_alloc*>(&error)) {
        number = kErrorOutOfMemory;
    } else if (dynamic_cast<const std::out_of_range*>(&error)) {
        number = kErrorSubscriptOutOfRange;
    } else if (dynamic_cast<const std::overflow_error*>(&error)) {
        number = kErrorOverflow;
    }
    ShowErrorMessage(prompt, number, procedure, error.what());
}

}  // namespace kivo
