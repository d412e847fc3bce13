#pragma once

#include <string>
#include <string_view>

namespace kivo {

// Fields of the files a run writes (output, part, means and statistics files).

// Number format of written values: round half up to the decimal places, then
// exactly that many decimals with the user's decimal symbol.
double RoundToDecimalPlaces(double value, int decimalPlaces);

// The error item written in place of a value that overflowed (an infinity or
// a value that is no number): no file ever holds "inf" or "nan".
inline constexpr std::string_view kOverflowItem = ";ERROR:Overflow";

// Appends the formatted value, or for a value that is not finite the
// overflow item's text (without its ";": the caller has written the
// separator); returns false in that case.
bool AppendOutputValue(std::string& line, double value, int decimalPlaces,
                       std::string_view decimalSymbol);
std::string FormatOutputValue(double value, int decimalPlaces, std::string_view decimalSymbol);

// Appends one error item for an error text such as ";ERROR:DIV/0": an error
// item is always exactly one field, the separator followed by the text without
// its leading ";".
void AppendErrorItem(std::string& line, std::string_view errorText, char separator);

}  // namespace kivo
