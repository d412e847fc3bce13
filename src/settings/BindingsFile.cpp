#include "settings/BindingsFile.h"

#include "core/FileError.h"
#include "core/Text.h"
#include "input/TextLineReader.h"

namespace kivo {

std::vector<DataFieldBinding> ReadBindingsFile(const std::string& path) {
    TextLineReader reader;
    if (!reader.Open(path))
        throw FileError(path, 0, "", "The bindings file " + reader.Problem());
    std::vector<DataFieldBinding> bindings;
    std::string text;
    while (reader.ReadLine(text)) {
        const long line = reader.LineNumber();
        const std::string_view content = TrimBlanks(text);
        if (content.empty() || content.front() == '#')
            continue;
        const std::size_t separator = content.find(';');
        if (separator == std::string_view::npos) {
            throw FileError(
                path, line, "",
                "Expected 'input variable;data field', found '" + std::string(content) + "'");
        }
        DataFieldBinding binding;
        binding.inputVariable = std::string(TrimBlanks(content.substr(0, separator)));
        binding.dataField = std::string(TrimBlanks(content.substr(separator + 1)));
        binding.line = line;
        bindings.push_back(std::move(binding));
    }
    return bindings;
}

void ApplyBindings(Workspace& workspace, const std::vector<DataFieldBinding>& bindings,
                   const std::string& path) {
    std::array<std::string, kInputVariableCount> bound = workspace.boundDataFields;
    for (const DataFieldBinding& binding : bindings) {
        const int position = workspace.InputVariableIndex(binding.inputVariable);
        if (position == kNotAnInputVariable) {
            throw FileError(path, binding.line, binding.inputVariable,
                            "There is no input variable of this name");
        }
        if (!binding.dataField.empty() && !workspace.dataFieldNames.Contains(binding.dataField)) {
            throw FileError(path, binding.line, binding.dataField,
                            "The data files offer no data field of this name");
        }
        bound[position] = binding.dataField;
    }
    workspace.boundDataFields = std::move(bound);
}

}  // namespace kivo
