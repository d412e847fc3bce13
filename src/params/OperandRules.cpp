#include "params/OperandRules.h"

#include "params/Catalogue.h"

namespace kivo {

OperandRule VariablesRule(int functionIndex) {
    switch (functionIndex) {
        case kFnStaticSRL:
        case kFnDynamicSRL:
        case kFnComplexity:
        case kFnMagnitude:
        case kFnSymmetry:
        case kFnExpansion:
        case kFnDistance:
        case kFnDyadicMimicry:
        case kFnDyadicProxemics:
        case kFnCameraFraming:
        case kFnCameraProxemics:
        case kFnCoordTransform:
            return {OperandKind::InputVariables, 1};
        case kFnFolded:
        case kFnCrossed:
            return {OperandKind::InputVariables, 2};
        case kFnDirectionForward:
        case kFnDirectionBackward:
            return {OperandKind::InputVariables, 3};
        case kFnOpenness:
            return {OperandKind::Rows, 2};
        case kFnTSM:
        case kFnActivation:
        case kFnDyadicParameter:
        case kFnDynamicParameter:
        case kFnAddition:
        case kFnSubtraction:
        case kFnMultiplication:
        case kFnDivision:
        case kFnAbsoluteValue:
        case kFnLessThan:
        case kFnGreaterThan:
            return {OperandKind::Rows, 1};
        default:
            return {};
    }
}

OperandRule TargetRule(int functionIndex) {
    switch (functionIndex) {
        case kFnDirectionForward:
        case kFnDirectionBackward:
        case kFnSymmetry:
        case kFnExpansion:
        case kFnDistance:
        case kFnDyadicProxemics:
        case kFnCameraFraming:
        case kFnCameraProxemics:
            return {OperandKind::InputVariables, 1};
        case kFnFolded:
        case kFnCrossed:
            return {OperandKind::InputVariables, 2};
        case kFnOpenness:
        case kFnSubtraction:
        case kFnDivision:
            return {OperandKind::Rows, 1};
        case kFnLessThan:
        case kFnGreaterThan:
            return {OperandKind::Threshold, 1};
        default:
            return {};
    }
}

int RequiredOperandColumns(int functionIndex) {
    switch (functionIndex) {
        case kFnTSM:
            return 4;  // the number of moving joints of a Complexity row
        case kFnActivation:
            return 3;  // the translational magnitude of a Magnitude row
        case kFnOpenness:
            return 1;
        default:
            return 0;
    }
}

}  // namespace kivo
