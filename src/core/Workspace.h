#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DataFieldNameList.h"
#include "core/InputVariableTable.h"
#include "core/ParameterDefinition.h"

namespace kivo {

// Columns of a row of the input file list.
enum InputFileColumn : int {
    kColFileName = 0,
    kColPartnerFile,
    kColTimeField,
    kColFramesPerSec,
    kColUseEvery,
    kColDistancesRelatedTo,
    kColAngles,
    kColDistances,
    kColDecimalPlaces,
    kColResolution,
    kColNearPlane,
    kColFarPlane,
    kColFieldOfView,
    kColDirectory,
    kColVideoClipFile,
    kColVideoClipSide,
};
inline constexpr int kInputFileColumnCount = 16;

// Column captions of the input file list, in column order.
const std::array<std::string_view, kInputFileColumnCount>& InputFileColumnCaptions();

// The partner column of a file without a partner.
inline constexpr std::string_view kNoPartner = "No";

// One input file: its sixteen column texts and its full path.
struct InputFileRow {
    std::array<std::string, kInputFileColumnCount> columns;
    std::string fullPath;

    std::string& operator[](int column) { return columns[column]; }
    const std::string& operator[](int column) const { return columns[column]; }

    bool operator==(const InputFileRow&) const = default;
};

// The values of the option controls: the processing options of new files,
// the video controls, the output options and the working folders. Texts are
// kept as the controls show them; check boxes and option buttons as states.
// Every option but the video controls starts with its value in OptionFields().
struct WorkspaceOptions {
    // The start values; numbers are written with `decimalSymbol`.
    explicit WorkspaceOptions(std::string_view decimalSymbol = ".");

    // Working folders.
    std::string directoryInputFiles;
    std::string directoryOutputFiles;  // txtDirectoryOutputFiles
    std::string directoryVideoClips;
    std::string directorySettingsFiles;

    // Processing options (copied into the row of every file added).
    std::string timeField;           // txtTimeField
    std::string linesPerSec;         // txtLinesPerSec
    std::string skipLines;           // txtSkipLines
    bool distances = false;          // chkDistances
    std::string bodyHeight;          // txtBodyHeight
    bool distancesHeight = false;    // optDistancesHeight
    bool distancesLength = false;    // optDistancesLength
    std::string thresholdAngles;     // txtThresholdAngles
    std::string thresholdDistances;  // txtThresholdDistances
    std::string decimalPlaces;       // txtDecimalPlaces
    std::string camera;              // txtCamera

    // Video controls (they show the selected file's video columns).
    bool videoClipSide = false;  // chkVideoClipSide
    bool leftSide = false;       // optLeftSide
    bool rightSide = false;      // optRightSide
    bool bothSides = true;       // optBothSides

    // Output options.
    std::string prefix;              // txtPrefix
    std::string suffix;              // txtSuffix
    bool csvSeparator = false;       // optCSVSeparator
    bool tsvSeparator = false;       // optTSVSeparator
    std::string extension;           // txtExtension
    std::string statisticsFileName;  // txtStatisticsFileName
    bool splitFile = false;          // chkSplitFile
    std::string noOfLines;           // txtNoOfLines

    // Whether the warning on entering the parameter page is shown.
    bool showWarning = false;

    bool operator==(const WorkspaceOptions&) const = default;
};

// The whole working state: options, input file list, data-field names and
// bindings, user variables and the parameter list.
struct Workspace {
    Workspace() = default;
    // A workspace for a user whose decimal symbol is `decimalSymbol`.
    explicit Workspace(std::string_view userDecimalSymbol)
        : decimalSymbol(userDecimalSymbol), options(userDecimalSymbol) {}

    // The user's decimal symbol, taken by the front end from the user's
    // environment (never stored with the settings): numbers typed into the
    // option boxes may use it, and numbers written into the option boxes,
    // output files and statistics files use it.
    std::string decimalSymbol = ".";
    WorkspaceOptions options;
    std::vector<InputFileRow> inputFiles;
    // The names offered for binding (from the format line of the first file).
    DataFieldNameList dataFieldNames;
    // Bound data-field name per input-variable position 0..85 (empty = unbound).
    std::array<std::string, kInputVariableCount> boundDataFields;
    // Names of the user variables 0..49 (input-variable positions 36..85).
    std::array<std::string, kUserVariableCount> userVariableNames;
    std::vector<ParameterDefinition> parameters;

    // List position of the file whose name (column 0) is `fileName`.
    std::optional<std::size_t> FindInputFile(std::string_view fileName) const;

    // Name of input-variable position 0..85: the fixed name or the user's name.
    std::string_view InputVariableName(int position) const;
    // Position of the first input variable named exactly `name`, else
    // kNotAnInputVariable. An empty name is no input variable.
    int InputVariableIndex(std::string_view name) const;

    bool operator==(const Workspace&) const = default;
};

}  // namespace kivo
