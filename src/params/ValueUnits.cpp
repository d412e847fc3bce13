#include "params/ValueUnits.h"

#include <algorithm>

#include "core/Numbers.h"
#include "core/Text.h"
#include "params/Catalogue.h"

namespace kivo {

std::string DistanceUnit(std::string_view distanceOption, Limb limb) {
    if (distanceOption == "Height")
        return "percent of body height";
    if (distanceOption == "Length") {
        switch (limb) {
            case Limb::Arm:
                return "percent of arm length";
            case Limb::Leg:
                return "percent of leg length";
            case Limb::ArmOrLeg:
                return "percent of arm or leg length";
        }
    }
    // A body height, typed with a decimal point or a decimal comma.
    if (IsNumeric(distanceOption, ".") || IsNumeric(distanceOption, ","))
        return "unit of the body height " + std::string(TrimBlanks(distanceOption));
    return std::string(kUnitDataUnit);
}

namespace {

constexpr std::string_view kUnitFlag = "0 or 1";
constexpr std::string_view kUnitHalves = "0, 0.5 or 1";
constexpr std::string_view kMixedUnits = "mixed units";

// Input variables measured with the leg factor: legs, knees and feet.
bool IsLegVariable(int inputVariable) {
    return (inputVariable >= 7 && inputVariable <= 9) ||
           (inputVariable >= 13 && inputVariable <= 15);
}

Limb LimbOf(const std::vector<int>& inputVariables) {
    bool arm = false;
    bool leg = false;
    for (int variable : inputVariables) {
        leg = leg || IsLegVariable(variable);
        arm = arm || !IsLegVariable(variable);
    }
    if (leg && !arm)
        return Limb::Leg;
    if (arm && !leg)
        return Limb::Arm;
    return Limb::ArmOrLeg;
}

std::vector<int> FirstOf(const std::vector<int>& indices) {
    return indices.empty() ? std::vector<int>() : std::vector<int>{indices.front()};
}

using UnitList = std::vector<std::vector<std::string>>;

// The unit of value column `column` (0-based) of an earlier parameter at
// `position`; empty when there is no such column.
std::string UnitOfColumn(const UnitList& known, int position, int column) {
    if (position <= 0 || position >= static_cast<int>(known.size()))
        return {};
    const std::vector<std::string>& units = known[position];
    return column < static_cast<int>(units.size()) ? units[column] : std::string();
}

// Operand units of Addition and Subtraction: one unit when they agree.
std::string CommonUnit(const std::vector<std::string>& units) {
    if (units.empty())
        return {};
    for (const std::string& unit : units) {
        if (unit != units.front())
            return std::string(kMixedUnits);
    }
    return units.front();
}

std::string JoinedUnit(const std::vector<std::string>& units, std::string_view joiner) {
    std::string joined;
    for (const std::string& unit : units)
        joined += (joined.empty() ? "" : std::string(joiner)) + unit;
    return joined;
}

// The operands of a derived row in caption order: the first target of
// Subtraction and Division first.
std::vector<int> Operands(const ParameterRecord& record) {
    std::vector<int> operands;
    if (CatalogueEntryOf(record.functionIndex).valueCount ==
            ValueCountRule::SmallestOperandOrTarget &&
        !record.targetIndices.empty()) {
        operands.push_back(record.targetIndices.front());
    }
    operands.insert(operands.end(), record.variableIndices.begin(), record.variableIndices.end());
    return operands;
}

std::string DerivedUnit(const UnitList& known, const ParameterRecord& record, int column,
                        UnitRule rule) {
    std::vector<std::string> units;
    for (int operand : Operands(record))
        units.push_back(UnitOfColumn(known, operand, column));
    switch (rule) {
        case UnitRule::Common:
            return CommonUnit(units);
        case UnitRule::Product:
            return JoinedUnit(units, " x ");
        case UnitRule::Quotient:
            return JoinedUnit(units, " / ");
        default:
            return units.empty() ? std::string() : units.front();
    }
}

// The body parts a Magnitude row measures: variable 1 of its Dynamic SRL rows.
std::vector<int> MagnitudeBodyParts(const std::vector<ParameterRecord>& records,
                                    const ParameterRecord& record) {
    std::vector<int> parts;
    for (int position : record.variableIndices) {
        if (position > 0 && position < static_cast<int>(records.size()) &&
            !records[position].variableIndices.empty()) {
            parts.push_back(records[position].variableIndices.front());
        }
    }
    return parts;
}

std::vector<std::string> UnitsOfRecord(const std::vector<ParameterRecord>& records, int position,
                                       const UnitList& known, std::string_view option) {
    const ParameterRecord& record = records.at(position);
    const int n = record.nValues;
    std::vector<std::string> units(static_cast<std::size_t>(std::max(n, 0)));
    const auto fill = [&](std::string_view unit) { std::fill(units.begin(), units.end(), unit); };
    const int input = record.variableIndices.empty() ? 0 : record.variableIndices.front();
    const CatalogueEntry& entry = CatalogueEntryOf(record.functionIndex);
    switch (entry.units) {
        case UnitRule::Degrees:
            fill(kUnitDegrees);
            break;
        case UnitRule::Count:
            fill(kUnitCount);
            break;
        case UnitRule::Magnitude:
            fill(kUnitDegrees);
            if (n >= 3)
                units[2] = DistanceUnit(option, LimbOf(MagnitudeBodyParts(records, record)));
            break;
        case UnitRule::OperandColumn:
            // The column the function reads from its operand row.
            fill(UnitOfColumn(known, input, entry.operandColumns - 1));
            break;
        case UnitRule::DistanceOfFirstVariable:
            fill(DistanceUnit(option, LimbOf(FirstOf(record.variableIndices))));
            break;
        case UnitRule::DistanceOfVariables:
            fill(DistanceUnit(option, LimbOf(record.variableIndices)));
            break;
        case UnitRule::Halves:
            fill(kUnitHalves);
            break;
        case UnitRule::Flag:
            fill(kUnitFlag);
            break;
        case UnitRule::Contributions:
            for (int column = 0; column < n; ++column) {
                units[column] = column % 4 == 1 || column % 4 == 3
                                    ? std::string(kUnitPercent)
                                    : UnitOfColumn(known, input, column / 4);
            }
            break;
        case UnitRule::Percent:
            fill(kUnitPercent);
            break;
        case UnitRule::Transform:
            for (int column = 0; column < n; ++column)
                units[column] = std::string(column < 3 ? kUnitDataUnit : kUnitDegrees);
            break;
        case UnitRule::Common:
        case UnitRule::Product:
        case UnitRule::Quotient:
        case UnitRule::First:
            for (int column = 0; column < n; ++column)
                units[column] = DerivedUnit(known, record, column, entry.units);
            break;
        case UnitRule::None:
            break;
    }
    return units;
}

}  // namespace

std::vector<std::vector<std::string>> ValueUnits(const std::vector<ParameterRecord>& records,
                                                 std::string_view distanceOption) {
    UnitList known(records.size());
    for (std::size_t position = 1; position < records.size(); ++position)
        known[position] = UnitsOfRecord(records, static_cast<int>(position), known, distanceOption);
    return known;
}

std::vector<std::string> StatisticsUnits(const ParameterRecord& record,
                                         const std::vector<std::string>& values) {
    std::vector<std::string> units;
    switch (StatisticsKindOf(record.functionIndex)) {
        case StatisticsKind::DyadicMovement:
            units.assign(record.statisticsCaptions.size(), std::string(kUnitPercent));
            return units;
        case StatisticsKind::Phases: {
            const std::string unit = values.empty() ? std::string() : values.front();
            return {std::string(kUnitCount),     std::string(kUnitSeconds),
                    std::string(kUnitCount),     std::string(kUnitSeconds),
                    unit + " per second",        unit + " per second squared",
                    unit + " per second squared"};
        }
        case StatisticsKind::General:
        case StatisticsKind::Level: {
            // Per value column each prefix in turn, then the same for the "D " twins.
            const std::size_t perColumn =
                values.empty()
                    ? 0
                    : record.statisticsCaptions.size() / (values.size() * (record.dynamic ? 2 : 1));
            for (int twin = 0; twin < (record.dynamic ? 2 : 1); ++twin) {
                for (const std::string& unit : values)
                    units.insert(units.end(), perColumn, unit);
            }
            units.resize(record.statisticsCaptions.size());
            return units;
        }
    }
    return units;
}

}  // namespace kivo
