#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/Text.h"
#include "support/TempDir.h"

namespace kivo::testing {

// The lines of an output or statistics file, each of which must end with CR LF
// (a failure names the file and the line otherwise).
inline std::vector<std::string> ReadCrLfLines(const std::string& path) {
    const std::string text = ReadFileText(path);
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << path << ": the last line has no CR LF";
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos)
            << path << " line " << lines.size() + 1 << ": a stray line break";
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

inline std::vector<std::string> Fields(std::string_view line, char separator = ';') {
    return SplitToStrings(line, separator);
}

}  // namespace kivo::testing
