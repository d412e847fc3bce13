#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// A statistics file read back for display: its captions and its lines split
// into fields.
struct StatisticsTable {
    char separator = ';';
    std::vector<std::string> captions;
    std::vector<std::vector<std::string>> rows;
    // The leading columns that name what a line covers: "File Name",
    // "Partner File", and in split runs "Part ", "Frames".
    std::size_t identifyingColumns = 2;
};

// Reads a statistics file written by a run (";" or tab separated, recognised
// by its first line, which begins with "File Name"). Empty lines are skipped.
// Throws FileError naming the file (and the line) when it cannot be read, is
// not a statistics file, or has a line whose field count differs from the
// header's.
StatisticsTable ReadStatisticsFile(const std::string& path);

// The columns to show: the identifying columns, then every column whose
// caption contains `pattern` (ignoring letter case; an empty pattern takes
// all).
std::vector<std::size_t> SelectStatisticsColumns(const StatisticsTable& table,
                                                 std::string_view pattern);

// The chosen columns as an aligned text table, a header row and one row per
// line of the file, columns two blanks apart, each line ended by "\n".
// Columns whose cells are all numbers (with the period or `decimalSymbol`) or
// error items are right-aligned.
std::string FormatStatisticsTable(const StatisticsTable& table,
                                  const std::vector<std::size_t>& columns,
                                  std::string_view decimalSymbol);

}  // namespace kivo
