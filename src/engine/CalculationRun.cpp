#include "engine/CalculationRun.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <system_error>
#include <thread>

#include "core/AtomicFile.h"
#include "core/ErrorTrap.h"
#include "core/FileError.h"
#include "core/InputVariableTable.h"
#include "core/NoValue.h"
#include "core/Numbers.h"
#include "core/PathChecks.h"
#include "core/StatusCode.h"
#include "core/Text.h"
#include "engine/CalculationDispatch.h"
#include "engine/CameraFunctions.h"
#include "engine/FileVideoSetUp.h"
#include "engine/FramePipeline.h"
#include "engine/OutputFile.h"
#include "engine/OutputFileNames.h"
#include "engine/OutputItems.h"
#include "engine/OverwriteRule.h"
#include "engine/SerialisedRunServices.h"
#include "input/BodyDataPositions.h"
#include "input/BodyDataReader.h"
#include "input/DataFileFormat.h"
#include "input/InputMessages.h"
#include "input/NonNumberFields.h"
#include "input/ProcessingOptionRules.h"
#include "input/TextLineReader.h"
#include "params/Catalogue.h"
#include "params/DyadicRows.h"
#include "params/ParameterListCompilation.h"
#include "stats/MovementStatistics.h"
#include "stats/StatisticsFile.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kProgressInterval = std::chrono::milliseconds(30);

// The path with its existing folders resolved (symbolic links, "..").
std::string CanonicalPath(const std::string& path) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

// Two canonical paths of one file (also through a hard link).
bool SamePath(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || fs::equivalent(a, b, error);
}

// True when `path` (canonical) names a part file of `names` (canonical),
// whatever its part number.
bool IsPartPathOf(const OutputFileNames& names, std::string_view path) {
    const std::string prefix = names.baseName + ".part-";
    if (path.size() < prefix.size() + 3 + names.extension.size() || !path.starts_with(prefix) ||
        !path.ends_with(names.extension)) {
        return false;
    }
    for (std::size_t i = prefix.size(); i < path.size() - names.extension.size(); ++i) {
        if (path[i] < '0' || path[i] > '9')
            return false;
    }
    return true;
}

// The files a run writes for one input file, by canonical path.
struct WrittenPaths {
    OutputFileNames names;  // with the canonical folder
    std::string output;     // output file
    std::string means;      // means file; empty without split mode
    std::string inputPath;  // the input file itself
};

// A file both `a` and `b` would write (in split mode also a part file of one
// being the output or means file of the other); empty when there is none.
std::string SharedPath(const WrittenPaths& a, const WrittenPaths& b, bool splitMode) {
    if (a.output == b.output)
        return a.output;
    if (!splitMode)
        return {};
    for (const std::string* path : {&a.output, &a.means}) {
        if (*path == b.output || *path == b.means || IsPartPathOf(b.names, *path))
            return *path;
    }
    for (const std::string* path : {&b.output, &b.means}) {
        if (IsPartPathOf(a.names, *path))
            return *path;
    }
    return {};
}

std::string ElapsedTimeText(double seconds) {
    const long total = static_cast<long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", total / 3600, (total / 60) % 60,
                  total % 60);
    return text;
}

// A whole number from a file's options column; FileError naming the file and
// the column otherwise.
int WholeNumberOption(const InputFileRow& row, int column, int minimum, int maximum,
                      std::string_view decimalSymbol) {
    const std::string& text = row[column];
    const std::optional<std::int16_t> value = IsNumeric(text, decimalSymbol)
                                                  ? ToInteger16(ReadUserNumber(text, decimalSymbol))
                                                  : std::nullopt;
    if (!value || *value < minimum || *value > maximum) {
        throw FileError(row[kColFileName], 0, std::string(InputFileColumnCaptions()[column]),
                        "the option '" + text + "' is not a whole number from " +
                            std::to_string(minimum) + " to " + std::to_string(maximum));
    }
    return *value;
}

// Whether an enabled row's function has the trait `needs` picks.
bool AnyEnabledRow(const ParameterArray& records, bool CatalogueEntry::*needs) {
    for (std::size_t p = 1; p < records.size(); ++p) {
        if (records[p].enabled && CatalogueEntryOf(records[p].functionIndex).*needs)
            return true;
    }
    return false;
}

// Rows that have no value before the second frame of a file (or of a part).
bool NeedsTwoFrames(const ParameterRecord& record) {
    return CatalogueEntryOf(record.functionIndex).needsPreviousFrame ||
           CatalogueEntryOf(record.baseFunction).needsPreviousFrame;
}

enum class FileOutcome { Next, EndRun };

class Run;

// One input file from its first data line to its last: the frames are read,
// computed and written in order with the file's own copy of the compiled list
// and of the input variables, so that several files can be processed at once.
// The run has opened the files and answered the questions before the first
// line. Reading and writing may go on on threads of their own (FramePipeline);
// the file's output files are then the writer's until the pipeline ends.
class FileRun : private TapeTarget {
  public:
    FileRun(Run& run, std::size_t index, const InputFileRow& row);

    // Reads, computes and writes every frame, then the file's statistics
    // lines; puts the file's output files in place. False when the run is to
    // end (an abort): the file's output files are then dropped.
    bool Process();
    // Closes what is still open after a failure and drops the file's output
    // files; earlier files of those names stay as they were.
    void Abandon() noexcept;

  private:
    friend class Run;

    // The run's prompt as the calculation of the file uses it: before a
    // message the output lines computed so far are written, as they would be
    // without a pipeline.
    class LinesFirstPrompt : public UserPrompt {
      public:
        LinesFirstPrompt(UserPrompt& prompt, FileRun& file) : prompt_(prompt), file_(file) {}
        PromptAnswer Ask(const PromptMessage& message) override {
            file_.DrainOutput();
            return prompt_.Ask(message);
        }
        std::optional<std::string> AskText(const PromptMessage& message,
                                           std::string_view initial) override {
            file_.DrainOutput();
            return prompt_.AskText(message, initial);
        }
        using UserPrompt::Ask;

      private:
        UserPrompt& prompt_;
        FileRun& file_;
    };

