#include "preview/PreviewCamera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/StatusCode.h"
#include "engine/Rotation.h"

namespace kivo {
namespace {

constexpr double kRadians = std::numbers::pi / 180.0;

Vec3 Minus(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 Plus(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 Times(const Vec3& a, double f) {
    return {a.x * f, a.y * f, a.z * f};
}
Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(const Vec3& a) {
    return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
}

}  // namespace

std::optional<VirtualCameraShape> VirtualCameraShapeOf(const BodyFrame& frame,
                                                       const CameraView& camera) {
    const BodyPart* eye = frame.Find(kCamera);
    const BodyPart* interest = frame.Find(kInterest);
    if (eye == nullptr || !eye->hasRotation || interest == nullptr)
        return std::nullopt;
    const Vec3 view = Minus(interest->position, eye->position);
    const double distance = Length(view);
    const Mat3 orientation = OrientationMatrix(eye->Pose());
    const Vec3 up{orientation[0][1], orientation[1][1], orientation[2][1]};
    const Vec3 forward = Times(view, distance > 0.0 ? 1.0 / distance : 0.0);
    const Vec3 sideways = Cross(forward, up);
    const double sideLength = Length(sideways);
    if (distance == 0.0 || sideLength == 0.0 || camera.projection[0][0] == 0.0 ||
        camera.projection[1][1] == 0.0) {
        return std::nullopt;
    }
    const Vec3 side = Times(sideways, 1.0 / sideLength);
    const Vec3 cameraUp = Cross(side, forward);
    // The projection holds cot(fov / 2) and cot(fov / 2) / aspect.
    const Vec3 across = Times(side, distance / camera.projection[0][0]);
    const Vec3 upward = Times(cameraUp, distance / camera.projection[1][1]);
    VirtualCameraShape shape;
    shape.eye = eye->position;
    shape.interest = interest->position;
    shape.corners = {Plus(Minus(interest->position, across), upward),
                     Plus(Plus(interest->position, across), upward),
                     Minus(Plus(interest->position, across), upward),
                     Minus(Minus(interest->position, across), upward)};
    return shape;
}

std::optional<Vec3> ProjectThroughVirtualCamera(const BodyFrame& frame, const CameraView& camera,
                                                const Vec3& point) {
    const BodyPart* eye = frame.Find(kCamera);
    const BodyPart* interest = frame.Find(kInterest);
    if (eye == nullptr || !eye->hasRotation || interest == nullptr)
        return std::nullopt;
    const BodyPose pose = eye->Pose();
    std::array<double, 3> window{};
    if (ProjectPoint(camera, {point.x, point.y, point.z},
                     {pose.x, pose.y, pose.z, pose.rx, pose.ry, pose.rz},
                     {interest->position.x, interest->position.y, interest->position.z},
                     window) != kStatusOk) {
        return std::nullopt;
    }
    return Vec3{window[0], window[1], window[2]};
}

std::array<double, 6> OrbitView::EyePose() const {
    const double yawRadians = yaw * kRadians;
    const double pitchRadians = pitch * kRadians;
    const Vec3 offset{distance * std::cos(pitchRadians) * std::sin(yawRadians),
                      distance * std::sin(pitchRadians),
                      distance * std::cos(pitchRadians) * std::cos(yawRadians)};
    const Vec3 eye = Plus(target, offset);
    return {eye.x, eye.y, eye.z, 0.0, 0.0, 0.0};
}

OrbitView FramingView(std::span<const Vec3> bodyPoints, std::span<const Vec3> otherPoints,
                      double fieldOfView) {
    OrbitView view;
    if (bodyPoints.empty())
        return view;
    Vec3 low = bodyPoints.front(), high = bodyPoints.front();
    Vec3 mean{};
    for (const Vec3& p : bodyPoints) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        mean = Plus(mean, p);
    }
    mean = Times(mean, 1.0 / static_cast<double>(bodyPoints.size()));
    // Direction of the greatest horizontal spread (principal axis in x and z).
    double xx = 0.0, zz = 0.0, xz = 0.0;
    for (const Vec3& p : bodyPoints) {
        xx += (p.x - mean.x) * (p.x - mean.x);
        zz += (p.z - mean.z) * (p.z - mean.z);
        xz += (p.x - mean.x) * (p.z - mean.z);
    }
    const double spread = 0.5 * std::atan2(2.0 * xz, xx - zz);
    // Seen from across that direction: the eye lies along (-sin, cos) in x, z.
    view.yaw = std::atan2(-std::sin(spread), std::cos(spread)) / kRadians;
    view.target = Times(Plus(low, high), 0.5);
    view.pitch = 12.0;

    double radius = 0.0;
    for (auto points : {bodyPoints, otherPoints}) {
        for (const Vec3& p : points)
            radius = std::max(radius, Length(Minus(p, view.target)));
    }
    const double halfAngle = std::clamp(fieldOfView, 5.0, 170.0) * 0.5 * kRadians;
    view.distance = std::max(radius, 1.0) / std::sin(halfAngle) * 1.05;
    return view;
}

}  // namespace kivo
