#include "params/ParameterListCheck.h"

#include <algorithm>
#include <array>

#include "core/InputVariableTable.h"
#include "core/Numbers.h"
#include "core/Text.h"
#include "params/Catalogue.h"
#include "params/ParameterListCompilation.h"

namespace kivo {
namespace {

constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);

std::vector<std::string_view> Entries(const std::string& column) {
    if (column.empty())
        return {};
    return SplitFields(column, ',');
}

RowProblem Problem(RowProblemKind kind, std::string word = {}, std::vector<std::string> names = {},
                   int count = 0) {
    return RowProblem{kind, std::move(word), std::move(names), count};
}

void AddOnce(std::vector<std::string>& names, std::string_view name) {
    if (std::find(names.begin(), names.end(), name) == names.end())
        names.emplace_back(name);
}

}  // namespace

std::string QuotedList(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += text.empty() ? "'" : ",'";
        text += name;
        text += "'";
    }
    return text;
}

PromptMessage RowProblemMessage(const ParameterDefinition& row, const RowProblem& problem) {
    const std::string plural = problem.names.size() > 1 ? "s" : "";
    const std::string first = problem.names.empty() ? std::string() : problem.names.front();
    std::string text;
    switch (problem.kind) {
        case RowProblemKind::NoFunction:
            text = "Please select a calculation!";
            break;
        case RowProblemKind::UnknownFunction:
            text = "The calculation function '" + row.function + "' is not defined!";
            break;
        case RowProblemKind::MissingOperand:
            text = "The calculation routine '" + row.function + "' needs a " + problem.word + "!";
            break;
        case RowProblemKind::TooFewOperands:
            text = "The calculation routine '" + row.function + "' needs " +
                   std::to_string(problem.count) + " " + problem.word + "s!";
            break;
        case RowProblemKind::NotDefined:
            text = "The " + problem.word + " '" + first +
                   "' is either not defined or do not exist on positions before the parameter '" +
                   row.name + "'!\r\nPlease define '" + first + "', choose another " +
                   problem.word + ", or move the parameter '" + row.name + "' to another position.";
            break;
        case RowProblemKind::RequiresRows:
            text = "The calculation of the nonverbal parameter '" + row.name +
                   "' requires the calculation of the nonverbal parameter" + plural + " " +
                   QuotedList(problem.names) + ".";
            break;
        case RowProblemKind::RequiresDynamicSrl:
            text = "The calculation of the nonverbal parameter '" + row.name +
                   "' requires the calculation of the Global Dynamic SRL and the Local Dynamic "
                   "SRL parameters of the body part" +
                   plural + " " + QuotedList(problem.names) + ".";
            break;
        case RowProblemKind::OperandColumns:
            text = "The calculation of the nonverbal parameter '" + row.name +
                   "' requires at least " + std::to_string(problem.count) +
                   " value columns of the nonverbal parameter '" + first + "'.";
            break;
        case RowProblemKind::ThresholdTarget:
            text = "The calculation routine '" + row.function +
                   "' needs a whole number or at least two input variables as target!";
            break;
        case RowProblemKind::NumberOutOfRange:
            text = "The number '" + first + "' in the target of the nonverbal parameter '" +
                   row.name + "' lies beyond -32768..32767!";
            break;
    }
    return PromptMessage{PromptId::ParameterNeedsRows, std::move(text), PromptIcon::Exclamation,
                         PromptButtons::Ok};
}

