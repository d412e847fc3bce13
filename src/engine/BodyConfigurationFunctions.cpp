#include "engine/BodyConfigurationFunctions.h"

#include <array>
#include <cmath>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/BodyDistances.h"
#include "engine/BodyPoseAccess.h"
#include "engine/OperandRows.h"
#include "engine/Rotation.h"
#include "engine/VectorGeometry.h"

namespace kivo {

namespace {

// Start of a running minimum: larger than any distance a body can have.
constexpr double kNoDistanceYet = 1e300;

// The modes of the three Direction columns, in column order.
constexpr std::array<int, 3> kDirectionModes = {kDirection3D, kDirectionHorizontal,
                                                kDirectionVertical};

int VariableAt(const ParameterRecord& record, std::size_t n) {
    return IndexAt(record.variableIndices, n, kNotAnInputVariable);
}

int TargetAt(const ParameterRecord& record, std::size_t n) {
    return IndexAt(record.targetIndices, n, kNotAnInputVariable);
}

bool HasOperands(const ParameterRecord& record, std::size_t variables, std::size_t targets) {
    return record.variableIndices.size() >= variables && record.targetIndices.size() >= targets;
}

// Writes a distance-type result into column 1.
int StoreDistance(ParameterRecord& record, int person, int status, double distance) {
    if (status == kStatusOk)
        record.Current(0, person) = distance;
    return status;
}

}  // namespace

double CalculateDirectionAngle(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& t, int mode,
                               double sign, bool& error) {
    const Vec3 m{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0, (a.z + b.z) / 2.0};
    Vec3 u{t.x - m.x, t.y - m.y, t.z - m.z};
    if (mode == kDirectionHorizontal)
        u.y = 0.0;

    Vec3 w{};
    if (mode == kDirection3D || mode == kDirectionHorizontal) {
        w = {(c.x - m.x) * sign, (c.y - m.y) * sign, (c.z - m.z) * sign};
        if (mode == kDirectionHorizontal)
            w.y = 0.0;
    } else if (mode == kDirectionVertical) {
        const double q = u.x * u.x + u.z * u.z;
        if (q == 0.0) {
            error = true;
        } else {
            // The facing vector projected into the vertical plane through m and t.
            const double s = (u.z * (c.x - m.x) - u.x * (c.z - m.z)) / q;
            w = {(c.x - u.z * s - m.x) * sign, (c.y - m.y) * sign, (u.x * s + c.z - m.z) * sign};
        }
    }

    double angle = VectorAngle(u, w, error);
    if (mode < kDirectionHorizontal || error)
        return angle;
    const double length = std::sqrt(u.x * u.x + u.y * u.y + u.z * u.z);
    if (length == 0.0) {
        error = true;
        return angle;
    }
    bool negate = false;
    if (mode == kDirectionHorizontal) {
        // Seen from above: negative when the facing vector is turned clockwise
        // from the direction to the target (a negative turn about the vertical
        // y axis), whatever the direction of the target in the room.
        negate = u.z * w.x - u.x * w.z < 0.0;
    } else {
        // Negative when the facing vector points above the direction to the target.
        const Vec3 unit{u.x / length, u.y / length, u.z / length};
        const double along = w.x * unit.x + w.y * unit.y + w.z * unit.z;
        negate = w.y > along * unit.y;
    }
    if (negate && angle != 0.0)
        angle = -angle;
    return angle;
}

int CalculateDirection(const InputVariableTable& table, ParameterRecord& record, int person,
                       double directionSign) {
    if (!HoldsValues(record, person, 3) || !HasOperands(record, 3, 1))
        return kStatusSettingError;
    const std::array<int, 4> indices = {VariableAt(record, 0), VariableAt(record, 1),
                                        VariableAt(record, 2), TargetAt(record, 0)};
    // Both persons' points are needed whichever person is computed.
    std::array<std::array<Vec3, 4>, 2> points{};
    for (int k = 1; k <= 2; ++k) {
        for (std::size_t i = 0; i < indices.size(); ++i) {
            BodyPose pose;
            const int status = GetBodyPartPose(table, k, indices[i], pose);
            if (status != kStatusOk)
                return status;
            points[static_cast<std::size_t>(k - 1)][i] = pose.Position();
        }
    }
    const auto& own = points[static_cast<std::size_t>(person - 1)];
    const auto& other = points[person == 1 ? 1 : 0];
    bool error = false;
    for (std::size_t column = 0; column < kDirectionModes.size(); ++column) {
        const double angle = CalculateDirectionAngle(own[0], own[2], own[1], other[3],
                                                     kDirectionModes[column], directionSign, error);
        record.Current(static_cast<int>(column), person) = angle;
        if (error)
            return kStatusCalculationError;
    }
    return kStatusOk;
}

int CalculateSymmetry(const InputVariableTable& table, ParameterRecord& record, int person,
                      const DistanceCorrection& factors) {
    if (!HoldsValues(record, person, 1) || !HasOperands(record, 1, 1))
        return kStatusSettingError;
    const int variable = VariableAt(record, 0);
    double distance = 0.0;
    const int status = CalculateBodyPartDistance(
        table, person, true, variable, TargetAt(record, 0), record.referenceSystem,
        GetDistanceCorrectionFactor(variable, factors), distance);
    return StoreDistance(record, person, status, distance);
}

int CalculateExpansion(const InputVariableTable& table, ParameterRecord& record, int person,
                       const DistanceCorrection& factors) {
    if (!HoldsValues(record, person, 1) || !HasOperands(record, 1, 1))
        return kStatusSettingError;
    const int target = TargetAt(record, 0);
    double smallest = kNoDistanceYet;
    int status = kStatusOk;
    for (int variable : record.variableIndices) {
        double distance = 0.0;
        status =
            CalculateBodyPartDistance(table, person, variable, target,
                                      GetDistanceCorrectionFactor(variable, factors), distance);
        if (status != kStatusOk)
            break;
        if (distance < smallest)
            smallest = distance;
    }
    // After a failure the smallest distance measured so far stays (no value
    // when none was measured); the status marks the row.
    record.Current(0, person) = smallest == kNoDistanceYet ? kNoValue : smallest;
    return status;
}

int CalculateDistance(const InputVariableTable& table, ParameterRecord& record, int person,
                      const DistanceCorrection& factors) {
    if (!HoldsValues(record, person, 1) || !HasOperands(record, 1, 1))
        return kStatusSettingError;
    const int variable = VariableAt(record, 0);
    double distance = 0.0;
    const int status =
        CalculateBodyPartDistance(table, person, variable, TargetAt(record, 0),
                                  GetDistanceCorrectionFactor(variable, factors), distance);
    return StoreDistance(record, person, status, distance);
}

int CalculateFolded(const InputVariableTable& table, ParameterRecord& record, int person) {
    if (!HoldsValues(record, person, 1) || !HasOperands(record, 2, 2))
        return kStatusSettingError;
    const std::array<int, 4> indices = {VariableAt(record, 0), VariableAt(record, 1),
                                        TargetAt(record, 0), TargetAt(record, 1)};
    std::array<Vec3, 4> points{};
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const int status = GetBodyPartPosition(table, person, indices[i], points[i]);
        if (status != kStatusOk)
            return status;
    }
    const Vec3& a1 = points[0];
    const Vec3& a2 = points[1];
    const Vec3& t1 = points[2];
    const Vec3& t2 = points[3];
    const double targetsApart = VectorDistance(t1, t2);
    double value = VectorDistance(a1, t2) >= targetsApart ? 0.0 : 0.5;
    if (VectorDistance(a2, t1) < targetsApart)
        value = value + 0.5;
    record.Current(0, person) = value;
    return kStatusOk;
}

