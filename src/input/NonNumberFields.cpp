#include "input/NonNumberFields.h"

#include <vector>

#include "core/FileError.h"
#include "core/Numbers.h"
#include "core/Text.h"
#include "input/DataFileFormat.h"
#include "input/TextLineReader.h"

namespace kivo {

void NonNumberTally::Add(int nonNumbers, int firstNonNumber, std::string_view firstNonNumberText,
                         long line) {
    if (nonNumbers == 0)
        return;
    if (count == 0) {
        firstLine = line;
        firstField = firstNonNumber;
        firstText = std::string(firstNonNumberText);
    }
    count += nonNumbers;
}

std::string FirstNonNumberField(const NonNumberTally& tally, std::string_view formatLine,
                                std::string_view separator) {
    std::vector<std::string_view> labels;
    SplitAtSeparator(formatLine, separator, labels);
    const auto field = static_cast<std::size_t>(tally.firstField);
    const std::string_view label = field < labels.size() ? labels[field] : std::string_view();
    return "line " + std::to_string(tally.firstLine) + ", field '" + std::string(label) +
           "' (column " + std::to_string(tally.firstField + 1) + "): '" + tally.firstText + "'";
}

std::string NonNumberFieldsMessage(std::string_view path, const NonNumberTally& tally,
                                   std::string_view formatLine, std::string_view separator) {
    return "The file '" + std::string(path) + "' holds " + std::to_string(tally.count) +
           " fields that are not numbers; they were read as 0 or as the number they begin "
           "with.\r\nThe first is in " +
           FirstNonNumberField(tally, formatLine, separator) + ".";
}

NonNumberTally CountNonNumberFields(const std::string& path, std::string_view timeLabel,
                                    std::string& formatLine) {
    TextLineReader reader;
    if (!reader.Open(path))
        throw FileError(path, 0, "", reader.Problem());
    FindFormatLine(reader, timeLabel, formatLine);
    const std::string separator = GetSeparator(formatLine, timeLabel);
    std::vector<std::string_view> fields;
    SplitAtSeparator(formatLine, separator, fields);
    // The fields read as numbers: the time and every field named with a component.
    std::vector<std::size_t> numeric = {0};
    const bool colonLayout = IsColonLayout(formatLine);
    DataFieldLabelParser parser(colonLayout);
    for (std::size_t i = 1; i < fields.size(); ++i) {
        if (fields[i].empty())
            continue;
        parser.Parse(fields[i]);
        if (parser.Slot() >= 0)
            numeric.push_back(i);
    }
    NonNumberTally tally;
    std::string line;
    while (ReadFrameLine(reader, line)) {
        SplitAtSeparator(StripCarriageReturn(line), separator, fields);
        int count = 0;
        std::size_t first = 0;
        for (std::size_t index : numeric) {
            if (index >= fields.size())
                break;
            if (ReadNumberField(fields[index]).whole)
                continue;
            if (count++ == 0)
                first = index;
        }
        tally.Add(count, static_cast<int>(first), fields[first], reader.LineNumber());
    }
    return tally;
}

}  // namespace kivo
