#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>

#include "cli/Commands.h"
#include "core/ConsolePrompt.h"
#include "core/Workspace.h"
#include "engine/CalculationRun.h"
#include "settings/SettingsFile.h"

namespace kivo::cli {
namespace {


std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
    interrupted = true;
}

std::string Clock(double seconds) {
    const long total = seconds < 0 ? 0 : static_cast<long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", total / 3600, (total / 60) % 60,
                  total % 60);
    return text;
}

// Progress on stderr: a bar redrawn in place on a terminal, one line per file otherwise.
class ConsoleRunSink : public RunSink {
  public:
    explicit ConsoleRunSink(bool quiet) : quiet_(quiet), terminal_(isatty(STDERR_FILENO) != 0) {}

    void FileStarted(const RunProgress&) override { started_ = std::chrono::steady_clock::now(); }

    void Progress(const RunProgress& progress) override {
        if (quiet_ || !terminal_ || progress.fileSize == 0)
            return;
        const double fraction =
            static_cast<double>(progress.bytesRead) / static_cast<double>(progress.fileSize);
        const double seconds = Seconds();
        const double rate = seconds > 0 ? progress.framesProcessed / seconds : 0.0;
        const double left = fraction > 0 ? seconds * (1.0 - fraction) / fraction : 0.0;
        const int width = 30;
        const int filled = static_cast<int>(fraction * width);
        std::fprintf(stderr, "\r[%d/%d] %s [%s%s] %3d%% %8.0f frames/s  %s left ",
                     progress.fileNumber, progress.fileCount, progress.fileName.c_str(),
                     std::string(filled, '#').c_str(), std::string(width - filled, '.').c_str(),
                     static_cast<int>(fraction * 100), rate, Clock(left).c_str());
        std::fflush(stderr);
    }

    void FileFinished(const RunProgress& progress) override {
        if (quiet_)
            return;
        const double seconds = Seconds();
        if (terminal_)
            std::fprintf(stderr, "\r\033[K");
        std::fprintf(stderr, "[%d/%d] %s: %ld frames in %.2f s (%.0f frames/s)\n",
                     progress.fileNumber, progress.fileCount, progress.fileName.c_str(),
                     progress.framesProcessed, seconds,
                     seconds > 0 ? progress.framesProcessed / seconds : 0.0);
    }

    bool TakeCancelRequest() override { return interrupted.exchange(false); }

  private:
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    }

    bool quiet_;
    bool terminal_;
    std::chrono::steady_clock::time_point started_;
};

struct RunOptions {
    std::string settingsPath;
    std::string outputDirectory;
    bool overwrite = false;
    bool quiet = false;
};

int RunStudy(const RunOptions& options) {
    ConsolePrompt prompt(stderr);
    prompt.SetQuiet(options.quiet);
    if (options.overwrite) {
        prompt.AddRule({"overwrite all files", PromptAnswer::Yes, "--overwrite"});
    } else {
        prompt.AddRule({"overwrite all files", PromptAnswer::No,
                        "existing files are kept; run again with --overwrite to replace them"});
    }
    prompt.AddRule(
        {"body parts are missing", PromptAnswer::Yes, "the data are processed without them"});
    prompt.AddRule({"Partner file of input file", PromptAnswer::Ok,
                    "the rows that need a partner are left out"});
    prompt.AddRule({"abort the calculations", PromptAnswer::Yes, "interrupted"});
    prompt.AddRule({"statistics file is missing", PromptAnswer::Ok, ""});
    prompt.AddRule({"will be disabled", PromptAnswer::Ok, ""});
    prompt.AddRule({"cannot be calculated", PromptAnswer::Ok, ""});
    prompt.AddRule({"could not be found in the file", PromptAnswer::Ok, "the file is skipped"});

    Workspace workspace;
    if (LoadSettings(options.settingsPath, workspace, prompt) != SettingsLoadResult::Loaded) {
        return 2;
    }
    std::string& outputDirectory = workspace.options.directoryOutputFiles;
    if (!options.outputDirectory.empty())
        outputDirectory = options.outputDirectory;

    std::signal(SIGINT, OnInterrupt);
    ConsoleRunSink sink(options.quiet);
    const RunSummary summary = CalculateData(workspace, prompt, sink);
    std::signal(SIGINT, SIG_DFL);

    std::printf("%ld frames processed in %.2f s\n", summary.framesProcessed,
                summary.elapsedSeconds);
    if (!summary.outputFiles.empty()) {
        std::printf("Output files in %s:\n", outputDirectory.c_str());
        for (const std::string& path : summary.outputFiles)
            std::printf("  %s\n", path.c_str());
    }
    if (!summary.statisticsFile.empty()) {
        std::printf("Statistics file: %s\n", summary.statisticsFile.c_str());
    }
    if (!summary.filesWithErrors.empty()) {
        std::printf("Files with error items:\n");
        for (const std::string& name : summary.filesWithErrors)
            std::printf("  %s\n", name.c_str());
    }
    if (!summary.completed)
        std::printf("The run stopped early.\n");
    return summary.completed ? 0 : 2;
}

}  // namespace

void RegisterRunCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<RunOptions>();
    auto* command = app.add_subcommand("run", "Compute the parameters of a study's input files");
    command->add_option("settings", options->settingsPath, "Settings file (.set)")->required();
    command->add_option("--output-dir", options->outputDirectory,
                        "Folder for the output files (instead of the settings file's)");
    command->add_flag("--overwrite", options->overwrite, "Replace existing output files");
    command->add_flag("--quiet", options->quiet, "Print only questions, errors and the summary");
    command->callback(
        [options, &registry] { registry.SetAction([options] { return RunStudy(*options); }); });
}

}  // namespace kivo::cli