    bool ReadFrames();
    void StartPipeline(int useEvery);
    void DrainOutput() {
        if (pipeline_)
            pipeline_->Drain();
    }
    void TakePartnerLine(const FrameBlock& block, int frame, FrameContext& context, bool& reported);
    void TakeLine(const FrameBlock& block, int frame, int person, const InputFileRow& row,
                  bool firstFrame, bool& shortLineReported);
    void ReportShortLine(const InputFileRow& row, long lineNumber);
    void ComputeCorrection(FrameContext& context, int person, const InputFileRow& row);
    void PlanRows(double thresholdAngles, double thresholdDistances);
    void ComputeRows(FrameContext& context, long framesForTwoFrameRows, long frameNumber);
    void EndDataLine();
    // Where the pipeline's writer puts the lines (on its own thread).
    void DataLine(std::string_view line) override;
    void NoticeLine(std::string_view line) override;
    void PartEnd(std::optional<std::string_view> meansLine) override;
    void FinishPart();
    void FinishFileStatistics();
    void ReportNonNumbers(const InputFileRow& row, int person, const std::string& separator);
    void CloseInputs();
    void CommitFiles();
    void DiscardFiles() noexcept;
    bool AnyPartnerFlag() const;

    // What every frame of the file needs to know of each row, looked up once.
    struct RowPlan {
        bool evaluated = false;  // enabled, with at least one value column
        bool needsTwoFrames = false;
        std::optional<RowStatisticsPlan> statistics;  // none: no statistics are folded
    };

    Run& run_;
    LinesFirstPrompt messages_;
    UserPrompt& prompt_;
    const std::size_t index_;
    const InputFileRow& row_;
    const InputFileRow* partnerRow_ = nullptr;
    std::string separatorA_, separatorB_;

    InputVariableTable table_;
    ParameterArray records_;
    OutputFormat format_;
    StatisticsFileContext statisticsContext_;

    TextLineReader input_, partner_;
    std::string formatLines_[2];  // of the input file and its partner
    NonNumberTally nonNumbers_[2];
    OutputFile output_, part_, means_;
    std::vector<OutputFile> finishedParts_;  // full parts, put in place with the file
    std::vector<std::string> outputFiles_;   // paths of the files put in place, in order
    OutputFileNames partNames_;
    std::string partHeader_;
    ColumnLayout meansLayout_;
    long linesInPart_ = 0;
    int partNumber_ = 0;     // of the part being computed
    int writtenParts_ = 0;   // part files opened by the writer
    long linesStarted_ = 0;  // data lines the writer began to write
    long framesInFile_ = 0;
    bool fileError_ = false;
    RunProgress progress_;
    std::optional<CameraView> camera_;
    std::unique_ptr<FileVideo> video_;

    std::vector<RowPlan> rowPlans_;
    // Last: stopped before anything it reads or writes goes.
    std::unique_ptr<FramePipeline> pipeline_;
};

class Run {
  public:
    Run(const Workspace& workspace, UserPrompt& prompt, RunSink& sink,
        const ClipCodecChooser& chooseClipCodec, const RunSchedule& schedule)
        : workspace_(workspace),
          counting_(prompt),
          prompt_(counting_),
          sink_(sink),
          schedule_(schedule),
          parameters_(workspace.parameters),
          symbol_(workspace.decimalSymbol),
          clips_(prompt_, chooseClipCodec, overwriteAll_),
          sharedClips_(clips_, replaceMutex_) {
        format_.decimalSymbol = symbol_;
        schedule_.jobs = std::max(schedule_.jobs, 1);
        schedule_.shardCount = std::max(schedule_.shardCount, 1);
    }

    ~Run() { JoinWorkers(); }

    RunSummary Execute() {
        const auto start = Clock::now();
        if (Start()) {
            bool ended = false;
            slots_.assign(workspace_.inputFiles.size(), FileSlot{});
            for (std::size_t i = 0; i < workspace_.inputFiles.size() && !ended; ++i) {
                ended = aborted_ || ScheduleFile(i) == FileOutcome::EndRun;
            }
            JoinWorkers();
            ended = ended || aborted_ || fileFailed_;
            if (!ended) {
                // Every file is in place before the run says so.
                CommitStatisticsFile();
                summary_.completed = true;
                summary_.elapsedSeconds =
                    std::chrono::duration<double>(Clock::now() - start).count();
                ReportEnd();
            }
        }
        summary_.elapsedSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        Finish();
        ListRowsToUncheck();
        return summary_;
    }

    // After an unexpected failure: the files of the input files in hand and
    // the statistics file are dropped, the complete ones stay.
    RunSummary Abandon() {
        aborted_ = true;
        JoinWorkers();
        try {
            Finish();
        } catch (const std::exception&) {
            // Already reported: the failure that ended the run came first.
        }
        summary_.completed = false;
        ListRowsToUncheck();
        return summary_;
    }

  private:
    friend class FileRun;

    // Where an input file stands. The statistics lines of a file wait here
    // until every file before it in the list is done.
    struct FileSlot {
        bool done = false;
        std::vector<std::string> statisticsLines;
        std::vector<std::string> outputFiles;
        std::string fileWithErrors;
    };

    void ListRowsToUncheck() {
        summary_.rowsToUncheck.clear();
        for (std::size_t i = 0; i < parameters_.size() && i < workspace_.parameters.size(); ++i) {
            if (workspace_.parameters[i].enabled && !parameters_[i].enabled)
                summary_.rowsToUncheck.push_back(i);
        }
    }

    // Steps before the first file. False when the run does not start.
    bool Start() {
        const WorkspaceOptions& options = workspace_.options;
        std::error_code error;
        if (options.directoryOutputFiles.empty() ||
            !fs::is_directory(options.directoryOutputFiles, error)) {
            prompt_.Tell(PromptId::OutputDirectoryMissing,
                         "Please specify an existing directory for the output files!",
                         PromptIcon::Exclamation);
            return false;
        }
        splitMode_ = options.splitFile;
        if (splitMode_) {
            const std::string& text = options.noOfLines;
            const double value = IsNumeric(text, symbol_) ? ReadUserNumber(text, symbol_) : 0.0;
            if (!(value >= 2.0 && value <= 2147483647.0)) {
                prompt_.Tell(PromptId::LinesPerPartInvalid,
                             "Please enter the maximum number of data lines for each part file!",
                             PromptIcon::Exclamation);
                return false;
            }
            linesPerPart_ = static_cast<long>(value);
        }
        for (int u = 0; u < kUserVariableCount; ++u) {
            table_[kFirstUserVariable + u].name = workspace_.userVariableNames[u];
        }
        if (!Compile())
            return false;
        format_.separator = options.csvSeparator ? ';' : '\t';
        extension_ = options.csvSeparator ? ".csv" : "." + options.extension;
        if (!DecideStatistics())
            return false;
        FindMissingInputFiles();
        return CheckOutputPaths() && OpenStatisticsFile();
    }

