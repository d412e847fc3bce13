#include "engine/ArithmeticFunctions.h"

#include <cmath>

#include "core/NoValue.h"
#include "core/StatusCode.h"

namespace kivo {
namespace {

// Operand rows are always earlier rows: the compiler refuses anything else.
const ParameterRecord& Operand(const std::vector<ParameterRecord>& records, int listPosition) {
    return records[static_cast<std::size_t>(listPosition)];
}

bool IsUsableRow(const std::vector<ParameterRecord>& records, int listPosition) {
    return listPosition >= 1 && listPosition < static_cast<int>(records.size());
}

enum class Fold { Sum, Difference, Product };

int FoldOperands(std::vector<ParameterRecord>& records, int person, int position, Fold fold) {
    ParameterRecord& record = records[position];
    const bool fromTarget = fold == Fold::Difference;
    const Operands used =
        fromTarget ? Operands::FirstTargetAndAllVariables : Operands::AllVariables;
    if (!OperandsSucceeded(records, record, person, used))
        return kStatusInheritedError;
    for (int v = 0; v < record.nValues; ++v) {
        double result = fold == Fold::Product ? 1.0 : 0.0;
        if (fromTarget)
            result = Operand(records, record.targetIndices[0]).Current(v, person);
        for (int index : record.variableIndices) {
            const double x = Operand(records, index).Current(v, person);
            switch (fold) {
                case Fold::Sum:
                    result = result + x;
                    break;
                case Fold::Difference:
                    result = result - x;
                    break;
                case Fold::Product:
                    result = result * x;
                    break;
            }
        }
        record.Current(v, person) = result;
    }
    return kStatusOk;
}

}  // namespace

bool OperandsSucceeded(const std::vector<ParameterRecord>& records, const ParameterRecord& record,
                       int person, Operands operands) {
    if (operands == Operands::FirstTargetAndAllVariables) {
        if (record.targetIndices.empty() || !IsUsableRow(records, record.targetIndices[0])) {
            return false;
        }
        if (Operand(records, record.targetIndices[0]).Status(person) != kStatusOk)
            return false;
    }
    if (record.variableIndices.empty())
        return false;
    const std::size_t used =
        operands == Operands::FirstVariable ? 1 : record.variableIndices.size();
    for (std::size_t i = 0; i < used; ++i) {
        const int index = record.variableIndices[i];
        if (!IsUsableRow(records, index))
            return false;
        if (Operand(records, index).Status(person) != kStatusOk)
            return false;
    }
    return true;
}

int CalculateAddition(std::vector<ParameterRecord>& records, int person, int position) {
    return FoldOperands(records, person, position, Fold::Sum);
}

int CalculateSubtraction(std::vector<ParameterRecord>& records, int person, int position) {
    return FoldOperands(records, person, position, Fold::Difference);
}

int CalculateMultiplication(std::vector<ParameterRecord>& records, int person, int position) {
    return FoldOperands(records, person, position, Fold::Product);
}

int CalculateDivision(std::vector<ParameterRecord>& records, int person, int position) {
    ParameterRecord& record = records[position];
    if (!OperandsSucceeded(records, record, person, Operands::FirstTargetAndAllVariables)) {
        return kStatusInheritedError;
    }
    for (int v = 0; v < record.nValues; ++v) {
        double result = Operand(records, record.targetIndices[0]).Current(v, person);
        for (int index : record.variableIndices) {
            const double divisor = Operand(records, index).Current(v, person);
            if (divisor == 0.0) {
                result = kNoValue;
                break;
            }
            result = result / divisor;
        }
        record.Current(v, person) = result;
    }
    return kStatusOk;
}

int CalculateAbsoluteValue(std::vector<ParameterRecord>& records, int person, int position) {
    ParameterRecord& record = records[position];
    if (!OperandsSucceeded(records, record, person, Operands::FirstVariable)) {
        return kStatusInheritedError;
    }
    const ParameterRecord& operand = Operand(records, record.variableIndices[0]);
    for (int v = 0; v < record.nValues; ++v) {
        record.Current(v, person) = std::fabs(operand.Current(v, person));
    }
    return kStatusOk;
}

int CalculateComparison(std::vector<ParameterRecord>& records, int person, int position,
                        bool lessThan, double threshold, int thresholdStatus) {
    ParameterRecord& record = records[position];
    if (!OperandsSucceeded(records, record, person, Operands::FirstVariable)) {
        return kStatusInheritedError;
    }
    if (thresholdStatus != kStatusOk)
        return thresholdStatus;
    const ParameterRecord& operand = Operand(records, record.variableIndices[0]);
    for (int v = 0; v < record.nValues; ++v) {
        const double x = operand.Current(v, person);
        const bool holds = lessThan ? x < threshold : x > threshold;
        record.Current(v, person) = holds ? 1.0 : 0.0;
    }
    return kStatusOk;
}

}  // namespace kivo
