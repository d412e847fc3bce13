#include "engine/Rotation.h"

#include <array>
#include <cmath>

#include "core/StatusCode.h"
#include "engine/ExactMemo.h"
#include "engine/VectorGeometry.h"

namespace kivo {

namespace {

bool IsFinite(const BodyPose& pose) {
    return std::isfinite(pose.x) && std::isfinite(pose.y) && std::isfinite(pose.z) &&
           std::isfinite(pose.rx) && std::isfinite(pose.ry) && std::isfinite(pose.rz);
}

bool AnglesFinite(const BodyPose& pose) {
    return std::isfinite(pose.rx) && std::isfinite(pose.ry) && std::isfinite(pose.rz);
}

// Products with a rotation matrix written out. Each entry is the sum of the
// general product, 0 + a*b + a*b + a*b, without the terms whose rotation
// entry is exactly 0 and without multiplying by entries of exactly 1. For
// finite entries of `a` that is the general product bit for bit: a finite
// number times 0 is a zero, and adding a zero leaves every sum that starts
// at +0 as it is (such a sum is never -0). The callers take this way only
// for finite angles, whose rotations have finite entries.
struct SineCosine {
    double s;
    double c;
};

SineCosine SineCosineOf(double radians) {
    return {std::sin(radians), std::cos(radians)};
}

// a * Rz: Rz = (c, -s, 0), (s, c, 0), (0, 0, 1).
Mat3 TimesRotationZ(const Mat3& a, SineCosine r) {
    Mat3 p;
    for (int i = 0; i < 3; ++i) {
        p[i][0] = (0.0 + a[i][0] * r.c) + a[i][1] * r.s;
        p[i][1] = (0.0 + a[i][0] * -r.s) + a[i][1] * r.c;
        p[i][2] = 0.0 + a[i][2];
    }
    return p;
}

// a * Ry: Ry = (c, 0, s), (0, 1, 0), (-s, 0, c).
Mat3 TimesRotationY(const Mat3& a, SineCosine r) {
    Mat3 p;
    for (int i = 0; i < 3; ++i) {
        p[i][0] = (0.0 + a[i][0] * r.c) + a[i][2] * -r.s;
        p[i][1] = 0.0 + a[i][1];
        p[i][2] = (0.0 + a[i][0] * r.s) + a[i][2] * r.c;
    }
    return p;
}

// a * Rx: Rx = (1, 0, 0), (0, c, -s), (0, s, c).
Mat3 TimesRotationX(const Mat3& a, SineCosine r) {
    Mat3 p;
    for (int i = 0; i < 3; ++i) {
        p[i][0] = 0.0 + a[i][0];
        p[i][1] = (0.0 + a[i][1] * r.c) + a[i][2] * r.s;
        p[i][2] = (0.0 + a[i][1] * -r.s) + a[i][2] * r.c;
    }
    return p;
}

Mat3 RotationZ(SineCosine r) {
    return {{{r.c, -r.s, 0.0}, {r.s, r.c, 0.0}, {0.0, 0.0, 1.0}}};
}

Mat3 RotationX(SineCosine r) {
    return {{{1.0, 0.0, 0.0}, {0.0, r.c, -r.s}, {0.0, r.s, r.c}}};
}

// Local poses already computed: the same bodies are expressed in the same
// frames by several rows of a frame (and by the next frame, for the previous
// poses), so many transformations are asked for more than once.
struct LocalPose {
    BodyPose pose;
    int status = kStatusOk;
};
using LocalPoseMemo = ExactMemo<12, LocalPose, 2048>;

LocalPoseMemo& LocalPoses() {
    thread_local LocalPoseMemo memo;
    return memo;
}

// Inverse orientations of references: many poses are expressed in the same
// frame (every local row of a parent, every body part of a mimicry row).
using InverseMemo = ExactMemo<3, Mat3, 256>;

Mat3 InverseOrientation(const BodyPose& reference) {
    thread_local InverseMemo memo;
    const InverseMemo::Key key = {InverseMemo::Bits(reference.rx), InverseMemo::Bits(reference.ry),
                                  InverseMemo::Bits(reference.rz)};
    if (const Mat3* known = memo.Find(key))
        return *known;
    // The rotations undone in reverse order.
    Mat3 inverse;
    if (AnglesFinite(reference)) {
        inverse = TimesRotationZ(
            TimesRotationY(RotationX(SineCosineOf(-reference.rx * kDegreesToRadians)),
                           SineCosineOf(-reference.ry * kDegreesToRadians)),
            SineCosineOf(-reference.rz * kDegreesToRadians));
    } else {
        const std::array<Mat3, 3> inverseChain = {
            RotationMatrix(RotationAxis::kX, -reference.rx * kDegreesToRadians),
            RotationMatrix(RotationAxis::kY, -reference.ry * kDegreesToRadians),
            RotationMatrix(RotationAxis::kZ, -reference.rz * kDegreesToRadians)};
        inverse = MultiplyMatrices(inverseChain);
    }
    memo.Store(key, inverse);
    return inverse;
}

}  // namespace

void RotationMatrix(int axis, double radians, Mat3& matrix) {
    const double s = std::sin(radians);
    const double c = std::cos(radians);
    switch (axis) {
        case 1:
            matrix = {{{1.0, 0.0, 0.0}, {0.0, c, -s}, {0.0, s, c}}};
            break;
        case 2:
            matrix = {{{c, 0.0, s}, {0.0, 1.0, 0.0}, {-s, 0.0, c}}};
            break;
        case 3:
            matrix = {{{c, -s, 0.0}, {s, c, 0.0}, {0.0, 0.0, 1.0}}};
            break;
        default:
            break;
    }
}

Mat3 RotationMatrix(RotationAxis axis, double radians) {
    Mat3 matrix = kIdentityMatrix;
    RotationMatrix(static_cast<int>(axis), radians, matrix);
    return matrix;
}

Mat3 MultiplyMatrices(const Mat3& a, const Mat3& b) {
    Mat3 product{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 3; ++k)
                sum = sum + a[i][k] * b[k][j];
            product[i][j] = sum;
        }
    }
    return product;
}

