#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/UserPrompt.h"
#include "core/Workspace.h"

namespace kivo {

// The first field of every settings file.
inline constexpr std::string_view kSettingsIdentification = "Kivo Settings";

// How SaveSettings writes folders: as they are, or relative to the settings
// file's folder wherever they lie in or below it (a study folder that can be
// moved as a whole).
enum class SettingsFolders { AsTheyAre, RelativeWhereBelow };

// Writes the whole workspace to the settings file `path`. The working folder
// of settings files becomes the file's folder. A text that contains a double
// quote or a line break cannot be read back: such a workspace is refused with
// a FileError naming the field, and nothing is written. The file is written
// beside the target under a temporary name and then renamed over it, so an
// interrupted save leaves the old file intact; only a regular file is ever
// replaced (not a link, device or pipe). I/O failures throw FileError.
void SaveSettings(Workspace& workspace, const std::string& path,
                  SettingsFolders folders = SettingsFolders::AsTheyAre);

// The settings file's content as SaveSettings writes it, with
// `settingsFolder` as the working folder of settings files. Throws FileError
// (with `path` as the file) for texts that cannot be stored.
std::string SerializeSettings(const Workspace& workspace, std::string_view settingsFolder,
                              const std::string& path,
                              SettingsFolders folders = SettingsFolders::AsTheyAre);

// `folder` relative to `base` when it is `base` itself or lies below it
// ("." or "data/raw", with the trailing separator kept); otherwise unchanged.
std::string FolderRelativeTo(const std::string& folder, const std::string& base);

// Asks before a save replaces the settings file `path`: true when there is no
// such file or the user agreed. Throws FileError without asking when `path`
// is not a regular file (see RequireReplaceable).
bool ConfirmSettingsFileOverwrite(const std::string& path, UserPrompt& prompt);

// True when `path` is a regular file (not a link to one) that begins with the
// settings identification.
bool IsSettingsFile(const std::string& path);

enum class SettingsLoadResult {
    Loaded,
    NotSettingsFile,  // the user was told "This file contains no valid settings!"
    Failed,           // an error was reported; the workspace holds what was read so far
};

// What a load could not take over, for a front end to report or to guard on.
struct SettingsLoadNotes {
    std::size_t storedInputFiles = 0;  // input file records in the file
    // Names of the stored input files that were not added (missing, or
    // refused by the file check), in file order.
    std::vector<std::string> skippedInputFiles;
    // Stored folders that do not exist (kept at their previous value), as
    // "caption: folder" with the folder resolved against the settings file.
    std::vector<std::pair<std::string, std::string>> missingFolders;
};

// Reads the settings file `path` into the workspace. Every stored input file
// passes the file check again with its own time label; a file missing from
// its stored folder is looked for in the settings file's folder. Messages and
// errors go through `prompt`. The parameter type tags are derived afresh in
// every case.
SettingsLoadResult LoadSettings(const std::string& path, Workspace& workspace, UserPrompt& prompt,
                                SettingsLoadNotes* notes = nullptr);

// Adds the stored input file described by its sixteen column texts (checked
// with its own time label, column 2) and gives its row the stored texts. The
// stored partner columns of the other rows stay as they are. Returns true
// when the file was added.
bool AddFileWithColumns(Workspace& workspace,
                        const std::array<std::string, kInputFileColumnCount>& columns,
                        UserPrompt& prompt);

}  // namespace kivo
