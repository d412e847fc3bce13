#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "cli/Commands.h"
#include "cli/ConsolePrompt.h"
#include "core/Workspace.h"
#include "engine/CalculationRun.h"
#include "input/InputMessages.h"
#include "media/ClipCodec.h"
#include "settings/SettingsFile.h"
#include "stats/ShardStatistics.h"

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

// Progress on stderr: a bar redrawn in place on a terminal (one per file that
// is in hand when several are processed at once), one line per file otherwise.
class ConsoleRunSink : public RunSink {
  public:
    explicit ConsoleRunSink(bool quiet) : quiet_(quiet), terminal_(isatty(STDERR_FILENO) != 0) {}

    void FileStarted(const RunProgress& progress) override {
        running_.push_back({progress, std::chrono::steady_clock::now()});
    }

    void Progress(const RunProgress& progress) override {
        RunningFile* file = Find(progress.fileNumber);
        if (file != nullptr)
            file->progress = progress;
        if (quiet_ || !terminal_)
            return;
        std::string text;
        if (running_.size() == 1) {
            text = Bar(running_.front());
        } else {
            // One short field per file, then the rate of all and the time the last needs.
            double rate = 0.0, left = 0.0;
            for (const RunningFile& running : running_) {
                const RunProgress& shown = running.progress;
                const double fraction = Fraction(shown);
                const double seconds = Seconds(running);
                text += "[" + std::to_string(shown.fileNumber) + "/" +
                        std::to_string(shown.fileCount) + "] " +
                        std::to_string(static_cast<int>(fraction * 100)) + "%  ";
                rate += seconds > 0 ? shown.framesProcessed / seconds : 0.0;
                left = std::max(left, fraction > 0 ? seconds * (1.0 - fraction) / fraction : 0.0);
            }
            char tail[64];
            std::snprintf(tail, sizeof tail, "%.0f frames/s  %s left", rate, Clock(left).c_str());
            text += tail;
        }
        std::fprintf(stderr, "\r%s\033[K", text.c_str());
        std::fflush(stderr);
    }

    void FileFinished(const RunProgress& progress) override {
        RunningFile* file = Find(progress.fileNumber);
        const double seconds = file != nullptr ? Seconds(*file) : 0.0;
        if (file != nullptr)
            running_.erase(running_.begin() + (file - running_.data()));
        if (quiet_)
            return;
        if (terminal_)
            std::fprintf(stderr, "\r\033[K");
        std::fprintf(stderr, "[%d/%d] %s: %ld frames in %.2f s (%.0f frames/s)\n",
                     progress.fileNumber, progress.fileCount, progress.fileName.c_str(),
                     progress.framesProcessed, seconds,
                     seconds > 0 ? progress.framesProcessed / seconds : 0.0);
    }

    bool TakeCancelRequest() override { return interrupted.exchange(false); }

  private:
    struct RunningFile {
        RunProgress progress;
        std::chrono::steady_clock::time_point started;
    };

    RunningFile* Find(int fileNumber) {
        for (RunningFile& file : running_) {
            if (file.progress.fileNumber == fileNumber)
                return &file;
        }
        return nullptr;
    }

    static double Seconds(const RunningFile& file) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - file.started)
            .count();
    }

    static double Fraction(const RunProgress& progress) {
        return progress.fileSize == 0 ? 0.0
                                      : static_cast<double>(progress.bytesRead) /
                                            static_cast<double>(progress.fileSize);
    }

    // "[2/8] name [####..........................]  13%  3000 frames/s  00:00:12 left"
    static std::string Bar(const RunningFile& file) {
        const RunProgress& progress = file.progress;
        const double fraction = Fraction(progress);
        const double seconds = Seconds(file);
        const double rate = seconds > 0 ? progress.framesProcessed / seconds : 0.0;
        const double left = fraction > 0 ? seconds * (1.0 - fraction) / fraction : 0.0;
        const int width = 30;
        const int filled = std::clamp(static_cast<int>(fraction * width), 0, width);
        char text[512];
        std::snprintf(text, sizeof text, "[%d/%d] %s [%s%s] %3d%% %8.0f frames/s  %s left ",
                      progress.fileNumber, progress.fileCount, progress.fileName.c_str(),
                      std::string(filled, '#').c_str(), std::string(width - filled, '.').c_str(),
                      static_cast<int>(fraction * 100), rate, Clock(left).c_str());
        return text;
    }

    bool quiet_;
    bool terminal_;
    std::vector<RunningFile> running_;  // the files in hand, in the order they started
};

