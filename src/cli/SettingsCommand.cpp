#include <cstdio>
#include <memory>
#include <string>

#include "cli/Commands.h"
#include "core/ConsolePrompt.h"
#include "core/Workspace.h"
#include "settings/SettingsFile.h"
#include "settings/WorkspaceSummary.h"

namespace kivo::cli {
namespace {

int RunSettingsShow(const std::string& path) {
    ConsolePrompt prompt(stderr);
    Workspace workspace;
    if (LoadSettings(path, workspace, prompt) != SettingsLoadResult::Loaded)
        return 1;
    std::printf("Settings file: %s\n%s", path.c_str(), DescribeWorkspace(workspace).c_str());
    std::fflush(stdout);
    return 0;
}

}  // namespace

void RegisterSettingsCommand(CLI::App& app, CommandRegistry& registry) {
    auto path = std::make_shared<std::string>();
    auto* command = app.add_subcommand("settings", "Settings files");
    command->require_subcommand(1);
    auto* show = command->add_subcommand("show", "Print a readable summary of a settings file");
    show->add_option("settings", *path, "Settings file (.set)")->required();
    show->callback(
        [path, &registry] { registry.SetAction([path] { return RunSettingsShow(*path); }); });
}

}  // namespace kivo::cli
