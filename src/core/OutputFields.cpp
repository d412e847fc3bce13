#include "core/OutputFields.h"

#include <cmath>

#include "core/Numbers.h"

namespace kivo {

double RoundToDecimalPlaces(double value, int decimalPlaces) {
    return RoundHalfUp(value, decimalPlaces);
}

bool AppendOutputValue(std::string& line, double value, int decimalPlaces,
                       std::string_view decimalSymbol) {
    if (!std::isfinite(value)) {
        line += kOverflowItem.substr(1);
        return false;
    }
    AppendRoundedFixed(line, value, decimalPlaces, decimalSymbol);
    return true;
}

std::string FormatOutputValue(double value, int decimalPlaces, std::string_view decimalSymbol) {
    std::string text;
    AppendOutputValue(text, value, decimalPlaces, decimalSymbol);
    return text;
}

void AppendErrorItem(std::string& line, std::string_view errorText, char separator) {
    if (!errorText.empty() && errorText.front() == ';')
        errorText.remove_prefix(1);
    line += separator;
    line += errorText;
}

}  // namespace kivo
