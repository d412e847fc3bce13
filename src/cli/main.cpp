#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

#include "cli/Commands.h"
#include "cli/UserDecimalSymbol.h"

int main(int argc, char** argv) {
    CLI::App app{"Kivo: nonverbal parameters from 3D motion-capture recordings", "kivo"};
    app.set_version_flag("--version", std::string("kivo ") + KIVO_VERSION);
    app.require_subcommand(1);

    kivo::cli::CommandRegistry registry(kivo::cli::UserDecimalSymbol());
    kivo::cli::RegisterCommands(app, registry);

    int status = kivo::cli::kExitSuccess;
    try {
        app.parse(argc, argv);
        status = registry.Run();
    } catch (const CLI::ParseError& error) {
        // --help and --version end the parse as well, with status 0.
        if (app.exit(error) == 0) {
            status = kivo::cli::kExitSuccess;
        } else {
            std::fputs(kivo::cli::ParsedCommandExamples(app).c_str(), stderr);
            status = kivo::cli::kExitUsage;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kivo: %s\n", error.what());
        status = kivo::cli::kExitStoppedEarly;
    }
    // What a command printed must have reached its destination (a full disk,
    // a closed pipe) before the command counts as done.
    const bool failedBefore = std::ferror(stdout) != 0;
    const int errorBefore = errno;
    errno = 0;
    const bool flushFailed = std::fflush(stdout) != 0;
    const int reason = flushFailed ? errno : errorBefore;
    if (flushFailed || failedBefore) {
        std::fprintf(stderr, "kivo: the output could not be written: %s\n",
                     reason != 0 ? std::strerror(reason) : "write error");
        if (status == kivo::cli::kExitSuccess)
            status = kivo::cli::kExitError;
    }
    return status;
}
