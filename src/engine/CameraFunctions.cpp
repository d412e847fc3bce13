#include "engine/CameraFunctions.h"

#include <algorithm>
#include <cmath>

#include "core/Numbers.h"
#include "core/StatusCode.h"
#include "core/Text.h"
#include "engine/BodyPoseAccess.h"
#include "engine/VectorGeometry.h"
#include "input/ProcessingOptionRules.h"

namespace kivo {
namespace {

std::optional<double> Number(std::string_view text, std::string_view symbol) {
    if (!IsNumeric(text, symbol))
        return std::nullopt;
    const double value = ReadUserNumber(text, symbol);
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<int> WindowSize(std::string_view text, std::string_view symbol) {
    const std::optional<double> value = Number(text, symbol);
    if (!value || *value < 1.0 || *value > 32767.0 || *value != std::floor(*value))
        return std::nullopt;
    return static_cast<int>(*value);
}

std::array<double, 3> Position(const Vec3& v) {
    return {v.x, v.y, v.z};
}

// What both camera functions share: person A's camera and the window
// points of the row's first variable and first target (z = 0).
struct FramingPoints {
    BodyPose camera;
    BodyPose interest;
    Vec3 variable;
    Vec3 target;
};

// The window point of person A's input variable `index`.
int ProjectBodyPart(const InputVariableTable& table, int index, const CameraView& view,
                    const FramingPoints& points, Vec3& window) {
    Vec3 position;
    int status = GetBodyPartPosition(table, 1, index, position);
    if (status != kStatusOk)
        return status;
    const BodyPose& c = points.camera;
    std::array<double, 3> projected{};
    status = ProjectPoint(view, Position(position), {c.x, c.y, c.z, c.rx, c.ry, c.rz},
                          Position(points.interest.Position()), projected);
    if (status == kStatusOk)
        window = {projected[0], projected[1], projected[2]};
    return status;
}

int ProjectFramingPoints(const InputVariableTable& table, const ParameterRecord& record,
                         const CameraView* view, FramingPoints& points) {
    if (view == nullptr || record.variableIndices.empty() || record.targetIndices.empty())
        return kStatusSettingError;
    int status = GetBodyPartPose(table, 1, kCamera, points.camera);
    if (status == kStatusOk)
        status = GetBodyPartPose(table, 1, kInterest, points.interest);
    if (status == kStatusOk)
        status = ProjectBodyPart(table, record.variableIndices[0], *view, points, points.variable);
    if (status == kStatusOk)
        status = ProjectBodyPart(table, record.targetIndices[0], *view, points, points.target);
    points.variable.z = 0.0;
    points.target.z = 0.0;
    return status;
}

}  // namespace

std::optional<CameraView> SetUpFileCamera(const InputFileRow& row, std::string_view decimalSymbol) {
    const std::string& resolution = row[kColResolution];
    const std::size_t x = resolution.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    const std::optional<int> width =
        WindowSize(std::string_view(resolution).substr(0, x), decimalSymbol);
    const std::optional<int> height =
        WindowSize(std::string_view(resolution).substr(x + 1), decimalSymbol);
    const std::optional<double> nearPlane = Number(row[kColNearPlane], decimalSymbol);
    const std::optional<double> farPlane = Number(row[kColFarPlane], decimalSymbol);
    const std::optional<double> fieldOfView = Number(row[kColFieldOfView], decimalSymbol);
    if (!width || !height || !nearPlane || !farPlane || *farPlane == *nearPlane || !fieldOfView ||
        !(*fieldOfView > 0.0 && *fieldOfView < 180.0)) {
        return std::nullopt;
    }
    return SetUpCamera(*width, *height, *nearPlane, *farPlane, *fieldOfView);
}

int CalculateCameraFraming(const InputVariableTable& table, ParameterRecord& record,
                           const CameraView* camera) {
    FramingPoints points;
    const int status = ProjectFramingPoints(table, record, camera, points);
    if (status != kStatusOk)
        return status;
    record.Current(0, 1) = VectorDistance(points.variable, points.target) * 100.0 /
                           static_cast<double>(camera->height);
    return kStatusOk;
}

int CalculateCameraProxemics(const InputVariableTable& table, ParameterRecord& record,
                             const CameraView* camera) {
    FramingPoints points;
    const int status = ProjectFramingPoints(table, record, camera, points);
    if (status != kStatusOk)
        return status;

    // Vertical extent of the body on screen, every part clamped to the window.
    const double windowHeight = static_cast<double>(camera->height);
    double lowest = windowHeight;
    double highest = 0.0;
    bool anyProjected = false;
    for (int k = kHips; k <= kHandRI; ++k) {
        Vec3 window;
        if (ProjectBodyPart(table, k, *camera, points, window) != kStatusOk)
            continue;
        const double y = std::clamp(window.y, 0.0, windowHeight);
        lowest = anyProjected ? std::min(lowest, y) : y;
        highest = anyProjected ? std::max(highest, y) : y;
        anyProjected = true;
    }
    if (!anyProjected || !(highest - lowest > 0.0))
        return kStatusDataError;
    record.Current(0, 1) =
        VectorDistance(points.variable, points.target) * 100.0 / (highest - lowest);
    return kStatusOk;
}

}  // namespace kivo
