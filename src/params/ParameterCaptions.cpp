#include "params/ParameterCaptions.h"

#include <algorithm>
#include <array>

#include "params/Catalogue.h"

namespace kivo {
namespace {

constexpr std::array<std::string_view, 3> kSRLCaptions = {" Sagittal", " Rotational", " Lateral"};
constexpr std::array<std::string_view, 4> kMovementCaptions = {"Global Dynamic ", "Local Dynamic ",
                                                               "Translational ", "Joint "};
constexpr std::array<std::string_view, 3> kDirectionCaptions = {
    "3D Deviation", "2D Deviation Horizontal", "2D Deviation Vertical"};
constexpr std::array<std::string_view, 2> kMimicryCaptions = {"Rotational ", "Mirror "};
constexpr std::array<std::string_view, 4> kContributionCaptions = {
    ": Common Expression (A and B)", ": Percentage Contribution of A",
    ": Net Contribution of A (reduced by B)", ": Net Percentage Contribution of A"};
constexpr std::array<std::string_view, 6> kTransformCaptions = {"TransX", "TransY", "TransZ",
                                                                "RotX",   "RotY",   "RotZ"};
constexpr std::array<std::string_view, 5> kTSMCaptions = {"", " (only A)", " (only B)",
                                                          " (A and B)", " (A and/or B)"};
constexpr std::array<std::string_view, 7> kActivationCaptions = {
    "Number of Movement Phases",
    "Average Duration of Movement Phases (seconds)",
    "Number of Pause Phases",
    "Average Duration of Pause Phases (seconds)",
    "Average Velocity of Movements (per second)",
    "Average Acceleration of Movements (per second squared)",
    "Average Decelaration of Movements (per second squared)"};

std::string Join(std::string_view a, std::string_view b) {
    std::string text(a);
    text += b;
    return text;
}

// Texts of the composite caption of a derived row over several operands.
struct CompositeStyle {
    std::string_view joiner;
    std::string suffix;
};

CompositeStyle CompositeStyleOf(int functionIndex, const std::string& target) {
    switch (functionIndex) {
        case kFnAddition:
            return {"' plus '", ""};
        case kFnSubtraction:
            return {"' minus '", ""};
        case kFnMultiplication:
            return {"' times '", ""};
        case kFnDivision:
            return {"' by '", ""};
        case kFnDynamicParameter:
            return {"", " (Dynamic)"};
        case kFnAbsoluteValue:
            return {"", " (Absolute Value)"};
        case kFnLessThan:
            return {"", " Less Than " + target};
        case kFnGreaterThan:
            return {"", " Greater Than " + target};
        default:
            return {"", ""};
    }
}

bool IsDerivedFunction(int functionIndex) {
    switch (functionIndex) {
        case kFnDynamicParameter:
        case kFnAddition:
        case kFnSubtraction:
        case kFnMultiplication:
        case kFnDivision:
        case kFnAbsoluteValue:
        case kFnLessThan:
        case kFnGreaterThan:
            return true;
        default:
            return false;
    }
}

// Operand rows of a composite caption, in caption order.
std::vector<int> CompositeOperands(const ParameterRecord& record) {
    std::vector<int> operands;
    switch (record.functionIndex) {
        case kFnAddition:
        case kFnMultiplication:
            operands = record.variableIndices;
            break;
        case kFnSubtraction:
        case kFnDivision:
            if (!record.targetIndices.empty())
                operands.push_back(record.targetIndices.front());
            operands.insert(operands.end(), record.variableIndices.begin(),
                            record.variableIndices.end());
            break;
        default:
            if (!record.variableIndices.empty())
                operands.push_back(record.variableIndices.front());
            break;
    }
    return operands;
}

std::string CompositeCaption(const std::vector<ParameterRecord>& records,
                             const std::vector<int>& operands, int column, const std::string& name,
                             const CompositeStyle& style) {
    std::string caption = name + ": '";
    for (std::size_t i = 0; i < operands.size(); ++i) {
        if (i > 0)
            caption += style.joiner;
        caption += PlainValueCaption(records.at(operands[i]), column);
    }
    caption += "'";
    caption += style.suffix;
    return caption;
}

// The plain caption of value column `column` (1-based).
std::string PlainCaption(const std::vector<ParameterRecord>& records, const ParameterRecord& record,
                         int column, const std::string& name, const std::string& target) {
    const std::size_t slot = static_cast<std::size_t>(column - 1);
    switch (record.functionIndex) {
        case kFnStaticSRL:
        case kFnDynamicSRL:
            return name + std::string(kSRLCaptions.at(slot));
        case kFnComplexity:
        case kFnMagnitude:
            return Join(kMovementCaptions.at(slot), name);
        case kFnDirectionForward:
        case kFnDirectionBackward:
            return name + ": " + std::string(kDirectionCaptions.at(slot));
        case kFnDyadicMimicry:
            return Join(kMimicryCaptions.at(slot), name);
        case kFnCoordTransform:
            return name + ": " + std::string(kTransformCaptions.at(slot));
        case kFnDyadicParameter: {
            const ParameterRecord& input = records.at(record.variableIndices.at(0));
            const int inputColumn = (column - 1) / 4 + 1;
            return "Dyadic " + PlainValueCaption(input, inputColumn) +
                   std::string(kContributionCaptions.at((column - 1) % 4));
        }
        default:
            if (IsDerivedFunction(record.functionIndex) && record.nValues > 1) {
                return CompositeCaption(records, CompositeOperands(record), column, name,
                                        CompositeStyleOf(record.functionIndex, target));
            }
            return name;
    }
}

}  // namespace

const std::string& PlainValueCaption(const ParameterRecord& record, int column) {
    const int step = record.dynamic ? 2 : 1;
    return record.valueCaptions.at(static_cast<std::size_t>((column - 1) * step));
}

void BuildValueCaptions(std::vector<ParameterRecord>& records, int position,
                        const std::string& name, const std::string& target) {
    ParameterRecord& record = records.at(position);
    const int step = record.dynamic ? 2 : 1;
    record.valueCaptions.assign(static_cast<std::size_t>(record.nValues * step), std::string());
    for (int column = 1; column <= record.nValues; ++column) {
        std::string caption = PlainCaption(records, record, column, name, target);
        const std::size_t slot = static_cast<std::size_t>((column - 1) * step);
        if (record.dynamic)
            record.valueCaptions[slot + 1] = "D " + caption;
        record.valueCaptions[slot] = std::move(caption);
    }
}

void BuildStatisticCaptions(ParameterRecord& record, bool dynamic,
                            std::span<const std::string_view> prefixes) {
    const int m = static_cast<int>(prefixes.size());
    const int nValues = record.nValues;
    record.nStatCaptions = m * nValues * (dynamic ? 2 : 1);
    record.statisticsCaptions.assign(static_cast<std::size_t>(record.nStatCaptions), std::string());
    for (int v = 1; v <= nValues; ++v) {
        const std::string& caption = PlainValueCaption(record, v);
        for (int j = 1; j <= m; ++j) {
            const std::string_view prefix = prefixes[static_cast<std::size_t>(j - 1)];
            record.statisticsCaptions[static_cast<std::size_t>((v - 1) * m + j - 1)] =
                Join(prefix, caption);
            if (dynamic) {
                record.statisticsCaptions[static_cast<std::size_t>(m * (v - 1 + nValues) + j - 1)] =
                    Join(prefix, "D " + caption);
            }
        }
    }
}

void BuildStatisticCaptionsForFunction(ParameterRecord& record, const std::string& name) {
    switch (record.functionIndex) {
        case kFnComplexity:
            BuildStatisticCaptions(record, record.dynamic, kComplexityPrefixes);
            break;
        case kFnMagnitude:
        case kFnPixelDifference:
            BuildStatisticCaptions(record, record.dynamic, kMagnitudePrefixes);
            break;
        case kFnTSM: {
            record.statisticsCaptions.clear();
            for (std::string_view suffix : kTSMCaptions)
                record.statisticsCaptions.push_back(name + std::string(suffix));
            if (record.dynamic) {
                for (std::string_view suffix : kTSMCaptions)
                    record.statisticsCaptions.push_back("D " + name + std::string(suffix));
            }
            record.nStatCaptions = static_cast<int>(record.statisticsCaptions.size());
            break;
        }
        case kFnActivation:
            record.statisticsCaptions.clear();
            for (std::string_view caption : kActivationCaptions)
                record.statisticsCaptions.push_back(name + ": " + std::string(caption));
            record.nStatCaptions = static_cast<int>(record.statisticsCaptions.size());
            break;
        default:
            BuildStatisticCaptions(record, record.dynamic, kGeneralPrefixes);
            break;
    }
}

}  // namespace kivo
