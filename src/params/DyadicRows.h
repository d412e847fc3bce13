#pragma once

#include <string_view>
#include <vector>

#include "core/ParameterDefinition.h"

namespace kivo {

// Rows whose function compares the two persons of a dyad: Dyadic Parameter,
// Dyadic Proxemics, Dyadic Mimicry and both Direction functions.
bool IsDyadicFunction(std::string_view functionName);

// Disables every dyadic row and, in list order, every later row whose
// Variables or Target list has an entry equal to the name of a row disabled
// here (whole entries: "Distance Hands" is no entry of "Distance Hands Body"). Returns
// the number of rows disabled.
int UncheckDyadicRows(std::vector<ParameterDefinition>& rows);

}  // namespace kivo
