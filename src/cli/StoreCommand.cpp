#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "cli/Commands.h"
#include "cli/ConsolePrompt.h"
#include "cli/StudyFile.h"
#include "core/Workspace.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsStore.h"
#include "settings/StoreLocation.h"
#include "settings/StoredSettings.h"
#include "settings/WorkspaceSummary.h"

namespace kivo::cli {
namespace {

namespace fs = std::filesystem;

struct StoreOptions {
    std::string decimalSymbol = ".";
    std::string settingsFile;
    bool force = false;
    bool yes = false;
};

bool StoreExists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

int Failed(const char* command, const std::exception& error) {
    std::fprintf(stderr, "kivo store %s: %s\n", command, error.what());
    return kExitError;
}

int RunStorePath() {
    std::printf("%s\n", PerUserStorePath().c_str());
    return kExitSuccess;
}

int RunStoreShow(const StoreOptions& options) {
    const std::string path = PerUserStorePath();
    ConsolePrompt prompt(stderr);
    Workspace workspace(options.decimalSymbol);
    if (!LoadStoredWorkspace(workspace, prompt, "store show", false))
        return kExitError;
    std::printf("Settings store: %s%s\n%s", path.c_str(),
                StoreExists(path) ? "" : " (nothing stored yet: the start values)",
                DescribeWorkspace(workspace).c_str());
    std::fflush(stdout);
    return kExitSuccess;
}

int RunStoreExport(const StoreOptions& options) {
    const std::string& target = options.settingsFile;
    if (!MayWriteSettingsFile(target, options.force, "store export"))
        return kExitError;
    ConsolePrompt prompt(stderr);
    Workspace workspace(options.decimalSymbol);
    if (!LoadStoredWorkspace(workspace, prompt, "store export"))
        return kExitError;
    try {
        SaveSettings(workspace, target);
    } catch (const std::exception& error) {
        return Failed("export", error);
    }
    std::printf("Stored settings written to %s: %zu input files, %zu parameters\n", target.c_str(),
                workspace.inputFiles.size(), workspace.parameters.size());
    return kExitSuccess;
}

int RunStoreImport(const StoreOptions& options) {
    ConsolePrompt prompt(stderr);
    Workspace workspace(options.decimalSymbol);
    SettingsLoadNotes notes;
    if (LoadSettings(options.settingsFile, workspace, prompt, &notes) !=
        SettingsLoadResult::Loaded) {
        return kExitError;
    }
    // The store would keep the study without them: nothing is stored.
    if (workspace.inputFiles.size() < notes.storedInputFiles) {
        std::fprintf(stderr,
                     "kivo store import: %zu of the %zu input files of %s could not be added; "
                     "nothing was stored\n",
                     notes.storedInputFiles - workspace.inputFiles.size(), notes.storedInputFiles,
                     options.settingsFile.c_str());
        return kExitError;
    }
    const std::string path = PerUserStorePath();
    if (!SaveToStore(workspace, path, prompt))
        return kExitError;
    std::printf("%s stored in %s: %zu input files, %zu parameters\n", options.settingsFile.c_str(),
                path.c_str(), workspace.inputFiles.size(), workspace.parameters.size());
    return kExitSuccess;
}

int RunStoreReset(const StoreOptions& options) {
    const std::string path = PerUserStorePath();
    if (!StoreExists(path)) {
        std::printf("Nothing is stored in %s\n", path.c_str());
        return kExitSuccess;
    }
    if (!options.yes) {
        ConsolePrompt prompt(stderr);
        prompt.SetInteractive(true);
        const PromptAnswer answer =
            prompt.Ask(PromptId::ResetStore,
                       "Do you really want to delete all stored settings in '" + path + "'?",
                       PromptButtons::YesNo, PromptIcon::Exclamation);
        if (answer != PromptAnswer::Yes) {
            std::fprintf(stderr,
                         "kivo store reset: nothing was deleted (--yes deletes without "
                         "asking)\n");
            return kExitError;
        }
    }
    try {
        SettingsStore store(path, SettingsStore::Access::Write);
        store.WriteTransaction([&] { store.DeleteAll(); });
    } catch (const SettingsStoreError& error) {
        if (error.GetKind() != SettingsStoreError::Kind::Unreadable)
            return Failed("reset", error);
        // A store that cannot be read cannot be emptied: it is moved aside.
        const std::optional<std::string> aside = MoveStoreAside(path);
        if (!aside)
            return Failed("reset", error);
        std::printf("The unreadable store %s was moved to %s; nothing is stored now\n",
                    path.c_str(), aside->c_str());
        return kExitSuccess;
    } catch (const std::exception& error) {
        return Failed("reset", error);
    }
    std::printf("The stored settings in %s were deleted\n", path.c_str());
    return kExitSuccess;
}

}  // namespace

bool LoadStoredWorkspace(Workspace& workspace, UserPrompt& prompt, const char* command,
                         bool complete) {
    try {
        const std::string path = PerUserStorePath();
        if (complete && !StoreExists(path)) {
            std::fprintf(stderr,
                         "kivo %s: nothing is stored in %s (kivo store import STUDY.set stores "
                         "a study)\n",
                         command, path.c_str());
            return false;
        }
        const SettingsStore store(path, SettingsStore::Access::Read);
        const RestoreReport report = RestoreWorkspace(store, workspace, prompt);
        if (complete && (!report.filesNotFound.empty() || !report.entriesSkipped.empty())) {
            std::fprintf(stderr, "kivo %s: the stored settings were not restored completely\n",
                         command);
            return false;
        }
        return true;
    } catch (const SettingsStoreError& error) {
        const bool unreadable = error.GetKind() == SettingsStoreError::Kind::Unreadable;
        std::fprintf(stderr, "kivo %s: %s%s\n", command, error.what(),
                     unreadable ? " (kivo store reset moves it aside)" : "");
        return false;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kivo %s: %s\n", command, error.what());
        return false;
    }
}

void RegisterStoreCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<StoreOptions>();
    auto* command = app.add_subcommand(
        "store", "The per-user settings store the window restores at start and saves at exit");
    command->require_subcommand(1);
    // The decimal symbol is known once the command line is parsed.
    const auto action = [&registry, options](auto run) {
        return [&registry, options, run] {
            options->decimalSymbol = registry.DecimalSymbol();
            registry.SetAction(run);
        };
    };

