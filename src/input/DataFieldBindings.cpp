#include "input/DataFieldBindings.h"

#include <array>
#include <string>

#include "core/Text.h"

namespace kivo {
namespace {

bool IsUserVariable(int userVariable) {
    return userVariable >= 0 && userVariable < kUserVariableCount;
}

}  // namespace

void BindDataField(Workspace& workspace, int position, std::string_view dataFieldName) {
    if (position < 0 || position >= kInputVariableCount)
        return;
    workspace.boundDataFields[position] = std::string(dataFieldName);
}

bool IsUserVariableNameEditable(const Workspace& workspace, int userVariable) {
    if (!IsUserVariable(userVariable))
        return false;
    return !workspace.userVariableNames[userVariable].empty() ||
           !workspace.boundDataFields[kFirstUserVariable + userVariable].empty();
}

bool RenameUserVariable(Workspace& workspace, int userVariable, std::string_view newName,
                        UserPrompt& prompt) {
    if (!IsUserVariable(userVariable))
        return false;
    const int position = kFirstUserVariable + userVariable;
    std::string& name = workspace.userVariableNames[userVariable];
    if (!newName.empty()) {
        if (!IsListableName(newName)) {
            prompt.Tell(PromptId::UnlistableName, std::string(kUnlistableNameMessage),
                        PromptIcon::Exclamation);
            return false;
        }
        // A parameter's name would turn the entries that use the parameter
        // into entries of this variable.
        bool taken = false;
        for (int k = 0; k < kInputVariableCount && !taken; ++k)
            taken = k != position && workspace.InputVariableName(k) == newName;
        for (std::size_t r = 0; r < workspace.parameters.size() && !taken; ++r)
            taken = workspace.parameters[r].name == newName;
        if (taken) {
            prompt.Tell(PromptId::VariableNameInUse,
                        "This variable name is already in use.\r\nPlease choose another name.",
                        PromptIcon::Exclamation);
            return false;
        }
        // A variable named for the first time renames nothing: the empty old
        // name would otherwise match every empty column.
        if (!name.empty())
            RenameInParameterList(workspace.parameters, name, newName);
    } else {
        workspace.boundDataFields[position].clear();
    }
    name = std::string(newName);
    return true;
}

void RenameInParameterList(std::vector<ParameterDefinition>& rows, std::string_view oldName,
                           std::string_view newName) {
    if (oldName.empty())
        return;
    for (ParameterDefinition& row : rows) {
        RenameListEntries(row.variables, oldName, newName);
        RenameListEntries(row.target, oldName, newName);
        RenameListEntries(row.referenceSystem, oldName, newName);
    }
}

bool ClearDataFieldLists(Workspace& workspace, UserPrompt& prompt) {
    if (prompt.Ask(PromptId::ClearDataFieldLists,
                   "Do your really want to clear all data field lists?", PromptButtons::YesNo,
                   PromptIcon::Exclamation) != PromptAnswer::Yes) {
        return false;
    }
    workspace.dataFieldNames.Clear();
    for (std::string& bound : workspace.boundDataFields)
        bound.clear();
    return true;
}

bool DeleteUserVariables(Workspace& workspace, UserPrompt& prompt) {
    if (prompt.Ask(PromptId::DeleteUserVariables,
                   "Do your really want to delete all user variables?", PromptButtons::YesNo,
                   PromptIcon::Exclamation) != PromptAnswer::Yes) {
        return false;
    }
    for (int u = 0; u < kUserVariableCount; ++u) {
        workspace.userVariableNames[u].clear();
        workspace.boundDataFields[kFirstUserVariable + u].clear();
    }
    return true;
}

int BindMatchingDataFields(Workspace& workspace) {
    int bound = 0;
    for (int k = 0; k < kInputVariableCount; ++k) {
        const std::string_view name = workspace.InputVariableName(k);
        if (name.empty() || !workspace.boundDataFields[k].empty())
            continue;
        if (workspace.dataFieldNames.Contains(name)) {
            workspace.boundDataFields[k] = std::string(name);
            ++bound;
        }
    }
    return bound;
}

std::vector<int> NeededInputVariables(const Workspace& workspace) {
    std::array<bool, kInputVariableCount> needed{};
    for (const ParameterDefinition& row : workspace.parameters) {
        if (!row.enabled)
            continue;
        // The virtual camera of the camera functions stands at "Camera" and
        // looks at "Interest".
        if (row.function == "Camera Framing" || row.function == "Camera Proxemics") {
            needed[kCamera] = needed[kInterest] = true;
        }
        for (const std::string* column : {&row.variables, &row.target, &row.referenceSystem}) {
            for (std::string_view entry : SplitFields(*column, ',')) {
                const int position = workspace.InputVariableIndex(entry);
                if (position != kNotAnInputVariable)
                    needed[position] = true;
            }
        }
    }
    std::vector<int> positions;
    for (int k = 0; k < kInputVariableCount; ++k) {
        if (needed[k])
            positions.push_back(k);
    }
    return positions;
}

}  // namespace kivo
