#include "input/DataFileCheck.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/ErrorTrap.h"
#include "core/Numbers.h"
#include "core/PathChecks.h"
#include "input/InputMessages.h"
#include "input/TextLineReader.h"

namespace kivo {

FileCheckResult CheckFile(const std::string& path, std::string_view timeLabel,
                          std::string_view decimalSymbol, UserPrompt& prompt,
                          DataFieldNameList* dataFieldNames) {
    FileCheckResult result;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return result;
    if (!IsExistingFile(path)) {
        prompt.Tell(PromptId::NotRegularFile,
                    FillPlaceholders("The file '@' is not a regular file (a folder, device or "
                                     "pipe) and cannot be read as a data file.",
                                     {{'@', path}}),
                    PromptIcon::Exclamation);
        return result;
    }
    if (timeLabel.empty()) {
        // Without a label every first line would pass as a format line.
        prompt.Tell(PromptId::TimeLabelMissing, std::string(kTimeLabelMissingMessage),
                    PromptIcon::Exclamation);
        return result;
    }

    RunTrapped(prompt, "CheckFile", [&] {
        TextLineReader reader;
        if (!reader.Open(path))
            throw TrappedError(kErrorPathFileAccess, "Path/File access error");

        std::string line;
        FindFormatLine(reader, timeLabel, line);
        const std::string separator = GetSeparator(line, timeLabel);
        std::vector<std::string_view> fields;
        SplitAtSeparator(line, separator, fields);
        if (fields.front() != timeLabel) {
            prompt.Tell(
                PromptId::FormatLineNotFound,
                FillPlaceholders(kFormatLineNotFoundMessage, {{'@', path}, {'*', timeLabel}}),
                PromptIcon::Exclamation);
            return;
        }
        result.separator = separator;
        result.colonLayout = IsColonLayout(line);
        result.fieldNames = DataFieldNamesOfFormatLine(fields, result.colonLayout);
        if (const auto duplicate = FindDuplicateDataField(fields, result.colonLayout)) {
            prompt.Tell(PromptId::DuplicateDataField, DuplicateDataFieldMessage(path, *duplicate),
                        PromptIcon::Exclamation);
        }

        // The frame rate from the times of the first two frames, in single precision.
        float times[2] = {0.0f, 0.0f};
        for (float& time : times) {
            if (!ReadFrameLine(reader, line)) {
                throw TrappedError(kErrorInputPastEndOfFile, "Input past end of file");
            }
            SplitAtSeparator(line, separator, fields);
            time = static_cast<float>(ReadNumber(fields.front()));
        }
        const float rate = times[1] > times[0] ? 1.0f / (times[1] - times[0]) : 0.0f;
        if (!(rate > 0.0f) || !std::isfinite(rate)) {
            prompt.Tell(PromptId::TimeValuesIncorrect,
                        FillPlaceholders(kTimeValuesIncorrectMessage, {{'@', path}}),
                        PromptIcon::Exclamation);
        } else {
            result.framesPerSecond = FormatGeneralSingle(rate, decimalSymbol);
        }
        result.accepted = true;
    });

    if (result.accepted && dataFieldNames != nullptr) {
        for (const std::string& name : result.fieldNames)
            dataFieldNames->Add(name);
    }
    return result;
}

}  // namespace kivo
