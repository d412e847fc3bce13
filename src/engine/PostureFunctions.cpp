#include "engine/PostureFunctions.h"

#include "core/StatusCode.h"
#include "engine/BodyPoseAccess.h"
#include "engine/Rotation.h"
#include "engine/SrlAngles.h"

namespace kivo {
namespace {

int FirstVariable(const ParameterRecord& record) {
    return record.variableIndices.empty() ? kNotAnInputVariable : record.variableIndices[0];
}

void WriteAngles(ParameterRecord& record, int person, const SrlAngles& angles) {
    record.Current(0, person) = angles.sagittal;
    record.Current(1, person) = angles.rotational;
    record.Current(2, person) = angles.lateral;
}

// Expresses `pose` in the frame of the reference system, read with `read`.
// Returns the status to stop with, or 0 to go on (also when an unassigned
// "Base" leaves the pose global).
template <class ReadPose>
int ApplyDynamicReference(const InputVariableTable& table, const ParameterRecord& record,
                          int person, ReadPose read, BodyPose& pose) {
    if (record.referenceSystem >= kNotAnInputVariable)
        return kStatusOk;
    BodyPose reference;
    const int status = read(table, person, record.referenceSystem, reference);
    if (status == kStatusOk)
        return TransformToLocal(pose, reference);
    return record.referenceSystem == kBase ? kStatusOk : status;
}

}  // namespace

int CalculateStaticSRL(const InputVariableTable& table, ParameterRecord& record, int person) {
    BodyPose pose;
    const int status = GetBodyPartPose(table, person, FirstVariable(record), pose);
    if (status != kStatusOk)
        return status;
    SrlAngles angles;
    BodyPose reference;
    const int angleStatus =
        GetBodyPartPose(table, person, record.referenceSystem, reference) == kStatusOk
            ? CalculateLocalSRLAngles(pose, reference, angles)
            : CalculateSRLAngles(pose, angles);
    if (angleStatus == kStatusOk)
        WriteAngles(record, person, angles);
    return angleStatus;
}

int CalculateDynamicSRL(const InputVariableTable& table, ParameterRecord& record, int person) {
    const int variable = FirstVariable(record);
    BodyPose current;
    int status = GetBodyPartPose(table, person, variable, current);
    if (status != kStatusOk)
        return status;
    status = ApplyDynamicReference(table, record, person, GetBodyPartPose, current);
    if (status != kStatusOk)
        return status;

    BodyPose previous;
    status = GetBodyPartPreviousPose(table, person, variable, previous);
    if (status != kStatusOk)
        return status;
    status = ApplyDynamicReference(table, record, person, GetBodyPartPreviousPose, previous);
    if (status != kStatusOk)
        return status;

    // The change from one frame to the next is asked for only here.
    SrlAngles angles;
    status = ComputeLocalSRLAngles(current, previous, angles);
    if (status == kStatusOk)
        WriteAngles(record, person, angles);
    return status;
}

int CalculateCoordinateTransformation(const InputVariableTable& table, ParameterRecord& record,
                                      int person) {
    BodyPose pose;
    int status = GetBodyPartPose(table, person, FirstVariable(record), pose);
    if (status != kStatusOk)
        return status;
    BodyPose reference;
    if (GetBodyPartPose(table, person, record.referenceSystem, reference) == kStatusOk) {
        status = TransformToLocal(pose, reference);
    }
    const double values[6] = {pose.x, pose.y, pose.z, pose.rx, pose.ry, pose.rz};
    for (int v = 0; v < 6 && v < record.nValues; ++v)
        record.Current(v, person) = values[v];
    return status;
}

}  // namespace kivo
