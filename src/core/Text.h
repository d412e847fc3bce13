#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kivo {

// Splits `line` at every occurrence of `separator`: no quoting, no merging of
// repeated separators, empty fields kept. A letter separator matches both its
// upper and lower case. `fields` is cleared first; its views point into `line`.
void SplitFields(std::string_view line, char separator, std::vector<std::string_view>& fields);
std::vector<std::string_view> SplitFields(std::string_view line, char separator);
std::vector<std::string> SplitToStrings(std::string_view line, char separator);

// Removes leading and trailing blanks (only blanks, not tabs).
std::string_view TrimBlanks(std::string_view text);

// Replaces every occurrence of `placeholder` in `text` by `value`.
std::string ReplaceAll(std::string text, std::string_view placeholder, std::string_view value);

// Removes one trailing carriage return (a line read from a CR LF file).
inline std::string_view StripCarriageReturn(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// Text comparison without regard to ASCII letter case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

}  // namespace kivo
