#include "params/ParameterListCompilation.h"

#include <algorithm>

#include "core/ErrorTrap.h"
#include "core/Numbers.h"
#include "core/Text.h"
#include "params/Catalogue.h"
#include "params/ParameterCaptions.h"

namespace kivo {
namespace {

constexpr std::string_view kProcedure = "InitParameterListArray";

std::vector<std::string> SplitList(const std::string& column) {
    if (column.empty())
        return {};
    return SplitToStrings(column, ',');
}

int TargetNumber(std::string_view text) {
    const std::optional<int> value = ReadTargetNumber(text);
    if (!value)
        throw TrappedError(kErrorOverflow, "Overflow");
    return *value;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "'";
    quoted += text;
    quoted += "'";
    return quoted;
}

class Compiler {
  public:
    Compiler(ParameterArray& array, const std::vector<ParameterDefinition>& rows,
             const InputVariableTable& table, bool splitMode, UserPrompt& prompt)
        : array_(array), rows_(rows), table_(table), splitMode_(splitMode), prompt_(prompt) {}

    CompileOutcome Run() {
        const int n = static_cast<int>(rows_.size());
        array_.assign(static_cast<std::size_t>(n) + 1, ParameterRecord{});
        for (int position = 1; position <= n; ++position) {
            if (!ResolveRow(position))
                return outcome_;
        }
        for (int position = 1; position <= n; ++position) {
            if (!array_[position].enabled)
                continue;
            if (!CheckOperandColumns(position) || !SetValueCount(position))
                return outcome_;
            Allocate(position);
        }
        return outcome_;
    }

  private:
    const ParameterDefinition& Row(int position) const { return rows_[position - 1]; }

    bool ResolveRow(int position) {
        const ParameterDefinition& row = Row(position);
        ParameterRecord& record = array_[position];
        record.enabled = row.enabled;
        if (!record.enabled)
            return true;
        record.functionIndex = TypeTagFunctionIndex(row.typeTag);
        record.baseFunction = record.functionIndex;
        if (!ResolveVariables(position) || !ResolveTargets(position))
            return false;
        record.referenceSystem = table_.GetInputVariableIndex(row.referenceSystem);
        record.output = row.output == "x";
        record.dynamic = row.dynamic == "x";
        record.statistics = row.statistics == "x";
        return true;
    }

    bool ResolveVariables(int position) {
        const ParameterDefinition& row = Row(position);
        ParameterRecord& record = array_[position];
        const int function = record.functionIndex;
        const OperandRule rule = CatalogueEntryOf(function).variables;
        const std::vector<std::string> names = SplitList(row.variables);
        const int k = static_cast<int>(names.size());
        if (k < rule.minimumCount)
            return FailMissing(position, "variable", rule.minimumCount);
        const bool movement = CatalogueEntryOf(function).bodyPartsBySrlRows;
        if (k >= 1) {
            record.nVariables = movement ? 2 * k : k;
            record.variableIndices.assign(static_cast<std::size_t>(record.nVariables), 0);
        }
        for (int i = 0; i < k; ++i) {
            const std::string& name = names[static_cast<std::size_t>(i)];
            const int p = table_.GetInputVariableIndex(name);
            if (p > kInputVariableCount - 1) {
                const int r = FindPrecedingParameter(rows_, name, position);
                if (r == 0)
                    return FailUndefined(position, "variable", name);
                if (rule.kind == OperandKind::InputVariables) {
                    return FailOperand(position, "variable", name, "an input variable");
                }
                record.variableIndices[static_cast<std::size_t>(i)] = r;
                const PartnerRule partner = CatalogueEntryOf(function).partner;
                if (partner == PartnerRule::RowAndOperands)
                    record.partnerFlag = true;
                if (partner != PartnerRule::None)
                    MarkForPartner(array_, rows_, r);
            } else if (rule.kind == OperandKind::Rows) {
                return FailOperand(position, "variable", name, EarlierRowRequirement(position));
            } else if (!movement) {
                record.variablesAreInputVariables = true;
                record.variableIndices[static_cast<std::size_t>(i)] = p;
            } else if (!ResolveDynamicSRLRows(position, i, k, p, name)) {
                return false;
            }
        }
        if (!record.variablesAreInputVariables && !record.variableIndices.empty()) {
            record.baseFunction = GetBaseFunction(array_, record.variableIndices[0]);
        }
        return true;
    }

