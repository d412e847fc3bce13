#pragma once

#include <span>

#include "engine/GeometryTypes.h"

namespace kivo {

enum class RotationAxis : int { kX = 1, kY = 2, kZ = 3 };

// Rotation by `radians` about axis 1 (x), 2 (y) or 3 (z):
//   x: (1, 0, 0), (0, c, -s), (0, s, c)
//   y: (c, 0, s), (0, 1, 0), (-s, 0, c)
//   z: (c, -s, 0), (s, c, 0), (0, 0, 1)
// Any other axis value leaves `matrix` unchanged.
void RotationMatrix(int axis, double radians, Mat3& matrix);
Mat3 RotationMatrix(RotationAxis axis, double radians);

// Row-by-column product a * b; every entry is summed from 0 over k = 1..3.
Mat3 MultiplyMatrices(const Mat3& a, const Mat3& b);
// M1 * M2 * ... * Mn accumulated from the left ((M1 * M2) * M3 ...); the
// identity for an empty chain.
Mat3 MultiplyMatrices(std::span<const Mat3> chain);

// m * v, every component summed from 0 over the columns in order.
Vec3 MultiplyMatrixVector(const Mat3& m, const Vec3& v);

// Orientation matrix Rz(rz) * Ry(ry) * Rx(rx) of a pose (angles in degrees).
Mat3 OrientationMatrix(const BodyPose& pose);

// Expresses `pose` in the local frame of `reference`: position relative to the
// reference's position in its axes, orientation relative to its orientation
// (Euler angles in the same convention, degrees). Returns 0, or 1 when a
// value cannot be computed (the pose is then partly updated). `reference` is
// taken by value, so a pose may be transformed onto itself.
// Results are remembered by the exact bits of both poses (ExactMemo): asked
// again for the same poses, it gives the stored result, bit for bit what
// ComputeTransformToLocal gives.
[[nodiscard]] int TransformToLocal(BodyPose& pose, BodyPose reference);
// The same transformation, always computed afresh.
[[nodiscard]] int ComputeTransformToLocal(BodyPose& pose, BodyPose reference);

// TransformToLocal, then the reference's position added to the pose's
// position: the pose straightened on the reference. Returns 0 or 1.
[[nodiscard]] int StraightenOnReference(BodyPose& pose, BodyPose reference);

}  // namespace kivo
