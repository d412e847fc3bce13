#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/ParameterRecord.h"
#include "core/StatisticsAccumulator.h"

namespace kivo {

// Error items written in place of a statistic that cannot be computed.
inline constexpr std::string_view kDivisionByZeroItem = ";ERROR:DIV/0";
inline constexpr std::string_view kNegativeVarianceItem = ";ERROR:SQR(-X)";
inline constexpr std::string_view kNoDataItem = ";ERROR:NO DATA";

// Variances whose absolute value is below this count as 0.
inline constexpr double kVarianceClamp = 1e-7;

// One statistic: a number, or an error item (its text with the leading ";").
struct StatisticItem {
    double value = 0.0;
    std::string_view error;

    bool IsError() const { return !error.empty(); }
    static StatisticItem Number(double number) { return {number, {}}; }
    static StatisticItem Error(std::string_view text) { return {0.0, text}; }
};

// How the numbers of a statistics line are written (separator, decimal places,
// the user's decimal symbol), and the effective frame rate of the file
// (Frames/Sec divided by Use Every) for the phase items.
struct StatisticsFormat {
    char separator = ';';
    int decimalPlaces = 1;
    double framesPerSecond = 0.0;
    std::string decimalSymbol = ".";
};

// Mean, standard deviation (population), minimum, maximum.
std::array<StatisticItem, 4> GeneralItems(const StatisticsAccumulator& accumulator);
// Mean over all frames, and the sum over all frames per movement frame.
std::array<StatisticItem, 2> LevelItems(const StatisticsAccumulator& accumulator);
// Percentage of movement frames of A, then of the frame pairs in which only A,
// only B, both, and at least one of them move.
std::array<StatisticItem, 5> DyadicMovementItems(const StatisticsAccumulator& accumulator);
// Number and mean duration (seconds) of movement phases, the same of pause
// phases, mean velocity, acceleration and deceleration (per second).
std::array<StatisticItem, 7> PhaseItems(const StatisticsAccumulator& accumulator,
                                        double framesPerSecond);

// Number of items the record contributes to a statistics line.
int StatisticItemCount(const ParameterRecord& record);

// Appends the record's items: per value column those of its value
// accumulator, then (with Dynamic, not for Activation) those of its difference
// accumulators. A number is the separator and the number in the output number
// format; an error item is one field of its own (the separator, then the text
// without its leading ";"). A statistic that overflowed is written as the
// overflow item (kOverflowItem); the result is then false.
bool AppendStatisticItems(std::string& line, const ParameterRecord& record,
                          const StatisticsFormat& format);

}  // namespace kivo
