#pragma once

#include <string>
#include <vector>

#include "core/UserPrompt.h"
#include "core/Workspace.h"
#include "engine/RunSink.h"
#include "media/ClipCodec.h"

namespace kivo {

struct RunSummary {
    // False when the run ended early: a cancel, a refused question, settings
    // that cannot be run, or an unexpected failure.
    bool completed = false;
    std::vector<std::string> outputFiles;      // paths, in the order written
    std::vector<std::string> filesWithErrors;  // output file names that hold error items
    std::string statisticsFile;                // path, empty when none was written
    std::vector<std::string> clipFiles;        // video clips written, in order
    double elapsedSeconds = 0.0;
    long framesProcessed = 0;
};

// Runs the workspace's parameter list over every input file in list order and
// writes one output file per input file (and, in split mode, part files and a
// means file). Every message and question goes through `prompt`; progress and
// cancel requests through `sink`. The run may uncheck parameter rows of the
// workspace (rows that need a partner, camera rows) when the user agrees.
// In split mode the videos of Pixel Difference are also written as one clip
// per part file, with the encoder `chooseClipCodec` picks (no chooser, or
// no choice: no clips).
RunSummary CalculateData(Workspace& workspace, UserPrompt& prompt, RunSink& sink,
                         const ClipCodecChooser& chooseClipCodec = {});

}  // namespace kivo
