// The number reader of data fields and the fixed-decimal format of written values.

#include <cmath>
#include <string>

#include "FuzzSupport.h"
#include "core/Numbers.h"

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
    return 0;
}
