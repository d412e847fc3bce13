#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/Workspace.h"
#include "plot/PlotData.h"

namespace kivo {

// The output columns that carry the values of the enabled Activation rows of
// the parameter list (the Magnitude column they read, or their own column
// when they write one). Empty when the list does not compile.
std::vector<ActivationSource> ActivationSources(const Workspace& workspace);

// The files a run of the workspace writes for input file `fileIndex`.
std::string OutputPathOf(const Workspace& workspace, std::size_t fileIndex);
std::string StatisticsPathOf(const Workspace& workspace);

// A plot of the output of input file `fileIndex`: its statistics when the
// statistics file exists, the phases of its Activation columns with the
// file's Distances threshold, and with `withPartner` the partner's output
// drawn over it (when the file has a partner in the list).
PlotRequest StudyPlotRequest(const Workspace& workspace, std::size_t fileIndex,
                             std::string columnPattern, bool withPartner);

// The columns a plot shows when it opens: the Activation columns of the
// request, else the first value column of its output file, as a pattern
// that matches their captions exactly. Throws FileError when the output file
// cannot be read.
std::string FirstColumnsPattern(const PlotRequest& request);

}  // namespace kivo
