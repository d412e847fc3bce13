#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ParameterDefinition.h"

namespace kivo {

inline constexpr int kFunctionCount = 29;

// Function indices of the calculation-function catalogue.
enum FunctionIndex : int {
    kFnNone = 0,
    kFnStaticSRL = 1,
    kFnDynamicSRL = 2,
    kFnComplexity = 3,
    kFnTSM = 4,
    kFnMagnitude = 5,
    kFnActivation = 6,
    kFnDirectionForward = 7,
    kFnDirectionBackward = 8,
    kFnSymmetry = 9,
    kFnExpansion = 10,
    kFnDistance = 11,
    kFnOpenness = 12,
    kFnFolded = 13,
    kFnCrossed = 14,
    kFnDyadicMimicry = 15,
    kFnDyadicProxemics = 16,
    kFnDyadicParameter = 17,
    kFnDynamicParameter = 18,
    kFnCameraFraming = 19,
    kFnCameraProxemics = 20,
    kFnPixelDifference = 21,
    kFnAddition = 22,
    kFnSubtraction = 23,
    kFnMultiplication = 24,
    kFnDivision = 25,
    kFnAbsoluteValue = 26,
    kFnLessThan = 27,
    kFnGreaterThan = 28,
    kFnCoordTransform = 29,
};

struct CatalogueEntry {
    int index;
    std::string_view displayName;
    int fixedColumns;  // value-column count carried in the type tag
};

// Entries 1..29 in function-index order.
const std::vector<CatalogueEntry>& Catalogue();

// Function index of a display name (exact comparison), 0 when not in the catalogue.
int FunctionIndexOf(std::string_view displayName);
std::string_view FunctionDisplayName(int functionIndex);

// Type tag of a function name: the value-column digit followed by the index
// ("31" for Static SRL, "629" for Coord. Transform.), "00" when unknown.
std::string TypeTagOf(std::string_view displayName);
int TypeTagFunctionIndex(std::string_view typeTag);  // the tag without its first character
int TypeTagColumns(std::string_view typeTag);        // the tag's first character

void SetParameterTypeTag(ParameterDefinition& row);
void SetAllParameterTypeTags(std::vector<ParameterDefinition>& rows);

// Appends a row with the eight column texts and the check state (no type tag).
void AddParameterRow(std::vector<ParameterDefinition>& rows, std::string name, std::string function,
                     std::string variables, std::string target, std::string referenceSystem,
                     std::string output, std::string statistics, std::string dynamic, bool enabled);

}  // namespace kivo
