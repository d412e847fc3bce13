#include "cli/StudyFile.h"

#include <cstdio>

#include "cli/ConsolePrompt.h"
#include "core/FileError.h"
#include "settings/SettingsFile.h"

namespace kivo::cli {

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
