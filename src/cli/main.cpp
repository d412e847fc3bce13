#include <CLI/CLI.hpp>

#include <cstdio>
#include <exception>

#include "cli/Commands.h"
#include "cli/UserDecimalSymbol.h"

int main(int argc, char** argv) {
    CLI::App app{"Kivo: nonverbal parameters from 3D motion-capture recordings", "kivo"};
    app.set_version_flag("--version", std::string("kivo ") + KIVO_VERSION);
    app.require_subcommand(1);

    kivo::cli::CommandRegistry registry(kivo::cli::UserDecimalSymbol());
    kivo::cli::RegisterCommands(app, registry);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        if (status != 0)
            std::fputs(kivo::cli::ParsedCommandExamples(app).c_str(), stderr);
        return status;
    }
    try {
        return registry.Run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kivo: %s\n", error.what());
        return 2;
    }
}
