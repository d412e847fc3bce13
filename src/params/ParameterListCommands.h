#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "core/ParameterDefinition.h"
#include "core/UserPrompt.h"

namespace kivo {

// The whole-list commands of the parameter page. Each asks first; "No" leaves
// the list untouched. They return true when the list was changed, so the
// window can select row 1 (reset, restore) or clear the editor (clear).

// Replaces the list by the default list.
bool ResetParameterList(std::vector<ParameterDefinition>& rows, UserPrompt& prompt);

// Replaces the list by the one `loadStored` returns (the list kept in the
// settings store), or by the default list when it returns an empty list (none
// is stored). When it returns nothing (the store could not be read, and the
// user has been told) the list stays as it is.
bool RestoreParameterList(
    std::vector<ParameterDefinition>& rows, UserPrompt& prompt,
    const std::function<std::optional<std::vector<ParameterDefinition>>()>& loadStored);

// Removes every row.
bool ClearParameterList(std::vector<ParameterDefinition>& rows, UserPrompt& prompt);

}  // namespace kivo
