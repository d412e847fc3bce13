#include "cli/Commands.h"

namespace kivo::cli {

void RegisterCommands(CLI::App& app, CommandRegistry& registry) {
    RegisterCheckCommand(app, registry);
    RegisterParametersCommand(app, registry);
}

}  // namespace kivo::cli
