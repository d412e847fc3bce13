#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kivo {

enum class PromptIcon { Information, Exclamation, Critical, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

inline constexpr std::string_view kPromptTitle = "Kivo";
inline constexpr std::string_view kErrorMessageTitle = "Error Message";

// One message or question of the system. Texts use "\r\n" line breaks.
struct PromptMessage {
    std::string text;
    PromptIcon icon = PromptIcon::Information;
    PromptButtons buttons = PromptButtons::Ok;
    std::string title = std::string(kPromptTitle);
};

// Every message and question of the system goes through this interface: message
// boxes in the window, a console policy on the command line, a script in tests.
class UserPrompt {
  public:
    virtual ~UserPrompt() = default;
    virtual PromptAnswer Ask(const PromptMessage& message) = 0;

    // Asks for one line of text in an input box that starts with `initial`;
    // nothing when the user cancels. A front end without input boxes cancels.
    virtual std::optional<std::string> AskText(const PromptMessage& message,
                                               std::string_view initial) {
        (void)message;
        (void)initial;
        return std::nullopt;
    }

    // A message with an OK button.
    void Tell(std::string text, PromptIcon icon = PromptIcon::Information) {
        Ask(PromptMessage{std::move(text), icon, PromptButtons::Ok});
    }
    PromptAnswer Ask(std::string text, PromptButtons buttons, PromptIcon icon) {
        return Ask(PromptMessage{std::move(text), icon, buttons});
    }
};

}  // namespace kivo
