#include "params/Catalogue.h"

namespace kivo {

const std::vector<CatalogueEntry>& Catalogue() {
    static const std::vector<CatalogueEntry> entries = {
        {1, "Static SRL", 3},
        {2, "Dynamic SRL", 3},
        {3, "Complexity", 4},
        {4, "TSM", 1},
        {5, "Magnitude", 3},
        {6, "Activation", 1},
        {7, "Direction (forward)", 3},
        {8, "Direction (backward)", 3},
        {9, "Symmetry", 1},
        {10, "Expansion", 1},
        {11, "Distance", 1},
        {12, "Openness", 1},
        {13, "Folded", 1},
        {14, "Crossed", 1},
        {15, "Dyadic Mimicry", 2},
        {16, "Dyadic Proxemics", 1},
        {17, "Dyadic Parameter", 4},
        {18, "Dynamic Parameter", 1},
        {19, "Camera Framing", 1},
        {20, "Camera Proxemics", 1},
        {21, "Pixel Difference", 1},
        {22, "Addition", 1},
        {23, "Subtraction", 1},
        {24, "Multiplication", 1},
        {25, "Division", 1},
        {26, "Absolute Value", 1},
        {27, "Less Than", 1},
        {28, "Greater Than", 1},
        {29, "Coord. Transform.", 6},
    };
    return entries;
}

int FunctionIndexOf(std::string_view displayName) {
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.displayName == displayName)
            return entry.index;
    }
    return kFnNone;
}

std::string_view FunctionDisplayName(int functionIndex) {
    if (functionIndex < 1 || functionIndex > kFunctionCount)
        return {};
    return Catalogue()[functionIndex - 1].displayName;
}

std::string TypeTagOf(std::string_view displayName) {
    const int index = FunctionIndexOf(displayName);
    if (index == kFnNone)
        return "00";
    return std::to_string(Catalogue()[index - 1].fixedColumns) + std::to_string(index);
}

int TypeTagFunctionIndex(std::string_view typeTag) {
    int value = 0;
    for (std::size_t i = 1; i < typeTag.size(); ++i) {
        if (typeTag[i] < '0' || typeTag[i] > '9')
            break;
        value = value * 10 + (typeTag[i] - '0');
    }
    return value;
}

int TypeTagColumns(std::string_view typeTag) {
    if (typeTag.empty() || typeTag[0] < '0' || typeTag[0] > '9')
        return 0;
    return typeTag[0] - '0';
}

void SetParameterTypeTag(ParameterDefinition& row) {
    row.typeTag = TypeTagOf(row.function);
}

void SetAllParameterTypeTags(std::vector<ParameterDefinition>& rows) {
    for (ParameterDefinition& row : rows)
        SetParameterTypeTag(row);
}

void AddParameterRow(std::vector<ParameterDefinition>& rows, std::string name, std::string function,
                     std::string variables, std::string target, std::string referenceSystem,
                     std::string output, std::string statistics, std::string dynamic,
                     bool enabled) {
    ParameterDefinition row;
    row.name = std::move(name);
    row.function = std::move(function);
    row.variables = std::move(variables);
    row.target = std::move(target);
    row.referenceSystem = std::move(referenceSystem);
    row.output = std::move(output);
    row.statistics = std::move(statistics);
    row.dynamic = std::move(dynamic);
    row.enabled = enabled;
    rows.push_back(std::move(row));
}

}  // namespace kivo
