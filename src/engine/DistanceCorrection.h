#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/InputVariableTable.h"

namespace kivo {

// Distance correction factors of one person, computed once per input file.
// Every distance a calculation function reports is multiplied by one of them;
// 1.0 means uncorrected.
struct DistanceCorrection {
    double armFactor = 1.0;
    double legFactor = 1.0;
};

// The leg factor for the leg input variables (Leg, Knee, Foot, left and
// right), the arm factor for every other index.
double GetDistanceCorrectionFactor(int index, double armFactor, double legFactor);
double GetDistanceCorrectionFactor(int index, const DistanceCorrection& factors);

struct DistanceCorrectionResult {
    DistanceCorrection factors;  // both 1.0 unless the correction succeeded
    bool failed = false;
    // On failure the two lines the caller writes to the output file of the
    // input file being processed; empty otherwise.
    std::vector<std::string> noticeLines;
};

// Computes the factors of `person` (1 = A, 2 = B) from the current frame for
// the file's distance option:
//  - "Length" (exact case): arm factor = 100 / right arm length, leg factor =
//    100 / right leg length (distances in percent of the limb length);
//  - "Height": both 100 / body height (percent of the model's body height);
//  - a numeric text h (the real person's body height): both h / body height;
//  - any other text ("unmodified", "length", ...): no correction.
// The body height is the height of the Top marker over the Bottom marker with
// the chains Hips-Chest-Head-Top and Hips-Leg R-Knee R-Foot R-Bottom
// straightened. Missing data, or a measured length or height of 0, fail the
// correction: factors 1.0 and the notice lines naming the needed variables.
// A body height may be typed with the period or the user's `decimalSymbol`.
DistanceCorrectionResult CalculateDistanceCorrectionFactors(const InputVariableTable& table,
                                                            int person, std::string_view option,
                                                            std::string_view decimalSymbol);

}  // namespace kivo
