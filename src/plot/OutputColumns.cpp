#include "plot/OutputColumns.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <regex>
#include <stdexcept>

#include "core/FileError.h"
#include "core/Text.h"
#include "input/TextLineReader.h"

namespace kivo {
namespace {

constexpr std::string_view kTimeCaption = "Time";
constexpr double kGap = std::numeric_limits<double>::quiet_NaN();

// A line a run writes into an output file besides the data lines.
bool IsNoticeLine(std::string_view line) {
    return line.starts_with("ERROR: ") || line.starts_with("NOTE: ");
}

double ParseDecimal(std::string_view text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return kGap;
    return value;
}

}  // namespace

OutputHeader ReadOutputHeader(const std::string& path) {
    TextLineReader reader;
    if (!reader.Open(path))
        throw FileError(path, 0, "", "cannot be opened");
    std::string line;
    if (!reader.ReadLine(line) || !line.starts_with(kTimeCaption) ||
        line.size() == kTimeCaption.size() ||
        (line[kTimeCaption.size()] != ';' && line[kTimeCaption.size()] != '\t')) {
        throw FileError(path, 1, "",
                        "is not an output file (its first line must begin with \"Time\" and a "
                        "\";\" or a tab)");
    }
    OutputHeader header;
    header.path = path;
    header.separator = line[kTimeCaption.size()];
    header.captions = SplitToStrings(line, header.separator);
    return header;
}

std::vector<std::size_t> MatchOutputColumns(const OutputHeader& header, std::string_view pattern) {
    std::regex expression;
    try {
        expression =
            std::regex(pattern.begin(), pattern.end(), std::regex::ECMAScript | std::regex::icase);
    } catch (const std::regex_error& error) {
        throw std::invalid_argument("'" + std::string(pattern) +
                                    "' is no valid regular expression (" + error.what() + ")");
    }
    std::vector<std::size_t> positions;
    for (std::size_t i = kFirstValueColumn; i < header.captions.size(); ++i) {
        if (std::regex_search(header.captions[i], expression))
            positions.push_back(i);
    }
    return positions;
}

double ReadOutputNumber(std::string_view field, std::string_view decimalSymbol) {
    if (field.empty() || field.size() > 64)
        return kGap;
    if (field.front() == '+')
        field.remove_prefix(1);
    if (decimalSymbol.empty() || decimalSymbol == ".")
        return ParseDecimal(field);
    const std::size_t at = field.find(decimalSymbol);
    if (at == std::string_view::npos)
        return ParseDecimal(field);
    char buffer[72];
    std::memcpy(buffer, field.data(), at);
    buffer[at] = '.';
    const std::string_view rest = field.substr(at + decimalSymbol.size());
    std::memcpy(buffer + at + 1, rest.data(), rest.size());
    return ParseDecimal(std::string_view(buffer, at + 1 + rest.size()));
}

OutputColumns ReadOutputColumns(const OutputHeader& header, std::span<const std::size_t> positions,
                                std::string_view decimalSymbol) {
    OutputColumns columns;
    columns.header = header;
    columns.positions.assign(positions.begin(), positions.end());
    columns.values.resize(positions.size());

    // Which chosen column (if any) each field up to the last chosen one feeds.
    constexpr int kTime = -1;
    constexpr int kSkipped = -2;
    std::size_t lastField = kTimeColumn;
    for (std::size_t position : positions) {
        if (position >= header.captions.size()) {
            throw std::out_of_range("column " + std::to_string(position) + " of " + header.path);
        }
        lastField = std::max(lastField, position);
    }
    std::vector<int> target(lastField + 1, kSkipped);
    target[kTimeColumn] = kTime;
    for (std::size_t chosen = 0; chosen < positions.size(); ++chosen)
        target[positions[chosen]] = static_cast<int>(chosen);

    TextLineReader reader;
    if (!reader.Open(header.path))
        throw FileError(header.path, 0, "", "cannot be opened");
    std::string line;
    reader.ReadLine(line);  // the header
    std::vector<double> row(positions.size());
    while (reader.ReadLine(line)) {
        if (line.empty() || IsNoticeLine(line))
            continue;
        double time = kGap;
        const char* cursor = line.data();
        const char* const end = line.data() + line.size();
        for (std::size_t field = 0; field <= lastField; ++field) {
            if (cursor == nullptr) {
                throw FileError(header.path, reader.LineNumber(), header.captions[field],
                                "the line ends before this column (it has " +
                                    std::to_string(field) + " fields, the header " +
                                    std::to_string(header.captions.size()) + ")");
            }
            const auto* separator = static_cast<const char*>(
                std::memchr(cursor, header.separator, static_cast<std::size_t>(end - cursor)));
            const char* fieldEnd = separator != nullptr ? separator : end;
            const int slot = target[field];
            if (slot != kSkipped) {
                const double value = ReadOutputNumber(
                    std::string_view(cursor, static_cast<std::size_t>(fieldEnd - cursor)),
                    decimalSymbol);
                if (slot == kTime)
                    time = value;
                else
                    row[static_cast<std::size_t>(slot)] = value;
            }
            cursor = separator != nullptr ? separator + 1 : nullptr;
        }
        if (std::isnan(time)) {
            throw FileError(header.path, reader.LineNumber(), std::string(kTimeCaption),
                            "the time is no number (read with the decimal symbol '" +
                                std::string(decimalSymbol) + "')");
        }
        columns.time.push_back(time);
        for (std::size_t chosen = 0; chosen < row.size(); ++chosen)
            columns.values[chosen].push_back(row[chosen]);
    }
    return columns;
}

}  // namespace kivo
