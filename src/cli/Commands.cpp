#include "cli/Commands.h"

namespace kivo::cli {

void RegisterCommands(CLI::App& app, CommandRegistry& registry) {
    RegisterCheckCommand(app, registry);
    RegisterParametersCommand(app, registry);
    RegisterInitCommand(app, registry);
    RegisterSettingsCommand(app, registry);
    RegisterRunCommand(app, registry);
    RegisterStatsCommand(app, registry);
}

}  // namespace kivo::cli