    // Statistics are written when a row asks for them and the file has a name.
    // False when the run does not start.
    bool DecideStatistics() {
        statisticsOn_ = false;
        for (std::size_t p = 1; p < records_.size(); ++p) {
            statisticsOn_ = statisticsOn_ || (records_[p].enabled && records_[p].statistics);
        }
        if (!statisticsOn_)
            return true;
        const WorkspaceOptions& options = workspace_.options;
        if (options.statisticsFileName.empty()) {
            statisticsOn_ = false;
            return prompt_.Ask(PromptId::StatisticsFileNameMissing,
                               "The file name for the statistics file is missing!\r\nThe "
                               "calculation of statistics will be disabled.",
                               PromptButtons::OkCancel,
                               PromptIcon::Information) == PromptAnswer::Ok;
        }
        statisticsPath_ =
            (fs::path(options.directoryOutputFiles) / options.statisticsFileName).string();
        return true;
    }

    // Input files that are gone (deleted or moved since they were added) are
    // named in one message and skipped.
    void FindMissingInputFiles() {
        missing_.assign(workspace_.inputFiles.size(), false);
        std::string list;
        for (std::size_t i = 0; i < workspace_.inputFiles.size(); ++i) {
            if (IsExistingFile(workspace_.inputFiles[i].fullPath))
                continue;
            missing_[i] = true;
            if (InShard(i))
                list += "\r\n" + workspace_.inputFiles[i].fullPath;
        }
        if (!list.empty()) {
            prompt_.Tell(PromptId::InputFilesMissing,
                         "The following input files cannot be found and are skipped:\r\n" + list,
                         PromptIcon::Exclamation);
        }
    }

    // Every file the run writes is checked before any is opened: none may be
    // an input file, no two input files may write the same file, only regular
    // files are replaced, and existing files only after the overwrite question.
    bool CheckOutputPaths() {
        const WorkspaceOptions& options = workspace_.options;
        fileNames_.clear();
        std::vector<WrittenPaths> written;
        std::vector<std::string> inputPaths;
        for (std::size_t i = 0; i < workspace_.inputFiles.size(); ++i) {
            const InputFileRow& row = workspace_.inputFiles[i];
            fileNames_.push_back(MakeOutputFileNames(options.directoryOutputFiles, options.prefix,
                                                     row[kColFileName], options.suffix,
                                                     extension_));
            inputPaths.push_back(CanonicalPath(row.fullPath));
            if (!InShard(i) || missing_[i])
                continue;  // this run writes nothing for it
            WrittenPaths paths;
            paths.names = fileNames_.back();
            paths.output = CanonicalPath(paths.names.OutputPath());
            if (splitMode_)
                paths.means = CanonicalPath(paths.names.MeansPath());
            paths.names.baseName =
                paths.output.substr(0, paths.output.size() - paths.names.extension.size());
            paths.inputPath = inputPaths.back();
            written.push_back(std::move(paths));
        }
        const std::string statistics = statisticsOn_ ? CanonicalPath(statisticsPath_) : "";

        for (const std::string& input : inputPaths) {
            for (const WrittenPaths& file : written) {
                for (const std::string* path : {&file.output, &file.means}) {
                    if (!path->empty() && SamePath(*path, input)) {
                        RefuseOutputPath(*path, input);
                        return false;
                    }
                }
                if (splitMode_ && IsPartPathOf(file.names, input)) {
                    RefuseOutputPath(input, input);
                    return false;
                }
            }
            if (!statistics.empty() && SamePath(statistics, input)) {
                RefuseOutputPath(statisticsPath_, input);
                return false;
            }
        }
        for (std::size_t i = 0; i < written.size(); ++i) {
            for (std::size_t j = i + 1; j < written.size(); ++j) {
                const std::string shared = SharedPath(written[i], written[j], splitMode_);
                if (!shared.empty()) {
                    prompt_.Tell(
                        PromptId::OutputFileShared,
                        FillPlaceholders("The input files '@' and '#' would both be written to the "
                                         "file '*'.\r\nPlease rename one of them or remove it from "
                                         "the list.",
                                         {{'@', written[i].inputPath},
                                          {'#', written[j].inputPath},
                                          {'*', shared}}),
                        PromptIcon::Exclamation);
                    return false;
                }
            }
            const WrittenPaths& file = written[i];
            if (!statistics.empty() && (statistics == file.output || statistics == file.means ||
                                        (splitMode_ && IsPartPathOf(file.names, statistics)))) {
                prompt_.Tell(PromptId::OutputFileShared,
                             FillPlaceholders("The statistics file '@' would replace an output "
                                              "file of the input file '#'.\r\nPlease choose "
                                              "another name for the statistics file.",
                                              {{'@', statisticsPath_}, {'#', file.inputPath}}),
                             PromptIcon::Exclamation);
                return false;
            }
        }

        std::vector<std::string> targets;
        if (!statistics.empty())
            targets.push_back(statisticsPath_);
        for (const WrittenPaths& file : written) {
            targets.push_back(file.names.OutputPath());
            if (splitMode_)
                targets.push_back(file.names.MeansPath());
        }
        for (const std::string& target : targets) {
            try {
                RequireReplaceable(target);
            } catch (const FileError& failure) {
                prompt_.Tell(PromptId::OutputFileShared,
                             FillPlaceholders("The output file @\r\nPlease choose another "
                                              "output directory, prefix or suffix.",
                                              {{'@', failure.what()}}),
                             PromptIcon::Exclamation);
                return false;
            }
        }
        const std::lock_guard lock(replaceMutex_);
        for (const std::string& target : targets) {
            if (!MayReplaceFile(target, overwriteAll_, prompt_))
                return false;
        }
        return true;
    }

