#pragma once

#include <vector>

#include "core/ParameterRecord.h"

namespace kivo {

// Functions that combine the values of earlier rows of the same frame. Each
// takes the run-time records (indexed by list position), the person (1 = A,
// 2 = B) and the row's list position, writes the row's values for that person
// and returns the status. An operand with a non-zero status gives status 7.
[[nodiscard]] int CalculateAddition(std::vector<ParameterRecord>& records, int person,
                                    int position);
[[nodiscard]] int CalculateSubtraction(std::vector<ParameterRecord>& records, int person,
                                       int position);
[[nodiscard]] int CalculateMultiplication(std::vector<ParameterRecord>& records, int person,
                                          int position);
[[nodiscard]] int CalculateDivision(std::vector<ParameterRecord>& records, int person,
                                    int position);
[[nodiscard]] int CalculateAbsoluteValue(std::vector<ParameterRecord>& records, int person,
                                         int position);

// Less Than / Greater Than against a known threshold (a number target, or the
// distance of two input variables computed by the caller). `thresholdStatus`
// is the status of computing that distance; it is returned (without values)
// when non-zero, after the operand check.
[[nodiscard]] int CalculateComparison(std::vector<ParameterRecord>& records, int person,
                                      int position, bool lessThan, double threshold,
                                      int thresholdStatus);

// Which operand rows a function uses.
enum class Operands { AllVariables, FirstTargetAndAllVariables, FirstVariable };

// True when every operand row the function uses has status 0 for the person.
bool OperandsSucceeded(const std::vector<ParameterRecord>& records, const ParameterRecord& record,
                       int person, Operands operands);

}  // namespace kivo
