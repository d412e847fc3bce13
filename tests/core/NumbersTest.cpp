#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "core/Numbers.h"

namespace kivo {
namespace {

struct ReadCase {
    std::string field;
    double expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << '"' << c.field.substr(0, 20) << '"';
}

class ReadNumberTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTest, FollowsTheLocaleIndependentRule) {
    EXPECT_DOUBLE_EQ(ReadNumber(GetParam().field), GetParam().expected) << GetParam().field;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ReadNumberTest,
    ::testing::Values(ReadCase{"12.5", 12.5}, ReadCase{"-3.0", -3.0}, ReadCase{"+7", 7.0},
                      ReadCase{"0.008333", 0.008333}, ReadCase{"", 0.0}, ReadCase{"abc", 0.0},
                      ReadCase{"  \t42", 42.0}, ReadCase{"1 234.5", 1234.5}, ReadCase{"1\t2", 12.0},
                      ReadCase{"1.5E3", 1500.0}, ReadCase{"1.5e-2", 0.015}, ReadCase{"2D3", 2000.0},
                      ReadCase{"2d-1", 0.2}, ReadCase{"1,5", 1.0}, ReadCase{"1.2.3", 1.2},
                      ReadCase{"12abc", 12.0}, ReadCase{".5", 0.5}, ReadCase{"-.25", -0.25},
                      ReadCase{"1e", 1.0}, ReadCase{"1e+", 1.0}, ReadCase{"inf", 0.0},
                      ReadCase{"nan", 0.0}, ReadCase{"-", 0.0}, ReadCase{".", 0.0},
                      ReadCase{"e5", 0.0}, ReadCase{"1e999", 0.0}, ReadCase{"7\r", 7.0},
                      ReadCase{"- 5", -5.0}, ReadCase{"0x10", 0.0}, ReadCase{"+-5", 0.0},
                      ReadCase{"+-5 ", 0.0}, ReadCase{"-+5", 0.0}, ReadCase{"+ 5", 5.0},
                      ReadCase{"1 2 ", 12.0}));

// Plain decimals of up to 17 digits (a few beyond the shortcut's 15), with
// and without a sign and a point anywhere: every bit as the text says.
TEST(ReadNumber, ReadsPlainDecimalsToTheNearestDouble) {
    std::mt19937_64 random(7);
    for (int k = 0; k < 200000; ++k) {
        std::string field = random() % 2 ? "-" : "";
        const int digits = 1 + static_cast<int>(random() % 17);
        const int point = static_cast<int>(random() % (digits + 2));
        for (int d = 0; d <= digits; ++d) {
            if (d == point)
                field += '.';
            if (d < digits)
                field += static_cast<char>('0' + random() % 10);
        }
        double expected = 0.0;
        std::from_chars(field.data(), field.data() + field.size(), expected);
        const NumberReading reading = ReadNumberField(field);
        ASSERT_TRUE(reading.whole) << field;
        ASSERT_EQ(std::memcmp(&reading.value, &expected, sizeof expected), 0) << field;
    }
}

TEST(ReadNumber, ReadsTheLeadingNumberOfAVeryLongField) {
    const std::string field = "3.25" + std::string(100000, ' ') + "x";
    EXPECT_DOUBLE_EQ(ReadNumber(field), 3.25);
}

TEST(ToInteger16, RoundsHalfToEvenAndRefusesOutOfRange) {
    EXPECT_EQ(ToInteger16(2.5), 2);
    EXPECT_EQ(ToInteger16(3.5), 4);
    EXPECT_EQ(ToInteger16(-2.5), -2);
    EXPECT_EQ(ToInteger16(2.4999), 2);
    EXPECT_EQ(ToInteger16(32767.4), 32767);
    EXPECT_EQ(ToInteger16(-32768.0), -32768);
    EXPECT_FALSE(ToInteger16(32767.5).has_value());
    EXPECT_FALSE(ToInteger16(-32769.0).has_value());
    EXPECT_FALSE(ToInteger16(std::nan("")).has_value());
}

TEST(IsNumeric, AcceptsWholeNumbersOnly) {
    EXPECT_TRUE(IsNumeric("12", "."));
    EXPECT_TRUE(IsNumeric(" -0.05 ", "."));
    EXPECT_TRUE(IsNumeric("1e3", "."));
    EXPECT_TRUE(IsNumeric(".5", "."));
    EXPECT_FALSE(IsNumeric("2a", "."));
    EXPECT_FALSE(IsNumeric("", "."));
    EXPECT_FALSE(IsNumeric("-", "."));
    EXPECT_FALSE(IsNumeric("1e", "."));
    EXPECT_FALSE(IsNumeric("1.2.3", "."));
    // The period or the user's decimal symbol, but only one of them.
    EXPECT_TRUE(IsNumeric("2,5", ","));
    EXPECT_TRUE(IsNumeric("2.5", ","));
    EXPECT_FALSE(IsNumeric("2,5", "."));
    EXPECT_FALSE(IsNumeric("1.2,3", ","));
    EXPECT_DOUBLE_EQ(ReadUserNumber("2,5", ","), 2.5);
}

class OutputNumber : public ::testing::Test {
  protected:
    static std::string Written(double value, int decimals, std::string_view symbol = ".") {
        return FormatFixed(RoundHalfUp(value, decimals), decimals, symbol);
    }
};

TEST_F(OutputNumber, RoundsHalfUpTowardPositiveInfinity) {
    EXPECT_EQ(Written(0.0625, 3), "0.063");
    EXPECT_EQ(Written(-0.0625, 3), "-0.062");
    EXPECT_EQ(Written(2.0, 3), "2.000");
    EXPECT_EQ(Written(-0.0004, 3), "0.000");
    EXPECT_EQ(FormatFixed(-0.0, 3, "."), "0.000");
    EXPECT_EQ(Written(1.005, 2), "1.00");  // 1.005 * 100 is 100.49999999999999 in binary
    EXPECT_EQ(Written(123456.789, 1), "123456.8");
}

TEST_F(OutputNumber, WritesTheDecimalSymbolAlsoWithZeroDecimals) {
    EXPECT_EQ(Written(3.7, 0), "4.");
    EXPECT_EQ(Written(-3.5, 0), "-3.");
}

TEST_F(OutputNumber, UsesTheUsersDecimalSymbol) {
    EXPECT_EQ(Written(0.0625, 3, ","), "0,063");
    EXPECT_EQ(FormatGeneral(0.008333, ","), "0,008333");
}

TEST_F(OutputNumber, KeepsFifteenDecimalPlaces) {
    EXPECT_EQ(Written(0.1, 15), "0.100000000000000");
}

TEST(GeneralNumber, WritesUpToFifteenSignificantDigits) {
    EXPECT_EQ(FormatGeneral(0.0, "."), "0");
    EXPECT_EQ(FormatGeneral(0.008333, "."), "0.008333");
    EXPECT_EQ(FormatGeneral(2.5, "."), "2.5");
    EXPECT_EQ(FormatGeneral(600.0, "."), "600");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2, "."), "0.3");
    EXPECT_EQ(FormatGeneral(-0.0, "."), "0");
    EXPECT_EQ(FormatGeneral(1.5e20, "."), "1.5E+20");
}

TEST(GeneralNumber, WritesSinglePrecisionFrameRates) {
    EXPECT_EQ(FormatGeneralSingle(1.0f / (0.008333f - 0.0f), "."), "120.0048");
    EXPECT_EQ(FormatGeneralSingle(1.0f / (0.01f - 0.0f), "."), "100");
    EXPECT_EQ(FormatGeneralSingle(-100.0f, "."), "-100");
}

}  // namespace
}  // namespace kivo
