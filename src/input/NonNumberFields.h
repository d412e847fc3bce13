#pragma once

#include <string>
#include <string_view>

namespace kivo {

// The fields of one data file that were read but are not wholly a number
// (see ReadNumberField: they read as 0 or as the number they begin with): how
// many, and where the first one is. The run and the file check count with it,
// so that both give the same figure for the fields they read.
struct NonNumberTally {
    long count = 0;
    long firstLine = 0;   // line of the file, counted from 1
    int firstField = -1;  // field index (0 is the time field)
    std::string firstText;

    // Adds the `nonNumbers` fields of data line `line`, the first of them at
    // field `firstNonNumber` holding `firstNonNumberText`.
    void Add(int nonNumbers, int firstNonNumber, std::string_view firstNonNumberText, long line);
};

// Where the first one is: "line L, field '<label>' (column C): '<text>'", the
// label taken from the file's format line.
std::string FirstNonNumberField(const NonNumberTally& tally, std::string_view formatLine,
                                std::string_view separator);

// "The file '<path>' holds N fields that are not numbers; they were read as 0
// or as the number they begin with.\r\nThe first is in line L, ...".
std::string NonNumberFieldsMessage(std::string_view path, const NonNumberTally& tally,
                                   std::string_view formatLine, std::string_view separator);

// Reads every frame line after the format line of the file (found by
// `timeLabel`; the separator is the character after the label) and counts the
// fields that are not wholly a number, as a run that reads every data field
// would: the time field and each field the format line names with a component
// (Tx .. Rz). A run reads no other fields, so it never reports more. Throws
// FileError when the file cannot be read; `formatLine` receives the format line.
NonNumberTally CountNonNumberFields(const std::string& path, std::string_view timeLabel,
                                    std::string& formatLine);

}  // namespace kivo
