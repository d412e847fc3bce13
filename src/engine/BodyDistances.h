#pragma once

#include "core/InputVariableTable.h"

namespace kivo {

// Distances between input variables of the current frame. Every result is
// already multiplied by `factor` (a distance correction factor). Each returns
// 0 and sets `distance`, or the status of the first failing step and leaves
// `distance` untouched: 4 or 6 from a pose read, 1 from a local
// transformation or a distance that cannot be computed.

// Distance of the input variables a and b of one person (both need all six
// data fields). With `mirror`, a is first mirrored in the sagittal plane
// (local x = 0) of the input variable c: a and b are expressed in c's local
// frame and a's local x is negated.
[[nodiscard]] int CalculateBodyPartDistance(const InputVariableTable& table, int person,
                                            bool mirror, int a, int b, int c, double factor,
                                            double& distance);
// The same without mirroring.
[[nodiscard]] int CalculateBodyPartDistance(const InputVariableTable& table, int person, int a,
                                            int b, double factor, double& distance);

// Distance of input variable a of person `personP` to input variable b of
// person `personQ` (both need all six data fields).
[[nodiscard]] int CalculatePersonsDistance(const InputVariableTable& table, int personP, int a,
                                           int personQ, int b, double factor, double& distance);

// Distance of the current to the previous position of an input variable
// (only the three position fields are needed).
[[nodiscard]] int CalculateBodyPartDisplacement(const InputVariableTable& table, int person,
                                                int index, double factor, double& distance);

}  // namespace kivo
