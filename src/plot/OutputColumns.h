#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// The header line of an output file written by a run: "Time", "Frame" and
// one caption per value column, ";" or tab separated.
struct OutputHeader {
    std::string path;
    char separator = ';';
    std::vector<std::string> captions;  // "Time" and "Frame" included
};

// Positions of the columns that hold the time and the frame field.
inline constexpr std::size_t kTimeColumn = 0;
inline constexpr std::size_t kFirstValueColumn = 2;

// Reads the first line of an output file. Throws FileError naming the file
// when it cannot be read or does not begin with "Time" and a ";" or a tab
// (a means file or a statistics file is refused so).
OutputHeader ReadOutputHeader(const std::string& path);

// The value columns (never Time or Frame) whose caption matches `pattern`, an
// ECMAScript regular expression searched anywhere in the caption without
// regard to letter case, in file order. Throws std::invalid_argument with a
// readable text when the pattern is no valid expression.
std::vector<std::size_t> MatchOutputColumns(const OutputHeader& header, std::string_view pattern);

// A value field of an output or statistics file as a number: the period or
// the user's decimal symbol as decimal point, an optional exponent. NaN for
// an empty field, an error item or any other text: such a frame has no value.
double ReadOutputNumber(std::string_view field, std::string_view decimalSymbol);

// Chosen columns of an output file, one value per data line; NaN marks a
// line without a value in that column (an empty field or an error item), so
// that it is drawn as a gap and never as zero.
struct OutputColumns {
    OutputHeader header;
    std::vector<std::size_t> positions;       // header positions of the chosen columns
    std::vector<double> time;                 // the Time column
    std::vector<std::vector<double>> values;  // per chosen column

    std::size_t LineCount() const { return time.size(); }
    const std::string& Caption(std::size_t chosen) const {
        return header.captions[positions[chosen]];
    }
};

// Reads the Time column and the columns at `positions` (header positions) of
// every data line; fields after the last chosen column are not looked at.
// The notice lines a run may write into an output file ("ERROR: ..." and
// "NOTE: ...", one field each) and empty lines are skipped. A data line too
// short for a chosen column is refused with a FileError naming the file, the
// line and the column.
OutputColumns ReadOutputColumns(const OutputHeader& header, std::span<const std::size_t> positions,
                                std::string_view decimalSymbol);

}  // namespace kivo
