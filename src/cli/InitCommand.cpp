#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandHints.h"
#include "cli/Commands.h"
#include "cli/ConsolePrompt.h"
#include "cli/ConvertRecordings.h"
#include "cli/StudyFile.h"
#include "core/FileError.h"
#include "core/Workspace.h"
#include "input/DataFieldBindings.h"
#include "input/FormatLineGuess.h"
#include "input/InputFileList.h"
#include "input/KnownSkeletons.h"
#include "params/DefaultParameterList.h"
#include "settings/BindingsFile.h"
#include "settings/SettingsFile.h"

namespace kivo::cli {
namespace {

namespace fs = std::filesystem;

// The --time-label value that takes the label from the first data file.
constexpr std::string_view kAutomaticTimeLabel = "auto";

// The --bindings value that binds the data fields of known skeletons.
constexpr std::string_view kAutomaticBindings = "auto";

struct InitOptions {
    std::string settingsFile;
    std::vector<std::string> dataFiles;
    std::string timeLabel;
    std::string bindingsFile;
    std::string convertDirectory;
    bool force = false;
};

// Converts the BVH recordings among the data files into data files in
// `folder` and puts those in their place. False (with a note) when one fails.
bool ConvertBvhDataFiles(std::vector<std::string>& files, const std::string& folder, bool force) {
    std::vector<Conversion> plan;
    for (const std::string& file : files) {
        if (IsBvhFile(file))
            plan.push_back({file, (fs::path(folder) / fs::path(file).stem()).string() + ".txt"});
    }
    if (plan.empty())
        return true;
    if (!ConvertRecordings(plan, BvhConversionOptions(), force, "init"))
        return false;
    std::size_t next = 0;
    for (std::string& file : files) {
        if (IsBvhFile(file))
            file = plan[next++].target;
    }
    return true;
}

// Binds the data fields of known skeletons and prints the whole table of the
// fixed input variables.
void BindKnownSkeleton(Workspace& workspace) {
    BindKnownSkeletonFields(workspace);
    std::printf("Input variable bindings (from the data-field names of known skeletons):\n");
    std::string unbound;
    for (int position = 0; position < kFixedInputVariableCount; ++position) {
        const std::string name(workspace.InputVariableName(position));
        const std::string& field = workspace.boundDataFields[position];
        if (!field.empty())
            std::printf("  %s: %s\n", name.c_str(), field.c_str());
        else
            unbound += (unbound.empty() ? "" : ", ") + name;
    }
    std::printf("Unbound: %s\n", unbound.empty() ? "none" : unbound.c_str());
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// The time label of the line that looks like the file's format line.
std::optional<std::string> GuessTimeLabel(const std::string& file) {
    const std::optional<FormatLineGuess> guess = GuessFormatLine(file);
    if (!guess) {
        std::fprintf(stderr,
                     "kivo init: %s: no line among the first 100 names fields above lines of "
                     "numbers; give the label of the format line's first field with "
                     "--time-label\n",
                     file.c_str());
        return std::nullopt;
    }
    std::printf("Time label '%s' (format line %ld of %s)\n", guess->timeLabel.c_str(), guess->line,
                file.c_str());
    return guess->timeLabel;
}

// Adds the data files in order; false (with a note) when one is refused.
bool AddDataFiles(Workspace& workspace, const std::vector<std::string>& files, UserPrompt& prompt) {
    for (const std::string& file : files) {
        const std::string path = AbsolutePath(file);
        std::error_code error;
        if (!fs::is_regular_file(path, error)) {
            std::fprintf(stderr, "kivo init: %s: file not found\n", path.c_str());
            return false;
        }
        const auto [directory, name] = SplitDirectoryAndName(path);
        if (!AddFile(workspace, name, directory, prompt)) {
            std::fprintf(stderr, "kivo init: %s was not added to the input file list\n",
                         path.c_str());
            if (const std::string hint = FormatLineHint(path); !hint.empty())
                std::fprintf(stderr, "kivo init: %s (or --time-label auto)\n", hint.c_str());
            return false;
        }
        workspace.options.directoryInputFiles = FolderWithoutSeparator(directory);
    }
    return true;
}

// `path` is the settings file written, `given` the name the user gave it.
void PrintReport(const Workspace& workspace, const std::string& path, const std::string& given) {
    std::size_t enabled = 0;
    for (const ParameterDefinition& row : workspace.parameters)
        enabled += row.enabled ? 1 : 0;
    int bound = 0;
    for (const std::string& field : workspace.boundDataFields)
        bound += field.empty() ? 0 : 1;
    std::printf(
        "Wrote %s: %zu input files, %zu parameters (%zu enabled), %d input variables bound\n",
        path.c_str(), workspace.inputFiles.size(), workspace.parameters.size(), enabled, bound);
    for (const InputFileRow& row : workspace.inputFiles) {
        if (row[kColPartnerFile] != kNoPartner) {
            std::printf("  %s: partner %s\n", row[kColFileName].c_str(),
                        row[kColPartnerFile].c_str());
        } else {
            std::printf("  %s: no partner\n", row[kColFileName].c_str());
        }
    }
    std::string unbound;
    for (int position : NeededInputVariables(workspace)) {
        if (!workspace.boundDataFields[position].empty())
            continue;
        unbound += unbound.empty() ? "" : ", ";
        unbound += workspace.InputVariableName(position);
    }
    if (unbound.empty()) {
        std::printf("Every input variable the parameter list needs is bound.\n");
    } else {
        std::printf("Input variables the parameter list needs that are still unbound: %s\n",
                    unbound.c_str());
    }
    const bool heightUnknown =
        workspace.boundDataFields[kTop].empty() || workspace.boundDataFields[kBottom].empty();
    if (heightUnknown && GetDistanceOption(workspace.options) == "Height") {
        std::printf(
            "Without Top and Bottom the body height is unknown, so distances stay uncorrected; "
            "'kivo settings set %s distances-related-to Length --all-files' relates them to the "
            "arm and leg length instead.\n",
            ShellWord(given).c_str());
    }
}

// A new settings file may be created; an existing one is replaced only with
// --force, and only when it is a settings file and not one of the data files
// (a forgotten settings name would otherwise turn a data file into one).
bool MayCreateSettingsFile(const std::string& path, const InitOptions& options) {
    std::error_code error;
    for (const std::string& file : options.dataFiles) {
        if (options.force && fs::equivalent(path, AbsolutePath(file), error)) {
            std::fprintf(stderr,
                         "kivo init: %s is one of the data files; --force replaces only a "
                         "settings file (was the settings file's name forgotten?)\n",
                         path.c_str());
            return false;
        }
    }
    return MayWriteSettingsFile(path, options.force, "init");
}

int RunInit(const InitOptions& options, const std::string& decimalSymbol) {
    const std::string path = AbsolutePath(options.settingsFile);
    if (!MayCreateSettingsFile(path, options))
        return 1;
    std::error_code error;
    ConsolePrompt prompt(stderr);
    Workspace workspace(decimalSymbol);
    std::vector<std::string> dataFiles = options.dataFiles;
    const bool firstIsBvh = IsBvhFile(dataFiles.front());
    const std::string convertFolder = options.convertDirectory.empty()
                                          ? fs::path(path).parent_path().string()
                                          : options.convertDirectory;
    if (!options.convertDirectory.empty() && !fs::is_directory(convertFolder, error))
        fs::create_directories(convertFolder, error);  // a failure is reported by the conversion
    if (!ConvertBvhDataFiles(dataFiles, convertFolder, options.force))
        return 1;
    if (options.timeLabel == kAutomaticTimeLabel) {
        const std::optional<std::string> label = GuessTimeLabel(dataFiles.front());
        if (!label)
            return 1;
        workspace.options.timeField = *label;
    } else if (!options.timeLabel.empty()) {
        workspace.options.timeField = options.timeLabel;
    } else if (firstIsBvh) {
        workspace.options.timeField = "Time";  // the label of converted recordings
    }
    if (!AddDataFiles(workspace, dataFiles, prompt))
        return 1;
    CreateDefaultParameterList(workspace.parameters);
    BindMatchingDataFields(workspace);
    try {
        if (options.bindingsFile == kAutomaticBindings) {
            BindKnownSkeleton(workspace);
        } else if (!options.bindingsFile.empty()) {
            ApplyBindings(workspace, ReadBindingsFile(options.bindingsFile), options.bindingsFile);
        }
        // Output files go beside the settings file until the user chooses a folder.
        workspace.options.directoryOutputFiles = fs::path(path).parent_path().string();
        // The options show the first file, as after loading the settings file.
        ShowInputFileOptions(workspace, 0);
        SaveSettings(workspace, path, SettingsFolders::RelativeWhereBelow);
    } catch (const FileError& failure) {
        std::fprintf(stderr, "kivo init: %s\n", failure.what());
        return 1;
    }
    PrintReport(workspace, path, options.settingsFile);
    return 0;
}

}  // namespace

void RegisterInitCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<InitOptions>();
    auto* command = app.add_subcommand(
        "init", "Create a settings file for data files with the default parameter list");
    command->add_option("settings", options->settingsFile, "Settings file (.set) to create")
        ->required();
    command
        ->add_option("datafiles", options->dataFiles,
                     "Data files, in run order; BVH recordings (.bvh) are converted first")
        ->required();
    command->add_option("--time-label", options->timeLabel,
                        "Label of the first field of the format line (default \"Time [sec]\"); "
                        "auto: the label of the line that looks like the first file's format "
                        "line");
    command->add_option("--bindings", options->bindingsFile,
                        "File of 'input variable;data field' lines (\"#\" starts a comment), or "
                        "auto: the data fields of known skeletons (CMU, Mixamo)");
    command->add_option("--convert-dir", options->convertDirectory,
                        "Folder for the data files converted from BVH recordings (default: the "
                        "settings file's); created when missing");
    command->add_flag("--force", options->force,
                      "Overwrite an existing settings file and converted data files (never a data "
                      "file given or any other file)");
    command->footer(
        "Example: kivo init study.set s01.A.txt s01.B.txt --time-label auto --bindings auto\n");
    command->callback([options, &registry] {
        registry.SetAction(
            [options, &registry] { return RunInit(*options, registry.DecimalSymbol()); });
    });
}

}  // namespace kivo::cli
