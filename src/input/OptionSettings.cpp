#include "input/OptionSettings.h"

#include <filesystem>
#include <system_error>

#include "core/OptionFields.h"
#include "core/Text.h"
#include "input/InputFileList.h"
#include "input/InputMessages.h"
#include "input/OutputOptionRules.h"
#include "input/ProcessingOptionRules.h"

namespace kivo {
namespace {

std::string Normalized(std::string_view name) {
    std::string text;
    for (char c : name) {
        if (c >= 'A' && c <= 'Z')
            text += static_cast<char>(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            text += c;
    }
    return text;
}

bool IsOneOf(std::string_view value, std::initializer_list<std::string_view> words) {
    for (std::string_view word : words) {
        if (EqualsIgnoringCase(TrimBlanks(value), word))
            return true;
    }
    return false;
}

// A value that none of the box's states stands for.
bool Refuse(UserPrompt& prompt, const OptionSetting& setting, std::string_view value) {
    prompt.Tell(PromptId::OptionValueRefused,
                FillPlaceholders("'@' is not a value of the option '*': #.",
                                 {{'@', value}, {'*', setting.caption}, {'#', setting.values}}),
                PromptIcon::Exclamation);
    return false;
}

// The distance controls for a distance option text.
bool SetDistanceControls(WorkspaceOptions& options, std::string_view value,
                         std::string_view decimalSymbol) {
    if (IsOneOf(value, {"Height", "Length"})) {
        options.distances = true;
        options.distancesHeight = IsOneOf(value, {"Height"});
        options.distancesLength = !options.distancesHeight;
        return true;
    }
    const std::string bodyHeight =
        IsOneOf(value, {"unmodified"}) ? std::string() : FilterNumericText(value, decimalSymbol);
    if (bodyHeight.empty() && !IsOneOf(value, {"unmodified"}))
        return false;
    options.distances = false;
    options.bodyHeight = bodyHeight;
    return true;
}

std::optional<VideoSide> SideOf(std::string_view value) {
    if (IsOneOf(value, {"Left", "Left Side"}))
        return VideoSide::Left;
    if (IsOneOf(value, {"Right", "Right Side"}))
        return VideoSide::Right;
    if (IsOneOf(value, {"Both", "Both Sides"}))
        return VideoSide::Both;
    return std::nullopt;
}

std::optional<bool> SwitchOf(std::string_view value) {
    if (IsOneOf(value, {"yes", "on", "1", "true"}))
        return true;
    if (IsOneOf(value, {"no", "off", "0", "false"}))
        return false;
    return std::nullopt;
}

// The option field of a setting that stands for one field.
const OptionField* FieldOf(const OptionSetting& setting) {
    if (setting.field.empty())
        return nullptr;
    for (const OptionField& field : OptionFields()) {
        if (field.caption == setting.field)
            return &field;
    }
    return nullptr;
}

bool IsFolder(std::string_view path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

bool IsFile(std::string_view path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool SetPerFileOption(Workspace& workspace, const OptionSetting& setting, std::string_view value,
                      std::optional<std::size_t> file, UserPrompt& prompt) {
    WorkspaceOptions& options = workspace.options;
    const std::string text(value);
    const std::string_view symbol = workspace.decimalSymbol;
    switch (setting.kind) {
        case SettingKind::TimeField:
            options.timeField = text;
            TimeFieldLostFocus(workspace, file);
            return true;
        case SettingKind::FramesPerSec:
            options.linesPerSec = FilterNumericText(text, symbol);
            LinesPerSecLostFocus(workspace, file, prompt);
            return true;
        case SettingKind::UseEvery:
            options.skipLines = FilterNumericText(text, symbol);
            SkipLinesLostFocus(workspace, file, prompt);
            return true;
        case SettingKind::DistancesRelatedTo:
            if (!SetDistanceControls(options, text, symbol))
                return Refuse(prompt, setting, value);
            DistanceControlChanged(workspace, file, false);
            return true;
        case SettingKind::AngleThreshold:
            options.thresholdAngles = FilterNumericText(text, symbol);
            ThresholdAnglesLostFocus(workspace, file);
            return true;
        case SettingKind::DistanceThreshold:
            options.thresholdDistances = FilterNumericText(text, symbol);
            ThresholdDistancesLostFocus(workspace, file);
            return true;
        case SettingKind::DecimalPlaces:
            options.decimalPlaces = FilterNumericText(text, symbol);
            DecimalPlacesLostFocus(workspace, file, prompt);
            return true;
        case SettingKind::Camera:
            options.camera = text;
            return CameraLostFocus(workspace, file, prompt);
        case SettingKind::PartnerFile:
            return AssignPartnerFile(workspace, file, text, prompt);
        case SettingKind::VideoClipFile:
            if (TrimBlanks(value).empty() || IsOneOf(value, {"none"})) {
                options.videoClipSide = false;
                VideoClipSideClick(workspace, file);
                return true;
            }
            if (!IsFile(text)) {
                prompt.Tell(
                    PromptId::VideoFileMissing,
                    FillPlaceholders("The video file '@' could not be opened.", {{'@', text}}),
                    PromptIcon::Exclamation);
                return false;
            }
            return AssignVideoFile(workspace, file, text, prompt);
        case SettingKind::VideoClipSide: {
            const std::optional<VideoSide> side = SideOf(value);
            if (!side)
                return Refuse(prompt, setting, value);
            if (file && workspace.inputFiles[*file][kColVideoClipFile].empty()) {
                prompt.Tell(PromptId::NoVideoClipFile,
                            FillPlaceholders("The file '@' has no video clip file.",
                                             {{'@', workspace.inputFiles[*file][kColFileName]}}),
                            PromptIcon::Exclamation);
                return false;
            }
            return VideoSideClick(workspace, file, *side, prompt);
        }
        default:
            return false;
    }
}

bool SetOutputOption(Workspace& workspace, const OptionSetting& setting, std::string_view value,
                     UserPrompt& prompt) {
    WorkspaceOptions& options = workspace.options;
    const std::string_view symbol = workspace.decimalSymbol;
    const std::string text(value);
    switch (setting.kind) {
        case SettingKind::OutputFolder:
            if (!IsFolder(text)) {
                prompt.Tell(PromptId::OutputDirectoryMissing,
                            "Please specify an existing directory for the output files!",
                            PromptIcon::Exclamation);
                return false;
            }
            options.directoryOutputFiles = text;
            return true;
        case SettingKind::Prefix:
        case SettingKind::Suffix:
            options.*FieldOf(setting)->text = text;
            return true;
        case SettingKind::Separator:
            if (IsOneOf(value, {";", "csv", "semicolon"})) {
                SelectCsvSeparator(options);
            } else if (IsOneOf(value, {"tab", "tsv", "\t"}) || value == "\t") {
                SelectTsvSeparator(options);
            } else {
                return Refuse(prompt, setting, value);
            }
            return true;
        case SettingKind::Extension:
            options.extension = text;
            ExtensionChanged(options);
            return true;
        case SettingKind::StatisticsFile:
            options.statisticsFileName = text;
            StatisticsFileNameLostFocus(options);
            return true;
        case SettingKind::SplitOutputFiles: {
            const std::optional<bool> split = SwitchOf(value);
            if (!split)
                return Refuse(prompt, setting, value);
            options.splitFile = *split;
            SplitFileClick(options);
            return true;
        }
        case SettingKind::LinesPerPartFile:
            if (!options.splitFile) {
                prompt.Tell(PromptId::SplitFileOff,
                            "The output files are not split: set 'Split Output Files' first.",
                            PromptIcon::Exclamation);
                return false;
            }
            options.noOfLines = FilterNumericText(text, symbol);
            return NoOfLinesLostFocus(options, symbol, prompt);
        default:
            return false;
    }
}

}  // namespace

const std::vector<OptionSetting>& OptionSettings() {
    using K = SettingKind;
    static const std::vector<OptionSetting> settings = {
        {K::TimeField, "Time Field", "time-field", true,
         "the label of the format line's first field", "Time Field"},
        {K::FramesPerSec, "Frames/Sec", "frames-per-sec", true, "a whole number above 0",
         "Frames/Sec"},
        {K::UseEvery, "Use Every", "use-every", true, "a whole number above 0", "Use Every"},
        {K::DistancesRelatedTo, "Distances related to", "distances-related-to", true,
         "Height, Length, unmodified or the body height of the real person", ""},
        {K::AngleThreshold, "Angles", "angle-threshold", true, "a number above 0", "Angles"},
        {K::DistanceThreshold, "Distances", "distance-threshold", true, "a number above 0",
         "Distances"},
        {K::DecimalPlaces, "Dec. Places", "decimal-places", true, "1 to 15", "Dec. Places"},
        {K::Camera, "Camera", "camera", true,
         "WidthxHeight/NearPlane/FarPlane/FieldOfView, or empty", "Camera"},
        {K::PartnerFile, "Partner File", "partner-file", true, "a data file of the same frame rate",
         ""},
        {K::VideoClipFile, "Video Clip File", "video-clip-file", true, "a video file, or none", ""},
        {K::VideoClipSide, "Video Clip Side", "video-clip-side", true, "Left, Right or Both", ""},
        {K::OutputFolder, "Output Folder", "output-folder", false, "an existing folder",
         "Directory Output Files"},
        {K::Prefix, "Prefix", "prefix", false, "any text", "Prefix"},
        {K::Suffix, "Suffix", "suffix", false, "any text", "Suffix"},
        {K::Separator, "Separator", "separator", false, "; or tab", ""},
        {K::Extension, "Extension", "extension", false,
         "the extension of tab-separated output files", "Extension"},
        {K::StatisticsFile, "Statistics File", "statistics-file", false,
         "a file name, or empty for none", "Statistics File"},
        {K::SplitOutputFiles, "Split Output Files", "split-output-files", false, "yes or no", ""},
        {K::LinesPerPartFile, "Lines per Part File", "lines-per-part-file", false, "2 to 32767",
         "Lines Per File"},
    };
    return settings;
}

const OptionSetting* FindOptionSetting(std::string_view name) {
    const std::string wanted = Normalized(name);
    for (const OptionSetting& setting : OptionSettings()) {
        if (!wanted.empty() &&
            (wanted == Normalized(setting.caption) || wanted == Normalized(setting.key)))
            return &setting;
    }
    return nullptr;
}

bool SetOption(Workspace& workspace, const OptionSetting& setting, std::string_view value,
               std::optional<std::size_t> file, UserPrompt& prompt) {
    if (file && *file >= workspace.inputFiles.size())
        file.reset();
    if (!setting.perFile)
        return SetOutputOption(workspace, setting, value, prompt);
    if (file)
        ShowInputFileOptions(workspace, *file);
    return SetPerFileOption(workspace, setting, value, file, prompt);
}

std::string OptionValue(const Workspace& workspace, const OptionSetting& setting,
                        std::optional<std::size_t> file) {
    const WorkspaceOptions& options = workspace.options;
    if (setting.perFile && file && *file < workspace.inputFiles.size()) {
        const InputFileRow& row = workspace.inputFiles[*file];
        switch (setting.kind) {
            case SettingKind::TimeField:
                return row[kColTimeField];
            case SettingKind::FramesPerSec:
                return row[kColFramesPerSec];
            case SettingKind::UseEvery:
                return row[kColUseEvery];
            case SettingKind::DistancesRelatedTo:
                return row[kColDistancesRelatedTo];
            case SettingKind::AngleThreshold:
                return row[kColAngles];
            case SettingKind::DistanceThreshold:
                return row[kColDistances];
            case SettingKind::DecimalPlaces:
                return row[kColDecimalPlaces];
            case SettingKind::Camera:
                return JoinCameraColumns(row);
            case SettingKind::PartnerFile:
                return row[kColPartnerFile];
            case SettingKind::VideoClipFile:
                return row[kColVideoClipFile];
            case SettingKind::VideoClipSide:
                return row[kColVideoClipSide];
            default:
                break;
        }
    }
    if (const OptionField* field = FieldOf(setting))
        return StoredOptionText(options, *field);
    switch (setting.kind) {
        case SettingKind::DistancesRelatedTo:
            return GetDistanceOption(options);
        case SettingKind::Separator:
            return options.tsvSeparator ? "tab" : ";";
        case SettingKind::SplitOutputFiles:
            return options.splitFile ? "yes" : "no";
        default:
            return {};
    }
}

}  // namespace kivo
