#include "core/OutputFields.h"

#include "core/Numbers.h"

namespace kivo {

double RoundToDecimalPlaces(double value, int decimalPlaces) {
    return RoundHalfUp(value, decimalPlaces);
}

void AppendOutputValue(std::string& line, double value, int decimalPlaces,
                       std::string_view decimalSymbol) {
    AppendRoundedFixed(line, value, decimalPlaces, decimalSymbol);
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
