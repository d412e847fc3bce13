#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

#include "core/UserPrompt.h"
#include "core/Workspace.h"

namespace kivo::cli {

// Exit statuses of every command (listed at the end of `kivo --help`).
inline constexpr int kExitSuccess = 0;       // done; a run processed every input file
inline constexpr int kExitError = 1;         // a refusal or failure, an error during a run
inline constexpr int kExitStoppedEarly = 2;  // a run stopped early or could not start
inline constexpr int kExitFilesSkipped = 3;  // a run completed but skipped input files
inline constexpr int kExitUsage = 64;        // the command line is not understood

// Each command adds its subcommand and, when parsed, sets the action to run.
// The registry also carries what every command takes from the environment.
class CommandRegistry {
  public:
    explicit CommandRegistry(std::string decimalSymbol = ".")
        : decimalSymbol_(std::move(decimalSymbol)) {}

    void SetAction(std::function<int()> action) { action_ = std::move(action); }
    int Run() const { return action_ ? action_() : 0; }

    // The user's decimal symbol, for the workspaces the commands create.
    const std::string& DecimalSymbol() const { return decimalSymbol_; }

  private:
    std::function<int()> action_;
    std::string decimalSymbol_;
};

void RegisterCommands(CLI::App& app, CommandRegistry& registry);

// The example lines of the command the arguments named (after a usage error).
std::string ParsedCommandExamples(const CLI::App& app);

// One registration function per command (each in its own file).
void RegisterCheckCommand(CLI::App& app, CommandRegistry& registry);
void RegisterConvertCommand(CLI::App& app, CommandRegistry& registry);
void RegisterParametersCommand(CLI::App& app, CommandRegistry& registry);
void RegisterInitCommand(CLI::App& app, CommandRegistry& registry);
void RegisterSettingsCommand(CLI::App& app, CommandRegistry& registry);
void RegisterBindingsCommand(CLI::App& app, CommandRegistry& registry);
void RegisterRunCommand(CLI::App& app, CommandRegistry& registry);
void RegisterStatsCommand(CLI::App& app, CommandRegistry& registry);
void RegisterPlotCommand(CLI::App& app, CommandRegistry& registry);
void RegisterVideoCommands(CLI::App& app, CommandRegistry& registry);
void RegisterStoreCommand(CLI::App& app, CommandRegistry& registry);

// Restores the working state from the per-user settings store for `command`.
// Returns false, with the reason on stderr, when the store cannot be read or,
// with `complete`, when nothing is stored or the state was not restored
// completely (stored input files that are gone).
bool LoadStoredWorkspace(Workspace& workspace, UserPrompt& prompt, const char* command,
                         bool complete = true);

}  // namespace kivo::cli
