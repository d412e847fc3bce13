#pragma once

#include "engine/GeometryTypes.h"

namespace kivo {

// Euclidean distance of two points, summed in the order y, x, z; exactly 0
// when the squared distance is below 1e-7.
double VectorDistance(const Vec3& a, const Vec3& b);

// The two steps of VectorDistance, for callers that compare many distances:
// VectorDistance(a, b) == DistanceFromSquared(SquaredDistance(a, b)) bit for
// bit. Both steps are monotonic, so the smallest of several distances is the
// distance of the smallest squared distance.
inline double SquaredDistance(const Vec3& a, const Vec3& b) {
    const double dy = a.y - b.y;
    const double dx = a.x - b.x;
    const double dz = a.z - b.z;
    return dy * dy + dx * dx + dz * dz;
}
double DistanceFromSquared(double squared);

// Angle of the point (x, y) in radians with the 15-digit pi. Tie-breaks:
// |y| < 1e-7 gives -pi for x < 0 (not +pi) and 0 otherwise (also for x near
// 0); otherwise |x| < 1e-7 gives -pi/2 or +pi/2 by the sign of y.
double ArcTan2(double y, double x);

// Angle between two vectors in degrees, 0..180; exactly opposite vectors give
// -180 (the -pi of ArcTan2). A vector of squared length 0, or a product that
// cannot be computed (overflow), sets `error` to true and gives 0. `error` is
// never cleared here, so one flag can collect several calls.
double VectorAngle(const Vec3& a, const Vec3& b, bool& error);

}  // namespace kivo
