#pragma once

#include <string>
#include <string_view>

#include "core/UserPrompt.h"
#include "core/Workspace.h"

namespace kivo::cli {

// Counts the warnings and errors that pass through to the console, so that a
// command can tell whether a rule or a load refused something.
class CountingPrompt : public UserPrompt {
  public:
    explicit CountingPrompt(UserPrompt& target) : target_(target) {}

    PromptAnswer Ask(const PromptMessage& message) override {
        if (message.icon == PromptIcon::Exclamation || message.icon == PromptIcon::Critical)
            ++problems_;
        return target_.Ask(message);
    }
    using UserPrompt::Ask;

    int Problems() const { return problems_; }

  private:
    UserPrompt& target_;
    int problems_ = 0;
};

// Loads a settings file that a command is about to change and save again.
// False (with a note on stderr naming `command`) when it is no settings file,
// does not load, or some of its input files cannot be added: saving it would
// lose them.
bool LoadStudyForChange(const std::string& path, Workspace& workspace, std::string_view command);

// Whether a command may write a new settings file at `path`: when nothing is
// there, or with `force` when it is a settings file (a forgotten or mistyped
// name must not turn a data file into one). False with a note on stderr
// naming `command` otherwise.
bool MayWriteSettingsFile(const std::string& path, bool force, std::string_view command);

// Saves the study with folders relative to the settings file where they lie
// in or below its folder. False (with a note) when it cannot be written.
bool SaveStudy(Workspace& workspace, const std::string& path, std::string_view command);

}  // namespace kivo::cli
