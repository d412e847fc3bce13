#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/InputVariableTable.h"
#include "core/ParameterRecord.h"
#include "engine/DistanceCorrection.h"
#include "media/CameraProjection.h"
#include "media/PixelDifference.h"

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
    // The file's video; nothing when it has none that can be read.
    FileVideo* video = nullptr;
    long frameNumber = 0;         // processed frames of the file so far, this one included
    std::string clipSuffix = {};  // the part this frame is written to; empty without parts
};

// Computes the row at `position` through its calculation function: for person
// A, and again for person B when the row has the partner flag (functions that
// compare both persons run once). Stores the statuses in the record; an
// unknown function index is a setting error.
void DispatchRow(FrameContext& context, int position);

}  // namespace kivo
