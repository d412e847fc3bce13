#include "engine/SrlAngles.h"

#include <cmath>

#include "core/StatusCode.h"
#include "engine/ExactMemo.h"
#include "engine/Rotation.h"
#include "engine/VectorGeometry.h"

namespace kivo {

namespace {

// The angle whose cosine is `c`, on the side given by `negative`, or kNoValue
// when the projection `squaredLength` is too short or c lies outside -1..1
// beyond rounding.
double SrlAngle(double squaredLength, double numerator, bool negative) {
    if (!(squaredLength > kGeometryZero))
        return kNoValue;
    const double c = numerator / std::sqrt(squaredLength);
    if (!(1.0 - c * c > -kGeometryZero))
        return kNoValue;
    double s = std::sqrt(std::fabs(1.0 - c * c));
    if (negative)
        s = -s;
    return ArcTan2(s, c) * kRadiansToDegrees;
}

bool IsFinite(const Mat3& m) {
    for (const auto& row : m) {
        for (double value : row) {
            if (!std::isfinite(value))
                return false;
        }
    }
    return true;
}

}  // namespace

int CalculateSRLAngles(const BodyPose& pose, SrlAngles& angles) {
    angles = SrlAngles{};
    const Mat3 r = OrientationMatrix(pose);
    if (!IsFinite(r))
        return kStatusCalculationError;

    const double r11 = r[0][0], r12 = r[0][1], r13 = r[0][2];
    const double r21 = r[1][0], r22 = r[1][1], r23 = r[1][2];
    const double r31 = r[2][0], r33 = r[2][2];
    const double n = r11 * r33 - r31 * r13;

    angles.sagittal = SrlAngle(r11 * r11 + r31 * r31, n, r23 > 0.0);
    angles.rotational = SrlAngle(r12 * r12 + r22 * r22, r22 * r11 - r21 * r12, r31 > 0.0);
    angles.lateral = SrlAngle(r13 * r13 + r33 * r33, n, r21 < 0.0);
    return kStatusOk;
}

namespace {

// SRL angles already computed: several rows of a frame ask for the angles of
// the same body part in the same frame (the mimicry rows of both persons,
// the local posture rows), so many are asked for more than once.
struct LocalAngles {
    SrlAngles angles;
    int status = kStatusOk;
};
using LocalAnglesMemo = ExactMemo<12, LocalAngles, 512>;

}  // namespace

int CalculateLocalSRLAngles(BodyPose pose, const BodyPose& reference, SrlAngles& angles) {
    using Memo = LocalAnglesMemo;
    thread_local Memo memo;
    const Memo::Key key = {
        Memo::Bits(pose.x),       Memo::Bits(pose.y),       Memo::Bits(pose.z),
        Memo::Bits(pose.rx),      Memo::Bits(pose.ry),      Memo::Bits(pose.rz),
        Memo::Bits(reference.x),  Memo::Bits(reference.y),  Memo::Bits(reference.z),
        Memo::Bits(reference.rx), Memo::Bits(reference.ry), Memo::Bits(reference.rz)};
    if (const LocalAngles* known = memo.Find(key)) {
        angles = known->angles;
        return known->status;
    }
    int status = TransformToLocal(pose, reference);
    if (status == kStatusOk) {
        status = CalculateSRLAngles(pose, angles);
    } else {
        angles = SrlAngles{};
    }
    memo.Store(key, {angles, status});
    return status;
}

int ComputeLocalSRLAngles(BodyPose pose, const BodyPose& reference, SrlAngles& angles) {
    const int status = ComputeTransformToLocal(pose, reference);
    if (status != kStatusOk) {
        angles = SrlAngles{};
        return status;
    }
    return CalculateSRLAngles(pose, angles);
}

}  // namespace kivo
