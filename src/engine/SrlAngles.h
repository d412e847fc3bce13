#pragma once

#include "engine/GeometryTypes.h"

namespace kivo {

// Decomposes the orientation of `pose` into sagittal, rotational and lateral
// angles (degrees). Each angle is computed on its own; one whose axis
// projection is too short (or whose cosine lies clearly outside -1..1) stays
// kNoValue, with status 0. Returns 0, or 1 when the orientation cannot be
// computed (all angles kNoValue).
[[nodiscard]] int CalculateSRLAngles(const BodyPose& pose, SrlAngles& angles);

// The SRL angles of `pose` expressed in the local frame of `reference`
// (TransformToLocal, then CalculateSRLAngles). Returns 0 or 1; on 1 all
// angles are kNoValue. Results are remembered per thread by the exact bits of
// both poses (ExactMemo), like those of TransformToLocal.
[[nodiscard]] int CalculateLocalSRLAngles(BodyPose pose, const BodyPose& reference,
                                          SrlAngles& angles);
// The same, always computed afresh: for poses that are not asked for again.
[[nodiscard]] int ComputeLocalSRLAngles(BodyPose pose, const BodyPose& reference,
                                        SrlAngles& angles);

}  // namespace kivo
