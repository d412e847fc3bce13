#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/OutputFields.h"
#include "core/ParameterRecord.h"

namespace kivo {

// How values are written into one output file: the field separator (";" or a
// tab), the file's decimal places and the user's decimal symbol.
struct OutputFormat {
    char separator = ';';
    int decimalPlaces = 1;
    std::string decimalSymbol = ".";
};

// Header line without its line end: "Time", "Frame" (or "Part ", "Frames" for a
// means file), then the value captions of every enabled row with Output set.
std::string BuildOutputHeader(const std::vector<ParameterRecord>& records, bool means,
                              char separator);

// Items of one row appended to an output line (nothing when Output is not set).
// Value items: person A's values, each followed by its difference to the
// previous frame when Dynamic is set (empty on the first frame); no value is
// an empty field. A value or difference that overflowed is written as the
// overflow item; the result is then false.
bool AppendValueItems(std::string& line, const ParameterRecord& record, bool firstFrame,
                      const OutputFormat& format);
// One value column of the above: the value item and, when `dynamic`, its
// difference item.
bool AppendValueItem(std::string& line, double current, double previous, bool dynamic,
                     bool firstFrame, const OutputFormat& format);
// Error items: the status's error text in each of the row's fields. An error
// item is always exactly one field: the separator, then the text without its
// leading ";".
void AppendErrorItems(std::string& line, const ParameterRecord& record, int status,
                      const OutputFormat& format);
// Empty fields for a row that cannot be computed yet.
void AppendEmptyItems(std::string& line, const ParameterRecord& record, char separator);

}  // namespace kivo
