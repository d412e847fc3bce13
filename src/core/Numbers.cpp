#include "core/Numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace kivo {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

constexpr std::array<double, 16> kPowersOfTen = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

void AppendWithDecimalSymbol(std::string& out, const char* first, const char* last,
                             std::string_view symbol) {
    for (const char* p = first; p != last; ++p) {
        if (*p == '.') {
            out += symbol;
        } else {
            out += (*p == 'e') ? 'E' : *p;
        }
    }
}

// A field that is only an optional minus, digits and at most one decimal
// point, with 15 digits or fewer: the digits make an integer a double holds
// exactly and the divisor is an exact power of ten, so the one division
// rounds exactly as reading the text does (from_chars), at a fraction of the
// cost. False for every other field.
bool ReadPlainDecimal(std::string_view field, double& value) {
    std::size_t i = 0;
    const bool negative = !field.empty() && field[0] == '-';
    if (negative)
        i = 1;
    std::uint64_t digits = 0;
    int count = 0, fractionDigits = 0;
    bool point = false;
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (IsDigit(c)) {
            if (++count > 15)
                return false;
            digits = digits * 10 + static_cast<unsigned>(c - '0');
            fractionDigits += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (count == 0)
        return false;
    const double magnitude = static_cast<double>(digits) / kPowersOfTen[fractionDigits];
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

NumberReading ReadNumberField(std::string_view field) {
    if (double value = 0.0; ReadPlainDecimal(field, value))
        return NumberReading{value, true};
    const std::size_t size = field.size();
    std::size_t first = 0;
    while (first < size && IsBlank(field[first]))
        ++first;

    // The longest prefix that follows the rule: an optional sign, digits with
    // at most one decimal point, an exponent (E or D) after a digit with its
    // own optional sign; blanks and tabs anywhere in it are passed over.
    bool signAllowed = true, pointSeen = false, exponentSeen = false, digitSeen = false;
    bool blankPending = false, needsCompacting = false, stopped = false;
    std::size_t end = first;
    for (std::size_t k = first; k < size; ++k) {
        const char c = field[k];
        if (IsBlank(c)) {
            blankPending = true;
            continue;
        }
        if ((c == '+' || c == '-') && signAllowed) {
            signAllowed = false;
        } else if (IsDigit(c)) {
            signAllowed = false;
            digitSeen = true;
        } else if (c == '.' && !pointSeen && !exponentSeen) {
            pointSeen = true;
            signAllowed = false;
        } else if ((c == 'e' || c == 'E' || c == 'd' || c == 'D') && digitSeen && !exponentSeen) {
            exponentSeen = true;
            signAllowed = true;
            needsCompacting = needsCompacting || c == 'd' || c == 'D';
        } else {
            stopped = true;
            break;
        }
        needsCompacting = needsCompacting || blankPending;
        blankPending = false;
        end = k + 1;
    }

    std::string compacted;
    std::string_view number = field.substr(first, end - first);
    if (needsCompacting) {
        compacted.reserve(number.size());
        for (char c : number) {
            if (IsBlank(c))
                continue;
            compacted += (c == 'd' || c == 'D') ? 'e' : c;
        }
        number = compacted;
    }

    // from_chars takes no plus sign, and would read "inf" and "nan": a number
    // begins with a digit or a decimal point after its sign.
    NumberReading reading;
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    const std::size_t mantissa = !number.empty() && number.front() == '-' ? 1 : 0;
    if (number.size() <= mantissa || !(IsDigit(number[mantissa]) || number[mantissa] == '.'))
        return reading;
    double value = 0.0;
    const char* last = number.data() + number.size();
    const auto result = std::from_chars(number.data(), last, value, std::chars_format::general);
    if (result.ec != std::errc())
        return reading;  // no digits, or beyond the range of a double
    reading.value = value;
    reading.whole = !stopped && result.ptr == last;
    return reading;
}

double ReadNumber(std::string_view field) {
    return ReadNumberField(field).value;
}

bool IsNumeric(std::string_view text, std::string_view symbol) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return false;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    bool digits = false, point = false;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            digits = true;
            ++i;
        } else if (!point && text[i] == '.') {
            point = true;
            ++i;
        } else if (!point && !symbol.empty() && text.substr(i, symbol.size()) == symbol) {
            point = true;
            i += symbol.size();
        } else {
            break;
        }
    }
    if (!digits)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        bool exponentDigits = false;
        while (i < text.size() && IsDigit(text[i])) {
            exponentDigits = true;
            ++i;
        }
        if (!exponentDigits)
            return false;
    }
    return i == text.size();
}

