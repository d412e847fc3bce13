#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/UserPrompt.h"
#include "params/ParameterListCompilation.h"
#include "stats/StatisticItems.h"
#include "stats/StatisticsColumnLayout.h"

namespace kivo {

// The lines of the statistics file (one per run: a header, then one line per
// input file or, in split mode, per part file) and of the means files (one per
// input file in split mode: a header, then one line per part file). Every
// function returns the text of one line without its line end; the run writes
// it followed by CR LF. Each line has exactly one field per caption of the
// header it belongs to; an error item is one field of its own ("ERROR:DIV/0").
//
// The procedures report unexpected failures through the prompt under their
// own names and then return no line (nothing must be written for it).

// What a statistics line says about the input file it covers.
struct StatisticsFileContext {
    std::string fileName;         // the input file's name
    std::string partnerFileName;  // the partner file's name, empty without one
    StatisticsFormat format;      // separator, decimal places, effective frame rate
};

struct StatisticsHeader {
    std::string line;
    ColumnLayout layout;  // hand it to every statistics line of the run
};

// "File Name", "Partner File", in split mode "Part ", "Frames", then the
// statistics captions of every enabled row with the Statistics flag. Resets
// all accumulators to their start-of-run state (and, in split mode, the part
// sums and counts). Called once per run, before the first input file.
std::optional<StatisticsHeader> GetStatisticFormatLine(ParameterArray& array, bool splitMode,
                                                       char separator, UserPrompt& prompt);

// One statistics line: file name, partner file name, in part mode the part
// name and `frames`, then the statistics of the rows of `layout` (the layout
// of the run's header; rows no longer in the array keep empty fields). Resets
// the accumulators it reported. Unsplit runs call it at the end of each input
// file with partMode false.
// A statistic that overflowed is written as the overflow item and sets
// `*overflowed` (when given).
std::optional<std::string> WriteStatisticLine(ParameterArray& array, const ColumnLayout& layout,
                                              std::int32_t frames,
                                              const StatisticsFileContext& context, bool partMode,
                                              std::string_view partName, UserPrompt& prompt,
                                              bool* overflowed = nullptr);

// "Part 001" ... "Part 999", "Part 1000" ...
std::string PartName(int partNumber);

struct MeansHeader {
    std::string line;
    ColumnLayout layout;  // hand it to every means line of the input file
};

// The header of a means file: "Part ", "Frames", then the value captions of
// every enabled row with the Output flag (as in the output files).
MeansHeader GetMeansFormatLine(const ParameterArray& array, char separator);

// The means line of a finished part: part name, frames in the part, then for
// every value column of the rows of `layout` the mean of the part's values
// (the error item when the part has none), and an empty field under each
// "D " caption. Resets every part sum and count.
std::string BuildMeansLine(ParameterArray& array, const ColumnLayout& layout,
                           std::string_view partName, std::int32_t framesInPart,
                           const StatisticsFormat& format, bool* overflowed = nullptr);

struct PartFileStatisticLines {
    std::optional<std::string> statisticLine;  // for the statistics file
    std::optional<std::string> meansLine;      // for the means file
};

// The lines of a finished part file: with `withStatistics`, its statistics line
// (part mode, the part's name and frame count); then always its means line.
// The run calls it when a part file is full, and at the end of the input file
// for a last part that is not.
PartFileStatisticLines WritePartFileStatisticLine(ParameterArray& array,
                                                  const ColumnLayout& statisticsLayout,
                                                  const ColumnLayout& meansLayout, int partNumber,
                                                  std::int32_t framesInPart, bool withStatistics,
                                                  const StatisticsFileContext& context,
                                                  UserPrompt& prompt, bool* overflowed = nullptr);

}  // namespace kivo