    // Complexity and Magnitude read the global Dynamic SRL row of body part i
    // at entry i and the local one at entry i + k; the lowest such rows win.
    bool ResolveDynamicSRLRows(int position, int i, int k, int bodyPart, const std::string& name) {
        ParameterRecord& record = array_[position];
        int& global = record.variableIndices[static_cast<std::size_t>(i)];
        int& local = record.variableIndices[static_cast<std::size_t>(i + k)];
        for (int j = 1; j < position; ++j) {
            const ParameterRecord& candidate = array_[j];
            if (candidate.functionIndex != kFnDynamicSRL || candidate.variableIndices.empty() ||
                candidate.variableIndices[0] != bodyPart) {
                continue;
            }
            if (candidate.referenceSystem < kNotAnInputVariable) {
                local = j;
            } else {
                global = j;
            }
        }
        if (global != 0 && local != 0)
            return true;
        PromptMessage message;
        message.id = PromptId::ParameterDefinitionError;
        message.text = "The calculation of the nonverbal parameter '" + Row(position).name +
                       "' requires the calculation of the Global Dynamic SRL and the Local Dynamic "
                       "SRL parameters of the body part " +
                       Quoted(name) + ".";
        message.icon = PromptIcon::Critical;
        return Fail(position, message, FocusRequest{});
    }

    bool ResolveTargets(int position) {
        const ParameterDefinition& row = Row(position);
        ParameterRecord& record = array_[position];
        const OperandRule rule = CatalogueEntryOf(record.functionIndex).target;
        const std::vector<std::string> texts = SplitList(row.target);
        const int n = static_cast<int>(texts.size());
        if (n < rule.minimumCount)
            return FailMissing(position, "target", rule.minimumCount);
        record.nTargets = n;
        record.targetIndices.assign(static_cast<std::size_t>(n), 0);
        bool allInputVariables = true;
        for (int i = 0; i < n; ++i) {
            const std::string& text = texts[static_cast<std::size_t>(i)];
            int& index = record.targetIndices[static_cast<std::size_t>(i)];
            const bool number = IsListNumber(text);
            int p = kNotAnInputVariable;
            if (number) {
                index = TargetNumber(text);
            } else {
                p = table_.GetInputVariableIndex(text);
                if (p > kInputVariableCount - 1) {
                    index = FindPrecedingParameter(rows_, text, position);
                } else {
                    record.targetsAreInputVariables = true;
                    index = p;
                }
            }
            const bool inputVariable = !number && p < kNotAnInputVariable;
            allInputVariables = allInputVariables && inputVariable;
            if (rule.kind == OperandKind::InputVariables && !inputVariable) {
                if (!number && index == 0)
                    return FailUndefined(position, "target", text);
                return FailOperand(position, "target", text, "an input variable");
            }
            if (rule.kind == OperandKind::Rows && (number || inputVariable || index == 0)) {
                return FailOperand(position, "target", text, EarlierRowRequirement(position));
            }
        }
        if (rule.kind == OperandKind::Threshold) {
            const bool oneNumber = n == 1 && IsListNumber(texts[0]);
            if (!oneNumber && !(n >= 2 && allInputVariables)) {
                return FailOperand(position, "target", row.target,
                                   "a number or two input variables");
            }
        }
        return true;
    }

    // TSM, Activation and Openness read fixed value columns of their operand rows.
    bool CheckOperandColumns(int position) {
        const ParameterRecord& record = array_[position];
        const CatalogueEntry& entry = CatalogueEntryOf(record.functionIndex);
        const int required = entry.operandColumns;
        if (required == 0)
            return true;
        const auto check = [&](const std::vector<int>& indices, std::string_view word) {
            for (int index : indices) {
                const ParameterRecord& operand = array_[index];
                const std::string& operandName = Row(index).name;
                if (!operand.enabled)
                    return FailRequires(position, operandName);
                if (operand.nValues < required) {
                    return FailOperand(position, word, operandName,
                                       "a nonverbal parameter with at least " +
                                           std::to_string(required) + " value column" +
                                           (required > 1 ? "s" : ""));
                }
            }
            return true;
        };
        if (!check(record.variableIndices, "variable"))
            return false;
        return entry.target.kind != OperandKind::Rows || check(record.targetIndices, "target");
    }