// The parts of a message text around its placeholder `mark`.
std::pair<std::string_view, std::string_view> AroundPlaceholder(std::string_view text, char mark) {
    const std::size_t at = text.find(mark);
    return {text.substr(0, at), at == std::string_view::npos ? "" : text.substr(at + 1)};
}

// The run's messages as the console shows them: with --quiet only warnings,
// errors and questions; the missing body parts of all files once, at the end,
// instead of once per file; the elapsed time only in the summary.
class RunPrompt : public UserPrompt {
  public:
    RunPrompt(UserPrompt& console, bool quiet) : console_(console), quiet_(quiet) {}

    PromptAnswer Ask(const PromptMessage& message) override {
        if (message.id == PromptId::RunFinished)
            return PromptAnswer::Ok;
        if (message.id == PromptId::MissingBodyParts && RecordMissingBodyParts(message.text))
            return PromptAnswer::Yes;
        if (quiet_ && message.buttons == PromptButtons::Ok &&
            message.icon == PromptIcon::Information)
            return PromptAnswer::Ok;
        return console_.Ask(message);
    }
    using UserPrompt::Ask;

    // One warning per list of missing body parts, naming every file.
    void ReportMissingBodyParts(std::FILE* stream) const {
        for (const auto& [parts, files] : missing_) {
            std::string names;
            for (const std::string& file : files)
                names += (names.empty() ? "'" : ", '") + file + "'";
            std::fprintf(stream,
                         "Kivo: warning: Data to the following body parts are missing in %s %s: "
                         "%s\n  -> the data were processed without them\n",
                         files.size() == 1 ? "the file" : "the files", names.c_str(),
                         parts.c_str());
        }
    }

  private:
    bool RecordMissingBodyParts(std::string_view text) {
        const auto [beforeFile, afterFile] = AroundPlaceholder(kMissingBodyPartsMessage, '@');
        const auto [beforeList, afterList] = AroundPlaceholder(afterFile, '#');
        if (!text.starts_with(beforeFile) || !text.ends_with(afterList))
            return false;
        text.remove_prefix(beforeFile.size());
        text.remove_suffix(afterList.size());
        const std::size_t listAt = text.rfind(beforeList);
        if (listAt == std::string_view::npos)
            return false;
        const std::string file(text.substr(0, listAt));
        const std::string parts(text.substr(listAt + beforeList.size()));
        for (auto& [known, files] : missing_) {
            if (known == parts) {
                if (std::find(files.begin(), files.end(), file) == files.end())
                    files.push_back(file);
                return true;
            }
        }
        missing_.push_back({parts, {file}});
        return true;
    }

    UserPrompt& console_;
    bool quiet_;
    std::vector<std::pair<std::string, std::vector<std::string>>> missing_;
};

struct RunOptions {
    std::string settingsPath;
    bool store = false;
    std::string outputDirectory;
    bool overwrite = false;
    bool quiet = false;
    std::string clipCodec;
    int jobs = 0;   // 0: one per processor core
    int shard = 1;  // of shardCount, from 1
    int shardCount = 1;
    std::string pipeline = "on";
};

// The value of --clip-codec that lists the encoders instead of running.
constexpr std::string_view kListClipCodecs = "list";

// The containers of the clips the run would write: those of the videos of
// its input files (in split mode).
std::vector<std::string> ClipContainers(const Workspace& workspace) {
    std::vector<std::string> containers;
    for (const InputFileRow& row : workspace.inputFiles) {
        if (row[kColVideoClipFile].empty())
            continue;
        const std::string container = ClipContainerOf(row[kColVideoClipFile]);
        if (std::find(containers.begin(), containers.end(), container) == containers.end())
            containers.push_back(container);
    }
    return containers;
}

int ListClipCodecs(const Workspace& workspace) {
    const std::vector<std::string> containers = ClipContainers(workspace);
    if (containers.empty())
        std::printf("No input file of this study has a video.\n");
    for (const std::string& container : containers) {
        std::printf("Encoders for %s clips (--clip-codec NAME):\n", container.c_str());
        for (const ClipEncoder& encoder : ClipEncodersFor(container))
            std::printf("  %-16s %s\n", encoder.name.c_str(), encoder.description.c_str());
    }
    return 0;
}

// False (with a note) when the encoder cannot write clips of every video.
bool CheckClipCodec(const Workspace& workspace, const std::string& encoder) {
    for (const std::string& container : ClipContainers(workspace)) {
        const std::vector<ClipEncoder> encoders = ClipEncodersFor(container);
        if (std::none_of(encoders.begin(), encoders.end(),
                         [&](const ClipEncoder& offered) { return offered.name == encoder; })) {
            std::fprintf(stderr,
                         "kivo run: the encoder '%s' cannot write %s clips; --clip-codec list "
                         "shows the choices\n",
                         encoder.c_str(), container.c_str());
            return false;
        }
    }
    return true;
}

