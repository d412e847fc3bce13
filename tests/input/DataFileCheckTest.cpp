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

class CheckFileTest : public ::testing::Test {
  protected:
    void SetUp() override { SetDecimalSymbol("."); }
    void TearDown() override { SetDecimalSymbol("."); }

    FileCheckResult Check(std::string_view content, std::string_view label = "Time") {
        path = dir.Write("take.csv", content);
        return CheckFile(path, label, prompt, &names);
    }

    TempDir dir;
    std::string path;
    ScriptedPrompt prompt;
    DataFieldNameList names;
};

TEST_F(CheckFileTest, AcceptsAColonLayoutFileAndDerivesItsRate) {
    const FileCheckResult result = Check(kColonFile);
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.separator, ";");
    EXPECT_TRUE(result.colonLayout);
    EXPECT_EQ(result.framesPerSecond, "120.0048");
    EXPECT_EQ(names.Names(), (std::vector<std::string>{"", "Frame", "Hips"}));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(CheckFileTest, IgnoresCarriageReturnsAndAByteOrderMark) {
    std::string content = "\xEF\xBB\xBF";
    for (char c : kColonFile.substr(kColonFile.find('\n') + 1)) {
        if (c == '\n')
            content += '\r';
        content += c;
    }
    const FileCheckResult result = Check(content);
    EXPECT_TRUE(result.accepted);
    // "Rz\r" would be offered as a name if the line end stayed in the last field.
    EXPECT_EQ(result.fieldNames, (std::vector<std::string>{"Frame", "Hips"}));
    EXPECT_EQ(result.framesPerSecond, "120.0048");
}

TEST_F(CheckFileTest, RefusesAMissingFileSilently) {
    EXPECT_FALSE(CheckFile(dir.PathOf("absent.csv"), "Time", prompt, &names).accepted);
    EXPECT_TRUE(prompt.messages.empty());
}

struct BadContent {
    std::string name;
    std::string content;
};

void PrintTo(const BadContent& c, std::ostream* os) {
    *os << c.name;
}

std::string BinaryContent() {
    std::string content;
    for (int i = 0; i < 5000; ++i)
        content += static_cast<char>((i * 7919) % 256);
    return content;
}

class NoFormatLineTest : public CheckFileTest, public ::testing::WithParamInterface<BadContent> {};

TEST_P(NoFormatLineTest, IsRefusedWithTheFormatLineMessage) {
    EXPECT_FALSE(Check(GetParam().content).accepted);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "The format line starting with the time identifier 'Time' could not be found in "
              "the file:\r\n" +
                  path + ".");
    EXPECT_EQ(prompt.messages[0].title, "Kivo");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(names.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Contents, NoFormatLineTest,
    ::testing::Values(BadContent{"Empty", ""}, BadContent{"Binary", BinaryContent()},
                      BadContent{"LabelInOtherCase", "time;Hips:Tx\n0;1\n1;2\n"}),
    [](const auto& caseInfo) { return caseInfo.param.name; });

TEST_F(CheckFileTest, RefusesAnEmptyTimeLabel) {
    EXPECT_FALSE(Check(kColonFile, "").accepted);
    EXPECT_EQ(prompt.LastText(),
              "Please enter the label of the first field of the format line (Time field).");
}

class TooFewFramesTest : public CheckFileTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(TooFewFramesTest, IsReportedByTheErrorTrapAndRefused) {
    EXPECT_FALSE(Check(GetParam()).accepted);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Error No. 62 in subroutine 'CheckFile': \r\n\r\nInput past end of file");
    EXPECT_EQ(prompt.messages[0].title, "Error Message");
    // A refused file offers no names, so the next file can still provide them.
    EXPECT_TRUE(names.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Files, TooFewFramesTest,
                         ::testing::Values("Time;Hips:Tx", "Time;Hips:Tx\r\n0.0;1\r\n"));

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
    const FileCheckResult result =
        Check("Time;Hips:Tx\n" + GetParam().first + ";1\n" + GetParam().second + ";2\n");
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.framesPerSecond, GetParam().framesPerSecond);
    if (GetParam().framesPerSecond.empty()) {
        EXPECT_EQ(prompt.LastText(),
                  "The values of the time field, the first column in the file '" + path +
                      "', seem not to be correct.");
    } else {
        EXPECT_TRUE(prompt.messages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Times, FrameRateTest,
    ::testing::Values(RateCase{"0.00", "0.01", "100"}, RateCase{"10", "10.02", "49.99886"},
                      RateCase{" 1.5", "1 .75", "4"},
                      // No rate: the file is accepted, the caller keeps its rate.
                      RateCase{"0.5", "0.5", ""}, RateCase{"abc", "", ""},
                      RateCase{"1.0", "0.5", ""},    // falling time
                      RateCase{"0", "1e-45", ""}));  // the rate overflows

TEST_F(CheckFileTest, WritesTheRateWithTheUsersDecimalSymbol) {
    SetDecimalSymbol(",");
    EXPECT_EQ(Check(kColonFile).framesPerSecond, "120,0048");
}

class FormatLinePositionTest : public CheckFileTest,
                               public ::testing::WithParamInterface<std::pair<int, bool>> {};

TEST_P(FormatLinePositionTest, IsSearchedInTheFirstHundredLines) {
    const auto [lineNumber, found] = GetParam();
    std::string content;
    for (int i = 1; i < lineNumber; ++i)
        content += "preamble line " + std::to_string(i) + "\n";
    EXPECT_EQ(Check(content + "Time;Hips:Tx\n0;1\n0.01;2\n").accepted, found);
}

INSTANTIATE_TEST_SUITE_P(Lines, FormatLinePositionTest,
                         ::testing::Values(std::pair{100, true}, std::pair{101, false}));

TEST_F(CheckFileTest, AcceptsVeryLongLines) {
    std::string lines[3] = {"Time;Frame", "0;1", "0.01;2"};
    for (int body = 0; lines[0].size() < 100000; ++body) {
        for (const char* component : {"Tx", "Ty", "Tz", "Rx", "Ry", "Rz"}) {
            lines[0] += ";Body" + std::to_string(body) + ":" + component;
            lines[1] += ";1.25";
            lines[2] += ";1.5";
        }
    }
    const FileCheckResult result = Check(lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n");
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.framesPerSecond, "100");
    EXPECT_GT(names.Names().size(), 1400u);
}

TEST_F(CheckFileTest, RefusesAFileWithoutLineEndsBeyondTheLineLimit) {
    // Begins with the label, so the whole file would be the format line.
    std::string content = "Time;";
    content.append(9u * 1024u * 1024u, 'x');
    EXPECT_FALSE(Check(content).accepted);
    EXPECT_NE(prompt.LastText().find("in subroutine 'CheckFile'"), std::string::npos);
    EXPECT_NE(prompt.LastText().find("take.csv, line 1"), std::string::npos);
}

}  // namespace
}  // namespace kivo
