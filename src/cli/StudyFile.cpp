#include "cli/StudyFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/ConsolePrompt.h"
#include "core/FileError.h"
#include "settings/SettingsFile.h"

namespace kivo::cli {

bool MayWriteSettingsFile(const std::string& path, bool force, std::string_view command) {
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
        return true;
    const int length = static_cast<int>(command.size());
    if (!force) {
        std::fprintf(stderr, "kivo %.*s: %s exists already (--force overwrites it)\n", length,
                     command.data(), path.c_str());
        return false;
    }
    if (!IsSettingsFile(path)) {
        std::fprintf(stderr,
                     "kivo %.*s: %s is not a settings file (a regular file whose first line is "
                     "\"%s\"); --force replaces only a settings file\n",
                     length, command.data(), path.c_str(),
                     std::string(kSettingsIdentification).c_str());
        return false;
    }
    return true;
}

bool LoadStudyForChange(const std::string& path, Workspace& workspace, std::string_view command) {
    ConsolePrompt prompt(stderr);
    SettingsLoadNotes notes;
    if (LoadSettings(path, workspace, prompt, &notes) != SettingsLoadResult::Loaded)
        return false;
    if (workspace.inputFiles.size() != notes.storedInputFiles) {
        std::fprintf(stderr,
                     "kivo %.*s: %s: %zu of its %zu input files could be added; nothing was "
                     "changed (saving now would lose the others)\n",
                     static_cast<int>(command.size()), command.data(), path.c_str(),
                     workspace.inputFiles.size(), notes.storedInputFiles);
        return false;
    }
    return true;
}

bool SaveStudy(Workspace& workspace, const std::string& path, std::string_view command) {
    try {
        SaveSettings(workspace, path, SettingsFolders::RelativeWhereBelow);
    } catch (const FileError& failure) {
        std::fprintf(stderr, "kivo %.*s: %s\n", static_cast<int>(command.size()), command.data(),
                     failure.what());
        return false;
    }
    return true;
}

}  // namespace kivo::cli
