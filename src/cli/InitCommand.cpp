#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CommandHints.h"
#include "cli/Commands.h"
#include "core/ConsolePrompt.h"
#include "core/FileError.h"
#include "core/Workspace.h"
#include "input/DataFieldBindings.h"
#include "input/FormatLineGuess.h"
#include "input/InputFileList.h"
#include "params/DefaultParameterList.h"
#include "settings/BindingsFile.h"
#include "settings/SettingsFile.h"

namespace kivo::cli {
namespace {

namespace fs = std::filesystem;

// The --time-label value that takes the label from the first data file.
constexpr std::string_view kAutomaticTimeLabel = "auto";

struct InitOptions {
    std::string settingsFile;
    std::vector<std::string> dataFiles;
    std::string timeLabel;
    std::string bindingsFile;
    bool force = false;
};

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

void PrintReport(const Workspace& workspace, const std::string& path) {
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
}

int RunInit(const InitOptions& options) {
    const std::string path = AbsolutePath(options.settingsFile);
    std::error_code error;
    if (!options.force && fs::exists(path, error)) {
        std::fprintf(stderr, "kivo init: %s exists already (--force overwrites it)\n",
                     path.c_str());
        return 1;
    }
    ConsolePrompt prompt(stderr);
    Workspace workspace;
    if (options.timeLabel == kAutomaticTimeLabel) {
        const std::optional<std::string> label = GuessTimeLabel(options.dataFiles.front());
        if (!label)
            return 1;
        workspace.options.timeField = *label;
    } else if (!options.timeLabel.empty()) {
        workspace.options.timeField = options.timeLabel;
    }
    if (!AddDataFiles(workspace, options.dataFiles, prompt))
        return 1;
    CreateDefaultParameterList(workspace.parameters);
    BindMatchingDataFields(workspace);
    try {
        if (!options.bindingsFile.empty()) {
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
    PrintReport(workspace, path);
    std::fflush(stdout);
    return 0;
}

}  // namespace

void RegisterInitCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<InitOptions>();
    auto* command = app.add_subcommand(
        "init", "Create a settings file for data files with the default parameter list");
    command->add_option("settings", options->settingsFile, "Settings file (.set) to create")
        ->required();
    command->add_option("datafiles", options->dataFiles, "Data files, in run order")->required();
    command->add_option("--time-label", options->timeLabel,
                        "Label of the first field of the format line (default \"Time [sec]\"); "
                        "auto: the label of the line that looks like the first file's format "
                        "line");
    command->add_option("--bindings", options->bindingsFile,
                        "File of 'input variable;data field' lines (\"#\" starts a comment)");
    command->add_flag("--force", options->force, "Overwrite an existing settings file");
    command->footer(
        "Example: kivo init study.set s01.A.txt s01.B.txt --time-label auto --bindings "
        "bindings.txt");
    command->callback(
        [options, &registry] { registry.SetAction([options] { return RunInit(*options); }); });
}

}  // namespace kivo::cli