std::optional<std::int16_t> ToInteger16(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);  // default mode: half to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

double ReadUserNumber(std::string_view text, std::string_view decimalSymbol) {
    if (decimalSymbol == "." || decimalSymbol.empty())
        return ReadNumber(text);
    std::string normalised(text);
    for (std::size_t at = normalised.find(decimalSymbol); at != std::string::npos;
         at = normalised.find(decimalSymbol, at + 1)) {
        normalised.replace(at, decimalSymbol.size(), ".");
    }
    return ReadNumber(normalised);
}

double RoundHalfUp(double value, int decimals) {
    const double scale = (decimals >= 0 && decimals < static_cast<int>(kPowersOfTen.size()))
                             ? kPowersOfTen[decimals]
                             : std::pow(10.0, decimals);
    const double scaled = std::floor(value * scale + 0.5);
    // So large a value has no digits after the decimal point to round away.
    if (!std::isfinite(scaled) && std::isfinite(value))
        return value;
    return scaled / scale;
}

void AppendFixed(std::string& out, double value, int decimals, std::string_view decimalSymbol) {
    if (value == 0.0)
        value = 0.0;  // no "-0.000"
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc()) {
        out += '0';
        return;
    }
    AppendWithDecimalSymbol(out, buffer, result.ptr, decimalSymbol);
    if (decimals == 0)
        out += decimalSymbol;
}

void AppendRoundedFixed(std::string& out, double value, int decimals,
                        std::string_view decimalSymbol) {
    if (decimals < 0 || decimals >= static_cast<int>(kPowersOfTen.size())) {
        AppendFixed(out, RoundHalfUp(value, decimals), decimals, decimalSymbol);
        return;
    }
    // RoundHalfUp's steps: the rounded value is q / 10^d with an integer q.
    const double scale = kPowersOfTen[decimals];
    const double q = std::floor(value * scale + 0.5);
    // Below 2^50 the spacing of doubles near q / 10^d is under a quarter of
    // 10^-d, so the rounded value printed with d decimals reads exactly as the
    // digits of q with the decimal point set d places from the right.
    constexpr double kExactLimit = 1125899906842624.0;  // 2^50
    const std::string_view symbol = decimalSymbol;
    if (!(std::fabs(q) < kExactLimit) || symbol.size() > 8) {
        AppendFixed(out, RoundHalfUp(value, decimals), decimals, decimalSymbol);
        return;
    }
    // The text is built backwards from the last decimal: at most 15
    // decimals, the symbol, 16 digits and the sign.
    char text[48];
    char* end = text + sizeof text;
    char* first = end;
    std::uint64_t rest = static_cast<std::uint64_t>(std::fabs(q));
    for (int d = 0; d < decimals; ++d, rest /= 10)
        *--first = static_cast<char>('0' + rest % 10);
    if (symbol.size() == 1) {
        *--first = symbol[0];
    } else {
        first -= symbol.size();
        symbol.copy(first, symbol.size());
    }
    do {
        *--first = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (q < 0.0)
        *--first = '-';
    out.append(first, end);
}

std::string FormatFixed(double value, int decimals, std::string_view decimalSymbol) {
    std::string out;
    AppendFixed(out, value, decimals, decimalSymbol);
    return out;
}

void AppendGeneral(std::string& out, double value, std::string_view decimalSymbol,
                   int significantDigits) {
    if (value == 0.0)
        value = 0.0;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significantDigits);
    AppendWithDecimalSymbol(out, buffer, result.ptr, decimalSymbol);
}

std::string FormatGeneral(double value, std::string_view decimalSymbol, int significantDigits) {
    std::string out;
    AppendGeneral(out, value, decimalSymbol, significantDigits);
    return out;
}

std::string FormatGeneralSingle(float value, std::string_view decimalSymbol) {
    if (value == 0.0f)
        value = 0.0f;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    std::string out;
    AppendWithDecimalSymbol(out, buffer, result.ptr, decimalSymbol);
    return out;
}

}  // namespace kivo
