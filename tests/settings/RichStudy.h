#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "params/Catalogue.h"
#include "support/SmallDataFile.h"
#include "support/TempDir.h"

namespace kivo::testing {

// A study whose every stored field is away from its start value; with
// `lists`, three input files in `dir`/study (two partners and one of its own,
// with different time labels, rates and camera columns, one without camera),
// bindings up to the last position, user variables, and rows of functions
// inside and outside the catalogue with odd texts in every column.
inline Workspace RichStudy(const TempDir& dir, bool storeTexts, bool lists = true) {
    // Texts with blanks at the ends, commas, "#", "#TRUE#", a tab, a quote mark,
    // a backslash and multi-byte characters; the settings store also holds
    // double quotes and line breaks.
    const std::string odd =
        std::string(" a,#TRUE#\t'\\;\xC3\xA9 True -1 ") + (storeTexts ? "\"q\"\r\n\n" : "");
    Workspace workspace;
    WorkspaceOptions& o = workspace.options;
    o.directoryInputFiles = dir.PathOf("");
    o.directoryOutputFiles = "/tmp";
    o.timeField = odd;
    o.linesPerSec = "120.0048";
    o.skipLines = "7";
    o.bodyHeight = "172.5";
    o.thresholdAngles = "3";
    o.thresholdDistances = "0.5";
    o.decimalPlaces = "15";
    o.camera = "640X480/1/100/45";
    o.prefix = odd;
    o.suffix = "#FALSE#";
    o.extension = odd + "x";
    o.statisticsFileName = odd + ".csv";
    o.noOfLines = "500";
    o.distances = o.distancesHeight = o.csvSeparator = false;
    o.distancesLength = o.tsvSeparator = o.splitFile = true;
    o.showWarning = !storeTexts;  // kept in the store only
    if (!lists)
        return workspace;

    const std::string folder = WithTrailingSeparator(dir.PathOf("study"));
    std::filesystem::create_directories(folder);
    const std::array<std::string, kInputFileColumnCount> files[] = {
        {"s0.A.csv", "s0.B.csv", "T s", "100", "2", "172.5", "0.25", "3", "12", "1024x768", "10",
         "4000", "40", folder, odd + ".avi", "Left Side"},
        {"s0.B.csv", "s0.A.csv", "Zeit", "120.0048", "1", "Length", "3", "0.1", "1", "", "", "", "",
         folder, "", "Both Sides"},
        {"take.csv", "No", "Time [sec]", "100", "7", "unmodified", "0.1", "0.25", "3", "640x480",
         "1", "100", "45", folder, odd, odd}};
    for (const auto& columns : files) {
        const std::string& name = columns[kColFileName];
        WriteSmallDataFile(dir, "study/" + name, columns[kColTimeField],
                           columns[kColFramesPerSec] == "100" ? "0.01" : "0.008333");
        workspace.inputFiles.push_back(InputFileRow{columns, folder + name});
    }

    workspace.boundDataFields[kHips] = "Hips";
    workspace.boundDataFields[kHead] = odd;
    workspace.boundDataFields[kInputVariableCount - 1] = "Last";
    workspace.userVariableNames[0] = "Cup";
    workspace.userVariableNames[kUserVariableCount - 1] = odd;
    auto& rows = workspace.parameters;
    AddParameterRow(rows, odd, "Static SRL", "Hips", "", "Base", "x", "", "x", true);
    AddParameterRow(rows, "Gap", "Distance", "Hand L", "Hand R", "", "", "x", odd, false);
    AddParameterRow(rows, "Odd", odd, odd, odd, odd, "X", odd, "", true);
    return workspace;
}

// What loading `saved` (from a settings file or the store) into a fresh
// workspace must give.
inline Workspace ExpectedAfterLoading(Workspace saved, const Workspace& loaded) {
    SetAllParameterTypeTags(saved.parameters);
    ShowInputFileOptions(saved, 0);  // the video controls are not stored
    // The name list is not stored: it comes from the first file and the bindings.
    saved.dataFieldNames = loaded.dataFieldNames;
    return saved;
}

}  // namespace kivo::testing
