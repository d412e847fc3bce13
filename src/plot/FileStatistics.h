#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "stats/StatisticsTable.h"

namespace kivo {

// The lines of a statistics file that belong to one input file: one line, or
// one per part file in a split run, in file order.
std::vector<std::size_t> StatisticsRowsOf(const StatisticsTable& table, std::string_view fileName);

// The input file (its "File Name" in the statistics file) whose output file
// `outputPath` is, judged by the names alone: the input file whose name up to
// its last "." stands in the output file's name (prefix and suffix around
// it); the longest such name when several do. Nothing when none does.
std::optional<std::string> InputFileOfOutput(const StatisticsTable& table,
                                             std::string_view outputPath);

// Mean and standard deviation of an output column over a stretch of data
// lines: the whole file, or one part file of a split run. NaN where the
// statistics file holds no such number (an error item, or a kind of
// statistics without it).
struct StatisticsStretch {
    std::size_t first = 0;
    std::size_t count = 0;
    double mean = 0.0;
    double standardDeviation = 0.0;
};

// The statistics of the output column `caption` in the lines `rows`: the
// mean from "M ", "CBM " or "MBM " before the caption (means over all
// frames), the standard deviation from "SD ". Empty when the file has neither
// for the caption. A whole-file line covers `lineCount` data lines; part lines
// cover their "Frames" one after the other.
std::vector<StatisticsStretch> ColumnStatistics(const StatisticsTable& table,
                                                std::span<const std::size_t> rows,
                                                std::string_view caption, std::size_t lineCount,
                                                std::string_view decimalSymbol);

// The number of movement phases the statistics file reports for the
// Activation row `activationName`, summed over `rows`; nothing when it has
// no such column or a line holds no number there.
std::optional<int> ReportedMovementPhases(const StatisticsTable& table,
                                          std::span<const std::size_t> rows,
                                          std::string_view activationName,
                                          std::string_view decimalSymbol);

}  // namespace kivo
