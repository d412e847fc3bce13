#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "plot/FileStatistics.h"
#include "plot/MovementPhases.h"

namespace kivo {

// An output column whose values are an Activation row's: its movement and
// pause phases can be shaded behind it.
struct ActivationSource {
    std::string activationName;  // the Activation row (its statistics captions begin with it)
    std::string caption;         // the output column that carries its values
    // True when the column is the Activation row's own: its first line is
    // empty like the run's first value; otherwise the run counts from 0.
    bool ownColumn = false;
};

// One output file of a plot: person A's (the input file's) or person B's
// (the partner's output file, drawn over it).
struct PlotFile {
    std::string outputPath;
    // Its input file's name as the statistics file gives it; empty: taken
    // from the output file's name.
    std::string inputFileName;
    // The Distances threshold of its input file: movement above it.
    double movementThreshold = 0.1;
};

// What to plot: chosen columns of one output file and, for a dyad, the same
// columns of the partner's output file.
struct PlotRequest {
    PlotFile file;
    std::optional<PlotFile> partner;
    std::string columnPattern;   // regular expression over the captions
    std::string statisticsPath;  // empty: no statistics
    std::vector<ActivationSource> activations;
    std::string decimalSymbol = ".";
};

// One drawn column of one person.
struct PlotSeries {
    std::string caption;
    int person = 1;  // 1 = A, 2 = B
    std::vector<double> time;
    std::vector<double> values;  // NaN: no value on that line
    std::vector<StatisticsStretch> statistics;
    // Phases, when the column carries an Activation row's values.
    std::optional<MovementPhases> phases;
    double movementThreshold = 0.0;
    std::optional<int> reportedMovementPhases;  // from the statistics file
};

struct PlotData {
    std::string title;  // the output file's name
    std::vector<PlotSeries> series;
    // Things the user should know (no statistics line for the file, phases
    // counted differently from the statistics file, ...).
    std::vector<std::string> notes;
    std::string decimalSymbol = ".";  // for numbers shown with the chart
};

// Reads the chosen columns of the output file(s), their statistics and the
// phases of Activation columns. Throws FileError for an unreadable file and
// std::invalid_argument for a bad pattern or one that matches no column.
PlotData LoadPlotData(const PlotRequest& request);

// The legend text of a series: its caption, with "(A)" or "(B)" in a dyad's
// plot, then its mean and standard deviation (or "M ± SD per part") and its
// number of movement phases where known.
std::string SeriesLabel(const PlotSeries& series, bool dyad, std::string_view decimalSymbol);

}  // namespace kivo
