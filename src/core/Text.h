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

// Comma-separated name lists (Variables, Target): entries are compared whole.
// An empty column has no entries.
std::vector<std::string_view> ListEntries(std::string_view column);
bool ListContains(std::string_view column, std::string_view entry);
// Replaces every entry equal to `oldName` by `newName`; true when one was.
bool RenameListEntries(std::string& column, std::string_view oldName, std::string_view newName);

// Whether a name can stand in a comma-separated list and in a settings file:
// it holds no comma, no double quote and no line break.
bool IsListableName(std::string_view name);
inline constexpr std::string_view kUnlistableNameMessage =
    "A name must not contain a comma, a double quote or a line break!";

// Text comparison without regard to ASCII letter case.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

}  // namespace kivo