    // The statistics file of the run, under a temporary name until the run
    // completes. False when the run does not start.
    bool OpenStatisticsFile() {
        if (!statisticsOn_)
            return true;
        std::optional<StatisticsHeader> header =
            GetStatisticFormatLine(records_, splitMode_, format_.separator, prompt_);
        if (!header) {
            statisticsOn_ = false;
            return false;
        }
        statistics_.Open(statisticsPath_);
        statistics_.WriteLine(header->line);
        statisticsLayout_ = std::move(header->layout);
        return true;
    }

    void CommitStatisticsFile() {
        if (!statistics_.IsPending())
            return;
        statistics_.Close();
        summary_.statisticsFile = statistics_.Path();
    }

    bool Compile() {
        const CompileOutcome outcome = InitParameterListArray(
            records_, parameters_, table_, workspace_.boundDataFields, splitMode_, prompt_);
        compiled_ = true;
        if (outcome.failed)
            summary_.focus = outcome.focus;
        return !outcome.failed;
    }

    // The partner's row; none when the file has no partner or the partner is
    // missing (the run then asks whether to go on without it).
    const InputFileRow* FindPartnerRow(const InputFileRow& row) const {
        const std::string& partner = row[kColPartnerFile];
        if (partner.empty() || partner == kNoPartner)
            return nullptr;
        const auto position = workspace_.FindInputFile(partner);
        if (!position || missing_[*position])
            return nullptr;
        return &workspace_.inputFiles[*position];
    }

    // Opens a data file and finds its format line and column positions.
    // Returns the answer of the column search.
    PositionsAnswer OpenDataFile(FileRun& file, int person, const InputFileRow& row) {
        TextLineReader& reader = person == 1 ? file.input_ : file.partner_;
        if (!reader.Open(row.fullPath)) {
            throw FileError(row.fullPath, 0, "", "the data file " + reader.Problem());
        }
        std::string& formatLine = file.formatLines_[person - 1];
        FindFormatLine(reader, row[kColTimeField], formatLine);
        const BodyDataPositionsResult positions = GetBodyDataPositions(
            person, formatLine, row[kColTimeField], row[kColFileName], table_, prompt_);
        (person == 1 ? file.separatorA_ : file.separatorB_) = positions.separator;
        // Once per file, also when the file is read again as a partner.
        if (positions.duplicate && duplicatesTold_.insert(row.fullPath).second) {
            prompt_.Tell(PromptId::DuplicateDataField,
                         DuplicateDataFieldMessage(row.fullPath, *positions.duplicate),
                         PromptIcon::Exclamation);
        }
        return positions.answer;
    }

    bool InShard(std::size_t index) const {
        return static_cast<int>(index % static_cast<std::size_t>(schedule_.shardCount)) ==
               schedule_.shard;
    }

    // Prepares the file at `index` on this thread (questions are asked in list
    // order), then processes it here or, with more than one job, on a thread of
    // its own once one of the jobs is free.
    FileOutcome ScheduleFile(std::size_t index) {
        std::unique_ptr<FileRun> file;
        FileOutcome outcome = FileOutcome::Next;
        if (InShard(index)) {
            const bool prepared =
                RunTrapped(prompt_, "CalculateData", [&] { outcome = PrepareFile(index, file); });
            if (!prepared) {
                fileFailed_ = true;
                file.reset();
            }
        }
        if (!file) {
            FileDone(index, nullptr, outcome == FileOutcome::Next);
            return outcome;
        }
        if (schedule_.jobs == 1) {
            ProcessOnThisThread(std::move(file));
            return FileOutcome::Next;
        }
        std::unique_lock lock(mutex_);
        jobFree_.wait(lock, [&] { return running_ < schedule_.jobs; });
        ++running_;
        workers_.emplace_back([this, owned = file.release()] {
            ProcessOnThisThread(std::unique_ptr<FileRun>(owned));
            const std::lock_guard done(mutex_);
            --running_;
            jobFree_.notify_all();
        });
        return FileOutcome::Next;
    }

    // A file that fails stops alone; the others go on.
    void ProcessOnThisThread(std::unique_ptr<FileRun> file) {
        bool finished = false;
        if (!RunTrapped(prompt_, "CalculateData", [&] { finished = file->Process(); })) {
            file->Abandon();
            fileFailed_ = true;
        } else if (!finished) {
            aborted_ = true;
        }
        if (!RunTrapped(prompt_, "CalculateData",
                        [&] { FileDone(file->index_, file.get(), finished); })) {
            fileFailed_ = true;
        }
    }

    void JoinWorkers() {
        for (std::thread& worker : workers_) {
            if (worker.joinable())
                worker.join();
        }
        workers_.clear();
    }

