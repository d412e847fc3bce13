#pragma once

#include <string>
#include <vector>

#include "core/UserPrompt.h"
#include "core/Workspace.h"
#include "engine/RunSink.h"
#include "media/ClipCodec.h"
#include "params/ParameterListCompilation.h"

namespace kivo {

struct RunSummary {
    // False when the run ended early: a cancel, a refused question, settings
    // that cannot be run, or an unexpected failure.
    bool completed = false;
    // Paths of the complete output and part files that are in place, in the
    // order written. A file is put in place (renamed from its temporary name)
    // only when its input file is done; the statistics file when the run is.
    std::vector<std::string> outputFiles;
    std::vector<std::string> filesWithErrors;  // output file names that hold error items
    std::string statisticsFile;                // path, empty when none was written
    std::vector<std::string> clipFiles;        // video clips written, in order
    // Input files not processed: missing, or skipped after a message.
    std::vector<std::string> skippedFiles;
    // Unexpected failures reported during the run ("Error Message").
    int errorMessages = 0;
    double elapsedSeconds = 0.0;
    long framesProcessed = 0;
    // List positions (from 0, ascending) of the parameter rows the user agreed
    // to disable during the run (rows that need a partner, camera rows).
    std::vector<std::size_t> rowsToUncheck;
    // Where the front end takes the user when the parameter list did not
    // compile (an undefined variable: the data fields, with the row selected).
    FocusRequest focus;
};

// How a run spreads its input files over threads and over separate runs.
struct RunSchedule {
    // Input files processed at once, each on a thread of its own (1: one after
    // the other on the calling thread). No output byte depends on it: messages
    // and questions reach the prompt one at a time, and the statistics file
    // keeps list order.
    int jobs = 1;
    // Only the input files at list positions shard, shard + shardCount, ...
    // (counted from 0) are processed; every file can still be a partner.
    int shard = 0;
    int shardCount = 1;
    // Within each file, reading runs ahead of the calculation and writing
    // behind it, each on a thread of its own (false: all on the file's
    // thread). No output byte depends on it either.
    bool pipeline = true;
};

// Runs the workspace's parameter list over every input file in list order and
// writes one output file per input file (and, in split mode, part files and a
// means file). Every message and question goes through `prompt`; progress and
// cancel requests through `sink`. Numbers are written with the workspace's
// decimal symbol. The workspace is left as it is: rows the user agreed to
// disable are listed in the summary, for the caller to apply.
// In split mode the videos of Pixel Difference are also written as one clip
// per part file, with the encoder `chooseClipCodec` picks (no chooser, or
// no choice: no clips).
// `schedule` says which files are processed and how many at once; a file that
// fails (it cannot be read or written) stops only itself.
RunSummary CalculateData(const Workspace& workspace, UserPrompt& prompt, RunSink& sink,
                         const ClipCodecChooser& chooseClipCodec = {},
                         const RunSchedule& schedule = {});

// Unchecks the summary's rows to uncheck in `parameters` (the list the run was
// given).
void UncheckRowsOfRun(std::vector<ParameterDefinition>& parameters, const RunSummary& summary);

}  // namespace kivo
