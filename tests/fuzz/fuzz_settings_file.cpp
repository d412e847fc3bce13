// The settings file reader, and the writer on whatever it accepted.

#include "FuzzSupport.h"
#include "core/FileError.h"
#include "core/OptionFields.h"
#include "core/Workspace.h"
#include "input/StoredOptionRules.h"
#include "settings/SettingsFile.h"

using namespace kivo;
using namespace kivo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteFile("study.set", AsText(data, size));
    Workspace workspace;
    AnsweringPrompt prompt;
    if (LoadSettings(path, workspace, prompt) != SettingsLoadResult::Loaded)
        return 0;
    // Whatever was loaded passes the rules of the option boxes as it stands.
    RequireOptionsPassTheirRules(workspace, "a loaded option passes its box's rule unchanged");
    for (const InputFileRow& row : workspace.inputFiles) {
        for (int column = 0; column < kInputFileColumnCount; ++column) {
            const StoredOptionValue value =
                ApplyStoredOptionRule(RuleOfInputFileColumn(column), row[column]);
            Require(value.refusal.empty() && value.text == row[column],
                    "a loaded file option passes its box's rule unchanged",
                    [&] { return row[column]; });
        }
    }
    try {
        const std::string content = SerializeSettings(workspace, Folder(), PathOf("copy.set"));
        Require(!content.empty(), "a loaded study can be written");
    } catch (const FileError&) {
        // Texts a settings file cannot hold are refused by name.
    }
    return 0;
}
