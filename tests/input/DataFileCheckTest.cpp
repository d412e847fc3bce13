#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/DataFieldNameList.h"
#include "core/Numbers.h"
#include "input/DataFileCheck.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::ScriptedPrompt;
using testing::TempDir;

constexpr std::string_view kColonFile =
    "Exported take 12\n"
    "Time;Frame;Woody:Hips:Tx;Woody:Hips:Ty;Woody:Hips:Tz;Woody:Hips:Rx;Woody:Hips:Ry;Woody:Hips:"
    "Rz\n"
    "0.000;1;12.5;101.2;-3.0;0.0;90.0;0.0\n"
    "0.008333;2;12.6;101.2;-3.1;0.1;90.2;0.0\n";

const std::string kNotFoundTemplate =
    "The format line starting with the time identifier 'Time' could not be found in the file:\r\n";

class CheckFileTest : public ::testing::Test {
  protected:
    void SetUp() override { SetDecimalSymbol("."); }
    void TearDown() override { SetDecimalSymbol("."); }

    FileCheckResult Check(const std::string& path, std::string_view label = "Time") {
        return CheckFile(path, label, prompt, &names);
    }

    TempDir dir;
    ScriptedPrompt prompt;
    DataFieldNameList names;
};

TEST_F(CheckFileTest, AcceptsAColonLayoutFileAndDerivesItsRate) {
    const FileCheckResult result = Check(dir.Write("take.csv", kColonFile));
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.separator, ";");
    EXPECT_TRUE(result.colonLayout);
    EXPECT_EQ(result.framesPerSecond, "120.0048");
    EXPECT_EQ(result.fieldNames, (std::vector<std::string>{"Frame", "Hips"}));
    EXPECT_EQ(names.Names(), (std::vector<std::string>{"", "Frame", "Hips"}));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(CheckFileTest, LeavesTheNameListAloneWhenNoneIsGiven) {
    const FileCheckResult result = CheckFile(dir.Write("take.csv", kColonFile), "Time", prompt);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.fieldNames.size(), 2u);
}

TEST_F(CheckFileTest, RefusesAMissingFileSilently) {
    EXPECT_FALSE(Check(dir.PathOf("absent.csv")).accepted);
    EXPECT_FALSE(Check(dir.PathOf("")).accepted);  // the folder itself
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(CheckFileTest, RefusesAFileWithoutFormatLine) {
    const std::string path = dir.Write("notes.txt", "some notes\nFrame;Time;1\n0;0;1\n");
    EXPECT_FALSE(Check(path).accepted);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, kNotFoundTemplate + path + ".");
    EXPECT_EQ(prompt.messages[0].title, "Kivo");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::Ok);
    EXPECT_TRUE(names.IsEmpty());
}

struct BadContent {
    std::string name;
    std::string content;
};

void PrintTo(const BadContent& c, std::ostream* os) {
    *os << c.name;
}

class UnreadableContentTest : public CheckFileTest,
                              public ::testing::WithParamInterface<BadContent> {};

TEST_P(UnreadableContentTest, IsRefusedWithTheFormatLineMessage) {
    const std::string path = dir.Write("data.csv", GetParam().content);
    EXPECT_FALSE(Check(path).accepted);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, kNotFoundTemplate + path + ".");
}

std::string BinaryContent() {
    std::string content;
    for (int i = 0; i < 5000; ++i)
        content += static_cast<char>((i * 7919) % 256);
    return content;
}

INSTANTIATE_TEST_SUITE_P(
    Contents, UnreadableContentTest,
    ::testing::Values(BadContent{"Empty", ""}, BadContent{"OnlyLineEnds", "\n\r\n\n"},
                      BadContent{"Binary", BinaryContent()},
                      BadContent{"LabelInOtherCase", "time;Hips:Tx\n0;1\n1;2\n"},
                      BadContent{"LabelAfterBlank", " Time;Hips:Tx\n0;1\n1;2\n"}),
    [](const auto& caseInfo) { return caseInfo.param.name; });

TEST_F(CheckFileTest, RefusesAnEmptyTimeLabel) {
    EXPECT_FALSE(Check(dir.Write("take.csv", kColonFile), "").accepted);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.LastText(),
              "Please enter the label of the first field of the format line (Time field).");
}

class TooFewFramesTest : public CheckFileTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(TooFewFramesTest, IsReportedByTheErrorTrapAndRefused) {
    const FileCheckResult result = Check(dir.Write("short.csv", GetParam()));
    EXPECT_FALSE(result.accepted);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Error No. 62 in subroutine 'CheckFile': \r\n\r\nInput past end of file");
    EXPECT_EQ(prompt.messages[0].title, "Error Message");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Critical);
    // A refused file offers no names, so the next file can still provide them.
    EXPECT_TRUE(names.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, TooFewFramesTest,
                         ::testing::Values("Time;Hips:Tx", "Time;Hips:Tx\n",
                                           "Time;Hips:Tx\r\n0.0;1\r\n", "Time;Hips:Tx\n0.0;1"));

struct RateCase {
    std::string first;
    std::string second;
    std::string framesPerSecond;
};

void PrintTo(const RateCase& c, std::ostream* os) {
    *os << c.first << " / " << c.second;
}

