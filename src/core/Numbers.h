#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kivo {

// Reads a number from a data-file field, independent of the locale: leading
// blanks and tabs are skipped, blanks and tabs inside the number are ignored,
// the period is the decimal point, the exponent may be written with E or D,
// and the first character that cannot continue the number ends it. A field
// that does not begin with a number (or is empty) reads as 0, and so does a
// number beyond the range of a double.
double ReadNumber(std::string_view field);

// The number of a field as ReadNumber reads it, and whether the field held
// that number and nothing else: false for an empty field, a text, a number
// followed by anything but blanks ("1,5", "12abc", "1e"), and a number
// beyond the range of a double (read as 0).
struct NumberReading {
    double value = 0.0;
    bool whole = false;
};
NumberReading ReadNumberField(std::string_view field);

// The user's decimal symbol is given to every function that reads a number the
// user typed or writes a number for the user. The front end determines it once
// from the user's environment; data files always use the period.

// True when the whole text (blanks around it allowed) is one number: optional
// sign, digits with at most one decimal point (the period or the user's
// decimal symbol), optional exponent.
bool IsNumeric(std::string_view text, std::string_view decimalSymbol);

// The value of a numeric text typed by the user (the period or the user's
// decimal symbol as decimal point), read by the rules of ReadNumber.
double ReadUserNumber(std::string_view text, std::string_view decimalSymbol);

// Rounds half to even to a 16-bit signed integer; nothing when out of range.
std::optional<std::int16_t> ToInteger16(double value);

// Round half up (toward positive infinity) to `decimals` places:
// floor(value * 10^decimals + 0.5) / 10^decimals.
double RoundHalfUp(double value, int decimals);

// Appends `value` with exactly `decimals` decimals (at least one integer
// digit, no thousands separator) and the decimal symbol; with 0 decimals the
// decimal symbol is still written ("4.").
void AppendFixed(std::string& out, double value, int decimals, std::string_view decimalSymbol);
std::string FormatFixed(double value, int decimals, std::string_view decimalSymbol);

// AppendFixed(out, RoundHalfUp(value, decimals), decimals, decimalSymbol),
// character for character, written straight from the rounded integer where
// that is exact.
void AppendRoundedFixed(std::string& out, double value, int decimals,
                        std::string_view decimalSymbol);

// Appends `value` as a general number: up to `significantDigits` significant
// digits, no trailing zeros, scientific notation ("1.5E+20") only for very
// large or small magnitudes, the decimal symbol.
void AppendGeneral(std::string& out, double value, std::string_view decimalSymbol,
                   int significantDigits = 15);
std::string FormatGeneral(double value, std::string_view decimalSymbol, int significantDigits = 15);
// The same for a single-precision value (up to 7 significant digits).
std::string FormatGeneralSingle(float value, std::string_view decimalSymbol);

}  // namespace kivo
