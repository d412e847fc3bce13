#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/NoValue.h"
#include "params/Catalogue.h"
#include "params/ParameterCaptions.h"
#include "params/ParameterListCompilation.h"
#include "stats/MovementStatistics.h"
#include "stats/StatisticsKind.h"
#include "support/ScriptedPrompt.h"

namespace kivo::testing {

// A record shaped as the compilation shapes it: value captions "<name> 1",
// "<name> 2", ... (each followed by its "D " twin with Dynamic), the
// statistics captions of its function, the counters of its kind.
inline ParameterRecord MakeRecord(int function, int nValues, bool dynamic = false,
                                  bool partner = false, bool splitMode = false,
                                  const std::string& name = "P") {
    ParameterRecord record;
    record.enabled = true;
    record.functionIndex = function;
    record.baseFunction = function;
    record.output = true;
    record.statistics = true;
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

// Feeds frames to the records of an array the way a run does: the current
// values become the previous ones, the new values are stored, and the
// statistics of every record are called with the running frame number.
class FrameFeeder {
  public:
    explicit FrameFeeder(ParameterArray& array, bool splitMode = false,
                         double thresholdAngles = 0.0, double thresholdDistances = 0.0)
        : array_(array),
          splitMode_(splitMode),
          thresholdAngles_(thresholdAngles),
          thresholdDistances_(thresholdDistances) {}

    // Values of the record at `position`, column by column, for person A and
    // (when given) person B.
    void Set(int position, const std::vector<double>& personA,
             const std::vector<double>& personB = {}) {
        ParameterRecord& record = array_[static_cast<std::size_t>(position)];
        for (int c = 0; c < record.nValues; ++c) {
            record.Previous(c, 1) = record.Current(c, 1);
            record.Current(c, 1) = personA.at(static_cast<std::size_t>(c));
            if (record.Persons() == 2) {
                record.Previous(c, 2) = record.Current(c, 2);
                record.Current(c, 2) =
                    personB.empty() ? kNoValue : personB.at(static_cast<std::size_t>(c));
            }
        }
    }

    // Runs the statistics of every record for the frame whose values were Set.
    void EndFrame() {
        ++frameNumber_;
        for (std::size_t position = 1; position < array_.size(); ++position) {
            if (array_[position].enabled) {
                CalculateStatistics(array_, frameNumber_, static_cast<int>(position), splitMode_,
                                    thresholdAngles_, thresholdDistances_, prompt);
            }
        }
    }

    // One frame of a single-column record at position 1.
    void Frame(double valueA, double valueB = kNoValue) {
        Set(1, {valueA}, {valueB});
        EndFrame();
    }

    void StartNewFile() { frameNumber_ = 0; }
    std::int32_t FrameNumber() const { return frameNumber_; }

    ScriptedPrompt prompt;

  private:
    ParameterArray& array_;
    bool splitMode_;
    double thresholdAngles_;
    double thresholdDistances_;
    std::int32_t frameNumber_ = 0;
};

// An array holding one record at list position 1.
inline ParameterArray ArrayOf(ParameterRecord record) {
    ParameterArray array(2);
    array[1] = std::move(record);
    ResetStatisticsAccumulators(array, !array[1].partSums.empty());
    return array;
}

// Splits a line at `separator`, keeping empty fields.
inline std::vector<std::string> Fields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(separator, start);
        fields.emplace_back(line.substr(start, end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

}  // namespace kivo::testing
