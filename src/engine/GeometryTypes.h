#pragma once

#include <array>

#include "core/NoValue.h"

namespace kivo {

// Pi and pi/2 as the 15-digit values all of Kivo's angles are computed with
// (not the nearest doubles of pi): results must match earlier runs to the
// last printed digit.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kHalfPi = 1.570796326794895;
inline constexpr double kDegreesToRadians = 0.017453292519943278;
inline constexpr double kRadiansToDegrees = 57.29577951308238;

// Magnitudes (and squared magnitudes) below this count as zero in the
// geometry routines.
inline constexpr double kGeometryZero = 1e-7;

// A point or direction in the capture system's coordinates (y up).
struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// 3x3 matrix, m[row][column] with 0-based indices (m[2][0] is the entry of
// row 3, column 1).
using Mat3 = std::array<std::array<double, 3>, 3>;

inline constexpr Mat3 kIdentityMatrix = {{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}};

// Position and orientation of one input variable of one person in one frame.
// The orientation is Rz(rz) * Ry(ry) * Rx(rx); angles are in degrees.
struct BodyPose {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double rx = 0.0;
    double ry = 0.0;
    double rz = 0.0;

    Vec3 Position() const { return {x, y, z}; }
};

// Sagittal (forward/backward tilt), rotational (turn about the vertical) and
// lateral (sideways tilt) angle in degrees; an angle that cannot be
// determined is kNoValue.
struct SrlAngles {
    double sagittal = kNoValue;
    double rotational = kNoValue;
    double lateral = kNoValue;
};

}  // namespace kivo
