#include "plot/PlotData.h"

#include <cmath>
#include <stdexcept>

#include "core/Numbers.h"
#include "engine/OutputFileNames.h"
#include "plot/OutputColumns.h"
#include "stats/StatisticsTable.h"

namespace kivo {
namespace {

struct LoadedStatistics {
    StatisticsTable table;
    bool present = false;
};

void AddFileSeries(PlotData& data, const PlotRequest& request, const PlotFile& file, int person,
                   const LoadedStatistics& statistics) {
    const OutputHeader header = ReadOutputHeader(file.outputPath);
    const std::vector<std::size_t> positions = MatchOutputColumns(header, request.columnPattern);
    if (positions.empty()) {
        throw std::invalid_argument("no column caption of " + file.outputPath + " matches '" +
                                    request.columnPattern + "'");
    }
    OutputColumns columns = ReadOutputColumns(header, positions, request.decimalSymbol);

    std::vector<std::size_t> rows;
    if (statistics.present) {
        std::string name = file.inputFileName;
        if (name.empty())
            name = InputFileOfOutput(statistics.table, file.outputPath).value_or("");
        if (!name.empty())
            rows = StatisticsRowsOf(statistics.table, name);
        if (rows.empty()) {
            data.notes.push_back("The statistics file has no line for " +
                                 FileNameOf(file.outputPath) + ".");
        }
    }

    for (std::size_t chosen = 0; chosen < positions.size(); ++chosen) {
        PlotSeries series;
        series.caption = columns.Caption(chosen);
        series.person = person;
        series.time = columns.time;
        series.values = std::move(columns.values[chosen]);
        if (!rows.empty()) {
            series.statistics = ColumnStatistics(statistics.table, rows, series.caption,
                                                 series.time.size(), request.decimalSymbol);
        }
        for (const ActivationSource& source : request.activations) {
            if (source.caption != series.caption)
                continue;
            series.phases =
                FindMovementPhases(series.values, file.movementThreshold, !source.ownColumn);
            series.movementThreshold = file.movementThreshold;
            if (!rows.empty()) {
                series.reportedMovementPhases = ReportedMovementPhases(
                    statistics.table, rows, source.activationName, request.decimalSymbol);
            }
            if (series.reportedMovementPhases &&
                *series.reportedMovementPhases != series.phases->movementPhases) {
                data.notes.push_back(source.activationName + " in " + FileNameOf(file.outputPath) +
                                     ": " + std::to_string(series.phases->movementPhases) +
                                     " movement phases in the written (rounded) values, " +
                                     std::to_string(*series.reportedMovementPhases) +
                                     " in the statistics file.");
            }
            break;
        }
        data.series.push_back(std::move(series));
    }
}

}  // namespace

PlotData LoadPlotData(const PlotRequest& request) {
    PlotData data;
    data.title = FileNameOf(request.file.outputPath);
    data.decimalSymbol = request.decimalSymbol;
    LoadedStatistics statistics;
    if (!request.statisticsPath.empty()) {
        statistics.table = ReadStatisticsFile(request.statisticsPath);
        statistics.present = true;
    }
    AddFileSeries(data, request, request.file, 1, statistics);
    if (request.partner) {
        data.title += " / " + FileNameOf(request.partner->outputPath);
        AddFileSeries(data, request, *request.partner, 2, statistics);
    }
    return data;
}

std::string SeriesLabel(const PlotSeries& series, bool dyad, std::string_view decimalSymbol) {
    std::string label = series.caption;
    if (dyad)
        label += series.person == 1 ? " (A)" : " (B)";
    std::vector<std::string> facts;
    if (series.statistics.size() == 1 && !std::isnan(series.statistics.front().mean)) {
        const StatisticsStretch& s = series.statistics.front();
        std::string fact = "M " + FormatGeneral(s.mean, decimalSymbol, 4);
        if (!std::isnan(s.standardDeviation))
            fact += " \u00b1 " + FormatGeneral(s.standardDeviation, decimalSymbol, 4);
        facts.push_back(std::move(fact));
    } else if (series.statistics.size() > 1) {
        facts.emplace_back("M \u00b1 SD per part");
    }
    if (series.phases) {
        const int count = series.reportedMovementPhases.value_or(series.phases->movementPhases);
        facts.push_back(std::to_string(count) +
                        (count == 1 ? " movement phase" : " movement phases"));
    }
    for (std::size_t i = 0; i < facts.size(); ++i)
        label += (i == 0 ? ": " : ", ") + facts[i];
    return label;
}

}  // namespace kivo
