#pragma once

#include <string_view>

namespace kivo {

// Outcome of a calculation function for one person and one frame.
enum StatusCode : int {
    kStatusOk = 0,
    kStatusCalculationError = 1,
    kStatusDefinitionHole = 2,
    kStatusCodingError = 3,
    kStatusDataError = 4,
    kStatusProgramError = 5,
    kStatusSettingError = 6,
    kStatusInheritedError = 7,
};

// The error item written in place of each value of a failed row, with its
// leading ";" (empty for success and for unknown codes).
constexpr std::string_view StatusErrorText(int status) {
    switch (status) {
        case kStatusCalculationError:
            return ";ERROR:Calculation error";
        case kStatusDefinitionHole:
            return ";ERROR:Definition hole";
        case kStatusCodingError:
            return ";ERROR:Coding error";
        case kStatusDataError:
            return ";ERROR:Data error";
        case kStatusProgramError:
            return ";ERROR:Program error";
        case kStatusSettingError:
            return ";ERROR:Setting error";
        case kStatusInheritedError:
            return ";ERROR:Inherited error";
        default:
            return {};
    }
}

}  // namespace kivo
