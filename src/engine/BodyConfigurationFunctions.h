#pragma once

#include <vector>

#include "core/InputVariableTable.h"
#include "core/ParameterRecord.h"
#include "engine/DistanceCorrection.h"
#include "engine/GeometryTypes.h"

namespace kivo {

// Configuration of the body in the current frame. Each writes the row's
// values for the person (1 = A, 2 = B) and returns the status: 4 or 6 from a
// pose read, 1 from a geometry step that fails, 6 when the row lacks an
// operand it needs or cannot hold the person's values. Distances are
// multiplied by the person's correction factor for the first variable.

// Modes of CalculateDirectionAngle.
inline constexpr int kDirection3D = 0;          // unsigned angle in space
inline constexpr int kDirectionHorizontal = 1;  // signed, in the horizontal plane
inline constexpr int kDirectionVertical = 4;    // signed, in the vertical plane towards t

// Angle in degrees between the facing vector (from the midpoint m of a and b
// to c, times `sign`) and the direction from m to the target t. The
// horizontal mode projects both onto the horizontal plane, the vertical mode
// projects the facing vector into the vertical plane that contains m -> t;
// both give the angle the sign of the side the facing vector lies on. A
// zero-length vector sets `error` (never cleared here) and gives 0.
double CalculateDirectionAngle(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& t, int mode,
                               double sign, bool& error);

// Direction of a body part of the person towards target 1 of the other
// person: variables 1 and 3 are the side markers, variable 2 the middle
// marker; columns 3D, horizontal and vertical deviation. Reads both persons'
// variables and target (a missing partner gives status 4). `directionSign` is
// +1.0 for "forward", -1.0 for "backward". A zero-length vector stops at that
// column (written as 0) with status 1.
[[nodiscard]] int CalculateDirection(const InputVariableTable& table, ParameterRecord& record,
                                     int person, double directionSign);

// Distance of variable 1, mirrored in the sagittal plane of the reference
// system, to target 1 (0 for a mirror-symmetric pair).
[[nodiscard]] int CalculateSymmetry(const InputVariableTable& table, ParameterRecord& record,
                                    int person, const DistanceCorrection& factors);

// Smallest corrected distance of any variable to target 1.
[[nodiscard]] int CalculateExpansion(const InputVariableTable& table, ParameterRecord& record,
                                     int person, const DistanceCorrection& factors);

// Corrected distance of variable 1 to target 1.
[[nodiscard]] int CalculateDistance(const InputVariableTable& table, ParameterRecord& record,
                                    int person, const DistanceCorrection& factors);

// 0, 0.5 or 1: a half for variable 1 closer to target 2, and a half for
// variable 2 closer to target 1, than the two targets are to each other.
[[nodiscard]] int CalculateFolded(const InputVariableTable& table, ParameterRecord& record,
                                  int person);

// Side test of Crossed: 1 when P lies on the negative local x side of R
// (positive side with `keepSign`) while Q lies above R (local y > 0), else 0.
[[nodiscard]] int CalculateCrossedSide(const InputVariableTable& table, int person, int p, int q,
                                       int r, bool keepSign, double& value);

// 1 when the left limb crosses over the right one or the right over the left
// (the second test only when the first gives 0), else 0.
[[nodiscard]] int CalculateCrossed(const InputVariableTable& table, ParameterRecord& record,
                                   int person);

// Openness from the rows X = variable 1, Y = variable 2 and k = target 1 (or
// the larger of targets 1 and 2): X + Y when k is 0, else X - k * Y but not
// below 0. An operand row with a non-zero status for the person gives 7; an
// operand without a value gives no value.
[[nodiscard]] int CalculateOpenness(std::vector<ParameterRecord>& records, int person,
                                    int position);

}  // namespace kivo
