#include "input/ProcessingOptionRules.h"

#include <cstdint>

#include "core/ErrorTrap.h"
#include "core/Numbers.h"
#include "core/Text.h"
#include "input/InputFileList.h"

namespace kivo {
namespace {

InputFileRow* EditedRow(Workspace& workspace, std::optional<std::size_t> edited) {
    if (!edited || *edited >= workspace.inputFiles.size())
        return nullptr;
    return &workspace.inputFiles[*edited];
}

void ReportOverflow(UserPrompt& prompt, std::string_view procedure) {
    ReportTrappedError(prompt, procedure, TrappedError(kErrorOverflow, "Overflow"));
}

// The rule shared by txtLinesPerSec and txtSkipLines.
void PositiveWholeNumberLostFocus(Workspace& workspace, std::optional<std::size_t> edited,
                                  std::string& text, int column, std::string_view startValue,
                                  std::string_view procedure, UserPrompt& prompt) {
    InputFileRow* row = EditedRow(workspace, edited);
    const std::string fallback = row ? (*row)[column] : std::string(startValue);
    const std::string_view symbol = workspace.decimalSymbol;
    if (!IsNumeric(text, symbol)) {
        text = fallback;
        return;
    }
    const std::optional<std::int16_t> value = ToInteger16(ReadUserNumber(text, symbol));
    if (!value) {
        ReportOverflow(prompt, procedure);
        text = fallback;
        return;
    }
    if (*value > 0) {
        text = std::to_string(*value);
        if (row)
            (*row)[column] = text;
    } else {
        text = fallback;
    }
}

void ThresholdLostFocus(Workspace& workspace, std::optional<std::size_t> edited, std::string& text,
                        int column) {
    const std::string_view symbol = workspace.decimalSymbol;
    double value = IsNumeric(text, symbol) ? ReadUserNumber(text, symbol) : 0.0;
    if (!(value > 0.0))
        value = 0.1;
    text = FormatGeneral(value, symbol);
    if (InputFileRow* row = EditedRow(workspace, edited))
        (*row)[column] = text;
}

std::string_view SideText(VideoSide side) {
    switch (side) {
        case VideoSide::Left:
            return kLeftSide;
        case VideoSide::Right:
            return kRightSide;
        case VideoSide::Both:
            return kBothSides;
    }
    return kBothSides;
}

}  // namespace

std::string FilterNumericText(std::string_view text, std::string_view decimalSymbol) {
    if (text.empty() || IsNumeric(text, decimalSymbol))
        return std::string(text);
    return {};
}

std::string OrdinalFrameLabel(std::string_view skipLinesText, std::string_view decimalSymbol) {
    std::optional<std::int16_t> n;
    if (IsNumeric(skipLinesText, decimalSymbol))
        n = ToInteger16(ReadUserNumber(skipLinesText, decimalSymbol));
    if (n == 1)
        return "st Frame";
    if (n == 2)
        return "nd Frame";
    if (n == 3)
        return "rd Frame";
    return "th Frame";
}

void TimeFieldLostFocus(Workspace& workspace, std::optional<std::size_t> edited) {
    if (InputFileRow* row = EditedRow(workspace, edited)) {
        (*row)[kColTimeField] = workspace.options.timeField;
    }
}

void LinesPerSecLostFocus(Workspace& workspace, std::optional<std::size_t> edited,
                          UserPrompt& prompt) {
    PositiveWholeNumberLostFocus(workspace, edited, workspace.options.linesPerSec, kColFramesPerSec,
                                 WorkspaceOptions().linesPerSec, "txtLinesPerSec_LostFocus",
                                 prompt);
}

void SkipLinesLostFocus(Workspace& workspace, std::optional<std::size_t> edited,
                        UserPrompt& prompt) {
    PositiveWholeNumberLostFocus(workspace, edited, workspace.options.skipLines, kColUseEvery,
                                 WorkspaceOptions().skipLines, "txtSkipLines_LostFocus", prompt);
}

void ThresholdAnglesLostFocus(Workspace& workspace, std::optional<std::size_t> edited) {
    ThresholdLostFocus(workspace, edited, workspace.options.thresholdAngles, kColAngles);
}

void ThresholdDistancesLostFocus(Workspace& workspace, std::optional<std::size_t> edited) {
    ThresholdLostFocus(workspace, edited, workspace.options.thresholdDistances, kColDistances);
}

void DecimalPlacesLostFocus(Workspace& workspace, std::optional<std::size_t> edited,
                            UserPrompt& prompt) {
    std::string& text = workspace.options.decimalPlaces;
    InputFileRow* row = EditedRow(workspace, edited);
    int places = 1;
    if (IsNumeric(text, workspace.decimalSymbol)) {
        const std::optional<std::int16_t> value =
            ToInteger16(ReadUserNumber(text, workspace.decimalSymbol));
        if (!value) {
            ReportOverflow(prompt, "txtDecimalPlaces_LostFocus");
            text = row ? (*row)[kColDecimalPlaces] : WorkspaceOptions().decimalPlaces;
            return;
        }
        places = *value < 1 ? 1 : (*value > 15 ? 15 : *value);
    }
    text = std::to_string(places);
    if (row)
        (*row)[kColDecimalPlaces] = text;
}

bool IsUsableCameraText(std::string_view camera) {
    if (camera.empty())
        return true;
    const auto parts = SplitFields(camera, '/');
    return camera.find('/') != std::string_view::npos && parts.size() == 4 &&
           ContainsIgnoringCase(parts[0], "x");
}

bool CheckCameraText(std::string_view camera, UserPrompt& prompt) {
    if (IsUsableCameraText(camera))
        return true;
    prompt.Tell(
        PromptId::CameraTextInvalid,
        "The input field 'Camera' does not contain exactly four values for the following "
        "variables (slash-separated): \r\n\r\nWidthxHeight/NearPlane/FarPlane/Field Of View",
        PromptIcon::Exclamation);
    return false;
}

bool CameraLostFocus(Workspace& workspace, std::optional<std::size_t> edited, UserPrompt& prompt) {
    std::string& text = workspace.options.camera;
    InputFileRow* row = EditedRow(workspace, edited);
    if (text.empty()) {
        if (row) {
            for (int i = 0; i < 4; ++i)
                (*row)[kColResolution + i].clear();
        }
        return true;
    }
    if (IsUsableCameraText(text)) {
        if (row) {
            const auto parts = SplitFields(text, '/');
            for (int i = 0; i < 4; ++i)
                (*row)[kColResolution + i] = std::string(parts[i]);
        }
        return true;
    }
    CheckCameraText(text, prompt);
    if (text.find('/') == std::string::npos)
        return false;
    text = row ? JoinCameraColumns(*row) : std::string();
    return false;
}

std::string_view DistancesCaption(bool checked) {
    return checked ? "Distances related to" : "Body Height";
}

std::string_view DistancesToolTip(bool checked) {
    if (checked) {
        return "Use the distances option, if measurements based on distances should be "
               "calculated as the percentage of the body height or the limb length of the human "
               "3D model.";
    }
    return "Use the body height option, if measurements based on distances should be "
           "recalculated to fit them to the given body height of a real person. Leave the body "
           "height text box empty to achieve the unmodified values calculated from the 3D world.";
}

void DistanceControlChanged(Workspace& workspace, std::optional<std::size_t> edited, bool loading) {
    if (loading)
        return;
    if (InputFileRow* row = EditedRow(workspace, edited)) {
        (*row)[kColDistancesRelatedTo] = GetDistanceOption(workspace.options);
    }
}

VideoClipSideOutcome VideoClipSideClick(Workspace& workspace, std::optional<std::size_t> selected) {
    WorkspaceOptions& options = workspace.options;
    InputFileRow* row = EditedRow(workspace, selected);
    VideoClipSideOutcome outcome;
    if (!row) {
        options.videoClipSide = false;
        return outcome;
    }
    if ((*row)[kColVideoClipFile].empty()) {
        outcome.openVideoDialog = options.videoClipSide;
        options.videoClipSide = false;
        return outcome;
    }
    if (options.videoClipSide) {
        outcome.sidesEnabled = true;
        const std::string_view side = options.leftSide    ? kLeftSide
                                      : options.rightSide ? kRightSide
                                                          : kBothSides;
        (*row)[kColVideoClipSide] = std::string(side);
    } else {
        (*row)[kColVideoClipFile].clear();
        (*row)[kColVideoClipSide].clear();
    }
    return outcome;
}

bool VideoSideClick(Workspace& workspace, std::optional<std::size_t> selected, VideoSide side,
                    UserPrompt& prompt) {
    WorkspaceOptions& options = workspace.options;
    options.leftSide = side == VideoSide::Left;
    options.rightSide = side == VideoSide::Right;
    options.bothSides = side == VideoSide::Both;
    InputFileRow* row = EditedRow(workspace, selected);
    if (!row) {
        prompt.Tell(PromptId::SelectInputFile, "Please select an input file.",
                    PromptIcon::Information);
        return false;
    }
    (*row)[kColVideoClipSide] = std::string(SideText(side));
    return true;
}

}  // namespace kivo
