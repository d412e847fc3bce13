#pragma once

#include <string>
#include <vector>

#include "core/InputVariableTable.h"
#include "core/ParameterDefinition.h"
#include "params/Catalogue.h"
#include "params/ParameterListCompilation.h"
#include "support/ScriptedPrompt.h"

namespace kivo::testing {

// A parameter row with Output and Statistics set and the type tag of its function.
inline ParameterDefinition Row(std::string name, std::string function, std::string variables,
                               std::string target = "", std::string referenceSystem = "") {
    ParameterDefinition row;
    row.name = std::move(name);
    row.function = std::move(function);
    row.variables = std::move(variables);
    row.target = std::move(target);
    row.referenceSystem = std::move(referenceSystem);
    row.output = "x";
    row.statistics = "x";
    SetParameterTypeTag(row);
    return row;
}

inline ParameterDefinition Disabled(ParameterDefinition row) {
    row.enabled = false;
    return row;
}

inline ParameterDefinition WithDynamic(ParameterDefinition row) {
    row.dynamic = "x";
    return row;
}

// Compiles rows against the fixed input variables and keeps everything the
// compilation touched for inspection.
struct Compilation {
    explicit Compilation(std::vector<ParameterDefinition> list, bool splitMode = false)
        : rows(std::move(list)) {
        outcome = InitParameterListArray(array, rows, table, bindings, splitMode, prompt);
    }

    const ParameterRecord& operator[](int position) const { return array.at(position); }

    std::vector<ParameterDefinition> rows;
    InputVariableTable table;
    DataFieldBindings bindings;
    ScriptedPrompt prompt;
    ParameterArray array;
    CompileOutcome outcome;
};

}  // namespace kivo::testing
