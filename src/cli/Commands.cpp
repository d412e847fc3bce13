#include "cli/Commands.h"

#include <string>
#include <string_view>

namespace kivo::cli {
namespace {

constexpr std::string_view kExample = "Example: ";

// The "Example:" lines of a command's help text, each as `indent` and the line.
std::string ExampleLines(const CLI::App& command, std::string_view indent) {
    std::string examples;
    const std::string footer = command.get_footer();
    for (std::size_t at = footer.find(kExample); at != std::string::npos;
         at = footer.find(kExample, at + 1)) {
        const std::size_t start = at + kExample.size();
        examples +=
            std::string(indent) + footer.substr(start, footer.find('\n', start) - start) + "\n";
    }
    return examples;
}

// The examples of all subcommands, in command order.
std::string CollectExamples(const CLI::App& app, std::string_view indent) {
    std::string examples;
    for (const CLI::App* command : app.get_subcommands({}))
        examples += ExampleLines(*command, indent) + CollectExamples(*command, indent);
    return examples;
}

// A command made of subcommands (settings, store) shows their examples.
void GiveGroupsTheirExamples(CLI::App& app) {
    for (CLI::App* command : app.get_subcommands({})) {
        if (!command->get_subcommands({}).empty() && ExampleLines(*command, "").empty())
            command->footer("Examples:\n" + CollectExamples(*command, "  "));
    }
}

}  // namespace

std::string ParsedCommandExamples(const CLI::App& app) {
    const CLI::App* command = &app;
    while (!command->get_subcommands().empty())
        command = command->get_subcommands().back();
    if (command == &app)
        return {};
    const std::string examples = ExampleLines(*command, kExample);
    return examples.empty() ? CollectExamples(*command, kExample) : examples;
}

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
    RegisterPlotCommand(app, registry);
    RegisterStoreCommand(app, registry);
    GiveGroupsTheirExamples(app);
    app.footer("Examples:\n" + CollectExamples(app, "  ") +
               "\nExit statuses:\n"
               "  0   done (run: every input file was processed)\n"
               "  1   a file or the settings store could not be read or written, a value was\n"
               "      refused, or an error was reported during a run\n"
               "  2   the run stopped early or could not start\n"
               "  3   the run completed, but input files were skipped (missing or refused)\n"
               "  64  the command line is not understood");
}

}  // namespace kivo::cli
