#include "input/InputFileList.h"

#include "core/Text.h"
#include "input/DataFileCheck.h"
#include "input/InputMessages.h"
#include "input/ProcessingOptionRules.h"

namespace kivo {
namespace {

constexpr std::string_view kSelectFileMessage = "Please select an input file.";

// A listed file name may not hold a separator of the run's files (";" or a
// tab) or any other control character.
bool BreaksALine(std::string_view name) {
    for (char c : name) {
        if (c == ';' || static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
            return true;
    }
    return false;
}

bool IsSelected(const Workspace& workspace, std::optional<std::size_t> selected) {
    return selected.has_value() && *selected < workspace.inputFiles.size();
}

// Columns 2 to 12 from the option values, as a file added now would get them.
void FillOptionColumns(InputFileRow& row, const WorkspaceOptions& options) {
    row[kColTimeField] = options.timeField;
    row[kColFramesPerSec] = options.linesPerSec;
    row[kColUseEvery] = options.skipLines;
    row[kColDistancesRelatedTo] = GetDistanceOption(options);
    row[kColAngles] = options.thresholdAngles;
    row[kColDistances] = options.thresholdDistances;
    row[kColDecimalPlaces] = options.decimalPlaces;
    const auto camera = SplitCameraText(options.camera);
    for (int i = 0; i < 4; ++i)
        row[kColResolution + i] = camera[i];
}

}  // namespace

std::string GetPartnerFileName(std::string_view fileName) {
    const std::size_t last = fileName.rfind('.');
    if (last == std::string_view::npos)
        return {};
    const std::size_t previous = last == 0 ? std::string_view::npos : fileName.rfind('.', last - 1);
    const std::size_t start = previous == std::string_view::npos ? 0 : previous + 1;
    const std::string_view token = fileName.substr(start, last - start);
    std::string_view swapped;
    if (token == "A") {
        swapped = "B";
    } else if (token == "B") {
        swapped = "A";
    } else if (token == "L") {
        swapped = "R";
    } else if (token == "R") {
        swapped = "L";
    } else {
        return {};
    }
    std::string partner(fileName.substr(0, start));
    partner += swapped;
    partner += fileName.substr(last);
    return partner;
}

std::string GetDistanceOption(const WorkspaceOptions& options) {
    if (options.distances)
        return options.distancesHeight ? "Height" : "Length";
    return options.bodyHeight.empty() ? "unmodified" : options.bodyHeight;
}

std::array<std::string, 4> SplitCameraText(std::string_view camera) {
    std::array<std::string, 4> parts;
    if (camera.empty())
        return parts;
    const auto fields = SplitFields(camera, '/');
    for (std::size_t i = 0; i < parts.size() && i < fields.size(); ++i) {
        parts[i] = std::string(fields[i]);
    }
    return parts;
}

std::string JoinCameraColumns(const InputFileRow& row) {
    if (row[kColResolution].empty())
        return {};
    return row[kColResolution] + "/" + row[kColNearPlane] + "/" + row[kColFarPlane] + "/" +
           row[kColFieldOfView];
}

std::string_view PreselectVideoSide(std::string_view dataFileName) {
    if (dataFileName.find(".L.") != std::string_view::npos ||
        dataFileName.find(".A.") != std::string_view::npos) {
        return kLeftSide;
    }
    if (dataFileName.find(".R.") != std::string_view::npos ||
        dataFileName.find(".B.") != std::string_view::npos) {
        return kRightSide;
    }
    return kBothSides;
}

std::string_view OppositeVideoSide(std::string_view side) {
    if (side == kLeftSide)
        return kRightSide;
    if (side == kRightSide)
        return kLeftSide;
    return side;
}

std::string WithTrailingSeparator(std::string_view directory) {
    std::string result(directory);
    if (!result.empty() && result.back() != '/')
        result += '/';
    return result;
}

std::string FolderWithoutSeparator(std::string_view directory) {
    std::string result(directory);
    while (result.size() > 1 && result.back() == '/')
        result.pop_back();
    return result;
}

std::pair<std::string, std::string> SplitDirectoryAndName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {std::string(), std::string(path)};
    return {std::string(path.substr(0, slash + 1)), std::string(path.substr(slash + 1))};
}

bool AddFile(Workspace& workspace, std::string_view name, std::string_view directory,
             std::string_view timeLabel, UserPrompt& prompt) {
    if (workspace.FindInputFile(name)) {
        prompt.Tell(
            PromptId::FileAlreadyListed,
            FillPlaceholders("The file '@' is already in the list and will not added once again.",
                             {{'@', name}}),
            PromptIcon::Information);
        return false;
    }
    // The name is a field of the statistics file's lines, which are split at
    // ";" or a tab and end at a line break.
    if (BreaksALine(name)) {
        prompt.Tell(PromptId::FileNameRefused,
                    FillPlaceholders("The file name '@' contains a semicolon, a tab or a control "
                                     "character, which would break the lines of the statistics "
                                     "file.\r\nPlease rename the file.",
                                     {{'@', name}}),
                    PromptIcon::Exclamation);
        return false;
    }
    const std::string folder = WithTrailingSeparator(directory);
    const std::string path = folder + std::string(name);
    DataFieldNameList* names = workspace.inputFiles.empty() ? &workspace.dataFieldNames : nullptr;
    const FileCheckResult check =
        CheckFile(path, timeLabel, workspace.decimalSymbol, prompt, names);
    if (!check.accepted)
        return false;
    // The derived rate belongs to the new row only; the option boxes keep
    // showing the row they show.
    const WorkspaceOptions& options = workspace.options;
    const std::string& rate =
        check.framesPerSecond.empty() ? options.linesPerSec : check.framesPerSecond;

    InputFileRow row;
    row[kColFileName] = std::string(name);
    row[kColPartnerFile] = std::string(kNoPartner);
    const std::string partnerName = GetPartnerFileName(name);
    if (!partnerName.empty()) {
        if (auto partner = workspace.FindInputFile(partnerName)) {
            InputFileRow& partnerRow = workspace.inputFiles[*partner];
            if (partnerRow[kColFramesPerSec] == rate) {
                partnerRow[kColPartnerFile] = std::string(name);
                row[kColPartnerFile] = partnerName;
                row[kColVideoClipFile] = partnerRow[kColVideoClipFile];
                row[kColVideoClipSide] =
                    std::string(OppositeVideoSide(partnerRow[kColVideoClipSide]));
            }
        }
    }
    FillOptionColumns(row, options);
    row[kColFramesPerSec] = rate;
    row[kColTimeField] = std::string(timeLabel);
    row[kColDirectory] = folder;
    row.fullPath = path;
    workspace.inputFiles.push_back(std::move(row));
    return true;
}

bool AddFile(Workspace& workspace, std::string_view name, std::string_view directory,
             UserPrompt& prompt) {
    const std::string timeLabel = workspace.options.timeField;
    return AddFile(workspace, name, directory, timeLabel, prompt);
}

int AddFiles(Workspace& workspace, const std::vector<std::string>& paths, UserPrompt& prompt) {
    if (workspace.options.timeField.empty()) {
        prompt.Tell(PromptId::TimeLabelMissing, std::string(kTimeLabelMissingMessage),
                    PromptIcon::Exclamation);
        return 0;
    }
    if (!CheckCameraText(workspace.options.camera, prompt))
        return 0;
    int added = 0;
    for (const std::string& path : paths) {
        const auto [directory, name] = SplitDirectoryAndName(path);
        if (!directory.empty())
            workspace.options.directoryInputFiles = FolderWithoutSeparator(directory);
        if (AddFile(workspace, name, directory, prompt))
            ++added;
    }
    return added;
}

bool AssignPartnerFile(Workspace& workspace, std::optional<std::size_t> selected,
                       const std::string& partnerPath, UserPrompt& prompt) {
    if (!RequireSelectedFile(workspace, selected, prompt))
        return false;
    if (partnerPath.empty())
        return false;
    const std::size_t index = *selected;
    const std::string selectedName = workspace.inputFiles[index][kColFileName];
    const auto [directory, partnerName] = SplitDirectoryAndName(partnerPath);
    if (partnerPath == workspace.inputFiles[index].fullPath) {
        prompt.Tell(
            PromptId::OwnPartnerFile,
            FillPlaceholders("The file '@' cannot be its own partner file.", {{'@', partnerPath}}),
            PromptIcon::Exclamation);
        return false;
    }
    const FileCheckResult check = CheckFile(partnerPath, workspace.options.timeField,
                                            workspace.decimalSymbol, prompt, nullptr);
    if (!check.accepted)
        return false;
    const std::string& rate =
        check.framesPerSecond.empty() ? workspace.options.linesPerSec : check.framesPerSecond;
    if (rate != workspace.inputFiles[index][kColFramesPerSec]) {
        prompt.Tell(PromptId::PartnerRateDiffers,
                    FillPlaceholders("The partner file '@'\r\nhas not the same rate of "
                                     "frames/sec\r\nas the data file '#'.",
                                     {{'@', partnerName}, {'#', selectedName}}),
                    PromptIcon::Exclamation);
        return false;
    }
    const std::optional<std::size_t> listed = workspace.FindInputFile(partnerName);
    if (!listed && !CheckCameraText(workspace.options.camera, prompt))
        return false;
    const std::string previousPartner = workspace.inputFiles[index][kColPartnerFile];
    workspace.inputFiles[index][kColPartnerFile] = partnerName;
    if (listed) {
        workspace.inputFiles[*listed][kColPartnerFile] = selectedName;
        return true;
    }
    if (!AddFile(workspace, partnerName, directory, prompt)) {
        workspace.inputFiles[index][kColPartnerFile] = previousPartner;
        return false;
    }
    // The new row names the selected file even when the naming rule would not
    // pair the two: a partnership is always mutual.
    workspace.inputFiles.back()[kColPartnerFile] = selectedName;
    return true;
}

bool AssignVideoFile(Workspace& workspace, std::optional<std::size_t> selected,
                     const std::string& videoPath, UserPrompt& prompt) {
    if (!RequireSelectedFile(workspace, selected, prompt))
        return false;
    if (videoPath.empty())
        return false;
    InputFileRow& row = workspace.inputFiles[*selected];
    WorkspaceOptions& options = workspace.options;
    const std::string_view side = PreselectVideoSide(row[kColFileName]);
    row[kColVideoClipFile] = videoPath;
    row[kColVideoClipSide] = std::string(side);
    options.videoClipSide = true;
    options.leftSide = side == kLeftSide;
    options.rightSide = side == kRightSide;
    options.bothSides = side == kBothSides;
    if (auto partner = workspace.FindInputFile(GetPartnerFileName(row[kColFileName]))) {
        InputFileRow& partnerRow = workspace.inputFiles[*partner];
        partnerRow[kColVideoClipFile] = videoPath;
        partnerRow[kColVideoClipSide] = std::string(OppositeVideoSide(side));
    }
    return true;
}

bool RemoveInputFile(Workspace& workspace, std::optional<std::size_t> selected,
                     UserPrompt& prompt) {
    if (!RequireSelectedFile(workspace, selected, prompt))
        return false;
    const std::string name = workspace.inputFiles[*selected][kColFileName];
    const std::string partnerName = workspace.inputFiles[*selected][kColPartnerFile];
    workspace.inputFiles.erase(workspace.inputFiles.begin() +
                               static_cast<std::ptrdiff_t>(*selected));
    if (auto partner = workspace.FindInputFile(partnerName)) {
        std::string& partnerColumn = workspace.inputFiles[*partner][kColPartnerFile];
        if (partnerColumn == name)
            partnerColumn = std::string(kNoPartner);
    }
    return true;
}

bool RemoveAllInputFiles(Workspace& workspace, UserPrompt& prompt) {
    if (workspace.inputFiles.empty()) {
        prompt.Tell(PromptId::FileListEmpty, "The list is already empty!", PromptIcon::Information);
        return false;
    }
    if (prompt.Ask(PromptId::RemoveAllFiles, "Do you really want to remove all input files?",
                   PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes) {
        return false;
    }
    workspace.inputFiles.clear();
    return true;
}

bool ApplyOptionsToAllFiles(Workspace& workspace, UserPrompt& prompt) {
    if (!CheckCameraText(workspace.options.camera, prompt))
        return false;
    for (InputFileRow& row : workspace.inputFiles)
        FillOptionColumns(row, workspace.options);
    return true;
}

bool RequireSelectedFile(const Workspace& workspace, std::optional<std::size_t> selected,
                         UserPrompt& prompt) {
    if (IsSelected(workspace, selected))
        return true;
    prompt.Tell(PromptId::SelectInputFile, std::string(kSelectFileMessage),
                PromptIcon::Information);
    return false;
}

void ShowInputFileOptions(Workspace& workspace, std::size_t index) {
    if (index >= workspace.inputFiles.size())
        return;
    const InputFileRow& row = workspace.inputFiles[index];
    WorkspaceOptions& options = workspace.options;
    options.timeField = row[kColTimeField];
    options.linesPerSec = row[kColFramesPerSec];
    options.skipLines = row[kColUseEvery];
    const std::string& distance = row[kColDistancesRelatedTo];
    if (distance == "unmodified") {
        options.distances = false;
        options.bodyHeight.clear();
    } else if (distance == "Height") {
        options.distances = true;
        options.distancesHeight = true;
        options.distancesLength = false;
    } else if (distance == "Length") {
        options.distances = true;
        options.distancesHeight = false;
        options.distancesLength = true;
    } else {
        options.distances = false;
        options.bodyHeight = distance;
    }
    options.thresholdAngles = row[kColAngles];
    options.thresholdDistances = row[kColDistances];
    options.decimalPlaces = row[kColDecimalPlaces];
    options.camera = JoinCameraColumns(row);
    options.videoClipSide = !row[kColVideoClipFile].empty();
    const std::string& side = row[kColVideoClipSide];
    options.leftSide = side == kLeftSide;
    options.rightSide = side == kRightSide;
    options.bothSides = side == kBothSides;
}

}  // namespace kivo
