#include "input/BodyDataReader.h"

#include <algorithm>
#include <stdexcept>

#include "core/Numbers.h"
#include "core/Text.h"

namespace kivo {

DataLineValues BodyDataReader::GetBodyDataValues(int person, std::string_view dataLine,
                                                 char separator, bool firstFrame,
                                                 InputVariableTable& table) {
    if (person != 1 && person != 2)
        throw std::invalid_argument("person must be 1 or 2");
    SplitFields(StripCarriageReturn(dataLine), separator, fields_);
    const std::size_t fieldCount = fields_.size();

    DataLineValues values;
    nonNumbers_.clear();
    const NumberReading time = ReadNumberField(fields_[0]);
    values.time = time.value;
    if (!time.whole)
        nonNumbers_.push_back(0);
    if (fieldCount > 1)
        values.frameField = fields_[1];

    for (int k = 0; k < kInputVariableCount; ++k) {
        PersonBlock& block = table.Person(k, person);
        bool complete = true;
        for (int s = 0; s < kPoseSlots; ++s) {
            const int index = block.fieldIndex[s];
            double value;
            if (index == 0) {
                value = values.time;
            } else if (index > 0 && static_cast<std::size_t>(index) < fieldCount) {
                const NumberReading reading = ReadNumberField(fields_[index]);
                value = reading.value;
                if (!reading.whole)
                    nonNumbers_.push_back(index);
            } else {
                complete = false;
                ++values.missingFields;
                continue;
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
    if (!nonNumbers_.empty()) {
        // A field bound to several variables is still one field.
        std::sort(nonNumbers_.begin(), nonNumbers_.end());
        nonNumbers_.erase(std::unique(nonNumbers_.begin(), nonNumbers_.end()), nonNumbers_.end());
        values.nonNumbers = static_cast<int>(nonNumbers_.size());
        values.firstNonNumber = nonNumbers_.front();
        values.firstNonNumberText = fields_[static_cast<std::size_t>(values.firstNonNumber)];
    }
    return values;
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
