#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/UserPrompt.h"
#include "core/Workspace.h"

namespace kivo {

// The rules of the option controls of the input files page. The controls'
// texts and states live in workspace.options; `edited` is the list position of
// the file the control edits (none when no file is selected). Each lost-focus
// rule corrects the control's value and writes it into that file's row.

// Numeric text boxes, on every change: a text that is not numeric (with the
// period or the user's decimal symbol) becomes empty.
std::string FilterNumericText(std::string_view text, std::string_view decimalSymbol);

// The label after txtSkipLines: "st Frame", "nd Frame", "rd Frame" for 1, 2,
// 3, otherwise "th Frame".
std::string OrdinalFrameLabel(std::string_view skipLinesText, std::string_view decimalSymbol);

void TimeFieldLostFocus(Workspace& workspace, std::optional<std::size_t> edited);

// A whole number greater than 0 is stored; anything else falls back to the
// file's stored value (the start value when no file is selected). A number
// beyond the 16-bit range is reported as an overflow.
void LinesPerSecLostFocus(Workspace& workspace, std::optional<std::size_t> edited,
                          UserPrompt& prompt);
void SkipLinesLostFocus(Workspace& workspace, std::optional<std::size_t> edited,
                        UserPrompt& prompt);

// A number greater than 0 is kept; anything else becomes 0.1.
void ThresholdAnglesLostFocus(Workspace& workspace, std::optional<std::size_t> edited);
void ThresholdDistancesLostFocus(Workspace& workspace, std::optional<std::size_t> edited);

// Rounded to a whole number and clamped to 1..15; a non-numeric text becomes 1.
void DecimalPlacesLostFocus(Workspace& workspace, std::optional<std::size_t> edited,
                            UserPrompt& prompt);

// Whether a camera text can be stored: empty, or WidthxHeight/NearPlane/
// FarPlane/FieldOfView (four slash-separated parts, the first with an "x").
bool IsUsableCameraText(std::string_view camera);
// The same, telling the user when the text cannot be stored. Commands that
// copy the camera text into rows check it first, so that nothing is written
// from a text the camera box would refuse.
bool CheckCameraText(std::string_view camera, UserPrompt& prompt);

// Checks the camera text WidthxHeight/NearPlane/FarPlane/FieldOfView and
// stores its four parts; returns false when the text was refused.
bool CameraLostFocus(Workspace& workspace, std::optional<std::size_t> edited, UserPrompt& prompt);

// Caption and tool tip of chkDistances for its state.
std::string_view DistancesCaption(bool checked);
std::string_view DistancesToolTip(bool checked);

// A click on chkDistances (its new state is in options.distances) or the loss
// of focus of any distance control: stores the distance option text, except
// while settings are being loaded.
void DistanceControlChanged(Workspace& workspace, std::optional<std::size_t> edited, bool loading);

// What the window does after a click on chkVideoClipSide.
struct VideoClipSideOutcome {
    bool sidesEnabled = false;     // optLeftSide, optRightSide, optBothSides
    bool openVideoDialog = false;  // the file has no video yet: ask for one
};

// A click on chkVideoClipSide; its new state is in options.videoClipSide.
VideoClipSideOutcome VideoClipSideClick(Workspace& workspace, std::optional<std::size_t> selected);

enum class VideoSide { Left, Right, Both };

// A click on optLeftSide, optRightSide or optBothSides. Returns false when no
// file is selected.
bool VideoSideClick(Workspace& workspace, std::optional<std::size_t> selected, VideoSide side,
                    UserPrompt& prompt);

}  // namespace kivo
