#include "engine/CalculationDispatch.h"

#include <array>
#include <cmath>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/ArithmeticFunctions.h"
#include "engine/BodyConfigurationFunctions.h"
#include "engine/BodyDistances.h"
#include "engine/CameraFunctions.h"
#include "engine/DyadicFunctions.h"
#include "engine/MovementFunctions.h"
#include "engine/PostureFunctions.h"
#include "params/Catalogue.h"

namespace kivo {
namespace {

// Less Than / Greater Than: the threshold is the row's one number target, or
// the corrected distance of its first two target input variables.
int CalculateThresholdComparison(FrameContext& context, int person, int position, bool lessThan) {
    const ParameterRecord& record = context.records[position];
    double threshold = 0.0;
    int thresholdStatus = kStatusOk;
    if (record.nTargets == 1) {
        threshold = static_cast<double>(record.targetIndices[0]);
    } else {
        const int a = record.targetIndices[0];
        const int b = record.targetIndices[1];
        const double factor = GetDistanceCorrectionFactor(a, context.factors[person - 1]);
        thresholdStatus = CalculateBodyPartDistance(context.table, person, a, b, factor, threshold);
    }
    return CalculateComparison(context.records, person, position, lessThan, threshold,
                               thresholdStatus);
}

// One calculation for one person.
using Calculation = int (*)(FrameContext& context, int person, int position);

// The calculation routine of each function index (none for index 0).
std::array<Calculation, kFunctionCount + 1> CalculationRoutines() {
    std::array<Calculation, kFunctionCount + 1> routines{};
    routines[kFnStaticSRL] = [](FrameContext& c, int person, int position) {
        return CalculateStaticSRL(c.table, c.records[position], person);
    };
    routines[kFnDynamicSRL] = [](FrameContext& c, int person, int position) {
        return CalculateDynamicSRL(c.table, c.records[position], person);
    };
    routines[kFnComplexity] = [](FrameContext& c, int person, int position) {
        return CalculateComplexity(c.table, c.records, person, position, c.factors[person - 1],
                                   c.thresholdAngles, c.thresholdDistances);
    };
    routines[kFnTSM] = [](FrameContext& c, int person, int position) {
        return CalculateTSM(c.records, person, position);
    };
    routines[kFnMagnitude] = [](FrameContext& c, int person, int position) {
        return CalculateMagnitude(c.table, c.records, person, position, c.factors[person - 1]);
    };
    routines[kFnActivation] = [](FrameContext& c, int person, int position) {
        return CalculateActivation(c.records, person, position);
    };
    routines[kFnDirectionForward] = [](FrameContext& c, int person, int position) {
        return CalculateDirection(c.table, c.records[position], person, 1.0);
    };
    routines[kFnDirectionBackward] = [](FrameContext& c, int person, int position) {
        return CalculateDirection(c.table, c.records[position], person, -1.0);
    };
    routines[kFnSymmetry] = [](FrameContext& c, int person, int position) {
        return CalculateSymmetry(c.table, c.records[position], person, c.factors[person - 1]);
    };
    routines[kFnExpansion] = [](FrameContext& c, int person, int position) {
        return CalculateExpansion(c.table, c.records[position], person, c.factors[person - 1]);
    };
    routines[kFnDistance] = [](FrameContext& c, int person, int position) {
        return CalculateDistance(c.table, c.records[position], person, c.factors[person - 1]);
    };
    routines[kFnOpenness] = [](FrameContext& c, int person, int position) {
        return CalculateOpenness(c.records, person, position);
    };
    routines[kFnFolded] = [](FrameContext& c, int person, int position) {
        return CalculateFolded(c.table, c.records[position], person);
    };
    routines[kFnCrossed] = [](FrameContext& c, int person, int position) {
        return CalculateCrossed(c.table, c.records[position], person);
    };
    routines[kFnDyadicMimicry] = [](FrameContext& c, int person, int position) {
        return CalculateDyadicMimicry(c.table, c.records[position], person);
    };
    routines[kFnDyadicProxemics] = [](FrameContext& c, int person, int position) {
        return CalculateDyadicProxemics(c.table, c.records[position], person,
                                        c.factors[person - 1]);
    };
    routines[kFnDyadicParameter] = [](FrameContext& c, int, int position) {
        return CalculateDyadicParameters(c.records, position);
    };
    routines[kFnDynamicParameter] = [](FrameContext& c, int person, int position) {
        return CalculateDynamic(c.records, person, position);
    };
    routines[kFnCameraFraming] = [](FrameContext& c, int, int position) {
        return CalculateCameraFraming(c.table, c.records[position], c.camera);
    };
    routines[kFnCameraProxemics] = [](FrameContext& c, int, int position) {
        return CalculateCameraProxemics(c.table, c.records[position], c.camera);
    };
    routines[kFnPixelDifference] = [](FrameContext& c, int, int position) {
        return CalculatePixelDifference(c.records[position], c.firstFrame, c.video, c.frameNumber,
                                        c.clipSuffix);
    };
    routines[kFnAddition] = [](FrameContext& c, int person, int position) {
        return CalculateAddition(c.records, person, position);
    };
    routines[kFnSubtraction] = [](FrameContext& c, int person, int position) {
        return CalculateSubtraction(c.records, person, position);
    };
    routines[kFnMultiplication] = [](FrameContext& c, int person, int position) {
        return CalculateMultiplication(c.records, person, position);
    };
    routines[kFnDivision] = [](FrameContext& c, int person, int position) {
        return CalculateDivision(c.records, person, position);
    };
    routines[kFnAbsoluteValue] = [](FrameContext& c, int person, int position) {
        return CalculateAbsoluteValue(c.records, person, position);
    };
    routines[kFnLessThan] = [](FrameContext& c, int person, int position) {
        return CalculateThresholdComparison(c, person, position, true);
    };
    routines[kFnGreaterThan] = [](FrameContext& c, int person, int position) {
        return CalculateThresholdComparison(c, person, position, false);
    };
    routines[kFnCoordTransform] = [](FrameContext& c, int person, int position) {
        return CalculateCoordinateTransformation(c.table, c.records[position], person);
    };
    return routines;
}

int Calculate(FrameContext& context, int person, int position) {
    static const std::array<Calculation, kFunctionCount + 1> routines = CalculationRoutines();
    const int function = context.records[position].functionIndex;
    return routines[static_cast<std::size_t>(function)](context, person, position);
}

// A value that is not a finite number never leaves a calculation: it becomes
// no value, and the row's status for the person says that the arithmetic failed.
int KeepFinite(ParameterRecord& record, int person, int status) {
    if (status != kStatusOk)
        return status;
    for (int v = 0; v < record.nValues; ++v) {
        double& value = record.Current(v, person);
        if (!std::isfinite(value)) {
            value = kNoValue;
            status = kStatusCalculationError;
        }
    }
    return status;
}

}  // namespace

void DispatchRow(FrameContext& context, int position) {
    ParameterRecord& record = context.records[position];
    if (record.functionIndex < 1 || record.functionIndex > kFunctionCount) {
        record.statusA = kStatusSettingError;
        return;
    }
    record.statusA = KeepFinite(record, 1, Calculate(context, 1, position));
    if (record.partnerFlag && !CatalogueEntryOf(record.functionIndex).oncePerFrame) {
        record.statusB = KeepFinite(record, 2, Calculate(context, 2, position));
    }
}

}  // namespace kivo
