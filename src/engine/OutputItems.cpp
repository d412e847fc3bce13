#include "engine/OutputItems.h"

#include "core/NoValue.h"
#include "core/Numbers.h"
#include "core/StatusCode.h"

namespace kivo {

std::string BuildOutputHeader(const std::vector<ParameterRecord>& records, bool means,
                              char separator) {
    std::string header = means ? "Part " : "Time";
    header += separator;
    header += means ? "Frames" : "Frame";
    for (std::size_t position = 1; position < records.size(); ++position) {
        const ParameterRecord& record = records[position];
        if (!record.enabled || !record.output)
            continue;
        const int count = record.nValues * (record.dynamic ? 2 : 1);
        for (int j = 0; j < count && j < static_cast<int>(record.valueCaptions.size()); ++j) {
            header += separator;
            header += record.valueCaptions[j];
        }
    }
    return header;
}

bool AppendValueItems(std::string& line, const ParameterRecord& record, bool firstFrame,
                      const OutputFormat& format) {
    if (!record.output)
        return true;
    bool finite = true;
    for (int v = 0; v < record.nValues; ++v) {
        finite = AppendValueItem(line, record.Current(v, 1), record.Previous(v, 1), record.dynamic,
                                 firstFrame, format) &&
                 finite;
    }
    return finite;
}

bool AppendValueItem(std::string& line, double current, double previous, bool dynamic,
                     bool firstFrame, const OutputFormat& format) {
    bool finite = true;
    line += format.separator;
    if (!IsNoValue(current))
        finite = AppendOutputValue(line, current, format.decimalPlaces, format.decimalSymbol);
    if (!dynamic)
        return finite;
    line += format.separator;
    if (!firstFrame && !IsNoValue(current) && !IsNoValue(previous)) {
        finite = AppendOutputValue(line, current - previous, format.decimalPlaces,
                                   format.decimalSymbol) &&
                 finite;
    }
    return finite;
}

void AppendErrorItems(std::string& line, const ParameterRecord& record, int status,
                      const OutputFormat& format) {
    if (!record.output)
        return;
    const std::string_view text = StatusErrorText(status);
    const int count = record.nValues * (record.dynamic ? 2 : 1);
    for (int i = 0; i < count; ++i)
        AppendErrorItem(line, text, format.separator);
}

void AppendEmptyItems(std::string& line, const ParameterRecord& record, char separator) {
    if (!record.output)
        return;
    line.append(static_cast<std::size_t>(record.nValues * (record.dynamic ? 2 : 1)), separator);
}

}  // namespace kivo
