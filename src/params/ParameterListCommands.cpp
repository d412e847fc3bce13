#include "params/ParameterListCommands.h"

#include "params/Catalogue.h"
#include "params/DefaultParameterList.h"

namespace kivo {
namespace {

bool Confirm(UserPrompt& prompt, PromptId id, std::string text) {
    return prompt.Ask(id, std::move(text), PromptButtons::YesNo, PromptIcon::Exclamation) ==
           PromptAnswer::Yes;
}

}  // namespace

bool ResetParameterList(std::vector<ParameterDefinition>& rows, UserPrompt& prompt) {
    if (!Confirm(prompt, PromptId::ResetParameterList,
                 "Do you really want to reset the parameter list to the default list of nonverbal "
                 "parameters?")) {
        return false;
    }
    CreateDefaultParameterList(rows);
    return true;
}

bool RestoreParameterList(
    std::vector<ParameterDefinition>& rows, UserPrompt& prompt,
    const std::function<std::optional<std::vector<ParameterDefinition>>()>& loadStored) {
    if (!Confirm(prompt, PromptId::RestoreParameterList,
                 "Do you really want to restore the parameter list to the set of parameters loaded "
                 "at program start?")) {
        return false;
    }
    std::optional<std::vector<ParameterDefinition>> stored = loadStored();
    if (!stored)
        return false;
    if (stored->empty()) {
        CreateDefaultParameterList(rows);
        return true;
    }
    rows = std::move(*stored);
    SetAllParameterTypeTags(rows);
    return true;
}

bool ClearParameterList(std::vector<ParameterDefinition>& rows, UserPrompt& prompt) {
    if (!Confirm(
            prompt, PromptId::ClearParameterList,
            "Do you really want to remove all nonverbal parameters from the parameter list?")) {
        return false;
    }
    rows.clear();
    return true;
}

}  // namespace kivo