    // Everything of an input file up to its first data line: the column
    // search, the partner, the output files, the camera and the video. The
    // answers change the run's list for the files that follow.
    FileOutcome PrepareFile(std::size_t index, std::unique_ptr<FileRun>& prepared) {
        const InputFileRow& row = workspace_.inputFiles[index];
        const std::string& fileName = row[kColFileName];
        if (missing_[index]) {
            Skipped(fileName);
            return FileOutcome::Next;
        }
        auto file = std::make_unique<FileRun>(*this, index, row);
        file->progress_ = RunProgress{fileName,
                                      static_cast<int>(index) + 1,
                                      static_cast<int>(workspace_.inputFiles.size()),
                                      0,
                                      0,
                                      0};

        // Column positions of both persons are found anew for every file.
        table_.ResetFieldIndices();
        for (int k = 0; k < kInputVariableCount; ++k) {
            table_[k].dataFieldName = workspace_.boundDataFields[k];
        }
        switch (OpenDataFile(*file, 1, row)) {
            case PositionsAnswer::Cancel:
                return FileOutcome::EndRun;
            case PositionsAnswer::Ok:
            case PositionsAnswer::No:
                Skipped(fileName);
                return FileOutcome::Next;
            default:
                break;
        }

        file->partnerRow_ = FindPartnerRow(row);
        if (file->partnerRow_ == nullptr) {
            if (AnyEnabledRow(records_, &CatalogueEntry::dyadic)) {
                const PromptAnswer answer = prompt_.Ask(
                    PromptId::PartnerFileMissing,
                    ReplaceAll("Partner file of input file '@' is missing.\r\nNo parameters will "
                               "be calculated, which needs data of a partner.",
                               "@", fileName),
                    PromptButtons::OkCancel, PromptIcon::Information);
                if (answer != PromptAnswer::Ok)
                    return FileOutcome::EndRun;
                UncheckDyadicRows(parameters_);
                if (!Compile())
                    return FileOutcome::EndRun;
                // The statistics header stays: the dropped rows keep empty fields.
                ResetStatisticsAccumulators(records_, splitMode_);
            }
        } else {
            switch (OpenDataFile(*file, 2, *file->partnerRow_)) {
                case PositionsAnswer::Cancel:
                    return FileOutcome::EndRun;
                case PositionsAnswer::Ok:
                case PositionsAnswer::No:
                    Skipped(fileName);
                    return FileOutcome::Next;
                default:
                    break;
            }
        }

        OpenOutputFiles(*file, fileNames_[index]);
        if (!CheckCamera(*file) || !CheckVideo(*file))
            return FileOutcome::EndRun;
        file->table_ = table_;
        file->records_ = records_;
        prepared = std::move(file);
        return FileOutcome::Next;
    }

    // A file is done (or was not processed): its statistics lines and output
    // files join the run's, in list order.
    void FileDone(std::size_t index, FileRun* file, bool finished) {
        const std::lock_guard lock(mutex_);
        FileSlot& slot = slots_[index];
        slot.done = true;
        if (file != nullptr) {
            summary_.framesProcessed += file->framesInFile_;
            slot.outputFiles = std::move(file->outputFiles_);
            if (finished && file->fileError_)
                slot.fileWithErrors = FileNameOf(file->partNames_.OutputPath());
            if (finished)
                sink_.FileFinished(file->progress_);
        }
        while (nextSlot_ < slots_.size() && slots_[nextSlot_].done) {
            FileSlot& head = slots_[nextSlot_];
            for (const std::string& line : head.statisticsLines)
                statistics_.WriteLine(line);
            for (std::string& path : head.outputFiles)
                summary_.outputFiles.push_back(std::move(path));
            if (!head.fileWithErrors.empty())
                summary_.filesWithErrors.push_back(std::move(head.fileWithErrors));
            head = FileSlot{true, {}, {}, {}};
            ++nextSlot_;
        }
        // The first file not yet done writes its lines straight away.
        if (nextSlot_ < slots_.size()) {
            for (const std::string& line : slots_[nextSlot_].statisticsLines)
                statistics_.WriteLine(line);
            slots_[nextSlot_].statisticsLines.clear();
        }
    }

    // A statistics line of the file at `index`: written now when every file
    // before it is done, otherwise when they are.
    void AddStatisticsLine(std::size_t index, std::string line) {
        const std::lock_guard lock(mutex_);
        if (index == nextSlot_)
            statistics_.WriteLine(line);
        else
            slots_[index].statisticsLines.push_back(std::move(line));
    }

    void RefuseOutputPath(const std::string& outputPath, const std::string& inputPath) {
        prompt_.Tell(PromptId::OutputReplacesInput,
                     ReplaceAll(ReplaceAll("The output file '@' would replace the input file "
                                           "'#'.\r\nPlease choose another output directory, "
                                           "prefix or suffix.",
                                           "@", outputPath),
                                "#", inputPath),
                     PromptIcon::Exclamation);
    }

    // An input file the run passes over (missing, or skipped after a message).
    void Skipped(const std::string& fileName) {
        const std::lock_guard lock(mutex_);
        summary_.skippedFiles.push_back(fileName);
    }

    // The output file and, in split mode, the means file of an input file,
    // under temporary names until the input file is done.
    void OpenOutputFiles(FileRun& file, const OutputFileNames& names) {
        file.partNames_ = names;
        file.output_.Open(names.OutputPath());
        const std::string header = BuildOutputHeader(records_, false, format_.separator);
        file.output_.WriteLine(header);
        if (splitMode_) {
            file.partHeader_ = header;
            MeansHeader meansHeader = GetMeansFormatLine(records_, format_.separator);
            file.meansLayout_ = std::move(meansHeader.layout);
            file.means_.Open(names.MeansPath());
            file.means_.WriteLine(meansHeader.line);
        }
    }

    // The camera of the file, when an enabled row needs one. After OK at the
    // message the camera rows of this file are setting errors, and the list
    // leaves them out in later runs.
    bool CheckCamera(FileRun& file) {
        if (!AnyEnabledRow(records_, &CatalogueEntry::camera))
            return true;
        file.camera_ = SetUpFileCamera(file.row_, symbol_);
        if (file.camera_)
            return true;
        const PromptAnswer answer = prompt_.Ask(
            PromptId::CameraValuesMissing,
            "Values for resolution, near plane, far plane, and 'field of view' are missing.\r\n"
            "\r\nThe parameters 'Camera Framing' and 'Camera Proxemics' cannot be calculated and "
            "will be disabled.",
            PromptButtons::OkCancel, PromptIcon::Information);
        if (answer != PromptAnswer::Ok)
            return false;
        for (ParameterDefinition& definition : parameters_) {
            if (CatalogueEntryOf(FunctionIndexOf(definition.function)).camera)
                definition.enabled = false;
        }
        return true;
    }

    // The video of the file, when an enabled row compares its frames; in
    // split mode its frames are also written as one clip per part file.
    bool CheckVideo(FileRun& file) {
        const InputFileRow& row = file.row_;
        if (row[kColVideoClipFile].empty() || !AnyEnabledRow(records_, &CatalogueEntry::video))
            return true;
        FileVideoSetUp setUp =
            OpenFileVideo(row, splitMode_ ? &sharedClips_ : nullptr, symbol_, prompt_);
        file.video_ = std::move(setUp.video);
        return !setUp.endRun;
    }

