#include "stats/MovementStatistics.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/ErrorTrap.h"
#include "core/NoValue.h"
#include "params/Catalogue.h"
#include "params/StatisticsKind.h"

namespace kivo {
namespace {

[[noreturn]] void ThrowSubscriptOutOfRange() {
    throw TrappedError(kErrorSubscriptOutOfRange, "Subscript out of range");
}

std::size_t Size(int count) {
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

bool HasCounters(const std::vector<StatisticsAccumulator>& accumulators, std::size_t count,
                 int counters) {
    if (accumulators.size() < count)
        return false;
    return std::all_of(accumulators.begin(), accumulators.begin() + static_cast<long>(count),
                       [counters](const StatisticsAccumulator& accumulator) {
                           return accumulator.counters.size() >= Size(counters);
                       });
}

// Refuses a record whose arrays are smaller than its value columns need, so
// that no frame writes beyond them.
void CheckShape(const ParameterRecord& record, StatisticsKind kind, bool splitMode) {
    const std::size_t values = Size(record.nValues);
    const std::size_t slots = values * Size(record.Persons());
    if (record.currentValues.size() < slots || record.previousValues.size() < slots)
        ThrowSubscriptOutOfRange();
    if (!HasCounters(record.valueAccumulators, values, ValueCountersNeeded(kind)))
        ThrowSubscriptOutOfRange();
    if (record.dynamic &&
        !HasCounters(record.dAccumulators, values, DifferenceCountersNeeded(kind)))
        ThrowSubscriptOutOfRange();
    if (splitMode && (record.partSums.size() < values || record.partCounts.size() < values))
        ThrowSubscriptOutOfRange();
}

void AddGeneral(StatisticsAccumulator& accumulator, double value) {
    accumulator.counters[0] += 1;
    accumulator.firstSum += value;
    accumulator.secondSum += value * value;
    if (value < accumulator.third)
        accumulator.third = value;
    if (value > accumulator.fourth)
        accumulator.fourth = value;
}

// Counters 3 to 6 of a dyadic movement accumulator for one pair of frames.
void CountPair(StatisticsAccumulator& accumulator, bool aMoves, bool bMoves) {
    if (aMoves && !bMoves)
        accumulator.counters[3] += 1;
    if (bMoves && !aMoves)
        accumulator.counters[4] += 1;
    if (aMoves && bMoves)
        accumulator.counters[5] += 1;
    if (aMoves || bMoves)
        accumulator.counters[6] += 1;
}

// Movement and pause phases of an Activation column: `value` of this frame
// against `previous`, both with their signs.
void AddPhases(StatisticsAccumulator& accumulator, double value, double previous, double threshold,
               std::int32_t frameNumber) {
    if (value > threshold) {
        if (previous < threshold)
            accumulator.counters[2] += 1;  // a movement phase starts
        accumulator.counters[4] += 1;
        accumulator.secondSum += value;
    } else {
        if (previous > threshold)
            accumulator.counters[3] += 1;  // a pause phase starts
        accumulator.counters[5] += 1;
    }
    if (frameNumber < 3)
        return;
    const double change = value - previous;
    if (change > threshold) {
        accumulator.third += change;
        accumulator.counters[6] += 1;
    } else if (change < -threshold) {
        accumulator.fourth += change;
        accumulator.counters[7] += 1;
    }
}

void FoldFrame(ParameterRecord& record, const RowStatisticsPlan& plan, std::int32_t frameNumber,
               bool splitMode) {
    const StatisticsKind kind = plan.kind;
    const int nValues = record.nValues;
    const bool hasPartner = record.Persons() >= 2;

    if (splitMode) {
        for (int c = 0; c < nValues; ++c) {
            const double value = record.Current(c, 1);
            if (IsNoValue(value))
                continue;
            record.partSums[Size(c)] += value;
            record.partCounts[Size(c)] += 1;
        }
    }

    for (int c = 0; c < nValues; ++c) {
        const double value = record.Current(c, 1);
        if (IsNoValue(value))
            continue;
        StatisticsAccumulator& accumulator = record.valueAccumulators[Size(c)];
        const double threshold = plan.thresholds[Size(c)];

        if (kind == StatisticsKind::General) {
            AddGeneral(accumulator, value);
        } else {
            accumulator.firstSum += value;
            accumulator.counters[0] += 1;
            const bool aMoves = std::fabs(value) > threshold;
            if (aMoves)
                accumulator.counters[1] += 1;
            if (kind == StatisticsKind::DyadicMovement && hasPartner) {
                const double partnerValue = record.Current(c, 2);
                if (!IsNoValue(partnerValue)) {
                    accumulator.counters[2] += 1;
                    CountPair(accumulator, aMoves, std::fabs(partnerValue) > threshold);
                }
            } else if (kind == StatisticsKind::Phases) {
                const double previous = record.Previous(c, 1);
                if (!IsNoValue(previous))
                    AddPhases(accumulator, value, previous, threshold, frameNumber);
            }
        }

        if (frameNumber < 2 || !record.dynamic)
            continue;
        const double previous = record.Previous(c, 1);
        if (IsNoValue(previous))
            continue;
        const double change = value - previous;
        StatisticsAccumulator& differences = record.dAccumulators[Size(c)];
        if (kind == StatisticsKind::General) {
            AddGeneral(differences, change);
            continue;
        }
        differences.firstSum += change;
        differences.counters[0] += 1;
        const bool aMoves = std::fabs(change) > threshold;
        if (aMoves)
            differences.counters[1] += 1;
        if (kind != StatisticsKind::DyadicMovement || !hasPartner)
            continue;
        const double partnerValue = record.Current(c, 2);
        const double partnerPrevious = record.Previous(c, 2);
        if (IsNoValue(partnerValue) || IsNoValue(partnerPrevious))
            continue;
        differences.counters[2] += 1;
        CountPair(differences, aMoves, std::fabs(partnerValue - partnerPrevious) > threshold);
    }
}

void ClearCounters(StatisticsAccumulator& accumulator) {
    std::fill(accumulator.counters.begin(), accumulator.counters.end(), 0);
}

void StartExtremes(StatisticsAccumulator& accumulator) {
    accumulator.third = kMinimumStart;
    accumulator.fourth = kMaximumStart;
}

}  // namespace

void CalculateStatistics(ParameterArray& array, std::int32_t frameNumber, int parameterIndex,
                         bool splitMode, double thresholdAngles, double thresholdDistances,
                         UserPrompt& prompt) {
    RunTrapped(prompt, "CalculateStatistics", [&] {
        if (parameterIndex < 1 || Size(parameterIndex) >= array.size())
            ThrowSubscriptOutOfRange();
        ParameterRecord& record = array[Size(parameterIndex)];
        if (!record.statistics)
            return;
        FoldFrame(record, PlanRowStatistics(record, splitMode, thresholdAngles, thresholdDistances),
                  frameNumber, splitMode);
    });
}

RowStatisticsPlan PlanRowStatistics(const ParameterRecord& record, bool splitMode,
                                    double thresholdAngles, double thresholdDistances) {
    RowStatisticsPlan plan;
    plan.kind = StatisticsKindOf(record.functionIndex);
    CheckShape(record, plan.kind, splitMode);
    for (int c = 0; c < record.nValues; ++c) {
        plan.thresholds.push_back(
            MovementThreshold(record.functionIndex, c, thresholdAngles, thresholdDistances));
    }
    return plan;
}

void FoldRowStatistics(ParameterRecord& record, const RowStatisticsPlan& plan,
                       std::int32_t frameNumber, bool splitMode) {
    if (record.statistics)
        FoldFrame(record, plan, frameNumber, splitMode);
}

void ResetStatisticsAccumulators(ParameterArray& array, bool splitMode) {
    for (ParameterRecord& record : array) {
        if (splitMode)
            ResetPartSums(record);
        if (!record.enabled || !record.statistics)
            continue;
        const bool activation = StatisticsKindOf(record.functionIndex) == StatisticsKind::Phases;
        for (StatisticsAccumulator& accumulator : record.valueAccumulators) {
            accumulator.firstSum = 0.0;
            accumulator.secondSum = 0.0;
            if (activation) {
                accumulator.third = 0.0;
                accumulator.fourth = 0.0;
            } else {
                StartExtremes(accumulator);
            }
            ClearCounters(accumulator);
        }
        for (StatisticsAccumulator& accumulator : record.dAccumulators) {
            accumulator.firstSum = 0.0;
            accumulator.secondSum = 0.0;
            StartExtremes(accumulator);
            ClearCounters(accumulator);
        }
    }
}

void ResetAfterStatisticLine(ParameterRecord& record) {
    if (StatisticsKindOf(record.functionIndex) == StatisticsKind::General) {
        for (auto* accumulators : {&record.valueAccumulators, &record.dAccumulators}) {
            for (StatisticsAccumulator& accumulator : *accumulators) {
                accumulator.firstSum = 0.0;
                accumulator.secondSum = 0.0;
                StartExtremes(accumulator);
                ClearCounters(accumulator);
            }
        }
        return;
    }
    for (StatisticsAccumulator& accumulator : record.valueAccumulators) {
        accumulator.firstSum = 0.0;
        accumulator.secondSum = 0.0;
        accumulator.third = 0.0;
        accumulator.fourth = 0.0;
        ClearCounters(accumulator);
    }
    for (StatisticsAccumulator& accumulator : record.dAccumulators) {
        accumulator.firstSum = 0.0;
        ClearCounters(accumulator);
    }
}

void ResetPartSums(ParameterRecord& record) {
    std::fill(record.partSums.begin(), record.partSums.end(), 0.0);
    std::fill(record.partCounts.begin(), record.partCounts.end(), 0);
}

}  // namespace kivo
