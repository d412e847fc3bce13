#pragma once

#include <array>
#include <optional>
#include <span>

#include "media/CameraProjection.h"
#include "preview/BodyFrame.h"

namespace kivo {

// The virtual camera of a frame (person A's Camera pose looking at Interest)
// as a pyramid: its eye and the corners of its field of view at the distance
// of the point of interest.
struct VirtualCameraShape {
    Vec3 eye;
    Vec3 interest;
    std::array<Vec3, 4> corners;  // top left, top right, bottom right, bottom left
};

// Nothing when Camera (with its rotation) or Interest is missing, or the
// camera looks at its own position.
std::optional<VirtualCameraShape> VirtualCameraShapeOf(const BodyFrame& frame,
                                                       const CameraView& camera);

// Window coordinates of `point` seen by the virtual camera of `frame`, by the
// projection of the camera measures (y from the bottom of the window).
std::optional<Vec3> ProjectThroughVirtualCamera(const BodyFrame& frame, const CameraView& camera,
                                                const Vec3& point);

// A viewer's camera circling a point: its eye lies `distance` away from
// `target`, turned `yaw` degrees about the vertical (0: on the +z side) and
// raised `pitch` degrees; y stays up.
struct OrbitView {
    Vec3 target;
    double yaw = 0.0;
    double pitch = 15.0;
    double distance = 500.0;

    // The eye as a camera pose for ProjectPoint (no rotation: y is up).
    std::array<double, 6> EyePose() const;
};

// A view of `bodyPoints` from the side of their greatest horizontal spread
// (two persons facing each other are seen side by side), far enough away
// for a vertical field of view of `fieldOfView` degrees to hold them and
// `otherPoints` (such as the virtual camera's eye), looking slightly down.
OrbitView FramingView(std::span<const Vec3> bodyPoints, std::span<const Vec3> otherPoints,
                      double fieldOfView);

}  // namespace kivo
