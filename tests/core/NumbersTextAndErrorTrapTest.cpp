#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/ErrorTrap.h"
#include "core/InputVariableTable.h"
#include "core/Numbers.h"
#include "core/Text.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using Fields = std::vector<std::string_view>;

TEST(SplitFields, KeepsEmptyFieldsAndDoesNotQuote) {
    EXPECT_EQ(SplitFields("a;;b;", ';'), (Fields{"a", "", "b", ""}));
    EXPECT_EQ(SplitFields("\"a;b\"", ';'), (Fields{"\"a", "b\""}));
    EXPECT_EQ(SplitFields("", ';'), (Fields{""}));
    EXPECT_EQ(SplitFields("a  b", ' '), (Fields{"a", "", "b"}));
    // A letter separator matches in both cases; the caller's vector is reused.
    EXPECT_EQ(SplitFields("FrameNo1n2", 'N'), (Fields{"Frame", "o1", "2"}));
    Fields fields{"stale"};
    SplitFields("x\ty", '\t', fields);
    EXPECT_EQ(fields, (Fields{"x", "y"}));
}

// Trimming keeps tabs; a replacement is not searched again; only a trailing
// CR is stripped; case is ignored for ASCII letters.
TEST(TextHelpers, TrimReplaceStripAndCompareIgnoringCase) {
    EXPECT_EQ(TrimBlanks("  Hips "), "Hips");
    EXPECT_EQ(TrimBlanks("\tHips"), "\tHips");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(ReplaceAll("@ and @", "@", "x@y"), "x@y and x@y");
    EXPECT_EQ(ReplaceAll("none", "@", "x"), "none");
    EXPECT_EQ(StripCarriageReturn("1;2\r"), "1;2");
    EXPECT_EQ(StripCarriageReturn("1\r;2"), "1\r;2");
    EXPECT_TRUE(EqualsIgnoringCase("640X480", "640x480"));
    EXPECT_FALSE(EqualsIgnoringCase("ab", "abc"));
    EXPECT_TRUE(ContainsIgnoringCase("640X480", "x"));
    EXPECT_FALSE(ContainsIgnoringCase("640480", "x"));
}

TEST(InputVariableTable, FindsNamesCaseSensitivelyAndTheFirstOfEqualNames) {
    InputVariableTable table;
    table[40].name = "Cup";
    table[41].name = "Cup";
    EXPECT_EQ(table.GetInputVariableIndex("Cup"), 40);
    EXPECT_EQ(table.GetInputVariableIndex("Knee L"), kKneeL);
    EXPECT_EQ(table.GetInputVariableIndex("knee l"), kNotAnInputVariable);
}

// The program-wide error message; standard failures get their numbers; a
// counting prompt counts the failures it passes on, not other messages.
TEST(ErrorTrap, ShowsTheProgramWideErrorMessage) {
    testing::ScriptedPrompt prompt;
    const bool completed = RunTrapped(prompt, "CheckFile", [] {
        throw TrappedError(kErrorInputPastEndOfFile, "Input past end of file");
    });
    EXPECT_FALSE(completed);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Error No. 62 in subroutine 'CheckFile': \r\n\r\nInput past end of file");
    EXPECT_EQ(prompt.messages[0].title, "Error Message");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Critical);
    RunTrapped(prompt, "P", [] { throw std::out_of_range("Subscript out of range"); });
    EXPECT_EQ(prompt.LastText().rfind("Error No. 9 ", 0), 0u);
    EXPECT_TRUE(RunTrapped(prompt, "P", [] {}));
    ErrorCountingPrompt counting(prompt);
    counting.Tell(PromptId::RunFinished, "a note");
    RunTrapped(counting, "WriteStatisticLine", [] { throw std::runtime_error("failed"); });
    EXPECT_EQ(counting.Count(), 1);
    EXPECT_EQ(prompt.messages.size(), 4u);
}

TEST(TestFolders, TwoFoldersOfOneTestKeepTheirOwnFiles) {
    const testing::TempDir first;
    const std::string kept = first.Write("kept.txt", "1");
    const testing::TempDir second;
    EXPECT_NE(first.PathOf(""), second.PathOf(""));
    EXPECT_TRUE(std::filesystem::exists(kept));
}

#ifndef NDEBUG
// An overrun inside an object (here into the member after the array) is
// invisible to the address sanitizer; the debug build's library checks stop it.
TEST(DebugBuild, IndexPastTheEndOfAnArrayMemberAborts) {
    struct Record {
        std::array<int, 4> values{};
        int after = 0;
    };
    Record record;
    volatile std::size_t index = 4;
    EXPECT_DEATH(record.values[index] = 1, "");
}
#endif

