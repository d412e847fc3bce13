#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/NoValue.h"
#include "params/Catalogue.h"
#include "params/ParameterCaptions.h"
#include "params/ParameterListCompilation.h"
#include "stats/MovementStatistics.h"
#include "params/StatisticsKind.h"
#include "support/ScriptedPrompt.h"

namespace kivo::testing {

// A record shaped as the compilation shapes it: value captions "<name> 1",
// "<name> 2", ... (each followed by its "D " twin with Dynamic), the
// statistics captions of its function, the counters of its kind.
inline ParameterRecord MakeRecord(int function, int nValues, bool dynamic = false,
                                  bool partner = false, bool splitMode = false,
                                  const std::string& name = "P") {
    ParameterRecord record;
    record.enabled = record.output = record.statistics = true;
    record.functionIndex = record.baseFunction = function;
    record.dynamic = dynamic;
    record.partnerFlag = partner;
    record.nValues = nValues;
    const auto values = static_cast<std::size_t>(nValues);
    record.currentValues.assign(values * static_cast<std::size_t>(record.Persons()), kNoValue);
    record.previousValues = record.currentValues;
    const StatisticsKind kind = StatisticsKindOf(function);
    StatisticsAccumulator accumulator;
    accumulator.counters.assign(static_cast<std::size_t>(ValueCountersNeeded(kind)), 0);
    record.valueAccumulators.assign(values, accumulator);
    if (dynamic) {
        accumulator.counters.assign(static_cast<std::size_t>(DifferenceCountersNeeded(kind)), 0);
        record.dAccumulators.assign(values, accumulator);
    }
    if (splitMode) {
        record.partSums.assign(values, 0.0);
        record.partCounts.assign(values, 0);
    }
    for (int v = 1; v <= nValues; ++v) {
        const std::string caption = name + " " + std::to_string(v);
        record.valueCaptions.push_back(caption);
        if (dynamic)
            record.valueCaptions.push_back("D " + caption);
    }
    BuildStatisticCaptionsForFunction(record, name);
    return record;
}

// An array holding one record at list position 1, its accumulators reset.
inline ParameterArray ArrayOf(ParameterRecord record) {
    ParameterArray array(2);
    array[1] = std::move(record);
    ResetStatisticsAccumulators(array, !array[1].partSums.empty());
    return array;
}

// Feeds frames to the records of an array the way a run does: the current
// values become the previous ones, the new values are stored, and the
// statistics of every record are called with the running frame number.
struct FrameFeeder {
    ParameterArray& array;
    bool splitMode = false;
    double thresholdAngles = 0.0;
    double thresholdDistances = 0.0;
    std::int32_t frameNumber = 0;
    ScriptedPrompt prompt{};

    // Values of the record at `position`, column by column, for person A and
    // (for a record of two persons) person B; none given is no value.
    void Set(int position, const std::vector<double>& personA,
             const std::vector<double>& personB = {}) {
        ParameterRecord& record = array[static_cast<std::size_t>(position)];
        for (int c = 0; c < record.nValues; ++c) {
            for (int person = 1; person <= record.Persons(); ++person) {
                const std::vector<double>& values = person == 1 ? personA : personB;
                record.Previous(c, person) = record.Current(c, person);
                record.Current(c, person) =
                    values.empty() ? kNoValue : values.at(static_cast<std::size_t>(c));
            }
        }
    }

    // Runs the statistics of every record for the frame whose values were Set.
    void EndFrame() {
        ++frameNumber;
        for (std::size_t position = 1; position < array.size(); ++position) {
            if (array[position].enabled) {
                CalculateStatistics(array, frameNumber, static_cast<int>(position), splitMode,
                                    thresholdAngles, thresholdDistances, prompt);
            }
        }
    }

    // One frame of a single-column record at position 1.
    void Frame(double valueA, double valueB = kNoValue) {
        Set(1, {valueA}, {valueB});
        EndFrame();
    }
};

}  // namespace kivo::testing