    void ReportEnd() {
        std::string text;
        if (workspace_.inputFiles.size() == 1) {
            text = ReplaceAll("The data of the file '@' has been processed.\r\n\r\nElapsed time: ",
                              "@", workspace_.inputFiles[0][kColFileName]);
        } else {
            text = "All files have been processed.\r\n\r\nElapsed time: ";
        }
        prompt_.Tell(PromptId::RunFinished, text + ElapsedTimeText(summary_.elapsedSeconds),
                     PromptIcon::Information);
        if (summary_.filesWithErrors.empty())
            return;
        std::string list;
        for (const std::string& name : summary_.filesWithErrors)
            list += "\r\n" + name;
        prompt_.Tell(PromptId::FilesWithErrors,
                     "While processing the data, at least one error occured.\r\nPlease check the "
                     "following output files for the item 'ERROR':\r\n" +
                         list,
                     PromptIcon::Exclamation);
    }

    void Finish() {
        summary_.clipFiles = clips_.ClipsWritten();
        // A run that did not complete leaves the previous statistics file.
        statistics_.Discard();
        summary_.errorMessages = counting_.Count();
        records_.clear();
        if (compiled_)
            RestoreUnnamedInputVariables(table_);
    }

    const Workspace& workspace_;
    ErrorCountingPrompt counting_;  // behind prompt_: one call at a time
    SerialisedPrompt prompt_;
    SerialisedSink sink_;
    RunSchedule schedule_;
    RunSummary summary_;
    // The run's own copy of the parameter list: the rows the user agrees to
    // disable are unchecked here.
    std::vector<ParameterDefinition> parameters_;
    std::string symbol_;  // the user's decimal symbol

    InputVariableTable table_;
    ParameterArray records_;
    bool compiled_ = false;

    OutputFormat format_;
    std::string extension_;
    bool splitMode_ = false;
    long linesPerPart_ = 0;
    bool overwriteAll_ = false;
    std::mutex replaceMutex_;  // the overwrite question and the clips
    RunClips clips_;
    SerialisedClips sharedClips_;

    std::set<std::string> duplicatesTold_;    // files told of a data field named twice
    std::vector<bool> missing_;               // input files that cannot be found
    std::vector<OutputFileNames> fileNames_;  // per input file
    OutputFile statistics_;
    std::string statisticsPath_;
    bool statisticsOn_ = false;
    ColumnLayout statisticsLayout_;

    // The files in hand: their slots (list order), the threads of the jobs.
    std::mutex mutex_;
    std::condition_variable jobFree_;
    int running_ = 0;
    std::vector<std::thread> workers_;
    std::vector<FileSlot> slots_;
    std::size_t nextSlot_ = 0;
    std::atomic<bool> aborted_ = false;     // the user aborted: every file stops
    std::atomic<bool> fileFailed_ = false;  // a file failed to be read or written
};

FileRun::FileRun(Run& run, std::size_t index, const InputFileRow& row)
    : run_(run),
      messages_(run.prompt_, *this),
      prompt_(messages_),
      index_(index),
      row_(row),
      format_(run.format_) {}

bool FileRun::Process() {
    const bool finished = ReadFrames();
    if (!finished) {
        DiscardFiles();
        return false;
    }
    FinishFileStatistics();
    if (!pipeline_->Finish())
        fileError_ = true;
    pipeline_.reset();
    CommitFiles();
    return true;
}

void FileRun::Abandon() noexcept {
    if (pipeline_) {
        // The calculation may have run ahead of a line that could not be
        // written: the frames processed are those up to that line.
        pipeline_->Halt();
        if (pipeline_->WriteFailed())
            framesInFile_ = std::min(framesInFile_, linesStarted_);
    }
    DiscardFiles();
}

void FileRun::CloseInputs() {
    if (video_) {
        video_->Frames().CloseVideo();
        video_.reset();
    }
    input_.Close();
    partner_.Close();
}

// Puts the files of a finished input file in place: all of them, or none
// when one cannot be written.
void FileRun::CommitFiles() {
    CloseInputs();
    output_.Finish();
    if (means_.IsPending())
        means_.Finish();
    if (part_.IsPending()) {
        part_.Finish();
        finishedParts_.push_back(std::move(part_));
        part_ = OutputFile();
    }
    output_.Close();
    outputFiles_.push_back(output_.Path());
    for (OutputFile& part : finishedParts_) {
        part.Close();
        outputFiles_.push_back(part.Path());
    }
    finishedParts_.clear();
    if (means_.IsPending())
        means_.Close();
}

// Drops the files of the input file; earlier files of those names stay.
void FileRun::DiscardFiles() noexcept {
    pipeline_.reset();
    try {
        CloseInputs();
    } catch (const std::exception&) {
        // A video that does not close cleanly changes nothing here.
    }
    output_.Discard();
    part_.Discard();
    means_.Discard();
    finishedParts_.clear();
}

