#include "cli/Commands.h"

namespace kivo::cli {

void RegisterCheckCommand(CLI::App& app, CommandRegistry& registry) {
    auto* command = app.add_subcommand("check", "Check data files as the input file list would add them");
    (void)command;
    (void)registry;
}

}  // namespace kivo::cli
