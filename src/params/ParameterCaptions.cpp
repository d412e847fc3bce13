#include "params/ParameterCaptions.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "params/Catalogue.h"

namespace kivo {
namespace {

constexpr std::array<std::string_view, 4> kContributionCaptions = {
    ": Common Expression (A and B)", ": Percentage Contribution of A",
    ": Net Contribution of A (reduced by B)", ": Net Percentage Contribution of A"};
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

// The caption part of a value column; out of range like a vector's at().
std::string_view CaptionPart(const CatalogueEntry& entry, std::size_t slot) {
    if (slot >= entry.captionParts.size())
        throw std::out_of_range("caption part");
    return entry.captionParts[slot];
}

std::string Join(std::string_view a, std::string_view b) {
    std::string text(a);
    text += b;
    return text;
}

// Operand rows of a composite caption, in caption order: with a joiner the
// first Target row (when the count takes it) and every Variables row, else
// the first Variables row alone.
std::vector<int> CompositeOperands(const ParameterRecord& record, const CatalogueEntry& entry) {
    std::vector<int> operands;
    if (entry.joiner.empty()) {
        if (!record.variableIndices.empty())
            operands.push_back(record.variableIndices.front());
        return operands;
    }
    if (entry.valueCount == ValueCountRule::SmallestOperandOrTarget &&
        !record.targetIndices.empty()) {
        operands.push_back(record.targetIndices.front());
    }
    operands.insert(operands.end(), record.variableIndices.begin(), record.variableIndices.end());
    return operands;
}

std::string CompositeCaption(const std::vector<ParameterRecord>& records,
                             const ParameterRecord& record, int column, const std::string& name,
                             const std::string& target) {
    const CatalogueEntry& entry = CatalogueEntryOf(record.functionIndex);
    const std::vector<int> operands = CompositeOperands(record, entry);
    std::string caption = name + ": '";
    for (std::size_t i = 0; i < operands.size(); ++i) {
        if (i > 0)
            caption += entry.joiner;
        caption += PlainValueCaption(records.at(operands[i]), column);
    }
    caption += "'";
    caption += entry.compositeSuffix;
    if (entry.suffixNamesTarget)
        caption += target;
    return caption;
}

// The plain caption of value column `column` (1-based).
std::string PlainCaption(const std::vector<ParameterRecord>& records, const ParameterRecord& record,
                         int column, const std::string& name, const std::string& target) {
    const std::size_t slot = static_cast<std::size_t>(column - 1);
    const CatalogueEntry& entry = CatalogueEntryOf(record.functionIndex);
    switch (entry.captions) {
        case CaptionRule::NameSuffixes:
            return name + std::string(CaptionPart(entry, slot));
        case CaptionRule::PrefixedName:
            return Join(CaptionPart(entry, slot), name);
        case CaptionRule::NameLabels:
            return name + ": " + std::string(CaptionPart(entry, slot));
        case CaptionRule::Contributions: {
            const ParameterRecord& input = records.at(record.variableIndices.at(0));
            const int inputColumn = (column - 1) / 4 + 1;
            return "Dyadic " + PlainValueCaption(input, inputColumn) +
                   std::string(kContributionCaptions.at((column - 1) % 4));
        }
        case CaptionRule::Composite:
            if (record.nValues > 1)
                return CompositeCaption(records, record, column, name, target);
            return name;
        case CaptionRule::Name:
            return name;
    }
    return name;
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
    const CatalogueEntry& entry = CatalogueEntryOf(record.functionIndex);
    switch (entry.statistics) {
        case StatisticsKind::DyadicMovement: {
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
        case StatisticsKind::Phases:
            record.statisticsCaptions.clear();
            for (std::string_view caption : kActivationCaptions)
                record.statisticsCaptions.push_back(name + ": " + std::string(caption));
            record.nStatCaptions = static_cast<int>(record.statisticsCaptions.size());
            break;
        case StatisticsKind::General:
        case StatisticsKind::Level:
            BuildStatisticCaptions(record, record.dynamic, entry.statisticPrefixes);
            break;
    }
}

}  // namespace kivo
