#include "core/OutputFields.h"

#include "core/Numbers.h"

namespace kivo {

double RoundToDecimalPlaces(double value, int decimalPlaces) {
    return RoundHalfUp(value, decimalPlaces);
}

void AppendOutputValue(std::string& line, double value, int decimalPlaces) {
    AppendRoundedFixed(line, value, decimalPlaces);
}

std::string FormatOutputValue(double value, int decimalPlaces) {
    std::string text;
    AppendOutputValue(text, value, decimalPlaces);
    return text;
}

void AppendErrorItem(std::string& line, std::string_view errorText, char separator) {
    if (!errorText.empty() && errorText.front() == ';')
        errorText.remove_prefix(1);
    line += separator;
    line += errorText;
}

}  // namespace kivo
