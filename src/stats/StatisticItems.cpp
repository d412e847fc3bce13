#include "stats/StatisticItems.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "core/OutputFields.h"
#include "params/StatisticsKind.h"
#include "stats/MovementStatistics.h"

namespace kivo {
namespace {

double Counter(const StatisticsAccumulator& accumulator, std::size_t index) {
    return index < accumulator.counters.size() ? accumulator.counters[index] : 0.0;
}

// count / base x 100; the caller has made sure base is at least 1.
StatisticItem Percentage(double count, double base) {
    return StatisticItem::Number(count / base * 100.0);
}

StatisticItem StandardDeviation(const StatisticsAccumulator& accumulator, double n) {
    // Every value was the same: the spread is 0, however the sums rounded.
    // (Over long series of large values the two sums lose more than the clamp
    // below allows and would report a tiny or even negative variance.)
    if (accumulator.third == accumulator.fourth)
        return StatisticItem::Number(0.0);
    double variance = (accumulator.secondSum - accumulator.firstSum * accumulator.firstSum / n) / n;
    if (std::fabs(variance) < kVarianceClamp)
        variance = 0.0;
    if (variance < 0.0)
        return StatisticItem::Error(kNegativeVarianceItem);
    return StatisticItem::Number(std::sqrt(variance));
}

// False when the item overflowed (a sum beyond the range of a double).
bool AppendItem(std::string& line, const StatisticItem& item, const StatisticsFormat& format) {
    if (item.IsError()) {
        AppendErrorItem(line, item.error, format.separator);
        return true;
    }
    line += format.separator;
    return AppendOutputValue(line, item.value, format.decimalPlaces, format.decimalSymbol);
}

template <std::size_t N>
bool AppendItems(std::string& line, const std::array<StatisticItem, N>& items,
                 const StatisticsFormat& format) {
    bool finite = true;
    for (const StatisticItem& item : items)
        finite = AppendItem(line, item, format) && finite;
    return finite;
}

bool AppendAccumulator(std::string& line, StatisticsKind kind,
                       const StatisticsAccumulator& accumulator, const StatisticsFormat& format) {
    switch (kind) {
        case StatisticsKind::General:
            return AppendItems(line, GeneralItems(accumulator), format);
        case StatisticsKind::Level:
            return AppendItems(line, LevelItems(accumulator), format);
        case StatisticsKind::DyadicMovement:
            return AppendItems(line, DyadicMovementItems(accumulator), format);
        case StatisticsKind::Phases:
            return AppendItems(line, PhaseItems(accumulator, format.framesPerSecond), format);
    }
    return true;
}

// The items of the first `count` accumulators; one the record lacks gets
// empty fields, so that the line keeps its shape.
bool AppendAccumulators(std::string& line, StatisticsKind kind,
                        const std::vector<StatisticsAccumulator>& accumulators, int count,
                        const StatisticsFormat& format) {
    bool finite = true;
    for (int c = 0; c < count; ++c) {
        if (static_cast<std::size_t>(c) < accumulators.size()) {
            finite =
                AppendAccumulator(line, kind, accumulators[static_cast<std::size_t>(c)], format) &&
                finite;
        } else {
            line.append(static_cast<std::size_t>(ItemsPerColumn(kind)), format.separator);
        }
    }
    return finite;
}

}  // namespace

std::array<StatisticItem, 4> GeneralItems(const StatisticsAccumulator& accumulator) {
    const double n = Counter(accumulator, 0);
    std::array<StatisticItem, 4> items;
    if (n == 0.0) {
        items[0] = StatisticItem::Error(kDivisionByZeroItem);
        items[1] = StatisticItem::Error(kDivisionByZeroItem);
    } else {
        items[0] = StatisticItem::Number(accumulator.firstSum / n);
        items[1] = StandardDeviation(accumulator, n);
    }
    items[2] = accumulator.third == kMinimumStart ? StatisticItem::Error(kNoDataItem)
                                                  : StatisticItem::Number(accumulator.third);
    items[3] = accumulator.fourth == kMaximumStart ? StatisticItem::Error(kNoDataItem)
                                                   : StatisticItem::Number(accumulator.fourth);
    return items;
}

std::array<StatisticItem, 2> LevelItems(const StatisticsAccumulator& accumulator) {
    const double frames = Counter(accumulator, 0);
    const double movementFrames = Counter(accumulator, 1);
    return {
        frames == 0.0 ? StatisticItem::Error(kDivisionByZeroItem)
                      : StatisticItem::Number(accumulator.firstSum / frames),
        movementFrames == 0.0 ? StatisticItem::Error(kDivisionByZeroItem)
                              : StatisticItem::Number(accumulator.firstSum / movementFrames),
    };
}

std::array<StatisticItem, 5> DyadicMovementItems(const StatisticsAccumulator& accumulator) {
    std::array<StatisticItem, 5> items;
    const double frames = Counter(accumulator, 0);
    items[0] = frames < 1.0 ? StatisticItem::Error(kDivisionByZeroItem)
                            : Percentage(Counter(accumulator, 1), frames);
    const double pairs = Counter(accumulator, 2);
    for (std::size_t k = 1; k < items.size(); ++k) {
        items[k] = pairs < 1.0 ? StatisticItem::Error(kDivisionByZeroItem)
                               : Percentage(Counter(accumulator, k + 2), pairs);
    }
    return items;
}

std::array<StatisticItem, 7> PhaseItems(const StatisticsAccumulator& accumulator,
                                        double framesPerSecond) {
    const double movementPhases = Counter(accumulator, 2);
    const double pausePhases = Counter(accumulator, 3);
    const double movementFrames = Counter(accumulator, 4);
    const double pauseFrames = Counter(accumulator, 5);
    const double accelerations = Counter(accumulator, 6);
    const double decelerations = Counter(accumulator, 7);
    // Durations are divided by the frame rate; a file without one has none.
    const auto duration = [framesPerSecond](double frames, double phases) {
        if (phases == 0.0 || framesPerSecond == 0.0)
            return StatisticItem::Error(kDivisionByZeroItem);
        return StatisticItem::Number(frames / phases / framesPerSecond);
    };
    const auto perSecond = [framesPerSecond](double sum, double frames) {
        if (frames == 0.0)
            return StatisticItem::Error(kDivisionByZeroItem);
        return StatisticItem::Number(sum * framesPerSecond / frames);
    };
    return {
        StatisticItem::Number(movementPhases),
        duration(movementFrames, movementPhases),
        StatisticItem::Number(pausePhases),
        duration(pauseFrames, pausePhases),
        perSecond(accumulator.secondSum, movementFrames),
        perSecond(accumulator.third, accelerations),
        perSecond(accumulator.fourth, decelerations),
    };
}

int StatisticItemCount(const ParameterRecord& record) {
    const StatisticsKind kind = StatisticsKindOf(record.functionIndex);
    const int accumulators =
        kind == StatisticsKind::Phases || !record.dynamic ? record.nValues : 2 * record.nValues;
    return ItemsPerColumn(kind) * accumulators;
}

bool AppendStatisticItems(std::string& line, const ParameterRecord& record,
                          const StatisticsFormat& format) {
    const StatisticsKind kind = StatisticsKindOf(record.functionIndex);
    bool finite = AppendAccumulators(line, kind, record.valueAccumulators, record.nValues, format);
    if (record.dynamic && kind != StatisticsKind::Phases) {
        finite =
            AppendAccumulators(line, kind, record.dAccumulators, record.nValues, format) && finite;
    }
    return finite;
}

}  // namespace kivo