int CalculateCrossedSide(const InputVariableTable& table, int person, int p, int q, int r,
                         bool keepSign, double& value) {
    BodyPose poseR;
    BodyPose poseP;
    BodyPose poseQ;
    int status = GetBodyPartPose(table, person, r, poseR);
    if (status != kStatusOk)
        return status;
    status = GetBodyPartPose(table, person, p, poseP);
    if (status != kStatusOk)
        return status;
    status = GetBodyPartPose(table, person, q, poseQ);
    if (status != kStatusOk)
        return status;
    if (TransformToLocal(poseP, poseR) != kStatusOk || TransformToLocal(poseQ, poseR) != kStatusOk)
        return kStatusCalculationError;
    const double x = keepSign ? poseP.x : -poseP.x;
    value = x > 0.0 && poseQ.y > 0.0 ? 1.0 : 0.0;
    return kStatusOk;
}

int CalculateCrossed(const InputVariableTable& table, ParameterRecord& record, int person) {
    if (!HoldsValues(record, person, 1) || !HasOperands(record, 2, 2))
        return kStatusSettingError;
    double value = 0.0;
    int status = CalculateCrossedSide(table, person, VariableAt(record, 0), VariableAt(record, 1),
                                      TargetAt(record, 1), false, value);
    if (status == kStatusOk && value == 0.0) {
        status = CalculateCrossedSide(table, person, TargetAt(record, 0), TargetAt(record, 1),
                                      VariableAt(record, 1), true, value);
    }
    if (status == kStatusOk)
        record.Current(0, person) = value;
    return status;
}

int CalculateOpenness(std::vector<ParameterRecord>& records, int person, int position) {
    ParameterRecord* record = OwnRow(records, position);
    if (record == nullptr || !HoldsValues(*record, person, 1) || !HasOperands(*record, 2, 1))
        return kStatusSettingError;
    const bool twoTargets = record->targetIndices.size() >= 2;
    std::array<const ParameterRecord*, 4> operands = {
        OperandRow(records, record->variableIndices[0], person, 1),
        OperandRow(records, record->variableIndices[1], person, 1),
        OperandRow(records, record->targetIndices[0], person, 1),
        twoTargets ? OperandRow(records, record->targetIndices[1], person, 1) : nullptr};
    const std::size_t used = twoTargets ? 4 : 3;
    for (std::size_t i = 0; i < used; ++i) {
        if (operands[i] == nullptr)
            return kStatusSettingError;
    }
    // An operand that failed holds no usable value: the row inherits its error.
    for (std::size_t i = 0; i < used; ++i) {
        if (operands[i]->Status(person) != kStatusOk)
            return kStatusInheritedError;
    }
    const double x = operands[0]->Current(0, person);
    const double y = operands[1]->Current(0, person);
    double k = operands[2]->Current(0, person);
    if (twoTargets) {
        const double second = operands[3]->Current(0, person);
        if (!(k > second))
            k = second;
    }
    if (IsNoValue(x) || IsNoValue(y) || IsNoValue(k)) {
        record->Current(0, person) = kNoValue;
        return kStatusOk;
    }
    double value = 0.0;
    if (k == 0.0) {
        value = x + y;
    } else {
        value = x - k * y;
        if (value < 0.0)
            value = 0.0;
    }
    if (!std::isfinite(value)) {
        record->Current(0, person) = kNoValue;
        return kStatusCalculationError;
    }
    record->Current(0, person) = value;
    return kStatusOk;
}

}  // namespace kivo
