#include "core/Workspace.h"

#include "core/OptionFields.h"
#include "core/Text.h"

namespace kivo {

const std::array<std::string_view, kInputFileColumnCount>& InputFileColumnCaptions() {
    static const std::array<std::string_view, kInputFileColumnCount> captions = {
        "File Name",      "Partner File", "Time Field",
        "Frames/Sec",     "Use Every",    "Distances related to",
        "Angles",         "Distances",    "Dec. Places",
        "Resolution",     "Near Plane",   "Far Plane",
        "Field of View",  "Directory",    "Video Clip File",
        "Video Clip Side"};
    return captions;
}

WorkspaceOptions::WorkspaceOptions(std::string_view decimalSymbol) {
    for (const OptionField& field : OptionFields()) {
        std::string start(field.startValue);
        // Numbers start in the user's number format.
        if (field.kind == OptionKind::Number)
            start = ReplaceAll(std::move(start), ".", decimalSymbol);
        SetOptionFromStoredText(*this, field, start);
    }
}

std::optional<std::size_t> Workspace::FindInputFile(std::string_view fileName) const {
    for (std::size_t i = 0; i < inputFiles.size(); ++i) {
        if (inputFiles[i][kColFileName] == fileName)
            return i;
    }
    return std::nullopt;
}

std::string_view Workspace::InputVariableName(int position) const {
    if (position < 0 || position >= kInputVariableCount)
        return {};
    if (position < kFixedInputVariableCount)
        return FixedInputVariableNames()[position];
    return userVariableNames[position - kFirstUserVariable];
}

int Workspace::InputVariableIndex(std::string_view name) const {
    if (name.empty())
        return kNotAnInputVariable;
    for (int k = 0; k < kInputVariableCount; ++k) {
        if (InputVariableName(k) == name)
            return k;
    }
    return kNotAnInputVariable;
}

}  // namespace kivo