    command->add_subcommand("path", "Print where the store is (KIVO_STORE chooses another file)")
        ->footer("Example: kivo store path")
        ->callback(action([] { return RunStorePath(); }));
    command->add_subcommand("show", "Print a readable summary of the stored working state")
        ->footer("Example: kivo store show")
        ->callback(action([options] { return RunStoreShow(*options); }));

    auto* exportCommand =
        command->add_subcommand("export", "Write the stored working state to a settings file");
    exportCommand->add_option("settings", options->settingsFile, "Settings file (.set) to write")
        ->required();
    exportCommand->add_flag("--force", options->force, "Overwrite an existing settings file");
    exportCommand->footer("Example: kivo store export copy.set");
    exportCommand->callback(action([options] { return RunStoreExport(*options); }));

    auto* importCommand = command->add_subcommand(
        "import", "Replace the stored working state by a settings file's, all or nothing");
    importCommand->add_option("settings", options->settingsFile, "Settings file (.set) to read")
        ->required();
    importCommand->footer("Example: kivo store import study.set");
    importCommand->callback(action([options] { return RunStoreImport(*options); }));

    auto* reset = command->add_subcommand("reset", "Delete everything the store holds");
    reset->add_flag("--yes", options->yes, "Do not ask first");
    reset->footer("Example: kivo store reset --yes");
    reset->callback(action([options] { return RunStoreReset(*options); }));
}

}  // namespace kivo::cli
