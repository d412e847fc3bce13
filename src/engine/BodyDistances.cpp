#include "engine/BodyDistances.h"

#include <cmath>

#include "core/StatusCode.h"
#include "engine/BodyPoseAccess.h"
#include "engine/Rotation.h"
#include "engine/VectorGeometry.h"

namespace kivo {

namespace {

int Scaled(double rawDistance, double factor, double& distance) {
    const double scaled = rawDistance * factor;
    if (!std::isfinite(scaled))
        return kStatusCalculationError;
    distance = scaled;
    return kStatusOk;
}

}  // namespace

int CalculateBodyPartDistance(const InputVariableTable& table, int person, bool mirror, int a,
                              int b, int c, double factor, double& distance) {
    BodyPose poseA;
    BodyPose poseB;
    int status = GetBodyPartPose(table, person, a, poseA);
    if (status != kStatusOk)
        return status;
    status = GetBodyPartPose(table, person, b, poseB);
    if (status != kStatusOk)
        return status;
    if (mirror) {
        BodyPose poseC;
        status = GetBodyPartPose(table, person, c, poseC);
        if (status != kStatusOk)
            return status;
        status = TransformToLocal(poseA, poseC);
        if (status != kStatusOk)
            return status;
        status = TransformToLocal(poseB, poseC);
        if (status != kStatusOk)
            return status;
        poseA.x = -poseA.x;
    }
    return Scaled(VectorDistance(poseA.Position(), poseB.Position()), factor, distance);
}

int CalculateBodyPartDistance(const InputVariableTable& table, int person, int a, int b,
                              double factor, double& distance) {
    return CalculateBodyPartDistance(table, person, false, a, b, kNotAnInputVariable, factor,
                                     distance);
}

int CalculatePersonsDistance(const InputVariableTable& table, int personP, int a, int personQ,
                             int b, double factor, double& distance) {
    BodyPose poseA;
    BodyPose poseB;
    int status = GetBodyPartPose(table, personP, a, poseA);
    if (status != kStatusOk)
        return status;
    status = GetBodyPartPose(table, personQ, b, poseB);
    if (status != kStatusOk)
        return status;
    return Scaled(VectorDistance(poseA.Position(), poseB.Position()), factor, distance);
}

int CalculateBodyPartDisplacement(const InputVariableTable& table, int person, int index,
                                  double factor, double& distance) {
    Vec3 current;
    Vec3 previous;
    int status = GetBodyPartPosition(table, person, index, current);
    if (status != kStatusOk)
        return status;
    status = GetBodyPartPreviousPosition(table, person, index, previous);
    if (status != kStatusOk)
        return status;
    return Scaled(VectorDistance(current, previous), factor, distance);
}

}  // namespace kivo
