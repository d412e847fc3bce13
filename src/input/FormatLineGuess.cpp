#include "input/FormatLineGuess.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/FileError.h"
#include "core/Text.h"
#include "input/DataFileFormat.h"
#include "input/TextLineReader.h"

namespace kivo {
namespace {

// Separators tried in this order; a blank only where none of the others
// occurs, so that a label such as "Time [sec]" keeps its blank.
constexpr std::string_view kSeparators = "\t;,|";

bool BeginsWithNumber(std::string_view field) {
    field = TrimBlanks(field);
    if (!field.empty() && (field.front() == '-' || field.front() == '+'))
        field.remove_prefix(1);
    if (!field.empty() && field.front() == '.')
        field.remove_prefix(1);
    return !field.empty() && field.front() >= '0' && field.front() <= '9';
}

std::size_t FieldCount(std::string_view line, char separator) {
    std::size_t count = 1;
    for (char c : line)
        count += c == separator ? 1 : 0;
    return count;
}

// The separator with which `line` names fields above the data lines
// `following`, or '\0'.
char SeparatorOfFormatLine(std::string_view line, const std::vector<std::string>& following) {
    if (following.empty() || BeginsWithNumber(line))
        return '\0';
    std::string candidates(kSeparators);
    if (line.find_first_of(kSeparators) == std::string_view::npos)
        candidates = " ";
    for (char separator : candidates) {
        const std::size_t fields = FieldCount(line, separator);
        if (fields < 2 || line.find(separator) == 0)
            continue;
        bool dataBelow = true;
        for (const std::string& data : following) {
            const std::string_view text = StripCarriageReturn(data);
            dataBelow = dataBelow && FieldCount(text, separator) == fields &&
                        BeginsWithNumber(text.substr(0, text.find(separator)));
        }
        if (dataBelow)
            return separator;
    }
    return '\0';
}

}  // namespace

std::optional<FormatLineGuess> GuessFormatLine(const std::string& path) {
    constexpr std::size_t kSearchLimit = kFormatLineSearchLimit;
    constexpr std::size_t kDataLinesNeeded = 2;
    std::vector<std::string> lines;
    try {
        TextLineReader reader;
        if (!reader.Open(path))
            return std::nullopt;
        std::string line;
        while (lines.size() < kSearchLimit + kDataLinesNeeded && reader.ReadLine(line))
            lines.push_back(line);
    } catch (const FileError&) {
        // A line beyond the reader's limit: judge the lines read so far.
    }
    for (std::size_t i = 0; i < lines.size() && i < kSearchLimit; ++i) {
        const std::string_view line = StripCarriageReturn(lines[i]);
        const std::size_t end = std::min(lines.size(), i + 1 + kDataLinesNeeded);
        const std::vector<std::string> following(lines.begin() + static_cast<long>(i) + 1,
                                                 lines.begin() + static_cast<long>(end));
        const char separator = SeparatorOfFormatLine(line, following);
        if (separator != '\0')
            return FormatLineGuess{static_cast<long>(i + 1),
                                   std::string(line.substr(0, line.find(separator)))};
    }
    return std::nullopt;
}

}  // namespace kivo