// One pass over the list in order. Rows above the current one are settled:
// their enabled state, value-column count and Dynamic SRL rows are known.
class ParameterListCheck::Pass {
  public:
    Pass(const ParameterListCheck& check, const std::vector<ParameterDefinition>& rows)
        : check_(check), rows_(rows), enabled_(rows.size()), nValues_(rows.size(), 0) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            enabled_[i] = rows[i].enabled;
            firstRow_.try_emplace(rows[i].name, i);
        }
    }

    // Checks row i (enabled), settles it and returns its problem, if any.
    std::optional<RowProblem> Check(std::size_t i) {
        std::vector<std::size_t> variableRows, targetRows;
        std::optional<RowProblem> problem = Find(i, variableRows, targetRows);
        nValues_[i] = ValueCount(i, variableRows, targetRows);
        return problem;
    }

    // Takes row i as disabled, or (when it stays enabled) records it as a
    // Dynamic SRL row for the rows below.
    void Settle(std::size_t i, bool disable) {
        if (disable) {
            enabled_[i] = false;
            return;
        }
        const ParameterDefinition& row = rows_[i];
        if (TypeTagFunctionIndex(row.typeTag) != kFnDynamicSRL)
            return;
        const std::vector<std::string_view> names = Entries(row.variables);
        const int bodyPart = names.empty() ? kNotAnInputVariable : Input(names.front());
        if (bodyPart == kNotAnInputVariable)
            return;
        const bool local = Input(row.referenceSystem) != kNotAnInputVariable;
        (local ? localSrl_ : globalSrl_)[static_cast<std::size_t>(bodyPart)] = true;
    }

    bool Enabled(std::size_t i) const { return enabled_[i] != 0; }

  private:
    int Input(std::string_view name) const { return check_.InputVariableIndex(name); }

    // The first row named `name` when it stands above row i.
    std::size_t RowAbove(std::string_view name, std::size_t i) const {
        const auto found = firstRow_.find(name);
        return found != firstRow_.end() && found->second < i ? found->second : kNoRow;
    }

    std::optional<RowProblem> Find(std::size_t i, std::vector<std::size_t>& variableRows,
                                   std::vector<std::size_t>& targetRows) const {
        const ParameterDefinition& row = rows_[i];
        const int function = TypeTagFunctionIndex(row.typeTag);
        if (function < 1 || function > kFunctionCount) {
            return Problem(row.function.empty() ? RowProblemKind::NoFunction
                                                : RowProblemKind::UnknownFunction);
        }
        const std::vector<std::string_view> variables = Entries(row.variables);
        const std::vector<std::string_view> targets = Entries(row.target);
        const CatalogueEntry& entry = CatalogueEntryOf(function);
        const OperandRule variableRule = entry.variables;
        const OperandRule targetRule = entry.target;
        if (variableRule.minimumCount > 0 && variables.empty())
            return Problem(RowProblemKind::MissingOperand, "variable");
        if (targetRule.minimumCount > 0 && targets.empty())
            return Problem(RowProblemKind::MissingOperand, "target");
        if (entry.needsReferenceSystem && row.referenceSystem.empty())
            return Problem(RowProblemKind::MissingOperand, "reference system");
        if (static_cast<int>(variables.size()) < variableRule.minimumCount) {
            return Problem(RowProblemKind::TooFewOperands, "variable", {},
                           variableRule.minimumCount);
        }
        if (static_cast<int>(targets.size()) < targetRule.minimumCount) {
            return Problem(RowProblemKind::TooFewOperands, "target", {}, targetRule.minimumCount);
        }

        std::optional<RowProblem> notDefined;
        std::vector<std::string> disabledRows, bodyParts;
        const auto undefined = [&](std::string_view word, std::string_view name) {
            if (!notDefined)
                notDefined =
                    Problem(RowProblemKind::NotDefined, std::string(word), {std::string(name)});
        };
        const auto useRow = [&](std::size_t r, std::string_view name,
                                std::vector<std::size_t>& used) {
            if (enabled_[r])
                used.push_back(r);
            else
                AddOnce(disabledRows, name);
        };

        for (std::string_view name : variables) {
            const int position = Input(name);
            if (position != kNotAnInputVariable) {
                if (variableRule.kind == OperandKind::Rows) {
                    undefined("variable", name);
                } else if (entry.bodyPartsBySrlRows &&
                           !(globalSrl_[static_cast<std::size_t>(position)] &&
                             localSrl_[static_cast<std::size_t>(position)])) {
                    AddOnce(bodyParts, name);
                }
                continue;
            }
            const std::size_t r = RowAbove(name, i);
            if (r == kNoRow || variableRule.kind == OperandKind::InputVariables)
                undefined("variable", name);
            else
                useRow(r, name, variableRows);
        }

        bool allInputVariables = true;
        std::optional<RowProblem> outOfRange;
        for (std::string_view text : targets) {
            if (IsListNumber(text)) {
                allInputVariables = false;
                if (!ReadTargetNumber(text) && !outOfRange) {
                    outOfRange =
                        Problem(RowProblemKind::NumberOutOfRange, "target", {std::string(text)});
                }
                if (targetRule.kind == OperandKind::InputVariables ||
                    targetRule.kind == OperandKind::Rows) {
                    undefined("target", text);
                }
                continue;
            }
            const bool inputVariable = Input(text) != kNotAnInputVariable;
            allInputVariables = allInputVariables && inputVariable;
            if (targetRule.kind == OperandKind::InputVariables && !inputVariable)
                undefined("target", text);
            if (targetRule.kind != OperandKind::Rows)
                continue;
            const std::size_t r = inputVariable ? kNoRow : RowAbove(text, i);
            if (r == kNoRow)
                undefined("target", text);
            else
                useRow(r, text, targetRows);
        }

        if (notDefined)
            return notDefined;
        if (!disabledRows.empty())
            return Problem(RowProblemKind::RequiresRows, {}, std::move(disabledRows));
        if (!bodyParts.empty())
            return Problem(RowProblemKind::RequiresDynamicSrl, {}, std::move(bodyParts));
        if (targetRule.kind == OperandKind::Threshold) {
            const bool oneNumber = targets.size() == 1 && IsListNumber(targets.front());
            if (!oneNumber && !(targets.size() >= 2 && allInputVariables))
                return Problem(RowProblemKind::ThresholdTarget, "target");
        }
        if (outOfRange)
            return outOfRange;
        const int required = entry.operandColumns;
        if (required > 0) {
            std::vector<std::size_t> operands = variableRows;
            operands.insert(operands.end(), targetRows.begin(), targetRows.end());
            for (std::size_t r : operands) {
                if (nValues_[r] < required) {
                    return Problem(RowProblemKind::OperandColumns, {}, {rows_[r].name}, required);
                }
            }
        }
        return std::nullopt;
    }

    // The value-column count the compilation gives the row.
    int ValueCount(std::size_t i, const std::vector<std::size_t>& variableRows,
                   const std::vector<std::size_t>& targetRows) const {
        const ParameterDefinition& row = rows_[i];
        std::vector<int> variableValues;
        for (std::size_t r : variableRows)
            variableValues.push_back(nValues_[r]);
        return ValueCountOf(TypeTagFunctionIndex(row.typeTag), TypeTagColumns(row.typeTag),
                            variableValues, targetRows.empty() ? 0 : nValues_[targetRows.front()]);
    }

    const ParameterListCheck& check_;
    const std::vector<ParameterDefinition>& rows_;
    std::vector<char> enabled_;
    std::vector<int> nValues_;
    std::unordered_map<std::string_view, std::size_t> firstRow_;
    std::array<bool, kInputVariableCount> globalSrl_{};
    std::array<bool, kInputVariableCount> localSrl_{};
};

