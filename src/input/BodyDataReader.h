#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputVariableTable.h"

namespace kivo {

// What one data line gave besides the pose values.
struct DataLineValues {
    double time = 0.0;            // field 0 read as a number
    std::string_view frameField;  // field 1 unchanged (empty when the line has none);
                                  // points into the data line
    int missingFields = 0;        // bound slots whose field lies beyond the end of the line
    // Fields read (the time and the bound fields) that are not wholly a number
    // (see ReadNumberField), each counted once, and the first of them.
    int nonNumbers = 0;
    int firstNonNumber = -1;              // field index
    std::string_view firstNonNumberText;  // points into the data line
};

// The fields of a data line that the input variables of `person` (1 or 2)
// read: one field index per slot whose index is not 0 (the time field), in
// variable and slot order.
std::vector<int> FieldsReadByPerson(const InputVariableTable& table, int person);

// Fills the input variable table from the data lines of a file, frame by
// frame. Keeps its field buffer between lines, so reading a frame allocates
// nothing once the first lines have been read.
class BodyDataReader {
  public:
    // Splits `dataLine` at `separator` and reads, for every input variable and
    // slot of `person` (1 or 2), the field at the slot's field index as a
    // number: on the first frame into current and previous value, otherwise
    // the current value moves to the previous one first. A field index of 0
    // reads the time field, so unbound variables hold the time.
    //
    // A slot whose field index lies beyond the end of the line is left as it
    // was, the variable's block is marked incomplete for this frame
    // (PersonBlock::frameComplete, set again by the next complete line) and
    // the slot is counted in `missingFields`. A trailing carriage return is not
    // part of the last field.
    DataLineValues GetBodyDataValues(int person, std::string_view dataLine, char separator,
                                     bool firstFrame, InputVariableTable& table);

    // The first half of the above, apart from the table: reads the time and
    // the fields `fields` (from FieldsReadByPerson) of `dataLine` into
    // `values`; `present[i]` is 0 when field `fields[i]` lies beyond the end
    // of the line (its value is then 0).
    DataLineValues ConvertDataLine(std::string_view dataLine, char separator,
                                   std::span<const int> fields, double* values,
                                   std::uint8_t* present);

  private:
    std::vector<std::string_view> fields_;
    std::vector<int> nonNumbers_;
    std::vector<int> readFields_;
    std::vector<double> readValues_;
    std::vector<std::uint8_t> readPresent_;
};

// The second half: moves a line's converted values (`time`, and `values` and
// `present` in the order of FieldsReadByPerson) into the blocks of `person`,
// as GetBodyDataValues describes.
void ApplyDataLineValues(int person, double time, const double* values, const std::uint8_t* present,
                         bool firstFrame, InputVariableTable& table);

// Appends the time value (up to 15 significant digits, the user's decimal
// symbol), `separator` and the frame field: the start of an output line. A
// character of the frame field that would break the line or its fields (a
// control character, the separator, a double quote) is written as "?".
void AppendTimeAndFrame(std::string& out, const DataLineValues& values, std::string_view separator,
                        std::string_view decimalSymbol);

}  // namespace kivo
