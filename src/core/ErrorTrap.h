#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "core/UserPrompt.h"

namespace kivo {

// Error numbers of unexpected failures, as shown in the "Error Message" box.
enum ErrorNumber : int {
    kErrorOverflow = 6,
    kErrorOutOfMemory = 7,
    kErrorSubscriptOutOfRange = 9,
    kErrorDivisionByZero = 11,
    kErrorTypeMismatch = 13,
    kErrorFileNotFound = 53,
    kErrorInputPastEndOfFile = 62,
    kErrorPathFileAccess = 75,
    kErrorUnexpected = 440,
};

// An unexpected failure with an error number and a description.
class TrappedError : public std::runtime_error {
  public:
    TrappedError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int Number() const { return number_; }

  private:
    int number_;
};

// "Error No. <n> in subroutine '<procedure>': \r\n\r\n<description>"
std::string ErrorMessageText(int number, std::string_view procedure, std::string_view description);

// Shows the error message box: the text above, the critical icon and the title
// "Error Message".
void ShowErrorMessage(UserPrompt& prompt, int number, std::string_view procedure,
                      std::string_view description);

// Shows an exception that escaped `procedure` as the error message box.
void ReportTrappedError(UserPrompt& prompt, std::string_view procedure,
                        const std::exception& error);

// Passes every message on and counts the unexpected failures reported through
// it ("Error Message"), so that a run that carried on after one can say so.
class ErrorCountingPrompt : public UserPrompt {
  public:
    explicit ErrorCountingPrompt(UserPrompt& target) : target_(target) {}

    PromptAnswer Ask(const PromptMessage& message) override {
        if (message.id == PromptId::TrappedError)
            ++count_;
        return target_.Ask(message);
    }
    using UserPrompt::Ask;

    int Count() const { return count_; }

  private:
    UserPrompt& target_;
    int count_ = 0;
};

// Runs `body`; an exception escaping it is reported as above and the function
// returns false (the procedure "ends"). Returns true when `body` completed.
template <class Body>
bool RunTrapped(UserPrompt& prompt, std::string_view procedure, Body&& body) {
    try {
        body();
        return true;
    } catch (const std::exception& error) {
        ReportTrappedError(prompt, procedure, error);
        return false;
    }
}

}  // namespace kivo
