#include "input/OutputOptionRules.h"

#include <cstdint>
#include <optional>
#include <string>

#include "core/Numbers.h"
#include "input/ProcessingOptionRules.h"

namespace kivo {
namespace {

std::string LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The statistics file name up to and including its last "." followed by
// `extension`. A name without "." keeps its text and gets one.
void SetStatisticsExtension(WorkspaceOptions& options, const std::string& extension) {
    std::string& name = options.statisticsFileName;
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        name += '.';
    } else {
        name.erase(dot + 1);
    }
    name += extension;
}

}  // namespace

void SelectCsvSeparator(WorkspaceOptions& options) {
    options.csvSeparator = true;
    options.tsvSeparator = false;
    SetStatisticsExtension(options, "csv");
}

void SelectTsvSeparator(WorkspaceOptions& options) {
    options.csvSeparator = false;
    options.tsvSeparator = true;
    SetStatisticsExtension(options, LowerCase(options.extension));
}

void ExtensionChanged(WorkspaceOptions& options) {
    SetStatisticsExtension(options, LowerCase(options.extension));
}

void StatisticsFileNameLostFocus(WorkspaceOptions& options) {
    if (options.statisticsFileName.find('.') == std::string::npos) {
        options.statisticsFileName += '.';
    }
}

void SplitFileClick(WorkspaceOptions& options) {
    if (!options.splitFile)
        options.noOfLines.clear();
}

bool NoOfLinesLostFocus(WorkspaceOptions& options, std::string_view decimalSymbol,
                        UserPrompt& prompt) {
    if (!options.splitFile)
        return true;
    std::optional<std::int16_t> lines;
    if (IsNumeric(options.noOfLines, decimalSymbol))
        lines = ToInteger16(ReadUserNumber(options.noOfLines, decimalSymbol));
    if (!lines || *lines < 2) {
        prompt.Tell(PromptId::LinesPerPartInvalid,
                    "Please enter the maximum number of data lines for each part file!",
                    PromptIcon::Exclamation);
        return false;
    }
    options.noOfLines = std::to_string(*lines);
    return true;
}

}  // namespace kivo
