#pragma once

#include <array>
#include <cmath>
#include <numbers>

namespace kivo::testing {

// Orientations computed apart from the program, from their definitions.
using Matrix = std::array<std::array<double, 3>, 3>;

// a·b, or the transpose of a times b.
inline Matrix Multiply(const Matrix& a, const Matrix& b, bool transposeA = false) {
    Matrix product{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            for (int k = 0; k < 3; ++k)
                product[i][j] += (transposeA ? a[k][i] : a[i][k]) * b[k][j];
        }
    }
    return product;
}

// The rotation by `radians` about the axis 'x', 'y' or 'z'.
inline Matrix Rotation(char axis, double radians) {
    const double c = std::cos(radians), s = std::sin(radians);
    if (axis == 'x')
        return {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
    if (axis == 'y')
        return {{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}};
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

// R = Rz(rz)·Ry(ry)·Rx(rx) of angles in degrees, each degree `degree` radians.
inline Matrix Orientation(double rx, double ry, double rz,
                          double degree = std::numbers::pi / 180.0) {
    return Multiply(Multiply(Rotation('z', rz * degree), Rotation('y', ry * degree)),
                    Rotation('x', rx * degree));
}

}  // namespace kivo::testing