Mat3 MultiplyMatrices(std::span<const Mat3> chain) {
    if (chain.empty())
        return kIdentityMatrix;
    Mat3 product = chain[0];
    for (std::size_t n = 1; n < chain.size(); ++n)
        product = MultiplyMatrices(product, chain[n]);
    return product;
}

Vec3 MultiplyMatrixVector(const Mat3& m, const Vec3& v) {
    const std::array<double, 3> in = {v.x, v.y, v.z};
    std::array<double, 3> out{};
    for (int i = 0; i < 3; ++i) {
        double sum = 0.0;
        for (int j = 0; j < 3; ++j)
            sum = sum + m[i][j] * in[j];
        out[i] = sum;
    }
    return {out[0], out[1], out[2]};
}

Mat3 OrientationMatrix(const BodyPose& pose) {
    if (AnglesFinite(pose)) {
        return TimesRotationX(TimesRotationY(RotationZ(SineCosineOf(pose.rz * kDegreesToRadians)),
                                             SineCosineOf(pose.ry * kDegreesToRadians)),
                              SineCosineOf(pose.rx * kDegreesToRadians));
    }
    const std::array<Mat3, 3> chain = {
        RotationMatrix(RotationAxis::kZ, pose.rz * kDegreesToRadians),
        RotationMatrix(RotationAxis::kY, pose.ry * kDegreesToRadians),
        RotationMatrix(RotationAxis::kX, pose.rx * kDegreesToRadians)};
    return MultiplyMatrices(chain);
}

int TransformToLocal(BodyPose& pose, BodyPose reference) {
    using Memo = LocalPoseMemo;
    const Memo::Key key = {
        Memo::Bits(pose.x),       Memo::Bits(pose.y),       Memo::Bits(pose.z),
        Memo::Bits(pose.rx),      Memo::Bits(pose.ry),      Memo::Bits(pose.rz),
        Memo::Bits(reference.x),  Memo::Bits(reference.y),  Memo::Bits(reference.z),
        Memo::Bits(reference.rx), Memo::Bits(reference.ry), Memo::Bits(reference.rz)};
    Memo& memo = LocalPoses();
    if (const LocalPose* known = memo.Find(key)) {
        pose = known->pose;
        return known->status;
    }
    const int status = ComputeTransformToLocal(pose, reference);
    memo.Store(key, {pose, status});
    return status;
}

int ComputeTransformToLocal(BodyPose& pose, BodyPose reference) {
    const Mat3 inverse = InverseOrientation(reference);

    const Vec3 offset{pose.x - reference.x, pose.y - reference.y, pose.z - reference.z};
    const Vec3 local = MultiplyMatrixVector(inverse, offset);
    pose.x = local.x;
    pose.y = local.y;
    pose.z = local.z;

    Mat3 r;
    if (AnglesFinite(pose) && AnglesFinite(reference)) {
        r = TimesRotationX(
            TimesRotationY(TimesRotationZ(inverse, SineCosineOf(pose.rz * kDegreesToRadians)),
                           SineCosineOf(pose.ry * kDegreesToRadians)),
            SineCosineOf(pose.rx * kDegreesToRadians));
    } else {
        const std::array<Mat3, 4> relativeChain = {
            inverse, RotationMatrix(RotationAxis::kZ, pose.rz * kDegreesToRadians),
            RotationMatrix(RotationAxis::kY, pose.ry * kDegreesToRadians),
            RotationMatrix(RotationAxis::kX, pose.rx * kDegreesToRadians)};
        r = MultiplyMatrices(relativeChain);
    }

    // Euler angles of the relative orientation; cos(ry) is kept away from 0
    // so that rx and rz stay finite at ry = +-90 degrees.
    double k = 1.0 - r[2][0] * r[2][0];
    if (k < kGeometryZero)
        k = kGeometryZero;
    const double c = std::sqrt(k);
    pose.rx = ArcTan2(r[2][1] / c, r[2][2] / c) * kRadiansToDegrees;
    pose.ry = ArcTan2(-r[2][0], c) * kRadiansToDegrees;
    pose.rz = ArcTan2(r[1][0] / c, r[0][0] / c) * kRadiansToDegrees;

    return IsFinite(pose) ? kStatusOk : kStatusCalculationError;
}

int StraightenOnReference(BodyPose& pose, BodyPose reference) {
    const int status = TransformToLocal(pose, reference);
    if (status != 0)
        return status;
    pose.x = pose.x + reference.x;
    pose.y = pose.y + reference.y;
    pose.z = pose.z + reference.z;
    return std::isfinite(pose.x) && std::isfinite(pose.y) && std::isfinite(pose.z)
               ? kStatusOk
               : kStatusCalculationError;
}

}  // namespace kivo
