// The number reader of data fields and the fixed-decimal format of written values.

#include <cmath>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "core/Numbers.h"
#include "core/OutputFields.h"
#include "input/StoredOptionRules.h"

using namespace kivo;
using namespace kivo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(AsText(data, size));
    const NumberReading reading = ReadNumberField(text);
    Require(std::isfinite(reading.value), "a field reads as a finite number", [&] { return text; });
    Require(ReadNumber(text + " ") == reading.value,
            "a trailing blank does not change the number a field reads as", [&] { return text; });
    Require(ReadNumberField(" " + text).whole == reading.whole,
            "a leading blank does not change whether a field is a number", [&] { return text; });

    for (int decimals = 0; decimals <= 15; ++decimals) {
        std::string direct, rounded;
        AppendRoundedFixed(direct, reading.value, decimals, ".");
        AppendFixed(rounded, RoundHalfUp(reading.value, decimals), decimals, ".");
        Require(direct == rounded, "the rounded value is written as AppendFixed writes it",
                [&] { return text + " -> " + direct + " / " + rounded; });
    }
    // Any double, also one that overflowed: a written value is a number or the
    // overflow item, never "inf" or "nan".
    if (size >= sizeof(double)) {
        double value = 0.0;
        std::memcpy(&value, data, sizeof value);
        for (int decimals = 0; decimals <= 15; ++decimals) {
            std::string written;
            const bool finite = AppendOutputValue(written, value, decimals, ",");
            Require(finite == std::isfinite(value), "only a value that is not finite overflows");
            Require(!finite || written.find_first_not_of("0123456789,-") == std::string::npos,
                    "a written value is a plain number", [&] { return written; });
        }
    }

    double stored = 0.0;
    if (ReadStoredNumber(text, stored)) {
        Require(std::isfinite(stored), "a stored number is finite", [&] { return text; });
    }
    return 0;
}
