#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

namespace kivo::cli {

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
void RegisterVideoCommands(CLI::App& app, CommandRegistry& registry);

}  // namespace kivo::cli
