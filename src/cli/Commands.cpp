#include "cli/Commands.h"

#include <string>
#include <string_view>

namespace kivo::cli {
namespace {

// The "Example:" lines of the subcommands' help texts, in command order.
std::string CollectExamples(const CLI::App& app) {
    constexpr std::string_view kExample = "Example: ";
    std::string examples;
    for (const CLI::App* command : app.get_subcommands({})) {
        const std::string footer = command->get_footer();
        for (std::size_t at = footer.find(kExample); at != std::string::npos;
             at = footer.find(kExample, at + 1)) {
            const std::size_t start = at + kExample.size();
            examples += "  " + footer.substr(start, footer.find('\n', start) - start) + "\n";
        }
        examples += CollectExamples(*command);
    }
    return examples;
}

}  // namespace

void RegisterCommands(CLI::App& app, CommandRegistry& registry) {
    RegisterConvertCommand(app, registry);
    RegisterCheckCommand(app, registry);
    RegisterParametersCommand(app, registry);
    RegisterInitCommand(app, registry);
    RegisterSettingsCommand(app, registry);
    RegisterBindingsCommand(app, registry);
    RegisterVideoCommands(app, registry);
    RegisterRunCommand(app, registry);
    RegisterStatsCommand(app, registry);
    app.footer("Examples:\n" + CollectExamples(app));
}

}  // namespace kivo::cli
