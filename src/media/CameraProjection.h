#pragma once

#include <array>

namespace kivo {

// A perspective camera as set up for one input file: the window (viewport
// 0, 0, width, height) and the projection matrix. Plain values, so that every
// file and every run has its own camera.
struct CameraView {
    int width = 1;
    int height = 1;
    // Projection matrix, projection[row][column].
    std::array<std::array<double, 4>, 4> projection{};
};

// Viewport and perspective projection of a camera: vertical field of view in
// degrees, aspect width / height. A width or height of 0 is taken as 1. When
// far equals near, or the field of view has no sine, the projection stays the
// identity (as the classic perspective routine leaves it).
CameraView SetUpCamera(int width, int height, double nearPlane, double farPlane,
                       double fieldOfView);

// Window coordinates of `point` seen by a camera at the position of
// `cameraPose` (x, y, z, rx, ry, rz; degrees) looking at `interest`, with the
// camera's rotated y axis as the up direction. x and y are measured in pixels
// from the lower left corner of the window, unrounded; z is the depth 0..1.
// Returns 0, or 6 when the point lies in the camera plane (no projection).
[[nodiscard]] int ProjectPoint(const CameraView& camera, const std::array<double, 3>& point,
                               const std::array<double, 6>& cameraPose,
                               const std::array<double, 3>& interest,
                               std::array<double, 3>& window);

}  // namespace kivo
