#pragma once

#include <optional>
#include <string>

namespace kivo {

// Where the format line of a data file seems to be when its time label is not
// known: the first of the first 100 lines that names fields and is followed
// by lines whose first field is a number, split at the same separator into as
// many fields.
struct FormatLineGuess {
    long line = 0;          // 1-based
    std::string timeLabel;  // the text before the separator
};

// Nothing when no such line is found or the file cannot be read.
std::optional<FormatLineGuess> GuessFormatLine(const std::string& path);

}  // namespace kivo
