#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "cli/ConsolePrompt.h"
#include "cli/StudyFile.h"
#include "core/FileError.h"
#include "core/Workspace.h"
#include "settings/BindingsFile.h"
#include "settings/SettingsFile.h"
#include "settings/WorkspaceSummary.h"

namespace kivo::cli {
namespace {

struct BindingsOptions {
    std::string settingsFile;
    std::string variable;
    std::optional<std::string> dataField;
};

std::string OfferedDataFields(const Workspace& workspace) {
    std::string names;
    for (const std::string& name : workspace.dataFieldNames.Names()) {
        if (!name.empty())
            names += (names.empty() ? "" : ", ") + name;
    }
    return names.empty() ? "(none)" : names;
}

int ShowBindings(const std::string& path) {
    ConsolePrompt prompt(stderr);
    Workspace workspace;
    if (LoadSettings(path, workspace, prompt) != SettingsLoadResult::Loaded)
        return 1;
    std::printf("%sData fields offered: %s\n", DescribeBindings(workspace).c_str(),
                OfferedDataFields(workspace).c_str());
    std::fflush(stdout);
    return 0;
}

int ChangeBinding(const BindingsOptions& options) {
    Workspace workspace;
    if (!LoadStudyForChange(options.settingsFile, workspace, "bindings"))
        return 1;
    try {
        ApplyBindings(workspace, {{options.variable, *options.dataField, 0}}, options.settingsFile);
    } catch (const FileError& failure) {
        std::fprintf(stderr, "kivo bindings: %s\n", failure.what());
        if (failure.Field() == *options.dataField)
            std::fprintf(stderr, "Data fields offered: %s\n", OfferedDataFields(workspace).c_str());
        return 1;
    }
    if (!SaveStudy(workspace, options.settingsFile, "bindings"))
        return 1;
    std::printf("%s: %s\n", options.variable.c_str(),
                options.dataField->empty() ? "(unbound)" : options.dataField->c_str());
    std::fflush(stdout);
    return 0;
}

int RunBindings(const BindingsOptions& options) {
    if (options.variable.empty())
        return ShowBindings(options.settingsFile);
    if (!options.dataField) {
        std::fputs("kivo bindings: give the data field after the input variable (\"\" unbinds)\n",
                   stderr);
        return kExitUsage;
    }
    return ChangeBinding(options);
}

}  // namespace

void RegisterBindingsCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<BindingsOptions>();
    auto* command = app.add_subcommand(
        "bindings", "Show the data field of every input variable, or bind one to another");
    command->add_option("settings", options->settingsFile, "Settings file (.set)")->required();
    command->add_option("variable", options->variable, "Input variable to bind, such as \"Arm L\"");
    command->add_option("field", options->dataField,
                        "Data field the data files offer, or \"\" to unbind");
    command->footer("Example: kivo bindings study.set Chest Spine2\n");
    command->callback(
        [options, &registry] { registry.SetAction([options] { return RunBindings(*options); }); });
}

}  // namespace kivo::cli
