#pragma once

#include <cstdint>
#include <vector>

#include "core/ParameterRecord.h"
#include "core/UserPrompt.h"
#include "params/ParameterListCompilation.h"
#include "params/StatisticsKind.h"

namespace kivo {

// Start values of a minimum and a maximum that no value has set yet.
inline constexpr double kMinimumStart = 1e300;
inline constexpr double kMaximumStart = -1e300;

// Folds one processed frame of the parameter at `parameterIndex` (list
// position) into its statistics: person A's current values (and, for TSM,
// person B's), and their differences to the previous frame when Dynamic is
// set. Call it once per processed frame and enabled row, after the row's
// calculation function succeeded and before the current values become the
// previous ones. `frameNumber` counts the processed frames of the input file,
// the current one included (1 for the first; it does not restart with a part
// file). In split mode the part sums and counts of the means file grow too.
// A parameter without the Statistics flag is left alone. Unexpected failures
// (a record that does not have the arrays its compilation promises) are
// reported through `prompt` under the name "CalculateStatistics".
void CalculateStatistics(ParameterArray& array, std::int32_t frameNumber, int parameterIndex,
                         bool splitMode, double thresholdAngles, double thresholdDistances,
                         UserPrompt& prompt);

// What CalculateStatistics looks up for a row besides its values: the kind
// of statistics and the movement threshold of each value column. A run plans
// each row once per input file and folds its frames with FoldRowStatistics.
struct RowStatisticsPlan {
    StatisticsKind kind = StatisticsKind::General;
    std::vector<double> thresholds;  // per value column
};

// The plan of a row for a file with these thresholds. Throws TrappedError
// when the record does not have the arrays its compilation promises.
RowStatisticsPlan PlanRowStatistics(const ParameterRecord& record, bool splitMode,
                                    double thresholdAngles, double thresholdDistances);

// CalculateStatistics for a row with its plan (the record must be the one
// planned, with the same split mode).
void FoldRowStatistics(ParameterRecord& record, const RowStatisticsPlan& plan,
                       std::int32_t frameNumber, bool splitMode);

// Puts the accumulators of every enabled row with the Statistics flag into
// their start-of-run state (sums and counters 0, minimum +1e300, maximum
// -1e300; Activation's third and fourth sums 0) and, in split mode, every part
// sum and count to 0. GetStatisticFormatLine does this for the run; call it
// again after compiling the list anew in the middle of a run, so that the new
// accumulators do not start with a minimum and maximum of 0.
void ResetStatisticsAccumulators(ParameterArray& array, bool splitMode);

// The reset after a statistics line has reported the record's accumulators.
void ResetAfterStatisticLine(ParameterRecord& record);

// Sets every part sum and part count of the record to 0.
void ResetPartSums(ParameterRecord& record);

}  // namespace kivo
