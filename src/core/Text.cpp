#include "core/Text.h"

#include <algorithm>

namespace kivo {
namespace {

char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char ToUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

void SplitFields(std::string_view line, char separator, std::vector<std::string_view>& fields) {
    fields.clear();
    const char lower = ToLowerAscii(separator);
    const char upper = ToUpperAscii(separator);
    std::size_t start = 0;
    if (lower == upper) {
        for (std::size_t i = line.find(separator); i != std::string_view::npos;
             i = line.find(separator, start)) {
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    } else {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == lower || line[i] == upper) {
                fields.push_back(line.substr(start, i - start));
                start = i + 1;
            }
        }
    }
    fields.push_back(line.substr(start));
}

std::vector<std::string_view> SplitFields(std::string_view line, char separator) {
    std::vector<std::string_view> fields;
    SplitFields(line, separator, fields);
    return fields;
}

std::vector<std::string> SplitToStrings(std::string_view line, char separator) {
    std::vector<std::string> result;
    for (std::string_view field : SplitFields(line, separator))
        result.emplace_back(field);
    return result;
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string ReplaceAll(std::string text, std::string_view placeholder, std::string_view value) {
    if (placeholder.empty())
        return text;
    std::size_t position = 0;
    while ((position = text.find(placeholder, position)) != std::string::npos) {
        text.replace(position, placeholder.size(), value);
        position += value.size();
    }
    return text;
}

std::vector<std::string_view> ListEntries(std::string_view column) {
    if (column.empty())
        return {};
    return SplitFields(column, ',');
}

bool ListContains(std::string_view column, std::string_view entry) {
    for (std::string_view present : ListEntries(column)) {
        if (present == entry)
            return true;
    }
    return false;
}

bool RenameListEntries(std::string& column, std::string_view oldName, std::string_view newName) {
    if (oldName.empty() || !ListContains(column, oldName))
        return false;
    std::string renamed;
    bool first = true;
    for (std::string_view entry : SplitFields(column, ',')) {
        if (!first)
            renamed += ',';
        first = false;
        renamed += entry == oldName ? newName : entry;
    }
    column = std::move(renamed);
    return true;
}

bool IsListableName(std::string_view name) {
    return name.find_first_of(",\"\r\n") == std::string_view::npos;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return ToLowerAscii(x) == ToLowerAscii(y);
           });
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
    if (part.empty())
        return true;
    if (part.size() > text.size())
        return false;
    for (std::size_t i = 0; i + part.size() <= text.size(); ++i) {
        if (EqualsIgnoringCase(text.substr(i, part.size()), part))
            return true;
    }
    return false;
}

}  // namespace kivo
