#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/ParameterDefinition.h"
#include "core/UserPrompt.h"
#include "core/Workspace.h"

namespace kivo {

// Why an enabled row cannot be calculated.
enum class RowProblemKind {
    NoFunction,          // the row names no calculation function
    UnknownFunction,     // the row names a function outside the catalogue
    MissingOperand,      // no variable, target or reference system where one is needed
    TooFewOperands,      // fewer entries than the function reads
    NotDefined,          // an entry that is no input variable or row of the kind needed above
    RequiresRows,        // entries that name disabled rows above
    RequiresDynamicSrl,  // body parts without an enabled global and local Dynamic SRL row above
    OperandColumns,      // an operand row with fewer value columns than the function reads
    ThresholdTarget,     // Less Than, Greater Than: neither a number nor two input variables
    NumberOutOfRange,    // a numeric target beyond the 16-bit whole numbers
};

struct RowProblem {
    RowProblemKind kind = RowProblemKind::NoFunction;
    std::string word;                // "variable", "target" or "reference system"
    std::vector<std::string> names;  // the entries concerned
    int count = 0;                   // entries or value columns needed

    bool operator==(const RowProblem&) const = default;
};

// The message that tells the user why `row` cannot be calculated.
PromptMessage RowProblemMessage(const ParameterDefinition& row, const RowProblem& problem);

// The quoted names joined with "," ('A','B').
std::string QuotedList(const std::vector<std::string>& names);

// Checks the rows of a parameter list by the rules the compilation applies,
// and more strictly: an enabled row may only use enabled rows above it. A
// list whose enabled rows all pass compiles.
class ParameterListCheck {
  public:
    // Takes the input-variable names of the workspace (fixed and user names).
    explicit ParameterListCheck(const Workspace& workspace);
    ParameterListCheck(const ParameterListCheck&) = delete;
    ParameterListCheck& operator=(const ParameterListCheck&) = delete;

    // Called for each enabled row that fails; returning true disables the row,
    // which then counts as disabled for the rows below it.
    using ProblemHandler = std::function<bool(std::size_t row, const RowProblem& problem)>;

    // Checks the enabled rows in list order and disables those `handler` asks for.
    void Run(std::vector<ParameterDefinition>& rows, const ProblemHandler& handler) const;

    // The problem of each row; nothing for disabled rows and rows that pass.
    std::vector<std::optional<RowProblem>> Problems(
        const std::vector<ParameterDefinition>& rows) const;

    // `wanted` together with every row they need, recursively: the rows their
    // operands name and, for Complexity and Magnitude without enabled Dynamic
    // SRL rows of a body part above, the lowest such rows. Ascending.
    std::vector<std::size_t> WithNeededRows(const std::vector<ParameterDefinition>& rows,
                                            const std::vector<std::size_t>& wanted) const;

    // Position 0..85 of the input variable named `name`, else kNotAnInputVariable.
    int InputVariableIndex(std::string_view name) const;

  private:
    class Pass;

    std::vector<std::string> names_;  // owns the keys of inputVariables_
    std::unordered_map<std::string_view, int> inputVariables_;
};

}  // namespace kivo
