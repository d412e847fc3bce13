#include "engine/DistanceCorrection.h"

#include <array>
#include <cmath>

#include "core/Numbers.h"
#include "core/StatusCode.h"
#include "core/Text.h"
#include "engine/BodyDistances.h"
#include "engine/BodyPoseAccess.h"
#include "engine/Rotation.h"

namespace kivo {

namespace {

constexpr std::string_view kFailureLine =
    "ERROR: Distance correction factors could be not calculated due to missing input data. All "
    "distance measures (distance, symmetry, expansion, openness, proxemics) in the output and "
    "statistics files are uncorrected.";
constexpr std::string_view kRequiredDataLine =
    "NOTE: Data from the following variables are required to calculate the * of the 3D model "
    "(see tab page 'Data Fields'): ";

constexpr std::string_view kLimbMeasure = "arm and leg length";
constexpr std::string_view kLimbVariables = "Arm R, Elbow R, Hand R, Leg R, Knee R, and Foot R.";
constexpr std::string_view kHeightMeasure = "body height";
constexpr std::string_view kHeightVariables =
    "Top, Bottom, Hips, Chest, Head, Leg R, Knee R, and Foot R.";

DistanceCorrectionResult Failed(std::string_view measure, std::string_view variables) {
    DistanceCorrectionResult result;
    result.failed = true;
    result.noticeLines.emplace_back(kFailureLine);
    std::string note = ReplaceAll(std::string(kRequiredDataLine), "*", std::string(measure));
    note += variables;
    result.noticeLines.push_back(std::move(note));
    return result;
}

// A factor that can scale distances: finite and not from a zero measurement.
bool Usable(double measured, double factor) {
    return measured != 0.0 && std::isfinite(measured) && std::isfinite(factor);
}

// Straightens each pose of the chain on every earlier one in turn; a failing
// step skips the remaining poses for that reference. Returns false when the
// last step (the end of the chain on the pose before it) fails.
template <std::size_t N>
bool StraightenChain(std::array<BodyPose, N>& chain, std::size_t count) {
    bool lastStepFailed = false;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        for (std::size_t j = i + 1; j < count; ++j) {
            if (StraightenOnReference(chain[j], chain[i]) != kStatusOk) {
                if (i + 2 == count)
                    lastStepFailed = true;
                break;
            }
        }
    }
    return !lastStepFailed;
}

// The body height of the model, or nothing when data are missing.
bool MeasureBodyHeight(const InputVariableTable& table, int person, double& height) {
    std::array<BodyPose, 5> chain;
    constexpr std::array<int, 4> upperChain = {kHips, kChest, kHead, kTop};
    for (std::size_t i = 0; i < upperChain.size(); ++i) {
        if (GetBodyPartPose(table, person, upperChain[i], chain[i]) != kStatusOk)
            return false;
    }
    if (!StraightenChain(chain, 4))
        return false;
    const double top = chain[3].y;

    // The leg chain starts again at the hips pose as read.
    constexpr std::array<int, 4> legChain = {kLegR, kKneeR, kFootR, kBottom};
    for (std::size_t i = 0; i < legChain.size(); ++i) {
        if (GetBodyPartPose(table, person, legChain[i], chain[i + 1]) != kStatusOk)
            return false;
    }
    if (!StraightenChain(chain, 5))
        return false;
    height = top - chain[4].y;
    return true;
}

bool MeasureLimb(const InputVariableTable& table, int person, int upper, int middle, int lower,
                 double& length) {
    double first = 0.0;
    double second = 0.0;
    if (CalculateBodyPartDistance(table, person, upper, middle, 1.0, first) != kStatusOk ||
        CalculateBodyPartDistance(table, person, middle, lower, 1.0, second) != kStatusOk) {
        return false;
    }
    length = first + second;
    return true;
}

// A body height typed by the user, with the period or the user's decimal symbol.
double ReadBodyHeight(std::string_view text, std::string_view symbol) {
    if (text.find('.') != std::string_view::npos)
        return ReadNumber(text);
    return ReadUserNumber(text, symbol);
}

}  // namespace

double GetDistanceCorrectionFactor(int index, double armFactor, double legFactor) {
    switch (index) {
        case kLegL:
        case kKneeL:
        case kFootL:
        case kLegR:
        case kKneeR:
        case kFootR:
            return legFactor;
        default:
            return armFactor;
    }
}

double GetDistanceCorrectionFactor(int index, const DistanceCorrection& factors) {
    return GetDistanceCorrectionFactor(index, factors.armFactor, factors.legFactor);
}

DistanceCorrectionResult CalculateDistanceCorrectionFactors(const InputVariableTable& table,
                                                            int person, std::string_view option,
                                                            std::string_view decimalSymbol) {
    DistanceCorrectionResult result;
    if (option == "Length") {
        double armLength = 0.0;
        double legLength = 0.0;
        if (!MeasureLimb(table, person, kArmR, kElbowR, kHandR, armLength) ||
            !MeasureLimb(table, person, kLegR, kKneeR, kFootR, legLength)) {
            return Failed(kLimbMeasure, kLimbVariables);
        }
        const double armFactor = 100.0 / armLength;
        const double legFactor = 100.0 / legLength;
        if (!Usable(armLength, armFactor) || !Usable(legLength, legFactor)) {
            return Failed(kLimbMeasure, kLimbVariables);
        }
        result.factors = {armFactor, legFactor};
        return result;
    }
    const bool relative = option == "Height";
    if (relative || IsNumeric(option, decimalSymbol)) {
        double height = 0.0;
        if (!MeasureBodyHeight(table, person, height))
            return Failed(kHeightMeasure, kHeightVariables);
        const double reference = relative ? 100.0 : ReadBodyHeight(option, decimalSymbol);
        const double factor = reference / height;
        if (!Usable(height, factor))
            return Failed(kHeightMeasure, kHeightVariables);
        result.factors = {factor, factor};
    }
    return result;
}

}  // namespace kivo
