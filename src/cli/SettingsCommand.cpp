#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ConsolePrompt.h"
#include "cli/StudyFile.h"
#include "core/Workspace.h"
#include "input/OptionSettings.h"
#include "settings/SettingsFile.h"
#include "settings/WorkspaceSummary.h"

namespace kivo::cli {
namespace {

namespace fs = std::filesystem;

int RunSettingsShow(const std::string& path, const std::string& decimalSymbol) {
    ConsolePrompt prompt(stderr);
    Workspace workspace(decimalSymbol);
    if (LoadSettings(path, workspace, prompt) != SettingsLoadResult::Loaded)
        return 1;
    std::printf("Settings file: %s\n%s", path.c_str(), DescribeWorkspace(workspace).c_str());
    return 0;
}

struct SetOptions {
    std::string settingsFile;
    std::string name;
    std::string value;
    std::string dataFile;
    bool allFiles = false;
};

std::string OptionNames() {
    std::string names;
    for (const OptionSetting& setting : OptionSettings()) {
        names += "  " + std::string(setting.key) + " (" + std::string(setting.caption) +
                 "): " + std::string(setting.values) + (setting.perFile ? ", per input file" : "") +
                 "\n";
    }
    return names;
}

// Paths are given relative to the current folder.
std::string ValueForWorkspace(const OptionSetting& setting, const std::string& value) {
    const bool path = setting.kind == SettingKind::OutputFolder ||
                      setting.kind == SettingKind::PartnerFile ||
                      (setting.kind == SettingKind::VideoClipFile && value != "none");
    std::error_code error;
    if (!path || value.empty())
        return value;
    const fs::path absolute = fs::absolute(value, error);
    return error ? value : absolute.lexically_normal().string();
}

// The input files the option is set for; nothing for the option boxes alone.
// False (with a note) when the choice does not fit the option.
bool ChooseFiles(const Workspace& workspace, const OptionSetting& setting,
                 const SetOptions& options, std::vector<std::optional<std::size_t>>& files) {
    if (!setting.perFile) {
        if (!options.dataFile.empty() || options.allFiles) {
            std::fprintf(stderr, "kivo settings set: '%s' is an output option, not one of a file\n",
                         setting.caption.data());
            return false;
        }
        files.push_back(std::nullopt);
        return true;
    }
    if (options.allFiles) {
        for (std::size_t i = 0; i < workspace.inputFiles.size(); ++i)
            files.push_back(i);
        if (files.empty())
            files.push_back(std::nullopt);
        return true;
    }
    if (!options.dataFile.empty()) {
        const std::string name = fs::path(options.dataFile).filename().string();
        const std::optional<std::size_t> row = workspace.FindInputFile(name);
        if (!row) {
            std::fprintf(stderr, "kivo settings set: %s is not an input file of %s\n",
                         options.dataFile.c_str(), options.settingsFile.c_str());
            return false;
        }
        files.push_back(row);
        return true;
    }
    if (!workspace.inputFiles.empty()) {
        std::fprintf(stderr,
                     "kivo settings set: '%s' is an option of each input file; give --file "
                     "DATAFILE or --all-files\n",
                     setting.caption.data());
        return false;
    }
    files.push_back(std::nullopt);
    return true;
}

int RunSettingsSet(const SetOptions& options, const std::string& decimalSymbol) {
    const OptionSetting* setting = FindOptionSetting(options.name);
    if (setting == nullptr) {
        std::fprintf(stderr, "kivo settings set: no option '%s'; the options are:\n%s",
                     options.name.c_str(), OptionNames().c_str());
        return kExitUsage;
    }
    Workspace workspace(decimalSymbol);
    if (!LoadStudyForChange(options.settingsFile, workspace, "settings set"))
        return 1;
    std::vector<std::optional<std::size_t>> files;
    if (!ChooseFiles(workspace, *setting, options, files))
        return kExitUsage;

    ConsolePrompt console(stderr);
    CountingPrompt prompt(console);
    const std::string value = ValueForWorkspace(*setting, options.value);
    for (const std::optional<std::size_t>& file : files) {
        if (!SetOption(workspace, *setting, value, file, prompt) || prompt.Problems() > 0) {
            std::fprintf(stderr, "kivo settings set: '%s' was refused; %s is unchanged\n",
                         options.value.c_str(), options.settingsFile.c_str());
            return 1;
        }
    }
    if (!SaveStudy(workspace, options.settingsFile, "settings set"))
        return 1;
    for (const std::optional<std::size_t>& file : files) {
        const std::string of = file ? " (" + workspace.inputFiles[*file][kColFileName] + ")" : "";
        std::printf("%s: %s%s\n", setting->caption.data(),
                    OptionValue(workspace, *setting, file).c_str(), of.c_str());
    }
    return 0;
}

}  // namespace

void RegisterSettingsCommand(CLI::App& app, CommandRegistry& registry) {
    auto path = std::make_shared<std::string>();
    auto* command = app.add_subcommand("settings", "Show or change a settings file");
    command->require_subcommand(1);
    auto* show = command->add_subcommand("show", "Print a readable summary of a settings file");
    show->add_option("settings", *path, "Settings file (.set)")->required();
    show->footer("Example: kivo settings show study.set\n");
    show->callback([path, &registry] {
        registry.SetAction(
            [path, &registry] { return RunSettingsShow(*path, registry.DecimalSymbol()); });
    });

    auto options = std::make_shared<SetOptions>();
    auto* set = command->add_subcommand(
        "set", "Change an option, as typing it into its box would, and save the file");
    set->add_option("settings", options->settingsFile, "Settings file (.set)")->required();
    set->add_option("name", options->name, "Option, as 'settings show' names it or its key")
        ->required();
    set->add_option("value", options->value, "New value")->required();
    auto* file = set->add_option("--file", options->dataFile,
                                 "Input file whose option to change (per-file options)");
    auto* all =
        set->add_flag("--all-files", options->allFiles, "Change the option of every input file");
    file->excludes(all);
    set->footer("Options:\n" + OptionNames() +
                "Example: kivo settings set study.set decimal-places 3 --all-files\n");
    set->callback([options, &registry] {
        registry.SetAction(
            [options, &registry] { return RunSettingsSet(*options, registry.DecimalSymbol()); });
    });
}

}  // namespace kivo::cli