class FrameRateTest : public CheckFileTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(FrameRateTest, IsOneOverTheFirstTimeStepInSinglePrecision) {
    const std::string content =
        "Time;Hips:Tx\n" + GetParam().first + ";1\n" + GetParam().second + ";2\n";
    const FileCheckResult result = Check(dir.Write("rate.csv", content));
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.framesPerSecond, GetParam().framesPerSecond);
    EXPECT_TRUE(prompt.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Times, FrameRateTest,
    ::testing::Values(RateCase{"0.00", "0.01", "100"}, RateCase{"0", "0.008333", "120.0048"},
                      RateCase{"0.000000", "0.033333", "30.0003"}, RateCase{" 1.5", "1 .75", "4"},
                      RateCase{"10", "10.02", "49.99886"}, RateCase{"0", "1D-2", "100"}));

class UnusableTimesTest : public CheckFileTest, public ::testing::WithParamInterface<RateCase> {};

TEST_P(UnusableTimesTest, AreReportedButTheFileIsAccepted) {
    const std::string content =
        "Time;Hips:Tx\n" + GetParam().first + ";1\n" + GetParam().second + ";2\n";
    const std::string path = dir.Write("times.csv", content);
    const FileCheckResult result = Check(path);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.framesPerSecond, "");
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "The values of the time field, the first column in the file '" + path +
                  "', seem not to be correct.");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(names.Names(), (std::vector<std::string>{"", "Hips"}));
}

INSTANTIATE_TEST_SUITE_P(Times, UnusableTimesTest,
                         ::testing::Values(RateCase{"0.5", "0.5", ""},      // equal
                                           RateCase{"abc", "", ""},         // both read as 0
                                           RateCase{"1.0", "0.5", ""},      // falling
                                           RateCase{"0", "1e-45", ""},      // rate overflows
                                           RateCase{"1e39", "2e39", ""}));  // beyond single range

TEST_F(CheckFileTest, WritesTheRateWithTheUsersDecimalSymbol) {
    SetDecimalSymbol(",");
    EXPECT_EQ(Check(dir.Write("take.csv", kColonFile)).framesPerSecond, "120,0048");
}

TEST_F(CheckFileTest, IgnoresCarriageReturnsAtLineEnds) {
    std::string content;
    for (char c : kColonFile) {
        if (c == '\n')
            content += '\r';
        content += c;
    }
    const FileCheckResult result = Check(dir.Write("crlf.csv", content));
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.fieldNames, (std::vector<std::string>{"Frame", "Hips"}));
    EXPECT_EQ(result.framesPerSecond, "120.0048");
}

TEST_F(CheckFileTest, IgnoresAByteOrderMarkBeforeTheTimeLabel) {
    const std::string content = "\xEF\xBB\xBFTime\tHips TranslationX\n0\t1\n0.01\t2\n";
    const FileCheckResult result = Check(dir.Write("bom.tsv", content));
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.separator, "\t");
    EXPECT_FALSE(result.colonLayout);
    EXPECT_EQ(result.fieldNames, (std::vector<std::string>{"Hips"}));
}

TEST_F(CheckFileTest, AcceptsALetterSeparator) {
    const FileCheckResult result =
        Check(dir.Write("frame.csv", "FrameNo,Hips:Tx\n0.00,1\n0.01,2\n"), "Frame");
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.separator, "N");
    EXPECT_EQ(result.framesPerSecond, "100");
}

class FormatLinePositionTest : public CheckFileTest,
                               public ::testing::WithParamInterface<std::pair<int, bool>> {};

TEST_P(FormatLinePositionTest, IsSearchedInTheFirstHundredLines) {
    const auto [lineNumber, found] = GetParam();
    std::string content;
    for (int i = 1; i < lineNumber; ++i)
        content += "preamble line " + std::to_string(i) + "\n";
    content += "Time;Hips:Tx\n0;1\n0.01;2\n";
    EXPECT_EQ(Check(dir.Write("late.csv", content)).accepted, found);
    EXPECT_EQ(prompt.messages.size(), found ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(Lines, FormatLinePositionTest,
                         ::testing::Values(std::pair{1, true}, std::pair{100, true},
                                           std::pair{101, false}));

TEST_F(CheckFileTest, AcceptsVeryLongLines) {
    std::string formatLine = "Time;Frame";
    std::string frame1 = "0;1";
    std::string frame2 = "0.01;2";
    for (int body = 0; formatLine.size() < 100000; ++body) {
        for (const char* component : {"Tx", "Ty", "Tz", "Rx", "Ry", "Rz"}) {
            formatLine += ";Body" + std::to_string(body) + ":" + component;
            frame1 += ";1.25";
            frame2 += ";1.5";
        }
    }
    const FileCheckResult result =
        Check(dir.Write("wide.csv", formatLine + "\n" + frame1 + "\n" + frame2 + "\n"));
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.framesPerSecond, "100");
    EXPECT_GT(result.fieldNames.size(), 1400u);
    EXPECT_EQ(names.Names().size(), result.fieldNames.size() + 1);
}

TEST_F(CheckFileTest, RefusesAFileWithoutLineEndsBeyondTheLineLimit) {
    // Begins with the label, so the whole file would be the format line.
    std::string content = "Time;";
    content.append(9u * 1024u * 1024u, 'x');
    EXPECT_FALSE(Check(dir.Write("huge.bin", content)).accepted);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.LastText().find("in subroutine 'CheckFile'"), std::string::npos);
    EXPECT_NE(prompt.LastText().find("huge.bin, line 1"), std::string::npos);
}

}  // namespace
}  // namespace kivo
