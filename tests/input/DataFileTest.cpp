#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/DataFieldNameList.h"
#include "core/FileError.h"
#include "core/Numbers.h"
#include "input/DataFileCheck.h"
#include "input/DataFileFormat.h"
#include "input/FormatLineGuess.h"
#include "input/InputMessages.h"
#include "input/TextLineReader.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::ScriptedPrompt;
using testing::TempDir;

std::vector<std::string> ReadAll(TextLineReader& reader) {
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line))
        lines.push_back(line);
    return lines;
}

// Only one CR before the LF is part of the line end; only a byte-order mark
// at the start of the file is dropped.
TEST(TextLineReader, SplitsTheFileIntoLines) {
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {}},
        {"\n", {""}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\r\r\n", {"a", "", "b\r"}},
        {"\xEF\xBB\xBFTime\n\xEF\xBB\xBFx", {"Time", "\xEF\xBB\xBFx"}},
        {"a\n" + std::string(200000, 'x') + "\r\nb", {"a", std::string(200000, 'x'), "b"}}};
    TempDir dir;
    for (const auto& [content, lines] : cases) {
        TextLineReader reader;
        ASSERT_TRUE(reader.Open(dir.Write("lines.txt", content)));
        EXPECT_EQ(ReadAll(reader), lines);
        EXPECT_EQ(reader.BytesRead(), content.size());
    }
    // A line beyond the limit is refused naming file and line.
    const std::string path = dir.Write("binary.dat", "short\n" + std::string(100, 'x') + "\n");
    TextLineReader reader;
    reader.SetMaxLineLength(50);
    ASSERT_TRUE(reader.Open(path));
    std::string line;
    EXPECT_TRUE(reader.ReadLine(line));
    try {
        reader.ReadLine(line);
        FAIL() << "no error for an over-long line";
    } catch (const FileError& error) {
        EXPECT_EQ(error.File(), path);
        EXPECT_EQ(error.Line(), 2);
    }
}

TEST(GetSeparator, IsTheCharacterAfterTheLabelWhateverItIs) {
    EXPECT_EQ(GetSeparator("Time\tWoody:Hips:Tx", "Time"), "\t");
    EXPECT_EQ(GetSeparator("Time [sec] Hips TranslationX", "Time [sec]"), " ");
    EXPECT_EQ(GetSeparator("FrameNo,Hips:Tx", "Frame"), "N");
    EXPECT_EQ(GetSeparator("Time", "Time"), "");
}

TEST(DataFieldNamesOfFormatLine, AreTakenFromTheFormatLine) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        // Parts beginning with "Woody" and component names are not offered.
        {"Time\tWoody:Hips:Tx\tWoody:Hips:Ty", {"Hips"}},
        {"Time;Frame;Woody:Hips:Tx;Woody:Hips:Ty;Woody:Hips:Rz", {"Frame", "Hips"}},
        // Other prefixes are offered, each name once, in order; parts are trimmed.
        {"Time;S18:Hips:Tx;S18: Hips :Ty;;S18:Head:Tx", {"S18", "Hips", "Head"}},
        {"Time,Hips:Tx,Ty,Tz", {"Hips"}},
        // Blank layout: the words before the component; a label written after
        // a separator and a blank keeps its leading blank.
        {"Time, Hips TranslationX, Hips TranslationY", {" Hips"}},
        {"Time\tFrame\tLeft Arm TranslationX\tLeft Arm RotationZ\tHead TranslationX",
         {"Frame", "Left Arm", "Head"}}};
    for (const auto& [line, names] : cases) {
        std::vector<std::string_view> fields;
        SplitAtSeparator(line, GetSeparator(line, "Time"), fields);
        EXPECT_EQ(DataFieldNamesOfFormatLine(fields, IsColonLayout(line)), names) << line;
    }
}

TEST(FillPlaceholders, DoesNotSearchInsertedValuesAgain) {
    EXPECT_EQ(
        FillPlaceholders(kFormatLineNotFoundMessage, {{'@', "/data/take#1*.csv"}, {'*', "T@"}}),
        "The format line starting with the time identifier 'T@' could not be found in the "
        "file:\r\n/data/take#1*.csv.");
}

struct GuessCase {
    const char* name;
    std::string content;
    long line;  // 0: no guess
    const char* label;
};

std::string Lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line;
    return text;
}

