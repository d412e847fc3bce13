#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/StatisticsAccumulator.h"

namespace kivo {

// Run-time record of one parameter-list row, rebuilt at the start of every run.
//
// Index conventions: the records stand in a vector indexed by list position
// (1..n; slot 0 is unused), and every index *stored* in a record that refers
// to a row is such a 1-based list position (0 = none). The per-record arrays
// themselves are 0-based: entry i of the variable indices is variableIndices[i - 1],
// value column v is v - 1, person A is 0 and person B is 1.
struct ParameterRecord {
    bool enabled = false;
    int functionIndex = 0;
    int baseFunction = 0;
    int nVariables = 0;
    bool variablesAreInputVariables = false;
    int nTargets = 0;
    bool targetsAreInputVariables = false;
    std::vector<int> variableIndices;
    std::vector<int> targetIndices;
    int referenceSystem = 86;
    bool output = false;
    bool dynamic = false;
    bool statistics = false;
    bool partnerFlag = false;
    int nValues = 0;
    int statusA = 0;
    int statusB = 0;
    std::vector<std::string> valueCaptions;  // nValues * (1 + dynamic)
    std::vector<double> currentValues;       // [value column][person], see Value()
    std::vector<double> previousValues;
    int nStatCaptions = 0;
    std::vector<std::string> statisticsCaptions;
    std::vector<StatisticsAccumulator> valueAccumulators;
    std::vector<StatisticsAccumulator> dAccumulators;  // only with Dynamic
    std::vector<double> partSums;                      // only in split mode
    std::vector<std::int32_t> partCounts;              // only in split mode

    int Persons() const { return partnerFlag ? 2 : 1; }

    // column: 0-based value column; person: 1 = A, 2 = B.
    double& Current(int column, int person) {
        return currentValues[column * Persons() + person - 1];
    }
    double Current(int column, int person) const {
        return currentValues[column * Persons() + person - 1];
    }
    double& Previous(int column, int person) {
        return previousValues[column * Persons() + person - 1];
    }
    double Previous(int column, int person) const {
        return previousValues[column * Persons() + person - 1];
    }

    int& Status(int person) { return person == 1 ? statusA : statusB; }
    int Status(int person) const { return person == 1 ? statusA : statusB; }
};

}  // namespace kivo