// Reads and computes every n-th frame. False when the run is aborted.
bool FileRun::ReadFrames() {
    const InputFileRow& row = row_;
    const std::string& symbol = run_.symbol_;
    const bool splitMode = run_.splitMode_;
    const int useEvery = WholeNumberOption(row, kColUseEvery, 1, 32767, symbol);
    format_.decimalPlaces = WholeNumberOption(row, kColDecimalPlaces, 0, 15, symbol);
    FrameContext context{table_,
                         records_,
                         {},
                         ReadUserNumber(row[kColAngles], symbol),
                         ReadUserNumber(row[kColDistances], symbol),
                         true,
                         camera_ ? &*camera_ : nullptr,
                         video_.get()};
    statisticsContext_.fileName = row[kColFileName];
    statisticsContext_.partnerFileName = partnerRow_ ? (*partnerRow_)[kColFileName] : "";
    statisticsContext_.format = {format_.separator, format_.decimalPlaces,
                                 ReadUserNumber(row[kColFramesPerSec], symbol) / useEvery, symbol};
    PlanRows(context.thresholdAngles, context.thresholdDistances);
    const bool partnerRowsNeeded = AnyPartnerFlag();
    const std::uint64_t fileSize = input_.FileSize();
    StartPipeline(useEvery);
    FramePipeline& pipeline = *pipeline_;

    fileError_ = false;
    long& processed = framesInFile_;
    processed = 0;
    bool shortLineReported = false, partnerEndReported = false;
    auto lastProgress = Clock::now();
    run_.sink_.FileStarted(progress_);

    for (;;) {
        const FrameBlock& block = pipeline.NextFrames();
        for (int frame = 0; frame < block.frames; ++frame) {
            if (partnerRow_ != nullptr)
                TakePartnerLine(block, frame, context, partnerEndReported);
            const FrameFacts& facts = block.facts[static_cast<std::size_t>(frame)];
            TakeLine(block, frame, 1, row, context.firstFrame, shortLineReported);
            ++processed;
            if (splitMode)
                ++linesInPart_;
            pipeline.Tape().AppendText(block.Prefix(frame));

            if (context.firstFrame) {
                ComputeCorrection(context, 1, row);
                if (partnerRowsNeeded && partnerRow_ != nullptr) {
                    ComputeCorrection(context, 2, *partnerRow_);
                }
            }
            context.frameNumber = processed;
            if (splitMode && linesInPart_ == 1)
                context.clipSuffix = PartSuffix(partNumber_ + 1);
            ComputeRows(context, splitMode ? linesInPart_ : processed, processed);
            EndDataLine();

            if (block.failure && block.failedInSkippedLines && frame + 1 == block.frames) {
                pipeline.Sync();
                std::rethrow_exception(block.failure);
            }
            progress_.bytesRead = facts.bytesRead;
            progress_.fileSize = fileSize;
            progress_.framesProcessed = processed;
            const auto now = Clock::now();
            if (now - lastProgress >= kProgressInterval) {
                lastProgress = now;
                run_.sink_.Progress(progress_);
            }
            if (run_.aborted_)
                return false;
            if (run_.sink_.TakeCancelRequest()) {
                pipeline.Sync();
                if (prompt_.Ask(PromptId::AbortCalculations,
                                "Do you really want to abort the calculations?",
                                PromptButtons::YesNo,
                                PromptIcon::Exclamation) == PromptAnswer::Yes) {
                    return false;
                }
            }
            context.firstFrame = false;
        }
        if (block.failure) {
            // Lines computed before a failure to read are written before it
            // is reported, as a write failure among them comes first.
            pipeline.Sync();
            std::rethrow_exception(block.failure);
        }
        if (block.last)
            break;
    }
    progress_.bytesRead = progress_.fileSize = fileSize;
    pipeline.Sync();
    ReportNonNumbers(row, 1, separatorA_);
    if (partnerRow_ != nullptr)
        ReportNonNumbers(*partnerRow_, 2, separatorB_);
    return true;
}

// Reading runs ahead of the calculation on a thread of its own, and
// formatting and writing behind it on another, unless the run's schedule
// keeps every stage on the file's thread.
void FileRun::StartPipeline(int useEvery) {
    FrameSourceSetUp source;
    source.input = &input_;
    source.inputSeparator = SeparatorChar(separatorA_);
    source.fields[0] = FieldsReadByPerson(table_, 1);
    if (partnerRow_ != nullptr) {
        source.partner = &partner_;
        source.partnerSeparator = SeparatorChar(separatorB_);
        source.fields[1] = FieldsReadByPerson(table_, 2);
    }
    source.useEvery = useEvery;
    source.outputSeparator = format_.separator;
    source.decimalSymbol = run_.symbol_;
    TapeTarget& writer = *this;
    pipeline_ = std::make_unique<FramePipeline>(std::move(source), format_, writer,
                                                run_.schedule_.pipeline);
}

// Fields that are not numbers read as 0 or as the number they begin with;
// the user learns how many there were, and where the first one is.
void FileRun::ReportNonNumbers(const InputFileRow& row, int person, const std::string& separator) {
    const NonNumberTally& tally = nonNumbers_[person - 1];
    if (tally.count == 0)
        return;
    prompt_.Tell(PromptId::NonNumberFields,
                 NonNumberFieldsMessage(row.fullPath, tally, formatLines_[person - 1], separator),
                 PromptIcon::Exclamation);
}

bool FileRun::AnyPartnerFlag() const {
    for (std::size_t p = 1; p < records_.size(); ++p) {
        if (records_[p].enabled && records_[p].partnerFlag)
            return true;
    }
    return false;
}

// The partner's frame, read in step with the input file. When the partner
// has ended, person B's input variables hold no data for the frame.
void FileRun::TakePartnerLine(const FrameBlock& block, int frame, FrameContext& context,
                              bool& reported) {
    const InputFileRow& partnerRow = *partnerRow_;
    if (!block.facts[static_cast<std::size_t>(frame)].partnerEnded) {
        TakeLine(block, frame, 2, partnerRow, context.firstFrame, reported);
        return;
    }
    for (int k = 0; k < kInputVariableCount; ++k) {
        PersonBlock& person = table_.Person(k, 2);
        person.previousComplete = person.frameComplete;
        person.frameComplete = false;
    }
    if (!reported) {
        reported = true;
        pipeline_->Sync();
        prompt_.Tell(PromptId::PartnerEndsEarly,
                     ReplaceAll(ReplaceAll("The partner file '@' ends before the input file "
                                           "'#'.\r\nFor the remaining frames the partner's "
                                           "data are missing.",
                                           "@", partnerRow[kColFileName]),
                                "#", row_[kColFileName]),
                     PromptIcon::Exclamation);
    }
}

// Moves the converted line of `person` into the input variables; the first
// line of the file that is short of bound fields is told.
void FileRun::TakeLine(const FrameBlock& block, int frame, int person, const InputFileRow& row,
                       bool firstFrame, bool& shortLineReported) {
    const FrameLineFacts& line = block.facts[static_cast<std::size_t>(frame)].persons[person - 1];
    ApplyDataLineValues(person, line.time, block.Values(frame, person),
                        block.Present(frame, person), firstFrame, table_);
    nonNumbers_[person - 1].Add(line.nonNumbers, line.firstNonNumber, line.firstNonNumberText,
                                line.lineNumber);
    if (line.missingFields > 0 && !shortLineReported) {
        shortLineReported = true;
        ReportShortLine(row, line.lineNumber);
    }
}