TEST(GuessFormatLine, FindsTheLineThatNamesTheFieldsAboveLinesOfNumbers) {
    const GuessCase cases[] = {
        {"semicolon", "Take 1\nTime;Frame;Hips:Tx\n0;1;2.5\n0.01;2;2.6\n", 2, "Time"},
        {"tab keeps blanks in the label", "Time [sec]\tHips Tx\r\n0\t1\r\n.5\t2\r\n", 1,
         "Time [sec]"},
        {"blank", "Seconds Hips Head\n-0.5 1 2\n0 1 2\n", 1, "Seconds"},
        {"a single frame", "t,x\n0,1\n", 1, "t"},
        {"text above text is a preamble", "Name;Value\nTake;12\nT;x\n1;2\n2;3\n", 3, "T"},
        {"field counts differ", "Time;a;b\n0;1\n0;1\n", 0, ""},
        {"no numbers", "Time;a\nx;y\nz;w\n", 0, ""},
        {"line 100 is the last searched", Lines(99, "note\n") + "Time;x\n0;1\n1;2\n", 100, "Time"},
        {"line 101 is not", Lines(100, "note\n") + "Time;x\n0;1\n1;2\n", 0, ""},
    };
    testing::TempDir dir;
    for (const GuessCase& c : cases) {
        const auto guess = GuessFormatLine(dir.Write("take.txt", c.content));
        EXPECT_EQ(guess ? guess->line : 0, c.line) << c.name;
        EXPECT_EQ(guess ? guess->timeLabel : "", c.label) << c.name;
    }
    EXPECT_FALSE(GuessFormatLine(dir.PathOf("missing.txt")));
}

constexpr std::string_view kColonFile =
    "Exported take 12\n"
    "Time;Frame;Woody:Hips:Tx;Woody:Hips:Ty;Woody:Hips:Tz;Woody:Hips:Rx;Woody:Hips:Ry;Woody:Hips:"
    "Rz\n"
    "0.000;1;12.5;101.2;-3.0;0.0;90.0;0.0\n"
    "0.008333;2;12.6;101.2;-3.1;0.1;90.2;0.0\n";

class CheckFileTest : public ::testing::Test {
  protected:
    FileCheckResult Check(std::string_view content, std::string_view label = "Time",
                          std::string_view decimalSymbol = ".") {
        path = dir.Write("take.csv", content);
        prompt.messages.clear();
        names = DataFieldNameList();
        return CheckFile(path, label, decimalSymbol, prompt, &names);
    }

    TempDir dir;
    std::string path;
    ScriptedPrompt prompt;
    DataFieldNameList names;
};

// With CR LF line ends and a byte-order mark as well: "Rz\r" would be offered
// as a name if the line end stayed in the last field.
TEST_F(CheckFileTest, AcceptsAColonLayoutFileAndDerivesItsRate) {
    std::string crlf = "\xEF\xBB\xBF";
    for (char c : kColonFile.substr(kColonFile.find('\n') + 1))
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    for (const std::string& content : {std::string(kColonFile), crlf}) {
        const FileCheckResult result = Check(content);
        EXPECT_TRUE(result.accepted);
        EXPECT_EQ(result.separator, ";");
        EXPECT_TRUE(result.colonLayout);
        EXPECT_EQ(result.framesPerSecond, "120.0048");
        EXPECT_EQ(result.fieldNames, (std::vector<std::string>{"Frame", "Hips"}));
        EXPECT_EQ(names.Names(), (std::vector<std::string>{"", "Frame", "Hips"}));
        EXPECT_TRUE(prompt.messages.empty());
    }
    EXPECT_EQ(Check(kColonFile, "Time", ",").framesPerSecond, "120,0048");
    EXPECT_FALSE(CheckFile(dir.PathOf("absent.csv"), "Time", ".", prompt, &names).accepted);
    EXPECT_TRUE(prompt.messages.empty());  // a missing file is refused silently
}

std::string BinaryContent() {
    std::string content;
    for (int i = 0; i < 5000; ++i)
        content += static_cast<char>((i * 7919) % 256);
    return content;
}

