#include "plot/FileStatistics.h"

#include <cmath>
#include <limits>

#include "plot/OutputColumns.h"

namespace kivo {
namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();
constexpr std::size_t kFileNameColumn = 0;
constexpr std::size_t kFramesColumn = 3;  // in split runs

std::optional<std::size_t> FindCaption(const StatisticsTable& table, std::string_view caption) {
    for (std::size_t i = table.identifyingColumns; i < table.captions.size(); ++i) {
        if (table.captions[i] == caption)
            return i;
    }
    return std::nullopt;
}

std::string_view Stem(std::string_view name) {
    const std::size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos)
        name.remove_prefix(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

double NumberAt(const StatisticsTable& table, std::size_t row, std::optional<std::size_t> column,
                std::string_view decimalSymbol) {
    if (!column)
        return kMissing;
    return ReadOutputNumber(table.rows[row][*column], decimalSymbol);
}

}  // namespace

std::vector<std::size_t> StatisticsRowsOf(const StatisticsTable& table, std::string_view fileName) {
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        if (table.rows[i][kFileNameColumn] == fileName)
            rows.push_back(i);
    }
    return rows;
}

std::optional<std::string> InputFileOfOutput(const StatisticsTable& table,
                                             std::string_view outputPath) {
    const std::string_view output = Stem(outputPath);
    std::optional<std::string> best;
    for (const auto& row : table.rows) {
        const std::string_view stem = Stem(row[kFileNameColumn]);
        if (stem.empty() || output.find(stem) == std::string_view::npos)
            continue;
        if (!best || stem.size() > Stem(*best).size())
            best = row[kFileNameColumn];
    }
    return best;
}

std::vector<StatisticsStretch> ColumnStatistics(const StatisticsTable& table,
                                                std::span<const std::size_t> rows,
                                                std::string_view caption, std::size_t lineCount,
                                                std::string_view decimalSymbol) {
    std::optional<std::size_t> mean;
    for (std::string_view prefix : {"M ", "CBM ", "MBM "}) {
        mean = FindCaption(table, std::string(prefix) + std::string(caption));
        if (mean)
            break;
    }
    const auto deviation = FindCaption(table, "SD " + std::string(caption));
    std::vector<StatisticsStretch> stretches;
    if (!mean && !deviation)
        return stretches;
    const bool parts = table.identifyingColumns > kFramesColumn;
    std::size_t first = 0;
    for (std::size_t row : rows) {
        StatisticsStretch stretch;
        stretch.first = first;
        stretch.count = lineCount;
        if (parts) {
            const double frames = ReadOutputNumber(table.rows[row][kFramesColumn], ".");
            stretch.count = std::isnan(frames) || frames < 0 ? 0 : static_cast<std::size_t>(frames);
        }
        stretch.mean = NumberAt(table, row, mean, decimalSymbol);
        stretch.standardDeviation = NumberAt(table, row, deviation, decimalSymbol);
        stretches.push_back(stretch);
        first += stretch.count;
    }
    return stretches;
}

std::optional<int> ReportedMovementPhases(const StatisticsTable& table,
                                          std::span<const std::size_t> rows,
                                          std::string_view activationName,
                                          std::string_view decimalSymbol) {
    const auto column =
        FindCaption(table, std::string(activationName) + ": Number of Movement Phases");
    if (!column || rows.empty())
        return std::nullopt;
    int total = 0;
    for (std::size_t row : rows) {
        const double count = NumberAt(table, row, column, decimalSymbol);
        if (std::isnan(count))
            return std::nullopt;
        total += static_cast<int>(std::lround(count));
    }
    return total;
}

}  // namespace kivo
