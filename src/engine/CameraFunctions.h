#pragma once

#include <optional>

#include "core/InputVariableTable.h"
#include "core/ParameterRecord.h"
#include "core/Workspace.h"
#include "media/CameraProjection.h"

namespace kivo {

// The camera of an input file from its camera columns: width and height
// whole numbers 1..32767 written as WidthxHeight (the x in either case), near
// and far plane numbers that differ, a field of view strictly between 0 and
// 180 degrees. Nothing when any of them is missing or unusable. Numbers may
// be written with the period or the user's `decimalSymbol`.
std::optional<CameraView> SetUpFileCamera(const InputFileRow& row, std::string_view decimalSymbol);

// Camera Framing: the on-screen distance of the row's first variable and
// first target as a percentage of the window height. Camera Proxemics: the
// same distance as a percentage of the body's vertical extent on screen
// (body parts Hips to Hand R I, clamped to the window). Both use person A's
// "Camera" pose and "Interest" and write the value of person A; `camera` is
// the file's camera, nothing when it could not be set up (a setting error).
[[nodiscard]] int CalculateCameraFraming(const InputVariableTable& table, ParameterRecord& record,
                                         const CameraView* camera);
[[nodiscard]] int CalculateCameraProxemics(const InputVariableTable& table, ParameterRecord& record,
                                           const CameraView* camera);

}  // namespace kivo
