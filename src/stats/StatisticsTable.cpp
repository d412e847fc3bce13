#include "stats/StatisticsTable.h"

#include <algorithm>

#include "core/FileError.h"
#include "core/Numbers.h"
#include "core/Text.h"
#include "input/TextLineReader.h"

namespace kivo {
namespace {

constexpr std::string_view kFirstCaption = "File Name";

bool IsNumberOrErrorItem(std::string_view cell, std::string_view decimalSymbol) {
    return cell.starts_with("ERROR:") || IsNumeric(cell, decimalSymbol);
}

// Right-align a column when every non-empty data cell is a number or an error item.
bool IsNumericColumn(const StatisticsTable& table, std::size_t column,
                     std::string_view decimalSymbol) {
    bool any = false;
    for (const auto& row : table.rows) {
        const std::string& cell = row[column];
        if (cell.empty())
            continue;
        if (!IsNumberOrErrorItem(cell, decimalSymbol))
            return false;
        any = true;
    }
    return any;
}

void AppendPadded(std::string& line, std::string_view cell, std::size_t width, bool right) {
    const std::size_t padding = width > cell.size() ? width - cell.size() : 0;
    if (right)
        line.append(padding, ' ');
    line += cell;
    if (!right)
        line.append(padding, ' ');
}

}  // namespace

StatisticsTable ReadStatisticsFile(const std::string& path) {
    TextLineReader reader;
    if (!reader.Open(path))
        throw FileError(path, 0, "", reader.Problem());
    StatisticsTable table;
    std::string line;
    if (!reader.ReadLine(line) || !line.starts_with(kFirstCaption) ||
        line.size() == kFirstCaption.size() ||
        (line[kFirstCaption.size()] != ';' && line[kFirstCaption.size()] != '\t')) {
        throw FileError(path, 1, "",
                        "is not a statistics file (its first line must begin with \"File Name\" "
                        "and a \";\" or a tab)");
    }
    table.separator = line[kFirstCaption.size()];
    table.captions = SplitToStrings(line, table.separator);
    if (table.captions.size() >= 4 && table.captions[2] == "Part " &&
        table.captions[3] == "Frames") {
        table.identifyingColumns = 4;
    } else {
        table.identifyingColumns = std::min<std::size_t>(2, table.captions.size());
    }
    while (reader.ReadLine(line)) {
        if (line.empty())
            continue;
        std::vector<std::string> fields = SplitToStrings(line, table.separator);
        if (fields.size() != table.captions.size()) {
            throw FileError(path, reader.LineNumber(), "",
                            "has " + std::to_string(fields.size()) +
                                " fields, but the header has " +
                                std::to_string(table.captions.size()));
        }
        table.rows.push_back(std::move(fields));
    }
    return table;
}

std::vector<std::size_t> SelectStatisticsColumns(const StatisticsTable& table,
                                                 std::string_view pattern) {
    std::vector<std::size_t> columns;
    for (std::size_t c = 0; c < table.captions.size(); ++c) {
        if (c < table.identifyingColumns || ContainsIgnoringCase(table.captions[c], pattern))
            columns.push_back(c);
    }
    return columns;
}

std::string FormatStatisticsTable(const StatisticsTable& table,
                                  const std::vector<std::size_t>& columns,
                                  std::string_view decimalSymbol) {
    std::vector<std::size_t> widths(columns.size(), 0);
    std::vector<bool> right(columns.size(), false);
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const std::size_t c = columns[k];
        widths[k] = TrimBlanks(table.captions[c]).size();
        for (const auto& row : table.rows)
            widths[k] = std::max(widths[k], row[c].size());
        right[k] = IsNumericColumn(table, c, decimalSymbol);
    }
    std::string text;
    std::string line;
    const auto emit = [&](auto cellOf) {
        line.clear();
        for (std::size_t k = 0; k < columns.size(); ++k) {
            if (k > 0)
                line += "  ";
            AppendPadded(line, cellOf(columns[k]), widths[k], right[k]);
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        text += line;
        text += '\n';
    };
    emit([&](std::size_t c) { return TrimBlanks(table.captions[c]); });
    for (const auto& row : table.rows)
        emit([&](std::size_t c) { return std::string_view(row[c]); });
    return text;
}

}  // namespace kivo