// An empty file, a binary one, a label in another letter case, a format line
// beyond the first hundred lines; a file without frames.
TEST_F(CheckFileTest, RefusesAFileWithoutFormatLineOrTwoFramesOfferingNoNames) {
    std::string preamble;
    for (int i = 1; i < 100; ++i)
        preamble += "preamble line " + std::to_string(i) + "\n";
    EXPECT_TRUE(Check(preamble + "Time;Hips:Tx\n0;1\n0.01;2\n").accepted);
    for (const std::string& content :
         {std::string(), BinaryContent(), std::string("time;Hips:Tx\n0;1\n1;2\n"),
          "x\n" + preamble + "Time;Hips:Tx\n0;1\n0.01;2\n"}) {
        EXPECT_FALSE(Check(content).accepted);
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text,
                  "The format line starting with the time identifier 'Time' could not be found "
                  "in the file:\r\n" +
                      path + ".");
        EXPECT_EQ(prompt.messages[0].title, "Kivo");
        EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
        EXPECT_TRUE(names.IsEmpty());
    }
    EXPECT_FALSE(Check(kColonFile, "").accepted);
    EXPECT_EQ(prompt.LastText(),
              "Please enter the label of the first field of the format line (Time field).");
    // Fewer than two frames: the error trap reports it; no names are offered either.
    EXPECT_FALSE(Check("Time;Hips:Tx\r\n0.0;1\r\n").accepted);
    EXPECT_EQ(prompt.LastText(),
              "Error No. 62 in subroutine 'CheckFile': \r\n\r\nInput past end of file");
    EXPECT_TRUE(names.IsEmpty());
}

class FrameRateTest : public CheckFileTest,
                      public ::testing::WithParamInterface<std::pair<std::string, std::string>> {};

// Without a rate the file is accepted and the caller keeps its rate.
TEST_P(FrameRateTest, IsOneOverTheFirstTimeStepInSinglePrecision) {
    const auto& [times, framesPerSecond] = GetParam();
    const FileCheckResult result = Check("Time;Hips:Tx\n" + times + "\n");
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.framesPerSecond, framesPerSecond);
    EXPECT_EQ(prompt.LastText(), framesPerSecond.empty()
                                     ? "The values of the time field, the first column in the "
                                       "file '" +
                                           path + "', seem not to be correct."
                                     : "");
}

INSTANTIATE_TEST_SUITE_P(
    Times, FrameRateTest,
    ::testing::Values(std::pair{"0.00;1\n0.01;2", "100"}, std::pair{"10;1\n10.02;2", "49.99886"},
                      std::pair{" 1.5;1\n1 .75;2", "4"}, std::pair{"0.5;1\n0.5;2", ""},
                      std::pair{"abc;1\n;2", ""}, std::pair{"1.0;1\n0.5;2", ""},  // falling
                      std::pair{"0;1\n1e-45;2", ""}));  // the rate overflows

TEST_F(CheckFileTest, WarnsOnceOfADataFieldNamedTwiceAndAcceptsTheFile) {
    // {format line, expected warning ("" = none)}
    const std::pair<std::string, std::string> cases[] = {
        {"Time;Frame;Hips:Tx;Hips:Ty", ""},
        {"Time;Frame;Hips:Tx;Chest:Tx;Ty;Hips:Tx",
         "names the data field 'Hips:Tx' twice (columns 3 and 6); the values of the later column "
         "are used."},
        {"Time;Woody:Hips:Tx;Hips:Tx;Hips:Tx;Chest:Ty;Chest:Ty",
         "names the data field 'Hips:Tx' twice (columns 2 and 3); the values of the later column "
         "are used.\r\n2 further data fields of the line are named twice as well."},
        {"Time\tHips TranslationX\tHips TranslationY\tHips TranslationX",
         "names the data field 'Hips TranslationX' twice (columns 2 and 4)"}};
    for (const auto& [formatLine, warning] : cases) {
        const FileCheckResult result = Check(formatLine + "\n0;1;2;3;4;5\n0.5;1;2;3;4;5\n");
        EXPECT_TRUE(result.accepted) << formatLine;
        if (warning.empty()) {
            EXPECT_TRUE(prompt.messages.empty()) << prompt.LastText();
            continue;
        }
        ASSERT_EQ(prompt.messages.size(), 1u) << formatLine;
        EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
        EXPECT_EQ(prompt.messages[0].text.rfind(
                      "The format line of the file '" + path + "' " + warning, 0),
                  0u)
            << prompt.messages[0].text;
    }
}

TEST_F(CheckFileTest, AcceptsVeryLongLinesAndRefusesAFileBeyondTheLineLimit) {
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

    // Begins with the label, so the whole file would be the format line.
    std::string content = "Time;";
    content.append(9u * 1024u * 1024u, 'x');
    EXPECT_FALSE(Check(content).accepted);
    EXPECT_NE(prompt.LastText().find("in subroutine 'CheckFile'"), std::string::npos);
    EXPECT_NE(prompt.LastText().find("take.csv, line 1"), std::string::npos);
}

}  // namespace
}  // namespace kivo
