#include "stats/StatisticsFile.h"

#include <cstdio>

#include "core/ErrorTrap.h"
#include "core/OutputFields.h"
#include "stats/MovementStatistics.h"

namespace kivo {
namespace {

void AppendEmptyFields(std::string& line, std::size_t count, char separator) {
    line.append(count, separator);
}

}  // namespace

std::optional<StatisticsHeader> GetStatisticFormatLine(ParameterArray& array, bool splitMode,
                                                       char separator, UserPrompt& prompt) {
    std::optional<StatisticsHeader> header;
    RunTrapped(prompt, "GetStatisticFormatLine", [&] {
        StatisticsHeader result;
        result.layout = StatisticsColumnLayout(array);
        result.line = "File Name";
        result.line += separator;
        result.line += "Partner File";
        if (splitMode) {
            result.line += separator;
            result.line += "Part ";
            result.line += separator;
            result.line += "Frames";
        }
        for (const ColumnBlock& block : result.layout.blocks) {
            for (const std::string& caption : block.captions) {
                result.line += separator;
                result.line += caption;
            }
        }
        ResetStatisticsAccumulators(array, splitMode);
        header = std::move(result);
    });
    return header;
}

std::optional<std::string> WriteStatisticLine(ParameterArray& array, const ColumnLayout& layout,
                                              std::int32_t frames,
                                              const StatisticsFileContext& context, bool partMode,
                                              std::string_view partName, UserPrompt& prompt,
                                              bool* overflowed) {
    std::optional<std::string> result;
    const bool completed = RunTrapped(prompt, "WriteStatisticLine", [&] {
        const char separator = context.format.separator;
        std::string line = context.fileName;
        line += separator;
        line += context.partnerFileName;
        if (partMode) {
            line += separator;
            line += partName;
            line += separator;
            line += std::to_string(frames);
        }
        for (const ColumnBlock& block : layout.blocks) {
            const ParameterRecord* record = StatisticsRecordOf(array, block);
            if (record != nullptr &&
                static_cast<std::size_t>(StatisticItemCount(*record)) == block.captions.size()) {
                if (!AppendStatisticItems(line, *record, context.format) && overflowed)
                    *overflowed = true;
            } else {
                AppendEmptyFields(line, block.captions.size(), separator);
            }
        }
        for (ParameterRecord& record : array) {
            if (record.enabled && record.statistics)
                ResetAfterStatisticLine(record);
        }
        result = std::move(line);
    });
    if (!completed) {
        // The next line must still cover only its own frames.
        for (ParameterRecord& record : array) {
            if (record.enabled && record.statistics)
                ResetAfterStatisticLine(record);
        }
    }
    return result;
}

std::string PartName(int partNumber) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", partNumber);
    return std::string("Part ") + digits;
}

MeansHeader GetMeansFormatLine(const ParameterArray& array, char separator) {
    MeansHeader header{"Part ", MeansColumnLayout(array)};
    header.line += separator;
    header.line += "Frames";
    for (const ColumnBlock& block : header.layout.blocks) {
        for (const std::string& caption : block.captions) {
            header.line += separator;
            header.line += caption;
        }
    }
    return header;
}

std::string BuildMeansLine(ParameterArray& array, const ColumnLayout& layout,
                           std::string_view partName, std::int32_t framesInPart,
                           const StatisticsFormat& format, bool* overflowed) {
    const char separator = format.separator;
    std::string line(partName);
    line += separator;
    line += std::to_string(framesInPart);
    for (const ColumnBlock& block : layout.blocks) {
        const ParameterRecord* record = MeansRecordOf(array, block);
        const std::size_t fields = record == nullptr ? 0
                                                     : static_cast<std::size_t>(record->nValues) *
                                                           (record->dynamic ? 2u : 1u);
        if (record == nullptr || fields != block.captions.size()) {
            AppendEmptyFields(line, block.captions.size(), separator);
            continue;
        }
        for (int c = 0; c < record->nValues; ++c) {
            const auto column = static_cast<std::size_t>(c);
            if (column < record->partCounts.size() && column < record->partSums.size() &&
                record->partCounts[column] > 0) {
                line += separator;
                if (!AppendOutputValue(line, record->partSums[column] / record->partCounts[column],
                                       format.decimalPlaces, format.decimalSymbol) &&
                    overflowed) {
                    *overflowed = true;
                }
            } else {
                AppendErrorItem(line, kDivisionByZeroItem, separator);
            }
            if (record->dynamic)
                line += separator;  // the "D " column has no mean
        }
    }
    for (ParameterRecord& record : array)
        ResetPartSums(record);
    return line;
}

PartFileStatisticLines WritePartFileStatisticLine(ParameterArray& array,
                                                  const ColumnLayout& statisticsLayout,
                                                  const ColumnLayout& meansLayout, int partNumber,
                                                  std::int32_t framesInPart, bool withStatistics,
                                                  const StatisticsFileContext& context,
                                                  UserPrompt& prompt, bool* overflowed) {
    PartFileStatisticLines lines;
    const std::string partName = PartName(partNumber);
    if (withStatistics) {
        lines.statisticLine = WriteStatisticLine(array, statisticsLayout, framesInPart, context,
                                                 true, partName, prompt, overflowed);
    }
    const bool completed = RunTrapped(prompt, "WritePartFileStatisticLine", [&] {
        lines.meansLine =
            BuildMeansLine(array, meansLayout, partName, framesInPart, context.format, overflowed);
    });
    if (!completed) {
        for (ParameterRecord& record : array)
            ResetPartSums(record);
    }
    return lines;
}

}  // namespace kivo
