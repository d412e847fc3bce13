#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "core/Numbers.h"

namespace kivo {
namespace {

// The definition: round half up, then print with that many decimals.
std::string Expected(double value, int decimals, std::string_view symbol) {
    std::string text;
    AppendFixed(text, RoundHalfUp(value, decimals), decimals, symbol);
    return text;
}

std::string Actual(double value, int decimals, std::string_view symbol) {
    std::string text = "x";  // appends, keeps what was there
    AppendRoundedFixed(text, value, decimals, symbol);
    return text.substr(1);
}

std::vector<double> SampleValues() {
    const double max = std::numeric_limits<double>::max();
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> values = {0.0, -0.0, 0.0625, -0.0625, 0.5, -0.5, 1.5, -1.5, 2.5, 4.0};
    values.insert(values.end(), {-0.04, 0.05, 1e-320, -1e-320, 123456.789, -9999999.0, 1e17});
    values.insert(values.end(), {1125899906842623.0, 1125899906842624.0, 1125899906842625.0});
    values.insert(values.end(), {-1125899906842624.0, 4503599627370496.0, 1e300, -1e300});
    values.insert(values.end(), {max, inf, -inf, nan});
    std::mt19937_64 random(99);
    for (int exponent = -12; exponent <= 17; ++exponent) {
        std::uniform_real_distribution<double> spread(-std::pow(10.0, exponent),
                                                      std::pow(10.0, exponent));
        for (int i = 0; i < 300; ++i)
            values.push_back(spread(random));
    }
    // Halves at every number of decimals, where rounding half up decides.
    for (int decimals = 0; decimals <= 15; ++decimals) {
        const double unit = std::pow(10.0, -decimals);
        for (int k = -20; k <= 20; ++k)
            values.push_back((k + 0.5) * unit);
    }
    return values;
}

class RoundedFixed : public ::testing::TestWithParam<const char*> {};

TEST_P(RoundedFixed, ReadsExactlyAsRoundingThenPrinting) {
    const std::vector<double> values = SampleValues();
    for (int decimals = -1; decimals <= 16; ++decimals) {
        for (double value : values) {
            ASSERT_EQ(Actual(value, decimals, GetParam()), Expected(value, decimals, GetParam()))
                << "value " << value << ", " << decimals << " decimals";
        }
    }
}

TEST_P(RoundedFixed, WritesTheDecimalSymbolAlsoWithoutDecimals) {
    const std::string symbol = GetParam();
    EXPECT_EQ(Actual(3.5, 0, symbol), "4" + symbol);
    EXPECT_EQ(Actual(-0.0625, 3, symbol), "-0" + symbol + "062");
    EXPECT_EQ(Actual(0.0625, 3, symbol), "0" + symbol + "063");
    EXPECT_EQ(Actual(-0.0004, 3, symbol), "0" + symbol + "000");
}

INSTANTIATE_TEST_SUITE_P(DecimalSymbols, RoundedFixed,
                         ::testing::Values(".", ",", "::", "<decimal>"));

}  // namespace
}  // namespace kivo
