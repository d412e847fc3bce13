#pragma once

#include <string>
#include <vector>

#include "core/ParameterDefinition.h"

namespace kivo {

// Replaces the list by the 165 nonverbal parameters Kivo ships with and sets
// every row's type tag.
void CreateDefaultParameterList(std::vector<ParameterDefinition>& rows);

// Appends "Global <function> <body part>" for the 15 body parts (input
// variables 1..15), all with the given reference system.
void AddGlobalSRLParameters(std::vector<ParameterDefinition>& rows, const std::string& function,
                            const std::string& referenceSystem);

// Appends "Local <function> <body part>" for the 15 body parts, each related
// to its parent body part.
void AddLocalSRLParameters(std::vector<ParameterDefinition>& rows, const std::string& function);

}  // namespace kivo
