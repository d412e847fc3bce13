#include "input/BodyDataPositions.h"

#include <stdexcept>

#include "input/DataFileFormat.h"
#include "input/InputMessages.h"

namespace kivo {

PositionsAnswer ToPositionsAnswer(PromptAnswer answer) {
    switch (answer) {
        case PromptAnswer::Ok:
            return PositionsAnswer::Ok;
        case PromptAnswer::Cancel:
            return PositionsAnswer::Cancel;
        case PromptAnswer::Yes:
            return PositionsAnswer::Yes;
        case PromptAnswer::No:
            return PositionsAnswer::No;
    }
    return PositionsAnswer::Cancel;
}

BodyDataPositionsResult GetBodyDataPositions(int person, std::string_view formatLine,
                                             std::string_view timeLabel, std::string_view fileName,
                                             InputVariableTable& table, UserPrompt& prompt) {
    if (person != 1 && person != 2)
        throw std::invalid_argument("person must be 1 or 2");
    BodyDataPositionsResult result;
    result.separator = GetSeparator(formatLine, timeLabel);
    std::vector<std::string_view> fields;
    SplitAtSeparator(formatLine, result.separator, fields);
    if (fields.front() != timeLabel) {
        const PromptAnswer answer = prompt.Ask(
            PromptId::FormatLineNotFound,
            FillPlaceholders(kFormatLineNotFoundMessage, {{'@', fileName}, {'*', timeLabel}}),
            PromptButtons::OkCancel, PromptIcon::Exclamation);
        result.answer = ToPositionsAnswer(answer);
        return result;
    }

    std::vector<int> bound;
    for (int k = 0; k < kInputVariableCount; ++k) {
        table.Person(k, person).fieldIndex.fill(0);
        if (!table[k].dataFieldName.empty())
            bound.push_back(k);
    }

    const bool colonLayout = IsColonLayout(formatLine);
    result.duplicate = FindDuplicateDataField(fields, colonLayout);
    DataFieldLabelParser parser(colonLayout);
    for (std::size_t i = 1; i < fields.size(); ++i) {
        if (fields[i].empty())
            continue;
        parser.Parse(fields[i]);
        const int slot = parser.Slot();
        if (slot < 0)
            continue;
        for (int k : bound) {
            if (table[k].dataFieldName == parser.BodyPartName()) {
                table.Person(k, person).fieldIndex[slot] = static_cast<int>(i);
            }
        }
    }

    for (int k : bound) {
        if (table.Person(k, person).IsBound())
            continue;
        result.missingVariables.push_back(k);
        if (!result.missingBodyParts.empty())
            result.missingBodyParts += ", ";
        result.missingBodyParts += table[k].name;
    }
    if (!result.missingVariables.empty()) {
        const PromptAnswer answer =
            prompt.Ask(PromptId::MissingBodyParts,
                       FillPlaceholders(kMissingBodyPartsMessage,
                                        {{'@', fileName}, {'#', result.missingBodyParts}}),
                       PromptButtons::YesNoCancel, PromptIcon::Exclamation);
        result.answer = ToPositionsAnswer(answer);
    }
    return result;
}

}  // namespace kivo
