#include "media/CameraProjection.h"

#include <cmath>
#include <numbers>

#include "core/StatusCode.h"

namespace kivo {
namespace {

using Vec = std::array<double, 3>;
using Mat = std::array<std::array<double, 3>, 3>;

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

Vec Difference(const Vec& a, const Vec& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Vec Cross(const Vec& a, const Vec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Dot(const Vec& a, const Vec& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// Unit vector; a zero vector stays as it is.
Vec Normalized(const Vec& v) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0)
        return v;
    return {v[0] / length, v[1] / length, v[2] / length};
}

Mat Multiply(const Mat& a, const Mat& b) {
    Mat product{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            product[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
    }
    return product;
}

// Rotation by `degrees` about the x (0), y (1) or z (2) axis, right-handed.
Mat Rotation(int axis, double degrees) {
    const double c = std::cos(degrees * kRadiansPerDegree);
    const double s = std::sin(degrees * kRadiansPerDegree);
    switch (axis) {
        case 0:
            return {{{1.0, 0.0, 0.0}, {0.0, c, -s}, {0.0, s, c}}};
        case 1:
            return {{{c, 0.0, s}, {0.0, 1.0, 0.0}, {-s, 0.0, c}}};
        default:
            return {{{c, -s, 0.0}, {s, c, 0.0}, {0.0, 0.0, 1.0}}};
    }
}

}  // namespace

CameraView SetUpCamera(int width, int height, double nearPlane, double farPlane,
                       double fieldOfView) {
    CameraView camera;
    camera.width = width == 0 ? 1 : width;
    camera.height = height == 0 ? 1 : height;
    for (int i = 0; i < 4; ++i)
        camera.projection[i][i] = 1.0;

    const double aspect = static_cast<double>(camera.width) / static_cast<double>(camera.height);
    const double radians = fieldOfView / 2.0 * std::numbers::pi / 180.0;
    const double depth = farPlane - nearPlane;
    const double sine = std::sin(radians);
    if (depth == 0.0 || sine == 0.0 || aspect == 0.0)
        return camera;
    const double cotangent = std::cos(radians) / sine;
    auto& p = camera.projection;
    p[0][0] = cotangent / aspect;
    p[1][1] = cotangent;
    p[2][2] = -(farPlane + nearPlane) / depth;
    p[2][3] = -2.0 * nearPlane * farPlane / depth;
    p[3][2] = -1.0;
    p[3][3] = 0.0;
    return camera;
}

int ProjectPoint(const CameraView& camera, const std::array<double, 3>& point,
                 const std::array<double, 6>& cameraPose, const std::array<double, 3>& interest,
                 std::array<double, 3>& window) {
    // The camera's y axis after its rotation Rz * Ry * Rx is the up direction.
    const Mat orientation =
        Multiply(Multiply(Rotation(2, cameraPose[5]), Rotation(1, cameraPose[4])),
                 Rotation(0, cameraPose[3]));
    const Vec up = {orientation[0][1], orientation[1][1], orientation[2][1]};

    // Look-at transform: rows side, up, -forward, applied to the point
    // relative to the eye.
    const Vec eye = {cameraPose[0], cameraPose[1], cameraPose[2]};
    const Vec forward = Normalized(Difference(interest, eye));
    const Vec side = Normalized(Cross(forward, up));
    const Vec cameraUp = Cross(side, forward);
    const Vec relative = Difference(point, eye);
    const double eyeCoordinates[4] = {Dot(side, relative), Dot(cameraUp, relative),
                                      -Dot(forward, relative), 1.0};

    double clip[4];
    for (int i = 0; i < 4; ++i) {
        const auto& row = camera.projection[i];
        clip[i] = row[0] * eyeCoordinates[0] + row[1] * eyeCoordinates[1] +
                  row[2] * eyeCoordinates[2] + row[3] * eyeCoordinates[3];
    }
    if (clip[3] == 0.0)
        return kStatusSettingError;
    window = {(clip[0] / clip[3] * 0.5 + 0.5) * camera.width,
              (clip[1] / clip[3] * 0.5 + 0.5) * camera.height, clip[2] / clip[3] * 0.5 + 0.5};
    return kStatusOk;
}

}  // namespace kivo
