#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "input/BvhConversion.h"

namespace kivo::cli {

struct Conversion {
    std::string source;  // BVH recording
    std::string target;  // data file
};

// The separator named on the command line: ";", "," or "tab" (or a tab).
bool SeparatorOf(std::string_view text, char& separator);

// Converts every recording and keeps the data files only when all of them
// converted; prints what was written, or why nothing was (naming `command`).
// An existing data file is replaced only with `force`.
bool ConvertRecordings(const std::vector<Conversion>& plan, const BvhConversionOptions& options,
                       bool force, std::string_view command);

}  // namespace kivo::cli
