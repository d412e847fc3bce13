#pragma once

#include <array>
#include <vector>

#include "core/InputVariableTable.h"
#include "core/ParameterRecord.h"
#include "engine/DistanceCorrection.h"
#include "media/CameraProjection.h"

namespace kivo {

// What the calculation functions of one frame read besides their records.
struct FrameContext {
    const InputVariableTable& table;
    std::vector<ParameterRecord>& records;
    std::array<DistanceCorrection, 2> factors;  // person A, person B
    double thresholdAngles = 0.0;
    double thresholdDistances = 0.0;
    bool firstFrame = false;
    // The file's camera; nothing when it could not be set up.
    const CameraView* camera = nullptr;
};

// Computes the row at `position` through its calculation function: for person
// A, and again for person B when the row has the partner flag (functions that
// compare both persons run once). Stores the statuses in the record; an
// unknown function index is a setting error.
void DispatchRow(FrameContext& context, int position);

}  // namespace kivo
