#include "engine/CalculationDispatch.h"

#include "core/StatusCode.h"
#include "engine/ArithmeticFunctions.h"
#include "engine/BodyDistances.h"
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
    const InputVariableTable& table = context.table;
    switch (record.functionIndex) {
        case kFnStaticSRL:
            return CalculateStaticSRL(table, record, person);
        case kFnDynamicSRL:
            return CalculateDynamicSRL(table, record, person);
        case kFnCoordTransform:
            return CalculateCoordinateTransformation(table, record, person);
        case kFnAddition:
            return CalculateAddition(context.records, person, position);
        case kFnSubtraction:
            return CalculateSubtraction(context.records, person, position);
        case kFnMultiplication:
            return CalculateMultiplication(context.records, person, position);
        case kFnDivision:
            return CalculateDivision(context.records, person, position);
        case kFnAbsoluteValue:
            return CalculateAbsoluteValue(context.records, person, position);
        case kFnLessThan:
            return CalculateThresholdComparison(context, person, position, true);
        case kFnGreaterThan:
            return CalculateThresholdComparison(context, person, position, false);
        default:
            return kStatusSettingError;
    }
}

bool RunsOncePerFrame(int functionIndex) {
    return functionIndex == kFnDyadicParameter || functionIndex == kFnCameraFraming ||
           functionIndex == kFnCameraProxemics || functionIndex == kFnPixelDifference;
}

}  // namespace

void DispatchRow(FrameContext& context, int position) {
    ParameterRecord& record = context.records[position];
    if (record.functionIndex < 1 || record.functionIndex > kFunctionCount) {
        record.statusA = kStatusSettingError;
        return;
    }
    record.statusA = Calculate(context, 1, position);
    if (record.partnerFlag && !RunsOncePerFrame(record.functionIndex)) {
        record.statusB = Calculate(context, 2, position);
    }
}

}  // namespace kivo
