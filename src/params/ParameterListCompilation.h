#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputVariableTable.h"
#include "core/ParameterDefinition.h"
#include "core/ParameterRecord.h"
#include "core/UserPrompt.h"

namespace kivo {

// The run-time parameter array: one record per row of the parameter list,
// indexed by list position 1..n (slot 0 unused).
using ParameterArray = std::vector<ParameterRecord>;

// The data-field name bound to each input variable position (empty = unbound).
using DataFieldBindings = std::array<std::string, kInputVariableCount>;

// Where the window should take the user after a failed compilation.
enum class FocusPage { None, DataFields, Parameters };

struct FocusRequest {
    FocusPage page = FocusPage::None;  // tab page to bring to the front
    int row = 0;  // list position to select and scroll into view; 0 = leave the selection
};

std::string_view FocusPageName(FocusPage page);  // "Data Fields", "Parameters" or empty

struct CompileOutcome {
    bool failed = false;
    int failedRow = 0;  // list position of the row that stopped the compilation (0 = none)
    FocusRequest focus;
};

// Compiles the parameter list into `array` (recreated from scratch): resolves
// every name to an input variable or an earlier row, marks the rows that are
// also computed for person B, sets the value columns, captions and per-row
// arrays. Named input variables take their data-field name from `bindings`;
// unnamed ones are renamed kUnnamedMarker so that no lookup matches them
// (RestoreUnnamedInputVariables undoes this when the run ends). The first
// unsatisfiable reference is told through `prompt` and stops the compilation.
//
// An enabled row that compiles guarantees its calculation function: every
// operand it reads exists; operands that must be earlier rows are rows above
// it, TSM, Activation and Openness operands are enabled rows with the value
// columns they read; input-variable operands are positions 0..85; the Target
// of Less Than and Greater Than is one number or at least two input variables.
CompileOutcome InitParameterListArray(ParameterArray& array,
                                      const std::vector<ParameterDefinition>& rows,
                                      InputVariableTable& table, const DataFieldBindings& bindings,
                                      bool splitMode, UserPrompt& prompt);

// Whether an entry of a parameter definition's list is a number. Such numbers
// are written with the period: the entries are comma-separated, so a decimal
// comma could never stand in one.
bool IsListNumber(std::string_view text);

// A numeric Target entry as the 16-bit whole number the record holds
// (rounded); nothing when it lies beyond that range.
std::optional<int> ReadTargetNumber(std::string_view text);

// Gives the unnamed-entry marker back its empty name.
void RestoreUnnamedInputVariables(InputVariableTable& table);

// List position (1-based) of the first row named `name` if it stands above
// `position`, else 0 (also when the first such row stands at or below it).
int FindPrecedingParameter(const std::vector<ParameterDefinition>& rows, std::string_view name,
                           int position);

// The function reached by following variable 1 through derived rows.
int GetBaseFunction(const ParameterArray& array, int position);

// Sets the partner flag of the row and of every row it reads, through its
// variables and its (non-numeric) targets.
void MarkForPartner(ParameterArray& array, const std::vector<ParameterDefinition>& rows,
                    int position);

}  // namespace kivo
