#include "engine/CalculationDispatch.h"

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

// One calculation for one person; status 6 for functions this build does not compute.
int Calculate(FrameContext& context, int person, int position) {
    ParameterRecord& record = context.records[position];
    std::vector<ParameterRecord>& records = context.records;
    const InputVariableTable& table = context.table;
    const DistanceCorrection& factors = context.factors[person - 1];
    switch (record.functionIndex) {
        case kFnStaticSRL:
            return CalculateStaticSRL(table, record, person);
        case kFnDynamicSRL:
            return CalculateDynamicSRL(table, record, person);
        case kFnComplexity:
            return CalculateComplexity(table, records, person, position, factors,
                                       context.thresholdAngles, context.thresholdDistances);
        case kFnTSM:
            return CalculateTSM(records, person, position);
        case kFnMagnitude:
            return CalculateMagnitude(table, records, person, position, factors);
        case kFnActivation:
            return CalculateActivation(records, person, position);
        case kFnDirectionForward:
            return CalculateDirection(table, record, person, 1.0);
        case kFnDirectionBackward:
            return CalculateDirection(table, record, person, -1.0);
        case kFnSymmetry:
            return CalculateSymmetry(table, record, person, factors);
        case kFnExpansion:
            return CalculateExpansion(table, record, person, factors);
        case kFnDistance:
            return CalculateDistance(table, record, person, factors);
        case kFnOpenness:
            return CalculateOpenness(records, person, position);
        case kFnFolded:
            return CalculateFolded(table, record, person);
        case kFnCrossed:
            return CalculateCrossed(table, record, person);
        case kFnDyadicMimicry:
            return CalculateDyadicMimicry(table, record, person);
        case kFnDyadicProxemics:
            return CalculateDyadicProxemics(table, record, person, factors);
        case kFnDyadicParameter:
            return CalculateDyadicParameters(records, position);
        case kFnDynamicParameter:
            return CalculateDynamic(records, person, position);
        case kFnCameraFraming:
            return CalculateCameraFraming(table, record, context.camera);
        case kFnCameraProxemics:
            return CalculateCameraProxemics(table, record, context.camera);
        case kFnPixelDifference:
            return CalculatePixelDifference(record, context.firstFrame, context.video,
                                            context.frameNumber, context.clipSuffix);
        case kFnAddition:
            return CalculateAddition(records, person, position);
        case kFnSubtraction:
            return CalculateSubtraction(records, person, position);
        case kFnMultiplication:
            return CalculateMultiplication(records, person, position);
        case kFnDivision:
            return CalculateDivision(records, person, position);
        case kFnAbsoluteValue:
            return CalculateAbsoluteValue(records, person, position);
        case kFnLessThan:
            return CalculateThresholdComparison(context, person, position, true);
        case kFnGreaterThan:
            return CalculateThresholdComparison(context, person, position, false);
        case kFnCoordTransform:
            return CalculateCoordinateTransformation(table, record, person);
        default:
            return kStatusSettingError;
    }
}

bool RunsOncePerFrame(int functionIndex) {
    return functionIndex == kFnDyadicParameter || functionIndex == kFnCameraFraming ||
           functionIndex == kFnCameraProxemics || functionIndex == kFnPixelDifference;
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
    if (record.partnerFlag && !RunsOncePerFrame(record.functionIndex)) {
        record.statusB = KeepFinite(record, 2, Calculate(context, 2, position));
    }
}

}  // namespace kivo
