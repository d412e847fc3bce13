#include "core/OptionFields.h"

#include <array>

#include "core/Text.h"

namespace kivo {
namespace {

using O = WorkspaceOptions;
using K = OptionKind;

constexpr OptionField TextField(std::string_view caption, K kind, std::string O::*member,
                                std::string_view start, bool missingGivesStart) {
    return {caption, kind, member, nullptr, start, missingGivesStart};
}

constexpr OptionField StateField(std::string_view caption, K kind, bool O::*member,
                                 std::string_view start, bool missingGivesStart) {
    return {caption, kind, nullptr, member, start, missingGivesStart};
}

constexpr bool kStart = true;
constexpr bool kCurrent = false;

constexpr std::array<OptionField, 24> kOptionFields = {{
    TextField("Directory Input Files", K::Folder, &O::directoryInputFiles, "", kCurrent),
    TextField("Directory Output Files", K::Folder, &O::directoryOutputFiles, "", kCurrent),
    TextField("Directory Video Clips", K::Folder, &O::directoryVideoClips, "", kCurrent),
    TextField("Directory Settings Files", K::Folder, &O::directorySettingsFiles, "", kCurrent),
    TextField("Time Field", K::Text, &O::timeField, "Time [sec]", kStart),
    TextField("Frames/Sec", K::Number, &O::linesPerSec, "30", kStart),
    TextField("Use Every", K::Number, &O::skipLines, "1", kStart),
    StateField("Distances related to", K::CheckBox, &O::distances, "1", kCurrent),
    TextField("Body Height", K::Number, &O::bodyHeight, "", kStart),
    StateField("Height", K::OptionButton, &O::distancesHeight, "True", kCurrent),
    StateField("Length", K::OptionButton, &O::distancesLength, "False", kCurrent),
    TextField("Angles", K::Number, &O::thresholdAngles, "0.25", kStart),
    TextField("Distances", K::Number, &O::thresholdDistances, "0.1", kStart),
    TextField("Dec. Places", K::Number, &O::decimalPlaces, "1", kStart),
    TextField("Camera", K::Text, &O::camera, "1024x768/10/4000/40", kStart),
    TextField("Prefix", K::Text, &O::prefix, "", kCurrent),
    TextField("Suffix", K::Text, &O::suffix, "", kCurrent),
    StateField("CSV", K::OptionButton, &O::csvSeparator, "True", kCurrent),
    StateField("TSV", K::OptionButton, &O::tsvSeparator, "False", kCurrent),
    TextField("Extension", K::Text, &O::extension, "TSV", kStart),
    TextField("Statistics File", K::Text, &O::statisticsFileName, "Statistics.csv", kCurrent),
    StateField("Split Output Files", K::CheckBox, &O::splitFile, "0", kCurrent),
    TextField("Lines Per File", K::Number, &O::noOfLines, "", kCurrent),
    StateField("Show Warning", K::Flag, &O::showWarning, "True", kStart),
}};

}  // namespace

std::span<const OptionField> OptionFields() {
    return kOptionFields;
}

std::string StoredOptionText(const WorkspaceOptions& options, const OptionField& field) {
    if (field.HoldsText())
        return options.*field.text;
    const bool state = options.*field.state;
    if (field.kind == OptionKind::CheckBox)
        return state ? "1" : "0";
    return state ? "True" : "False";
}

bool SetOptionFromStoredText(WorkspaceOptions& options, const OptionField& field,
                             std::string_view text) {
    if (field.HoldsText()) {
        options.*field.text = std::string(text);
        return true;
    }
    const std::string_view trimmed = TrimBlanks(text);
    bool state = false;
    if (field.kind == OptionKind::CheckBox) {
        if (trimmed != "0" && trimmed != "1")
            return false;
        state = trimmed == "1";
    } else if (EqualsIgnoringCase(trimmed, "True")) {
        state = true;
    } else if (!EqualsIgnoringCase(trimmed, "False")) {
        return false;
    }
    options.*field.state = state;
    return true;
}

}  // namespace kivo