    // False (with a message) when the row would have more value columns than
    // a row may have.
    bool SetValueCount(int position) {
        ParameterRecord& record = array_[position];
        // Only counts taken from operands read the operand rows.
        const ValueCountRule rule = CatalogueEntryOf(record.functionIndex).valueCount;
        std::vector<int> variableValues;
        int firstTargetValues = 0;
        if (rule != ValueCountRule::Fixed) {
            for (int index : record.variableIndices)
                variableValues.push_back(array_[index].nValues);
        }
        if (rule == ValueCountRule::SmallestOperandOrTarget)
            firstTargetValues = array_[record.targetIndices[0]].nValues;
        const int count = ValueCountOf(record.functionIndex, TypeTagColumns(Row(position).typeTag),
                                       variableValues, firstTargetValues);
        if (count > kMaxValueColumns)
            return FailTooManyValues(position);
        record.nValues = count;
        return true;
    }

    void Allocate(int position) {
        ParameterRecord& record = array_[position];
        const int nValues = record.nValues;
        if (nValues < 1)
            return;
        const auto values = static_cast<std::size_t>(nValues);
        const auto slots = values * static_cast<std::size_t>(record.Persons());
        record.currentValues.assign(slots, 0.0);
        record.previousValues.assign(slots, 0.0);
        StatisticsAccumulator accumulator;
        const StatisticsKind kind = StatisticsKindOf(record.functionIndex);
        accumulator.counters.assign(static_cast<std::size_t>(ValueCountersNeeded(kind)), 0);
        record.valueAccumulators.assign(values, accumulator);
        if (record.dynamic) {
            accumulator.counters.assign(static_cast<std::size_t>(DifferenceCountersNeeded(kind)),
                                        0);
            record.dAccumulators.assign(values, accumulator);
        }
        if (splitMode_) {
            record.partSums.assign(values, 0.0);
            record.partCounts.assign(values, 0);
        }
        const ParameterDefinition& row = Row(position);
        BuildValueCaptions(array_, position, row.name, row.target);
        BuildStatisticCaptionsForFunction(record, row.name);
    }

    std::string EarlierRowRequirement(int position) const {
        return "a nonverbal parameter defined above " + Quoted(Row(position).name);
    }

    bool Fail(int position, const PromptMessage& message, FocusRequest focus) {
        prompt_.Ask(message);
        outcome_.failed = true;
        outcome_.failedRow = position;
        outcome_.focus = focus;
        return false;
    }

    bool FailUndefined(int position, std::string_view word, const std::string& name) {
        PromptMessage message;
        message.id = PromptId::ParameterDefinitionError;
        message.text = "Calculation aborted due to an undefined " + std::string(word) + " " +
                       Quoted(name) + "\r\nused in the nonverbal parameter " +
                       Quoted(Row(position).name) +
                       ".\r\nPlease assign a data field to this variable on the tab page 'Data "
                       "Fields'.";
        message.icon = PromptIcon::Exclamation;
        return Fail(position, message, FocusRequest{FocusPage::DataFields, position});
    }

    bool FailOperand(int position, std::string_view word, const std::string& operand,
                     const std::string& requirement) {
        PromptMessage message;
        message.id = PromptId::ParameterDefinitionError;
        message.text = "Calculation aborted due to the " + std::string(word) + " " +
                       Quoted(operand) + "\r\nused in the nonverbal parameter " +
                       Quoted(Row(position).name) + ".\r\nPlease choose " + requirement + " as " +
                       std::string(word) + " of the calculation function " +
                       Quoted(Row(position).function) + ".";
        message.icon = PromptIcon::Exclamation;
        return Fail(position, message, FocusRequest{FocusPage::Parameters, position});
    }

    bool FailMissing(int position, std::string_view word, int count) {
        PromptMessage message;
        message.id = PromptId::ParameterDefinitionError;
        message.text =
            "Calculation aborted due to a missing " + std::string(word) +
            "\r\nin the nonverbal parameter " + Quoted(Row(position).name) +
            ".\r\nThe calculation function " + Quoted(Row(position).function) + " needs " +
            (count == 1 ? "a " + std::string(word)
                        : "at least " + std::to_string(count) + " " + std::string(word) + "s") +
            ".";
        message.icon = PromptIcon::Exclamation;
        return Fail(position, message, FocusRequest{FocusPage::Parameters, position});
    }

    bool FailTooManyValues(int position) {
        PromptMessage message;
        message.id = PromptId::ParameterDefinitionError;
        message.text = "Calculation aborted: the nonverbal parameter " +
                       Quoted(Row(position).name) + " would have more than " +
                       std::to_string(kMaxValueColumns) +
                       " value columns, the most a parameter may have.\r\nPlease read a "
                       "parameter with fewer value columns.";
        message.icon = PromptIcon::Exclamation;
        return Fail(position, message, FocusRequest{FocusPage::Parameters, position});
    }