ParameterListCheck::ParameterListCheck(const Workspace& workspace) {
    names_.reserve(kInputVariableCount);
    for (int k = 0; k < kInputVariableCount; ++k) {
        names_.emplace_back(workspace.InputVariableName(k));
        if (!names_.back().empty())
            inputVariables_.try_emplace(names_.back(), k);
    }
}

int ParameterListCheck::InputVariableIndex(std::string_view name) const {
    const auto found = inputVariables_.find(name);
    return found == inputVariables_.end() ? kNotAnInputVariable : found->second;
}

void ParameterListCheck::Run(std::vector<ParameterDefinition>& rows,
                             const ProblemHandler& handler) const {
    Pass pass(*this, rows);
    std::vector<std::size_t> disabled;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!pass.Enabled(i))
            continue;
        const std::optional<RowProblem> problem = pass.Check(i);
        const bool disable = problem && handler(i, *problem);
        pass.Settle(i, disable);
        if (disable)
            disabled.push_back(i);
    }
    for (std::size_t i : disabled)
        rows[i].enabled = false;
}

std::vector<std::optional<RowProblem>> ParameterListCheck::Problems(
    const std::vector<ParameterDefinition>& rows) const {
    std::vector<std::optional<RowProblem>> problems(rows.size());
    Pass pass(*this, rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!pass.Enabled(i))
            continue;
        problems[i] = pass.Check(i);
        pass.Settle(i, false);
    }
    return problems;
}

std::vector<std::size_t> ParameterListCheck::WithNeededRows(
    const std::vector<ParameterDefinition>& rows, const std::vector<std::size_t>& wanted) const {
    std::vector<char> included(rows.size(), 0);
    std::vector<std::size_t> pending;
    const auto include = [&](std::size_t r) {
        if (r < rows.size() && !included[r]) {
            included[r] = 1;
            pending.push_back(r);
        }
    };
    std::unordered_map<std::string_view, std::size_t> firstRow;
    for (std::size_t i = 0; i < rows.size(); ++i)
        firstRow.try_emplace(rows[i].name, i);
    const auto rowAbove = [&](std::string_view name, std::size_t i) {
        const auto found = firstRow.find(name);
        return found != firstRow.end() && found->second < i ? found->second : kNoRow;
    };
    // The lowest Dynamic SRL row of a body part above row i (global or
    // local), unless an enabled or included one is there already.
    const auto includeSrlRow = [&](int bodyPart, bool local, std::size_t i) {
        std::size_t lowest = kNoRow;
        for (std::size_t j = 0; j < i; ++j) {
            const ParameterDefinition& candidate = rows[j];
            if (TypeTagFunctionIndex(candidate.typeTag) != kFnDynamicSRL)
                continue;
            const std::vector<std::string_view> names = Entries(candidate.variables);
            if (names.empty() || InputVariableIndex(names.front()) != bodyPart ||
                (InputVariableIndex(candidate.referenceSystem) != kNotAnInputVariable) != local) {
                continue;
            }
            if (candidate.enabled || included[j])
                return;
            lowest = j;
        }
        include(lowest);
    };

    for (std::size_t r : wanted)
        include(r);
    while (!pending.empty()) {
        const std::size_t i = pending.back();
        pending.pop_back();
        const ParameterDefinition& row = rows[i];
        const int function = TypeTagFunctionIndex(row.typeTag);
        for (std::string_view name : Entries(row.variables)) {
            const int bodyPart = InputVariableIndex(name);
            if (bodyPart == kNotAnInputVariable) {
                include(rowAbove(name, i));
            } else if (CatalogueEntryOf(function).bodyPartsBySrlRows) {
                includeSrlRow(bodyPart, false, i);
                includeSrlRow(bodyPart, true, i);
            }
        }
        if (CatalogueEntryOf(function).target.kind == OperandKind::Rows) {
            for (std::string_view text : Entries(row.target))
                include(rowAbove(text, i));
        }
    }
    std::vector<std::size_t> result;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (included[i])
            result.push_back(i);
    }
    return result;
}

}  // namespace kivo