TEST(ReadNumber, FollowsTheLocaleIndependentRule) {
    const std::pair<const char*, double> cases[] = {
        {"12.5", 12.5}, {"-3.0", -3.0},    {"+7", 7.0},       {"0.008333", 0.008333},
        {"", 0.0},      {"abc", 0.0},      {"  \t42", 42.0},  {"1 234.5", 1234.5},
        {"1\t2", 12.0}, {"1.5E3", 1500.0}, {"1.5e-2", 0.015}, {"2D3", 2000.0},
        {"2d-1", 0.2},  {"1,5", 1.0},      {"1.2.3", 1.2},    {"12abc", 12.0},
        {".5", 0.5},    {"-.25", -0.25},   {"1e", 1.0},       {"1e+", 1.0},
        {"inf", 0.0},   {"nan", 0.0},      {"-", 0.0},        {".", 0.0},
        {"e5", 0.0},    {"1e999", 0.0},    {"7\r", 7.0},      {"- 5", -5.0},
        {"0x10", 0.0},  {"+-5", 0.0},      {"+-5 ", 0.0},     {"-+5", 0.0},
        {"+ 5", 5.0},   {"1 2 ", 12.0}};
    for (const auto& [field, expected] : cases)
        EXPECT_DOUBLE_EQ(ReadNumber(field), expected) << '"' << field << '"';
}

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
    const std::optional<int> none;
    const std::pair<double, std::optional<int>> cases[] = {
        {2.5, 2},        {3.5, 4},         {-2.5, -2},
        {2.4999, 2},     {32767.4, 32767}, {-32768.0, -32768},
        {32767.5, none}, {-32769.0, none}, {std::nan(""), none}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(ToInteger16(value), expected) << value;
}

// The period or the user's decimal symbol, but only one of them.
TEST(IsNumeric, AcceptsWholeNumbersOnly) {
    for (const char* text : {"12", " -0.05 ", "1e3", ".5"})
        EXPECT_TRUE(IsNumeric(text, ".")) << text;
    for (const char* text : {"2a", "", "-", "1e", "1.2.3", "2,5"})
        EXPECT_FALSE(IsNumeric(text, ".")) << text;
    EXPECT_TRUE(IsNumeric("2,5", ","));
    EXPECT_TRUE(IsNumeric("2.5", ","));
    EXPECT_FALSE(IsNumeric("1.2,3", ","));
    EXPECT_DOUBLE_EQ(ReadUserNumber("2,5", ","), 2.5);
}

// Written values: rounded half up, then printed with that many decimals.
std::string Written(double value, int decimals, std::string_view symbol = ".") {
    return FormatFixed(RoundHalfUp(value, decimals), decimals, symbol);
}

// The decimal symbol stands also without decimals; 1.005 * 100 is
// 100.49999999999999 in binary.
TEST(OutputNumber, RoundsHalfUpTowardPositiveInfinity) {
    const struct {
        double value;
        int decimals;
        const char* symbol;
        const char* written;
    } cases[] = {{0.0625, 3, ".", "0.063"}, {-0.0625, 3, ".", "-0.062"},
                 {2.0, 3, ".", "2.000"},    {-0.0004, 3, ".", "0.000"},
                 {1.005, 2, ".", "1.00"},   {123456.789, 1, ".", "123456.8"},
                 {3.7, 0, ".", "4."},       {-3.5, 0, ".", "-3."},
                 {0.0625, 3, ",", "0,063"}, {0.1, 15, ".", "0.100000000000000"},
                 {3.5, 0, "::", "4::"},     {-0.0625, 3, "<decimal>", "-0<decimal>062"}};
    for (const auto& c : cases)
        EXPECT_EQ(Written(c.value, c.decimals, c.symbol), c.written) << c.value;
    EXPECT_EQ(FormatFixed(-0.0, 3, "."), "0.000");
    EXPECT_EQ(FormatGeneral(0.008333, ","), "0,008333");
}

TEST(GeneralNumber, WritesUpToFifteenSignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},  {0.008333, "0.008333"}, {2.5, "2.5"}, {600.0, "600"}, {0.1 + 0.2, "0.3"},
        {-0.0, "0"}, {1.5e20, "1.5E+20"}};
    for (const auto& [value, written] : cases)
        EXPECT_EQ(FormatGeneral(value, "."), written) << value;
}

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

TEST(RoundedFixed, ReadsExactlyAsRoundingThenPrinting) {
    const std::vector<double> values = SampleValues();
    for (const char* symbol : {".", ",", "::", "<decimal>"}) {
        for (int decimals = -1; decimals <= 16; ++decimals) {
            for (double value : values) {
                ASSERT_EQ(Actual(value, decimals, symbol), Expected(value, decimals, symbol))
                    << "value " << value << ", " << decimals << " decimals, " << symbol;
            }
        }
    }
}

}  // namespace
}  // namespace kivo
