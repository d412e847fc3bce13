#pragma once

#include <string_view>
#include <vector>

#include "core/ParameterDefinition.h"
#include "core/UserPrompt.h"
#include "core/Workspace.h"

namespace kivo {

// The data-field tab: bindings of data fields to the 86 input variables and
// the names of the 50 user variables.

// Binds input-variable position 0..85 to `dataFieldName` (empty = unbound).
void BindDataField(Workspace& workspace, int position, std::string_view dataFieldName);

// Whether the name box of user variable 0..49 can be edited: it is named or
// bound to a data field.
bool IsUserVariableNameEditable(const Workspace& workspace, int userVariable);

// Gives user variable 0..49 the name `newName`. A name already used by
// another input variable or by a parameter, or one that holds a comma, a
// double quote or a line break, is refused with a message (false, the old
// name stays). Otherwise every entry equal to the old name in the Variables, Target
// and Reference System columns of the parameter list is renamed. An empty
// name also unbinds the user variable.
bool RenameUserVariable(Workspace& workspace, int userVariable, std::string_view newName,
                        UserPrompt& prompt);

// Replaces every whole entry equal to `oldName` in the comma-separated
// Variables, Target and Reference System columns of every row.
void RenameInParameterList(std::vector<ParameterDefinition>& rows, std::string_view oldName,
                           std::string_view newName);

// After the user agreed: empties the data-field name list and every binding.
bool ClearDataFieldLists(Workspace& workspace, UserPrompt& prompt);

// After the user agreed: every user variable loses its name and binding.
bool DeleteUserVariables(Workspace& workspace, UserPrompt& prompt);

// Binds every unbound named input variable to the offered data field of the
// same name. Returns the number of bindings made.
int BindMatchingDataFields(Workspace& workspace);

// Positions of the input variables that the enabled rows of the parameter
// list name in their Variables, Target or Reference System columns (and the
// camera of the camera functions), ascending.
std::vector<int> NeededInputVariables(const Workspace& workspace);

}  // namespace kivo
