// The bindings file reader and the binding of its lines.

#include "FuzzSupport.h"
#include "core/FileError.h"
#include "core/Workspace.h"
#include "settings/BindingsFile.h"

using namespace kivo;
using namespace kivo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteFile("bindings.txt", AsText(data, size));
    Workspace workspace;
    for (const char* name : {"Hips", "Chest", "Head", "Hand R"})
        workspace.dataFieldNames.Add(name);
    try {
        const std::vector<DataFieldBinding> bindings = ReadBindingsFile(path);
        for (const DataFieldBinding& binding : bindings) {
            Require(binding.line >= 1, "a binding names its line");
            Require(binding.inputVariable.find('\n') == std::string::npos &&
                        binding.dataField.find('\n') == std::string::npos,
                    "a binding lies on one line", [&] { return binding.inputVariable; });
        }
        ApplyBindings(workspace, bindings, path);
    } catch (const FileError&) {
        // A refused file names its problem; nothing else is expected.
    }
    return 0;
}
