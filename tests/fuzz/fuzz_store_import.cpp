// The settings file reader and writer, and kivo store import: a settings file
// read (whatever was loaded passes the rules of the option boxes and can be
// written again), written into a fresh settings store and brought back from
// it. What the store gives back is what was imported, and whatever the store
// holds passes the rules of the option boxes. The example dyad's data files
// lie in the folder, so that the input files of a settings file that names
// them are checked and stored too.

#include <unistd.h>

#include <filesystem>
#include <string>

#include "FuzzSupport.h"
#include "core/FileError.h"
#include "core/OptionFields.h"
#include "core/Workspace.h"
#include "input/StoredOptionRules.h"
#include "settings/SettingsFile.h"
#include "settings/StoredSettings.h"

using namespace kivo;
using namespace kivo::fuzz;

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Settings files name their folders relative to the working folder.
    for (const char* name : {"dyad.A.csv", "dyad.B.csv"})
        fs::copy_file(fs::path(KIVO_EXAMPLES_DIR) / name, PathOf(name));
    if (::chdir(Folder()) != 0)
        Fail("the fuzzing folder can be entered");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteFile("study.set", AsText(data, size));
    Workspace imported;
    AnsweringPrompt prompt;
    SettingsLoadNotes notes;
    if (LoadSettings(path, imported, prompt, &notes) != SettingsLoadResult::Loaded)
        return 0;
    RequireOptionsPassTheirRules(imported, "a loaded option passes its box's rule unchanged");
    for (const InputFileRow& row : imported.inputFiles) {
        for (int column = 0; column < kInputFileColumnCount; ++column) {
            const StoredOptionValue value =
                ApplyStoredOptionRule(RuleOfInputFileColumn(column), row[column]);
            Require(value.refusal.empty() && value.text == row[column],
                    "a loaded file option passes its box's rule unchanged",
                    [&] { return row[column]; });
        }
    }
    try {
        const std::string content = SerializeSettings(imported, Folder(), PathOf("copy.set"));
        Require(!content.empty(), "a loaded study can be written");
    } catch (const FileError&) {
        // Texts a settings file cannot hold are refused by name.
    }
    if (imported.inputFiles.size() < notes.storedInputFiles)
        return 0;  // kivo store import stores nothing
    const std::string store = PathOf("settings.sqlite");
    std::error_code error;
    fs::remove(store, error);
    Require(SaveToStore(imported, store, prompt), "an imported study is stored",
            [&] { return prompt.LastText(); });

    Workspace restored;
    const RestoreReport report = RestoreStoredWorkspace(store, restored, prompt);
    Require(!report.failure && !report.unreadableStoreMovedTo, "a stored study can be read back",
            [&] { return report.failure.value_or("moved aside"); });
    Require(report.entriesSkipped.empty() && report.filesNotFound.empty(),
            "the store gives back every entry it was given", [&] {
                return report.entriesSkipped.empty() ? std::string("a file not found")
                                                     : report.entriesSkipped.front();
            });
    RequireOptionsPassTheirRules(restored, "a restored option passes its box's rule unchanged");
    Require(restored.inputFiles == imported.inputFiles, "the input file list comes back as stored");
    Require(restored.parameters == imported.parameters, "the parameter list comes back as stored");
    Require(restored.boundDataFields == imported.boundDataFields &&
                restored.userVariableNames == imported.userVariableNames,
            "the data-field assignments come back as stored");
    return 0;
}
