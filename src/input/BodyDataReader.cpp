#include "input/BodyDataReader.h"

#include <algorithm>
#include <stdexcept>

#include "core/Numbers.h"
#include "core/Text.h"

namespace kivo {

std::vector<int> FieldsReadByPerson(const InputVariableTable& table, int person) {
    if (person != 1 && person != 2)
        throw std::invalid_argument("person must be 1 or 2");
    std::vector<int> fields;
    for (int k = 0; k < kInputVariableCount; ++k) {
        for (int index : table.Person(k, person).fieldIndex) {
            if (index != 0)
                fields.push_back(index);
        }
    }
    return fields;
}

DataLineValues BodyDataReader::GetBodyDataValues(int person, std::string_view dataLine,
                                                 char separator, bool firstFrame,
                                                 InputVariableTable& table) {
    readFields_ = FieldsReadByPerson(table, person);
    readValues_.resize(readFields_.size());
    readPresent_.resize(readFields_.size());
    const DataLineValues values =
        ConvertDataLine(dataLine, separator, readFields_, readValues_.data(), readPresent_.data());
    ApplyDataLineValues(person, values.time, readValues_.data(), readPresent_.data(), firstFrame,
                        table);
    return values;
}

DataLineValues BodyDataReader::ConvertDataLine(std::string_view dataLine, char separator,
                                               std::span<const int> fields, double* values,
                                               std::uint8_t* present) {
    SplitFields(StripCarriageReturn(dataLine), separator, fields_);
    const std::size_t fieldCount = fields_.size();

    DataLineValues line;
    nonNumbers_.clear();
    const NumberReading time = ReadNumberField(fields_[0]);
    line.time = time.value;
    if (!time.whole)
        nonNumbers_.push_back(0);
    if (fieldCount > 1)
        line.frameField = fields_[1];

    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int index = fields[i];
        if (index > 0 && static_cast<std::size_t>(index) < fieldCount) {
            const NumberReading reading = ReadNumberField(fields_[index]);
            values[i] = reading.value;
            present[i] = 1;
            if (!reading.whole)
                nonNumbers_.push_back(index);
        } else {
            values[i] = 0.0;
            present[i] = 0;
            ++line.missingFields;
        }
    }
    if (!nonNumbers_.empty()) {
        // A field bound to several variables is still one field.
        std::sort(nonNumbers_.begin(), nonNumbers_.end());
        nonNumbers_.erase(std::unique(nonNumbers_.begin(), nonNumbers_.end()), nonNumbers_.end());
        line.nonNumbers = static_cast<int>(nonNumbers_.size());
        line.firstNonNumber = nonNumbers_.front();
        line.firstNonNumberText = fields_[static_cast<std::size_t>(line.firstNonNumber)];
    }
    return line;
}

void ApplyDataLineValues(int person, double time, const double* values, const std::uint8_t* present,
                         bool firstFrame, InputVariableTable& table) {
    std::size_t next = 0;
    for (int k = 0; k < kInputVariableCount; ++k) {
        PersonBlock& block = table.Person(k, person);
        bool complete = true;
        for (int s = 0; s < kPoseSlots; ++s) {
            double value = time;
            if (block.fieldIndex[s] != 0) {
                const std::size_t i = next++;
                if (present[i] == 0) {
                    complete = false;
                    continue;
                }
                value = values[i];
            }
            if (firstFrame) {
                block.current[s] = value;
                block.previous[s] = value;
            } else {
                block.previous[s] = block.current[s];
                block.current[s] = value;
            }
        }
        block.previousComplete = firstFrame ? complete : block.frameComplete;
        block.frameComplete = complete;
    }
}

void AppendTimeAndFrame(std::string& out, const DataLineValues& values, std::string_view separator,
                        std::string_view decimalSymbol) {
    AppendGeneral(out, values.time, decimalSymbol, 15);
    out += separator;
    for (char c : values.frameField) {
        const bool breaks = static_cast<unsigned char>(c) < 0x20 || c == '\x7F' || c == '"' ||
                            separator.find(c) != std::string_view::npos;
        out += breaks ? '?' : c;
    }
}

}  // namespace kivo
