#include "engine/MovementFunctions.h"

#include <array>
#include <cmath>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/BodyDistances.h"
#include "engine/OperandRows.h"

namespace kivo {

namespace {

constexpr int kSrlColumns = 3;

// Columns of Complexity and Magnitude (0-based).
constexpr int kGlobalColumn = 0;
constexpr int kLocalColumn = 1;
constexpr int kTranslationalColumn = 2;
constexpr int kJointColumn = 3;

// Columns that an undeterminable angle or displacement made unusable.
template <std::size_t N>
void ClearInvalidColumns(ParameterRecord& record, int person, const std::array<bool, N>& invalid) {
    for (std::size_t c = 0; c < N; ++c) {
        if (invalid[c])
            record.Current(static_cast<int>(c), person) = kNoValue;
    }
}

// Corrected displacement of the body part a Dynamic SRL row measures.
int Displacement(const InputVariableTable& table, const ParameterRecord& srlRow, int person,
                 const DistanceCorrection& factors, double& distance) {
    const int bodyPart = IndexAt(srlRow.variableIndices, 0, kNotAnInputVariable);
    const double factor = GetDistanceCorrectionFactor(bodyPart, factors);
    return CalculateBodyPartDisplacement(table, person, bodyPart, factor, distance);
}

// Copies one value column of the operand row (TSM, Activation).
int CopyOperandColumn(std::vector<ParameterRecord>& records, int person, int position, int column) {
    ParameterRecord* record = OwnRow(records, position);
    if (record == nullptr || !HoldsValues(*record, person, 1))
        return kStatusSettingError;
    const ParameterRecord* operand =
        OperandRow(records, IndexAt(record->variableIndices, 0, 0), person, column + 1);
    if (operand == nullptr)
        return kStatusSettingError;
    if (operand->Status(person) != kStatusOk)
        return kStatusInheritedError;
    record->Current(0, person) = operand->Current(column, person);
    return kStatusOk;
}

}  // namespace

int CalculateComplexity(const InputVariableTable& table, std::vector<ParameterRecord>& records,
                        int person, int position, const DistanceCorrection& factors,
                        double angleThreshold, double distanceThreshold) {
    ParameterRecord* record = OwnRow(records, position);
    if (record == nullptr || !HoldsValues(*record, person, 4))
        return kStatusSettingError;
    for (int c = 0; c < 4; ++c)
        record->Current(c, person) = 0.0;

    std::array<bool, 4> invalid{};
    const int count = static_cast<int>(record->variableIndices.size());
    int status = kStatusOk;
    for (int j = 1; j <= count; ++j) {
        const ParameterRecord* srlRow =
            OperandRow(records, record->variableIndices[j - 1], person, kSrlColumns);
        if (srlRow == nullptr) {
            status = kStatusSettingError;
            break;
        }
        if (srlRow->Status(person) != kStatusOk) {
            status = kStatusInheritedError;
            break;
        }
        // The first half of the list holds the global rows, the second the local ones.
        const bool local = 2 * j > count;
        const int column = local ? kLocalColumn : kGlobalColumn;
        bool moved = false;
        bool unknown = false;
        for (int a = 0; a < kSrlColumns; ++a) {
            const double change = srlRow->Current(a, person);
            if (IsNoValue(change)) {
                unknown = true;
                continue;
            }
            if (std::fabs(change) >= angleThreshold) {
                record->Current(column, person) += 1.0;
                moved = true;
            }
        }
        if (unknown)
            invalid[static_cast<std::size_t>(column)] = true;
        if (!local)
            continue;
        if (moved)
            record->Current(kJointColumn, person) += 1.0;
        else if (unknown)
            invalid[kJointColumn] = true;
        double distance = 0.0;
        status = Displacement(table, *srlRow, person, factors, distance);
        if (status != kStatusOk)
            break;
        if (distance >= distanceThreshold)
            record->Current(kTranslationalColumn, person) += 1.0;
    }
    ClearInvalidColumns(*record, person, invalid);
    return status;
}

int CalculateMagnitude(const InputVariableTable& table, std::vector<ParameterRecord>& records,
                       int person, int position, const DistanceCorrection& factors) {
    ParameterRecord* record = OwnRow(records, position);
    if (record == nullptr || !HoldsValues(*record, person, 3))
        return kStatusSettingError;
    for (int c = 0; c < 3; ++c)
        record->Current(c, person) = 0.0;

    std::array<bool, 3> invalid{};
    int status = kStatusOk;
    for (int index : record->variableIndices) {
        const ParameterRecord* srlRow = OperandRow(records, index, person, kSrlColumns);
        if (srlRow == nullptr) {
            status = kStatusSettingError;
            break;
        }
        if (srlRow->Status(person) != kStatusOk) {
            status = kStatusInheritedError;
            break;
        }
        const bool local = srlRow->referenceSystem < kNotAnInputVariable;
        const int column = local ? kLocalColumn : kGlobalColumn;
        const double sagittal = srlRow->Current(0, person);
        const double rotational = srlRow->Current(1, person);
        const double lateral = srlRow->Current(2, person);
        if (IsNoValue(sagittal) || IsNoValue(rotational) || IsNoValue(lateral)) {
            invalid[static_cast<std::size_t>(column)] = true;
        } else {
            record->Current(column, person) +=
                std::fabs(sagittal) + std::fabs(rotational) + std::fabs(lateral);
        }
        if (!local)
            continue;
        double distance = 0.0;
        status = Displacement(table, *srlRow, person, factors, distance);
        if (status != kStatusOk)
            break;
        record->Current(kTranslationalColumn, person) += distance;
    }
    // Sums of finite terms can still overflow; such a column has no value.
    for (int c = 0; c < 3; ++c) {
        if (!std::isfinite(record->Current(c, person))) {
            invalid[static_cast<std::size_t>(c)] = true;
            if (status == kStatusOk)
                status = kStatusCalculationError;
        }
    }
    ClearInvalidColumns(*record, person, invalid);
    return status;
}

int CalculateTSM(std::vector<ParameterRecord>& records, int person, int position) {
    return CopyOperandColumn(records, person, position, 3);
}

int CalculateActivation(std::vector<ParameterRecord>& records, int person, int position) {
    return CopyOperandColumn(records, person, position, 2);
}

int CalculateDynamic(std::vector<ParameterRecord>& records, int person, int position) {
    ParameterRecord* record = OwnRow(records, position);
    if (record == nullptr || !HoldsValues(*record, person, record->nValues))
        return kStatusSettingError;
    const ParameterRecord* operand =
        OperandRow(records, IndexAt(record->variableIndices, 0, 0), person, record->nValues);
    if (operand == nullptr)
        return kStatusSettingError;
    if (operand->Status(person) != kStatusOk)
        return kStatusInheritedError;
    int status = kStatusOk;
    for (int v = 0; v < record->nValues; ++v) {
        const double previous = operand->Previous(v, person);
        const double current = operand->Current(v, person);
        double difference = kNoValue;
        if (!IsNoValue(previous) && !IsNoValue(current)) {
            difference = current - previous;
            if (!std::isfinite(difference)) {
                difference = kNoValue;
                status = kStatusCalculationError;
            }
        }
        record->Current(v, person) = difference;
    }
    return status;
}

}  // namespace kivo