void FileRun::ReportShortLine(const InputFileRow& row, long lineNumber) {
    pipeline_->Sync();
    prompt_.Tell(PromptId::ShortDataLine,
                 ReplaceAll(ReplaceAll("Line # of the file '@' has fewer fields than the "
                                       "bound data fields need.\r\nThe input variables "
                                       "concerned count as not assigned in such lines.",
                                       "#", std::to_string(lineNumber)),
                            "@", row.fullPath),
                 PromptIcon::Exclamation);
}

void FileRun::ComputeCorrection(FrameContext& context, int person, const InputFileRow& row) {
    const DistanceCorrectionResult result = CalculateDistanceCorrectionFactors(
        table_, person, row[kColDistancesRelatedTo], run_.symbol_);
    context.factors[person - 1] = result.factors;
    if (!result.failed)
        return;
    fileError_ = true;
    for (const std::string& notice : result.noticeLines)
        pipeline_->Tape().AppendNotice(notice);
}

void FileRun::PlanRows(double thresholdAngles, double thresholdDistances) {
    rowPlans_.assign(records_.size(), RowPlan{});
    for (std::size_t position = 1; position < records_.size(); ++position) {
        const ParameterRecord& record = records_[position];
        RowPlan& plan = rowPlans_[position];
        plan.evaluated = record.enabled && record.nValues >= 1;
        if (!plan.evaluated)
            continue;
        plan.needsTwoFrames = NeedsTwoFrames(record);
        if (!record.statistics)
            continue;
        RunTrapped(prompt_, "CalculateStatistics", [&] {
            plan.statistics =
                PlanRowStatistics(record, run_.splitMode_, thresholdAngles, thresholdDistances);
        });
    }
}

// Evaluates every enabled row in list order and appends its items.
void FileRun::ComputeRows(FrameContext& context, long framesForTwoFrameRows, long frameNumber) {
    for (std::size_t position = 1; position < records_.size(); ++position) {
        const RowPlan& plan = rowPlans_[position];
        if (!plan.evaluated)
            continue;
        ParameterRecord& record = records_[position];
        const int persons = record.Persons();
        if (plan.needsTwoFrames && framesForTwoFrameRows < 2) {
            const double empty = record.output ? kNoValue : 0.0;
            for (int v = 0; v < record.nValues; ++v) {
                for (int person = 1; person <= persons; ++person) {
                    record.Current(v, person) = empty;
                }
            }
            pipeline_->Tape().AppendEmpty(record);
            continue;
        }
        for (int v = 0; v < record.nValues; ++v) {
            for (int person = 1; person <= persons; ++person) {
                record.Previous(v, person) = record.Current(v, person);
                record.Current(v, person) = kNoValue;
            }
        }
        DispatchRow(context, static_cast<int>(position));
        if (record.statusA != kStatusOk) {
            fileError_ = true;
            pipeline_->Tape().AppendErrors(record, record.statusA);
        } else {
            pipeline_->Tape().AppendValues(record, context.firstFrame);
            if (plan.statistics) {
                FoldRowStatistics(record, *plan.statistics, static_cast<std::int32_t>(frameNumber),
                                  run_.splitMode_);
            }
        }
    }
}

void FileRun::EndDataLine() {
    pipeline_->Tape().EndLine();
    if (run_.splitMode_) {
        if (linesInPart_ == 1)
            ++partNumber_;
        if (linesInPart_ >= run_.linesPerPart_) {
            // The next part is opened only when a line will be written to it.
            FinishPart();
        }
    }
    pipeline_->LineEnded();
}

void FileRun::DataLine(std::string_view line) {
    ++linesStarted_;
    output_.WriteLine(line);
    if (!run_.splitMode_)
        return;
    if (!part_.IsPending()) {
        ++writtenParts_;
        part_.Open(partNames_.PartPath(writtenParts_));
        part_.WriteLine(partHeader_);
    }
    part_.WriteLine(line);
}

void FileRun::NoticeLine(std::string_view line) {
    output_.WriteLine(line);
}

// The part is put in place together with the other files of its input file.
void FileRun::PartEnd(std::optional<std::string_view> meansLine) {
    if (meansLine)
        means_.WriteLine(*meansLine);
    part_.Finish();
    finishedParts_.push_back(std::move(part_));
    part_ = OutputFile();
}

// The statistics and means lines of the current part file, which is closed
// once its lines are written.
void FileRun::FinishPart() {
    const PartFileStatisticLines lines =
        WritePartFileStatisticLine(records_, run_.statisticsLayout_, meansLayout_, partNumber_,
                                   static_cast<std::int32_t>(linesInPart_), run_.statisticsOn_,
                                   statisticsContext_, prompt_, &fileError_);
    if (lines.statisticLine && run_.statisticsOn_)
        run_.AddStatisticsLine(index_, *lines.statisticLine);
    pipeline_->Tape().EndPart(lines.meansLine);
    linesInPart_ = 0;
}

// The statistics of a finished input file: its line in the statistics file,
// or in split mode the lines of its last part when that is not full.
void FileRun::FinishFileStatistics() {
    if (run_.splitMode_) {
        if (linesInPart_ > 0)
            FinishPart();
        return;
    }
    if (!run_.statisticsOn_)
        return;
    const std::optional<std::string> line = WriteStatisticLine(
        records_, run_.statisticsLayout_, static_cast<std::int32_t>(framesInFile_),
        statisticsContext_, false, "", prompt_, &fileError_);
    if (line)
        run_.AddStatisticsLine(index_, *line);
}

}  // namespace

RunSummary CalculateData(const Workspace& workspace, UserPrompt& prompt, RunSink& sink,
                         const ClipCodecChooser& chooseClipCodec, const RunSchedule& schedule) {
    Run run(workspace, prompt, sink, chooseClipCodec, schedule);
    RunSummary summary;
    if (!RunTrapped(prompt, "CalculateData", [&] { summary = run.Execute(); })) {
        summary = run.Abandon();
    }
    return summary;
}

void UncheckRowsOfRun(std::vector<ParameterDefinition>& parameters, const RunSummary& summary) {
    for (std::size_t position : summary.rowsToUncheck) {
        if (position < parameters.size())
            parameters[position].enabled = false;
    }
}

}  // namespace kivo