// The clip encoder of the run: --clip-codec, or none (said once).
ClipCodecChooser ClipCodecOption(const std::string& encoder) {
    if (!encoder.empty())
        return [encoder](const ClipCodecRequest&) { return ClipCodecChoice{encoder}; };
    auto told = std::make_shared<bool>(false);
    return [told](const ClipCodecRequest&) -> std::optional<ClipCodecChoice> {
        if (!*told) {
            std::fprintf(stderr,
                         "kivo run: no video clips are written for the part files; choose an "
                         "encoder with --clip-codec NAME (--clip-codec list shows them)\n");
            *told = true;
        }
        return std::nullopt;
    };
}

// The output folder of the run: --output-dir, created when missing, or the
// settings file's. False (with a note) when there is none to write into.
bool ChooseOutputFolder(const RunOptions& options, const SettingsLoadNotes& notes,
                        std::string& folder) {
    namespace fs = std::filesystem;
    if (!options.outputDirectory.empty()) {
        folder = options.outputDirectory;
        std::error_code error;
        if (!fs::is_directory(folder, error)) {
            fs::create_directories(folder, error);
            if (error) {
                std::fprintf(stderr, "kivo run: the output folder %s cannot be created: %s\n",
                             folder.c_str(), error.message().c_str());
                return false;
            }
            std::fprintf(stderr, "kivo run: created the output folder %s\n", folder.c_str());
        }
        return true;
    }
    if (options.store) {
        std::error_code error;
        if (folder.empty() || !fs::is_directory(folder, error)) {
            std::fprintf(stderr,
                         "kivo run: the stored settings name no existing output folder; give "
                         "--output-dir\n");
            return false;
        }
        return true;
    }
    for (const auto& [field, missing] : notes.missingFolders) {
        if (field == "Directory Output Files") {
            std::fprintf(stderr,
                         "kivo run: the output folder %s named in %s does not exist; create it "
                         "or give --output-dir\n",
                         missing.c_str(), options.settingsPath.c_str());
            return false;
        }
    }
    return true;
}

int RunStudy(const RunOptions& options, const std::string& decimalSymbol) {
    ConsolePrompt console(stderr);
    if (options.overwrite) {
        console.AddRule({PromptId::OverwriteOutputFiles, PromptAnswer::Yes, "--overwrite"});
    } else {
        console.AddRule({PromptId::OverwriteOutputFiles, PromptAnswer::No,
                         "existing files are kept; run again with --overwrite to replace them"});
    }
    console.AddRule({PromptId::PartnerFileMissing, PromptAnswer::Ok,
                     "the rows that need a partner are left out"});
    console.AddRule({PromptId::AbortCalculations, PromptAnswer::Yes, "interrupted"});
    console.AddRule({PromptId::StatisticsFileNameMissing, PromptAnswer::Ok, ""});
    console.AddRule({PromptId::CameraValuesMissing, PromptAnswer::Ok, ""});
    console.AddRule({PromptId::VideoNotOpened, PromptAnswer::Ok, ""});
    console.AddRule({PromptId::VideoTooSlow, PromptAnswer::Ok, ""});
    console.AddRule({PromptId::FormatLineNotFound, PromptAnswer::Ok, "the file is skipped"});
    RunPrompt prompt(console, options.quiet);

    Workspace workspace(decimalSymbol);
    SettingsLoadNotes notes;
    if (options.store) {
        if (!LoadStoredWorkspace(workspace, prompt, "run"))
            return kExitStoppedEarly;
    } else if (LoadSettings(options.settingsPath, workspace, prompt, &notes) !=
               SettingsLoadResult::Loaded) {
        return kExitStoppedEarly;
    }
    if (options.clipCodec == kListClipCodecs)
        return ListClipCodecs(workspace);
    if (!options.clipCodec.empty() && !CheckClipCodec(workspace, options.clipCodec))
        return kExitStoppedEarly;
    std::string& outputDirectory = workspace.options.directoryOutputFiles;
    if (!ChooseOutputFolder(options, notes, outputDirectory))
        return kExitStoppedEarly;
    if (workspace.inputFiles.empty() && !notes.skippedInputFiles.empty()) {
        std::fprintf(stderr,
                     "kivo run: none of the input files of %s can be read; nothing was "
                     "written\n",
                     options.settingsPath.c_str());
        return kExitFilesSkipped;
    }

    std::signal(SIGINT, OnInterrupt);
    ConsoleRunSink sink(options.quiet);
    if (options.shardCount > 1) {
        workspace.options.statisticsFileName = ShardStatisticsFileName(
            workspace.options.statisticsFileName, options.shard, options.shardCount);
    }
    RunSchedule schedule;
    schedule.shard = options.shard - 1;
    schedule.shardCount = options.shardCount;
    schedule.pipeline = options.pipeline == "on";
    schedule.jobs = options.jobs > 0
                        ? options.jobs
                        : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const RunSummary summary =
        CalculateData(workspace, prompt, sink, ClipCodecOption(options.clipCodec), schedule);
    std::signal(SIGINT, SIG_DFL);
    prompt.ReportMissingBodyParts(stderr);

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
    if (!summary.clipFiles.empty()) {
        std::printf("Video clips:\n");
        for (const std::string& path : summary.clipFiles)
            std::printf("  %s\n", path.c_str());
    }
    if (!summary.filesWithErrors.empty()) {
        std::printf("Files with error items:\n");
        for (const std::string& name : summary.filesWithErrors)
            std::printf("  %s\n", name.c_str());
    }
    std::vector<std::string> skipped = notes.skippedInputFiles;
    skipped.insert(skipped.end(), summary.skippedFiles.begin(), summary.skippedFiles.end());
    if (!skipped.empty()) {
        std::printf("Input files not processed:\n");
        for (const std::string& name : skipped)
            std::printf("  %s\n", name.c_str());
    }
    if (summary.errorMessages > 0)
        std::printf("Errors reported during the run: %d\n", summary.errorMessages);
    if (!summary.completed) {
        std::printf("The run stopped early.\n");
        return kExitStoppedEarly;
    }
    if (summary.errorMessages > 0)
        return kExitError;
    return skipped.empty() ? kExitSuccess : kExitFilesSkipped;
}

}  // namespace

void RegisterRunCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<RunOptions>();
    auto* command = app.add_subcommand("run", "Compute the parameters of a study's input files");
    auto* settings = command->add_option("settings", options->settingsPath, "Settings file (.set)");
    command
        ->add_flag("--store", options->store,
                   "Run the working state of the per-user settings store instead")
        ->excludes(settings);
    command->add_option("--output-dir", options->outputDirectory,
                        "Folder for the output files (instead of the settings file's); created "
                        "when missing");
    command->add_flag("--overwrite", options->overwrite, "Replace existing output files");
    command->add_flag("--quiet", options->quiet,
                      "Print only questions, warnings, errors and the summary (no progress)");
    command->add_option("--clip-codec", options->clipCodec,
                        "In split mode, write the video of each part file as a clip with this "
                        "encoder; 'list' shows the encoders for the study's videos");
    command
        ->add_option("--jobs", options->jobs,
                     "Input files processed at once (default: one per processor core); the "
                     "outputs are the same for every number")
        ->check(CLI::Range(1, 4096));
    command
        ->add_option("--pipeline", options->pipeline,
                     "Within each file, read ahead and write behind the calculation on threads "
                     "of their own (default: on); the outputs are the same either way")
        ->check(CLI::IsMember({"on", "off"}))
        ->type_name("on|off");
    command
        ->add_option_function<std::string>(
            "--shard",
            [options](const std::string& text) {
                int shard = 0, count = 0;
                char rest = 0;
                if (std::sscanf(text.c_str(), "%d/%d%c", &shard, &count, &rest) != 2 || shard < 1 ||
                    count < 1 || shard > count) {
                    throw CLI::ValidationError("--shard",
                                               "'" + text + "' is not K/N with 1 <= K <= N");
                }
                options->shard = shard;
                options->shardCount = count;
            },
            "Process only the input files K, K+N, K+2N, ... of the list (K/N, from 1) and write "
            "the statistics file NAME.shard-K-of-N; kivo stats merge joins the shards' files")
        ->type_name("K/N");
    command->footer(
        "Example: kivo run study.set --output-dir results\n"
        "Example: kivo run study.set --shard 2/4 --output-dir results\n"
        "Example: kivo run study.set --clip-codec ffv1\n"
        "Example: kivo run --store --output-dir results\n");
    command->callback([options, settings, &registry] {
        if (!options->store && settings->count() == 0)
            throw CLI::RequiredError("settings (or --store)");
        registry.SetAction(
            [options, &registry] { return RunStudy(*options, registry.DecimalSymbol()); });
    });
}

}  // namespace kivo::cli
