#include "settings/WorkspaceSummary.h"

#include <string_view>

#include "input/InputFileList.h"
#include "input/ProcessingOptionRules.h"
#include "params/ValueUnits.h"

namespace kivo {
namespace {

void Line(std::string& out, int indent, std::string_view label, std::string_view value) {
    out.append(static_cast<std::size_t>(indent), ' ');
    out += label;
    out += ": ";
    out += value;
    out += '\n';
}

std::string OrNone(const std::string& text) {
    return text.empty() ? "(none)" : text;
}

std::string WithUnit(const std::string& value, std::string_view unit) {
    return value.empty() ? value : value + " (" + std::string(unit) + ")";
}

std::string CameraWithUnits(const std::string& camera) {
    return camera.empty()
               ? OrNone(camera)
               : camera + " (pixels/near and far plane in the " + std::string(kUnitDataUnit) +
                     "/field of view in " + std::string(kUnitDegrees) + ")";
}

// A column's text with the unit it is given in.
std::string ColumnWithUnit(const InputFileRow& row, int column) {
    switch (column) {
        case kColAngles:
        case kColFieldOfView:
            return WithUnit(row[column], kUnitDegrees);
        case kColDistances:
            return WithUnit(row[column], DistanceUnit(row[kColDistancesRelatedTo]));
        case kColNearPlane:
        case kColFarPlane:
            return WithUnit(row[column], kUnitDataUnit);
        case kColResolution:
            return WithUnit(row[column], "pixels");
        default:
            return row[column];
    }
}

void DescribeOptions(std::string& out, const Workspace& workspace) {
    const WorkspaceOptions& options = workspace.options;
    out += "Options\n";
    Line(out, 2, "Time Field", options.timeField);
    Line(out, 2, "Frames/Sec", options.linesPerSec);
    Line(out, 2, "Use Every",
         options.skipLines +
             OrdinalFrameLabel(options.skipLines, workspace.decimalSymbol).substr(0, 2) + " frame");
    Line(out, 2, "Distances related to", GetDistanceOption(options));
    Line(out, 2, "Angles", WithUnit(options.thresholdAngles, kUnitDegrees));
    Line(out, 2, "Distances",
         WithUnit(options.thresholdDistances, DistanceUnit(GetDistanceOption(options))));
    Line(out, 2, "Dec. Places", options.decimalPlaces);
    Line(out, 2, "Camera", CameraWithUnits(options.camera));
    out += "Output\n";
    Line(out, 2, "Output Folder", OrNone(options.directoryOutputFiles));
    Line(out, 2, "Prefix", options.prefix);
    Line(out, 2, "Suffix", options.suffix);
    Line(out, 2, "Separator",
         options.tsvSeparator ? "tab, extension ." + options.extension : "\";\", extension .csv");
    Line(out, 2, "Statistics File", OrNone(options.statisticsFileName));
    Line(out, 2, "Split Output Files",
         options.splitFile ? "yes, " + options.noOfLines + " lines per part file" : "no");
    out += "Folders\n";
    Line(out, 2, "Input Files", OrNone(options.directoryInputFiles));
    Line(out, 2, "Video Clips", OrNone(options.directoryVideoClips));
    Line(out, 2, "Settings Files", OrNone(options.directorySettingsFiles));
}

void DescribeInputFiles(std::string& out, const Workspace& workspace) {
    out += "Input Files: " + std::to_string(workspace.inputFiles.size()) + "\n";
    const auto& captions = InputFileColumnCaptions();
    for (std::size_t i = 0; i < workspace.inputFiles.size(); ++i) {
        const InputFileRow& row = workspace.inputFiles[i];
        out += "  " + std::to_string(i + 1) + ". " + row[kColFileName] + "\n";
        for (int column = kColPartnerFile; column < kInputFileColumnCount; ++column) {
            const bool optional = column == kColVideoClipFile || column == kColVideoClipSide;
            Line(out, 5, captions[column],
                 optional ? OrNone(row[column]) : ColumnWithUnit(row, column));
        }
    }
}

void DescribeUserVariables(std::string& out, const Workspace& workspace) {
    std::string names;
    for (const std::string& name : workspace.userVariableNames) {
        if (name.empty())
            continue;
        names += names.empty() ? "" : ", ";
        names += name;
    }
    Line(out, 0, "User Variables", names.empty() ? "(none)" : names);
}

}  // namespace

std::string DescribeBindings(const Workspace& workspace) {
    std::string out;
    int bound = 0;
    for (const std::string& field : workspace.boundDataFields)
        bound += field.empty() ? 0 : 1;
    out += "Data Fields: " + std::to_string(bound) + " of " + std::to_string(kInputVariableCount) +
           " input variables bound\n";
    for (int k = 0; k < kInputVariableCount; ++k) {
        const std::string& field = workspace.boundDataFields[k];
        const std::string_view name = workspace.InputVariableName(k);
        if (k >= kFixedInputVariableCount && name.empty() && field.empty())
            continue;
        const std::string label =
            name.empty()
                ? "(unnamed user variable " + std::to_string(k - kFirstUserVariable + 1) + ")"
                : std::string(name);
        Line(out, 2, label, field.empty() ? "(unbound)" : field);
    }
    return out;
}

std::string DescribeWorkspace(const Workspace& workspace) {
    std::string out;
    DescribeOptions(out, workspace);
    DescribeInputFiles(out, workspace);
    out += DescribeBindings(workspace);
    DescribeUserVariables(out, workspace);
    std::size_t enabled = 0;
    for (const ParameterDefinition& row : workspace.parameters)
        enabled += row.enabled ? 1 : 0;
    out += "Parameters: " + std::to_string(workspace.parameters.size()) + " (" +
           std::to_string(enabled) + " enabled)\n";
    return out;
}

}  // namespace kivo