    bool FailRequires(int position, const std::string& operandName) {
        PromptMessage message;
        message.id = PromptId::ParameterDefinitionError;
        message.text = "The calculation of the nonverbal parameter " + Quoted(Row(position).name) +
                       " requires the calculation of the nonverbal parameter " +
                       Quoted(operandName) + ".";
        message.icon = PromptIcon::Exclamation;
        return Fail(position, message, FocusRequest{FocusPage::Parameters, position});
    }

    ParameterArray& array_;
    const std::vector<ParameterDefinition>& rows_;
    const InputVariableTable& table_;
    bool splitMode_;
    UserPrompt& prompt_;
    CompileOutcome outcome_;
};

}  // namespace

std::string_view FocusPageName(FocusPage page) {
    switch (page) {
        case FocusPage::DataFields:
            return "Data Fields";
        case FocusPage::Parameters:
            return "Parameters";
        case FocusPage::None:
            return {};
    }
    return {};
}

CompileOutcome InitParameterListArray(ParameterArray& array,
                                      const std::vector<ParameterDefinition>& rows,
                                      InputVariableTable& table, const DataFieldBindings& bindings,
                                      bool splitMode, UserPrompt& prompt) {
    CompileOutcome outcome;
    const bool completed = RunTrapped(prompt, kProcedure, [&] {
        for (int k = 0; k < kInputVariableCount; ++k) {
            InputVariableEntry& entry = table[k];
            if (!entry.name.empty()) {
                entry.dataFieldName = bindings[static_cast<std::size_t>(k)];
            } else {
                entry.name = std::string(kUnnamedMarker);
            }
        }
        outcome = Compiler(array, rows, table, splitMode, prompt).Run();
    });
    if (!completed)
        outcome.failed = true;
    return outcome;
}

bool IsListNumber(std::string_view text) {
    return IsNumeric(text, ".");
}

std::optional<int> ReadTargetNumber(std::string_view text) {
    const auto value = ToInteger16(ReadNumber(text));
    if (!value)
        return std::nullopt;
    return *value;
}

void RestoreUnnamedInputVariables(InputVariableTable& table) {
    for (int k = 0; k < kInputVariableCount; ++k) {
        if (table[k].name == kUnnamedMarker)
            table[k].name.clear();
    }
}

int FindPrecedingParameter(const std::vector<ParameterDefinition>& rows, std::string_view name,
                           int position) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].name == name) {
            const int found = static_cast<int>(i) + 1;
            return found < position ? found : 0;
        }
    }
    return 0;
}

int GetBaseFunction(const ParameterArray& array, int position) {
    while (position >= 1 && position < static_cast<int>(array.size())) {
        const ParameterRecord& record = array[static_cast<std::size_t>(position)];
        if (!CatalogueEntryOf(record.functionIndex).followsFirstVariable)
            return record.functionIndex;
        // Operands stand above their row, so the walk always ends.
        if (record.variableIndices.empty() || record.variableIndices[0] >= position)
            return record.functionIndex;
        position = record.variableIndices[0];
    }
    return kFnNone;
}

void MarkForPartner(ParameterArray& array, const std::vector<ParameterDefinition>& rows,
                    int position) {
    // Rows can be reached along many paths; each is marked (and followed) once.
    std::vector<char> visited(array.size(), 0);
    std::vector<int> pending{position};
    const int size = static_cast<int>(array.size());
    while (!pending.empty()) {
        const int current = pending.back();
        pending.pop_back();
        if (current < 1 || current >= size || visited[static_cast<std::size_t>(current)])
            continue;
        visited[static_cast<std::size_t>(current)] = 1;
        ParameterRecord& record = array[static_cast<std::size_t>(current)];
        if (!record.enabled)
            continue;  // a disabled row's record stays empty
        record.partnerFlag = true;
        if (!record.variablesAreInputVariables) {
            for (int index : record.variableIndices)
                pending.push_back(index);
        }
        if (!record.targetsAreInputVariables && current <= static_cast<int>(rows.size())) {
            const std::vector<std::string> texts = SplitList(rows[current - 1].target);
            for (std::size_t i = 0; i < record.targetIndices.size() && i < texts.size(); ++i) {
                if (!IsListNumber(texts[i]))
                    pending.push_back(record.targetIndices[i]);
            }
        }
    }
}

}  // namespace kivo
