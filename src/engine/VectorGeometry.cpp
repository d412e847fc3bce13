#include "engine/VectorGeometry.h"

#include <cmath>

namespace kivo {

double VectorDistance(const Vec3& a, const Vec3& b) {
    return DistanceFromSquared(SquaredDistance(a, b));
}

double DistanceFromSquared(double squared) {
    if (squared < kGeometryZero)
        return 0.0;
    return std::sqrt(squared);
}

double ArcTan2(double y, double x) {
    if (std::fabs(y) < kGeometryZero)
        return x < 0.0 ? -kPi : 0.0;
    if (std::fabs(x) < kGeometryZero)
        return y < 0.0 ? -kHalfPi : kHalfPi;
    const double a = std::atan(y / x);
    if (a < 0.0)
        return a + (x < 0.0 ? kPi : 0.0);
    return a + (y < 0.0 ? -kPi : 0.0);
}

double VectorAngle(const Vec3& a, const Vec3& b, bool& error) {
    const double squaredA = a.x * a.x + a.y * a.y + a.z * a.z;
    const double squaredB = b.x * b.x + b.y * b.y + b.z * b.z;
    if (squaredA == 0.0 || squaredB == 0.0) {
        error = true;
        return 0.0;
    }
    const double dot = a.x * b.x + a.y * b.y + a.z * b.z;
    const double c = dot / (std::sqrt(squaredA) * std::sqrt(squaredB));
    if (!std::isfinite(squaredA) || !std::isfinite(squaredB) || !std::isfinite(c)) {
        error = true;
        return 0.0;
    }
    double s = 0.0;
    if (c < 1.0) {
        // When rounding pushes the cosine below -1 the square root has no
        // value: that is reported as an error, like every other failure here.
        const double sineSquared = 1.0 - c * c;
        if (sineSquared < 0.0) {
            error = true;
            return 0.0;
        }
        s = std::sqrt(sineSquared);
    }
    return ArcTan2(s, c) * kRadiansToDegrees;
}

}  // namespace kivo
