#include "engine/DyadicFunctions.h"

#include <array>
#include <cmath>
#include <limits>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/BodyDistances.h"
#include "engine/BodyPoseAccess.h"
#include "engine/OperandRows.h"
#include "engine/SrlAngles.h"
#include "engine/VectorGeometry.h"

namespace kivo {

namespace {

// Start of a running minimum: larger than any distance two persons can have.
constexpr double kNoDistanceYet = 1e300;

// Value columns a Dyadic Parameter writes per value column of its input.
constexpr int kDyadicColumnsPerValue = 4;

// The pose mirrored in the global yz plane (x = 0).
BodyPose Mirrored(const BodyPose& pose) {
    return {-pose.x, pose.y, pose.z, pose.rx, -pose.ry, -pose.rz};
}

// The same body part on the other body side: Arm, Elbow, Hand, Leg, Knee and
// Foot exchange left and right; every other input variable stays.
int OtherSide(int index) {
    if (index < kArmL || index > kFootR)
        return index;
    return index < kArmR ? index + 6 : index - 6;
}

bool HasUnknownAngle(const SrlAngles& angles) {
    return IsNoValue(angles.sagittal) || IsNoValue(angles.rotational) || IsNoValue(angles.lateral);
}

double AngleDifference(const SrlAngles& a, const SrlAngles& b) {
    return std::fabs(a.sagittal - b.sagittal) + std::fabs(a.rotational - b.rotational) +
           std::fabs(a.lateral - b.lateral);
}

// SRL angles of body part `index` of `person`, mirrored first when asked,
// relative to `reference`.
int LocalAngles(const InputVariableTable& table, int person, int index, bool mirror,
                const BodyPose& reference, SrlAngles& angles) {
    BodyPose pose;
    const int status = GetBodyPartPose(table, person, index, pose);
    if (status != kStatusOk)
        return status;
    return CalculateLocalSRLAngles(mirror ? Mirrored(pose) : pose, reference, angles);
}

// Rows with more targets than this measure pair by pair.
constexpr std::size_t kMaxProxemicsTargets = 128;

// A pair's distance as CalculatePersonsDistance gives it from the squared
// distance: 0 and the corrected distance, or 1 when it is not finite.
int ScaledPairDistance(double squared, double factor, double& distance) {
    const double scaled = DistanceFromSquared(squared) * factor;
    if (!std::isfinite(scaled))
        return kStatusCalculationError;
    distance = scaled;
    return kStatusOk;
}

// Proxemics measured pair by pair, every pose read anew.
int MeasureEveryPair(const InputVariableTable& table, ParameterRecord& record, int person,
                     const DistanceCorrection& factors) {
    double smallest = kNoDistanceYet;
    int status = kStatusOk;
    for (int variable : record.variableIndices) {
        const double factor = GetDistanceCorrectionFactor(variable, factors);
        for (int target : record.targetIndices) {
            double distance = 0.0;
            status = CalculatePersonsDistance(table, 1, variable, 2, target, factor, distance);
            if (status == kStatusOk && distance < smallest)
                smallest = distance;
        }
    }
    record.Current(0, person) = smallest == kNoDistanceYet ? kNoValue : smallest;
    return status;
}

}  // namespace

int CalculateDyadicMimicry(const InputVariableTable& table, ParameterRecord& record, int person) {
    if (!HoldsValues(record, person, 2))
        return kStatusSettingError;
    const int other = 3 - person;
    BodyPose ownReference;
    BodyPose otherReference;
    int status = GetBodyPartPose(table, person, record.referenceSystem, ownReference);
    if (status != kStatusOk)
        return status;
    status = GetBodyPartPose(table, other, record.referenceSystem, otherReference);
    if (status != kStatusOk)
        return status;
    const BodyPose mirroredReference = Mirrored(otherReference);

    double direct = 0.0;
    double mirror = 0.0;
    bool directInvalid = false;
    bool mirrorInvalid = false;
    for (int index : record.variableIndices) {
        SrlAngles own;
        status = LocalAngles(table, person, index, false, ownReference, own);
        if (status != kStatusOk)
            break;
        if (HasUnknownAngle(own)) {
            directInvalid = true;
            mirrorInvalid = true;
        }

        SrlAngles same;
        status = LocalAngles(table, other, index, false, otherReference, same);
        if (status != kStatusOk)
            break;
        if (HasUnknownAngle(same))
            directInvalid = true;
        if (!directInvalid)
            direct += AngleDifference(own, same);

        SrlAngles mirrored;
        status = LocalAngles(table, other, OtherSide(index), true, mirroredReference, mirrored);
        if (status != kStatusOk)
            break;
        if (HasUnknownAngle(mirrored))
            mirrorInvalid = true;
        if (!mirrorInvalid)
            mirror += AngleDifference(own, mirrored);
    }
    record.Current(0, person) = directInvalid ? kNoValue : direct;
    record.Current(1, person) = mirrorInvalid ? kNoValue : mirror;
    return status;
}

int CalculateDyadicProxemics(const InputVariableTable& table, ParameterRecord& record, int person,
                             const DistanceCorrection& factors) {
    if (!HoldsValues(record, person, 1) || record.variableIndices.empty() ||
        record.targetIndices.empty()) {
        return kStatusSettingError;
    }
    const std::size_t targetCount = record.targetIndices.size();
    if (targetCount > kMaxProxemicsTargets)
        return MeasureEveryPair(table, record, person, factors);

    // Person B's targets are the same for every variable: read once.
    std::array<Vec3, kMaxProxemicsTargets> targets;
    std::array<int, kMaxProxemicsTargets> targetStatus;
    for (std::size_t t = 0; t < targetCount; ++t) {
        BodyPose pose;
        targetStatus[t] = GetBodyPartPose(table, 2, record.targetIndices[t], pose);
        targets[t] = pose.Position();
    }

    double smallest = kNoDistanceYet;
    int status = kStatusOk;
    const std::size_t last = targetCount - 1;
    for (int variable : record.variableIndices) {
        const double factor = GetDistanceCorrectionFactor(variable, factors);
        // Always from person A's body parts to person B's.
        BodyPose pose;
        const int ownStatus = GetBodyPartPose(table, 1, variable, pose);
        if (ownStatus != kStatusOk) {
            status = ownStatus;  // every pair of this variable fails with it
            continue;
        }
        const Vec3 own = pose.Position();
        double distance = 0.0;
        if (!(std::isfinite(factor) && factor >= 0.0)) {
            for (std::size_t t = 0; t < targetCount; ++t) {
                status = targetStatus[t];
                if (status == kStatusOk)
                    status = ScaledPairDistance(SquaredDistance(own, targets[t]), factor, distance);
                if (status == kStatusOk && distance < smallest)
                    smallest = distance;
            }
            continue;
        }
        // Root and scaling by a factor >= 0 are monotonic: the smallest
        // corrected distance is that of the smallest squared distance (a NaN
        // or infinite square fails as a pair, and is never the smallest).
        double least = std::numeric_limits<double>::infinity();
        for (std::size_t t = 0; t < targetCount; ++t) {
            if (targetStatus[t] != kStatusOk)
                continue;
            const double squared = SquaredDistance(own, targets[t]);
            if (squared < least)
                least = squared;
        }
        if (least < std::numeric_limits<double>::infinity() &&
            ScaledPairDistance(least, factor, distance) == kStatusOk && distance < smallest) {
            smallest = distance;
        }
        status = targetStatus[last];
        if (status == kStatusOk)
            status = ScaledPairDistance(SquaredDistance(own, targets[last]), factor, distance);
    }
    record.Current(0, person) = smallest == kNoDistanceYet ? kNoValue : smallest;
    return status;
}

int CalculateDyadicParameters(std::vector<ParameterRecord>& records, int position) {
    ParameterRecord* record = OwnRow(records, position);
    if (record == nullptr || !HoldsValues(*record, 1, record->nValues))
        return kStatusSettingError;
    const int columns = record->nValues / kDyadicColumnsPerValue;
    const int source = IndexAt(record->variableIndices, 0, 0);
    const ParameterRecord* operand = OperandRow(records, source, 1, columns);
    if (operand == nullptr || OperandRow(records, source, 2, columns) == nullptr)
        return kStatusSettingError;
    if (operand->Status(1) != kStatusOk || operand->Status(2) != kStatusOk)
        return kStatusInheritedError;

    int status = kStatusOk;
    for (int i = 0; i < columns; ++i) {
        const double a = operand->Current(i, 1);
        const double b = operand->Current(i, 2);
        std::array<double, kDyadicColumnsPerValue> results = {kNoValue, kNoValue, kNoValue,
                                                              kNoValue};
        if (!IsNoValue(a) && !IsNoValue(b)) {
            const double common = a + b;
            const double net = a - b;
            results[0] = common;
            results[2] = net;
            if (common != 0.0) {
                results[1] = a * 100.0 / common;
                results[3] = net * 100.0 / common;
            }
        }
        for (int c = 0; c < kDyadicColumnsPerValue; ++c) {
            double value = results[static_cast<std::size_t>(c)];
            if (!std::isfinite(value)) {
                value = kNoValue;
                status = kStatusCalculationError;
            }
            record->Current(kDyadicColumnsPerValue * i + c, 1) = value;
        }
    }
    return status;
}

}  // namespace kivo
