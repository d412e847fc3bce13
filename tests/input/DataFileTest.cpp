#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "core/DataFieldNameList.h"
#include "core/InputVariableTable.h"
#include "core/Workspace.h"
#include "input/BodyDataPositions.h"
#include "input/BodyDataReader.h"
#include "input/DataFieldBindings.h"
#include "input/DataFileCheck.h"
#include "input/DataFileFormat.h"
#include "input/FormatLineGuess.h"
#include "input/InputMessages.h"
#include "input/KnownSkeletons.h"
#include "input/TextLineReader.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::ScriptedPrompt;
using testing::TempDir;

// Only one CR before the LF is part of the line end; only a byte-order mark
// at the start of the file is dropped. (A line beyond the limit: the 9 MB line
// of the file check below.)
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
        std::vector<std::string> read;
        for (std::string line; reader.ReadLine(line);)
            read.push_back(line);
        EXPECT_EQ(read, lines);
        EXPECT_EQ(reader.BytesRead(), content.size());
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

std::string Lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line;
    return text;
}

TEST(GuessFormatLine, FindsTheLineThatNamesTheFieldsAboveLinesOfNumbers) {
    const struct {
        const char* name;
        std::string content;
        long line;  // 0: no guess
        const char* label;
    } cases[] = {
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
    for (const auto& c : cases) {
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

// An empty file, a binary one, a label in another letter case, a format line
// beyond the first hundred lines; a file without frames.
TEST_F(CheckFileTest, RefusesAFileWithoutFormatLineOrTwoFramesOfferingNoNames) {
    const std::string preamble = Lines(99, "preamble line\n");
    std::string binary(5000, '\0');  // every byte value in turn
    std::iota(binary.begin(), binary.end(), '\0');
    EXPECT_TRUE(Check(preamble + "Time;Hips:Tx\n0;1\n0.01;2\n").accepted);
    for (const std::string& content :
         {std::string(), binary, std::string("time;Hips:Tx\n0;1\n1;2\n"),
          "x\n" + preamble + "Time;Hips:Tx\n0;1\n0.01;2\n"}) {
        EXPECT_FALSE(Check(content).accepted);
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_TRUE(
            prompt.messages[0].text.ends_with("could not be found in the file:\r\n" + path + "."))
            << prompt.messages[0].text;
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

// Without a rate (equal, unreadable or falling times, a rate that overflows)
// the file is accepted and the caller keeps its rate.
TEST_F(CheckFileTest, FrameRateIsOneOverTheFirstTimeStepInSinglePrecision) {
    const std::pair<const char*, std::string> cases[] = {
        {"0.00;1\n0.01;2", "100"}, {"10;1\n10.02;2", "49.99886"},
        {" 1.5;1\n1 .75;2", "4"},  {"0.5;1\n0.5;2", ""},
        {"abc;1\n;2", ""},         {"1.0;1\n0.5;2", ""},
        {"0;1\n1e-45;2", ""}};
    const std::string wrongTimes = "The values of the time field, the first column in the file '" +
                                   dir.PathOf("take.csv") + "', seem not to be correct.";
    for (const auto& [times, framesPerSecond] : cases) {
        const FileCheckResult result = Check(std::string("Time;Hips:Tx\n") + times + "\n");
        EXPECT_TRUE(result.accepted) << times;
        EXPECT_EQ(result.framesPerSecond, framesPerSecond) << times;
        EXPECT_EQ(prompt.LastText(), framesPerSecond.empty() ? wrongTimes : "") << times;
    }
}

TEST_F(CheckFileTest, WarnsOnceOfADataFieldNamedTwiceAndAcceptsTheFile) {
    // {format line, expected warning}; a file without such a name is accepted
    // silently (the colon-layout file above).
    const std::pair<std::string, std::string> cases[] = {
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

using Indices = std::array<int, kPoseSlots>;

class BodyDataPositionsTest : public ::testing::Test {
  protected:
    BodyDataPositionsResult Search(std::string_view formatLine, int person = 1) {
        return GetBodyDataPositions(person, formatLine, "Time", "s01.A.csv", table, prompt);
    }
    Indices IndicesOf(int position, int person = 1) const {
        return table.Person(position, person).fieldIndex;
    }

    InputVariableTable table;
    ScriptedPrompt prompt;
};

TEST_F(BodyDataPositionsTest, FindsTheSixComponentsOfABoundVariableInFieldOrder) {
    const struct {
        const char* formatLine;
        const char* boundName;
        int firstIndex;
    } cases[] = {
        {"Time;Frame;Woody:Head:Tx;Woody:Head:Ty;Woody:Head:Tz;Woody:Head:Rx;Woody:Head:Ry;"
         "Woody:Head:Rz",
         "Head", 2},
        {"Time,Head:Tx,Ty,Tz,Rx,Ry,Rz", "Head", 1},  // the name carried over
        // Empty fields and unknown components (case counts) are skipped.
        {"Time;Head:Tx;Head:Ty;Head:Tz;Head:Rx;Head:Ry;Head:Rz;;Head:rz;Head:Qw", "Head", 1},
        {"Time, Head TranslationX, Head TranslationY, Head TranslationZ, Head RotationX, Head "
         "RotationY, Head RotationZ",
         " Head", 1},
        {"Time\tUpper Head TranslationX\tUpper Head TranslationY\tUpper Head TranslationZ\tUpper "
         "Head RotationX\tUpper Head RotationY\tUpper Head RotationZ",
         "Upper Head", 1}};
    for (const auto& c : cases) {
        table = InputVariableTable();
        table[kHead].dataFieldName = c.boundName;
        EXPECT_EQ(Search(c.formatLine).answer, PositionsAnswer::Complete) << prompt.LastText();
        const int i = c.firstIndex;
        EXPECT_EQ(IndicesOf(kHead), (Indices{i, i + 1, i + 2, i + 3, i + 4, i + 5}))
            << c.formatLine;
    }
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(BodyDataPositionsTest, ServesEveryVariableBoundToTheSameName) {
    table[kHead].dataFieldName = "Head";
    table[kFirstUserVariable].name = "Skull";
    table[kFirstUserVariable].dataFieldName = "Head";
    Search("Time;Head:Tx;Head:Ty;Head:Tz;Head:Rx;Head:Ry;Head:Rz", 2);
    EXPECT_EQ(IndicesOf(kHead, 2), (Indices{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(IndicesOf(kFirstUserVariable, 2), (Indices{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(IndicesOf(kHead, 1), (Indices{0, 0, 0, 0, 0, 0}));
}

TEST_F(BodyDataPositionsTest, AsksAboutBoundVariablesWithoutAllComponents) {
    table[kHips].dataFieldName = "Hips";
    table[kHips].persons[0].fieldIndex = {9, 9, 9, 9, 9, 9};  // left from another file
    table[kHead].dataFieldName = "Head";
    table[kHandR].dataFieldName = "RightHand";  // not in the file at all
    prompt.QueueAnswer(PromptAnswer::No);
    const auto result =
        Search("Time;Hips:Tx;Hips:Ty;Hips:Tz;Head:Tx;Head:Ty;Head:Tz;Head:Rx;Head:Ry;Head:Rz");
    EXPECT_EQ(result.answer, PositionsAnswer::No);
    EXPECT_EQ(result.missingVariables, (std::vector<int>{kHips, kHandR}));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Data to the following body parts are missing in the file 's01.A.csv':\r\n\r\nHips, "
              "Hand R\r\n\r\nShould the data be processed anyway?");
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::YesNoCancel);
    EXPECT_EQ(IndicesOf(kHips), (Indices{1, 2, 3, 0, 0, 0}));
}

TEST_F(BodyDataPositionsTest, ReportsAWrongFormatLineWithOkAndCancel) {
    table[kHips].dataFieldName = "Hips";
    prompt.QueueAnswer(PromptAnswer::Cancel);
    const auto result = Search("Frame;Time;Hips:Tx");
    EXPECT_EQ(result.answer, PositionsAnswer::Cancel);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "The format line starting with the time identifier 'Time' could not be found in the "
              "file:\r\ns01.A.csv.");
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::OkCancel);
}

using Values = std::array<double, kPoseSlots>;

constexpr std::string_view kFirstLine = "0.0;1;1;2;3;4;5;6;7;8;9;10;11;12";

class BodyDataReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        table.Person(kHips, 1).fieldIndex = {2, 3, 4, 5, 6, 7};
        table.Person(kHead, 1).fieldIndex = {8, 9, 10, 11, 12, 13};
    }

    InputVariableTable table;
    BodyDataReader reader;
};

TEST_F(BodyDataReaderTest, FirstFrameSetsPreviousEqualToCurrentLaterFramesShift) {
    reader.GetBodyDataValues(1, kFirstLine, ';', true, table);
    EXPECT_EQ(table.Person(kHips, 1).current, (Values{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(table.Person(kHips, 1).previous, (Values{1, 2, 3, 4, 5, 6}));
    reader.GetBodyDataValues(1, "0.1;2;1.5;2;3;4;5;-6e1;7;8;9;10;11;12", ';', false, table);
    EXPECT_EQ(table.Person(kHips, 1).current, (Values{1.5, 2, 3, 4, 5, -60}));
    EXPECT_EQ(table.Person(kHips, 1).previous, (Values{1, 2, 3, 4, 5, 6}));
    // Unbound variables hold the time.
    EXPECT_EQ(table.Person(kChest, 1).current, (Values{0.1, 0.1, 0.1, 0.1, 0.1, 0.1}));
    EXPECT_EQ(table.Person(kHips, 2).current, (Values{0, 0, 0, 0, 0, 0}));
}

TEST_F(BodyDataReaderTest, CountsFieldsReadThatAreNotNumbersAndKeepsTheFrameFieldOneField) {
    table.Person(kChest, 1).fieldIndex = {5, 5, 5, 5, 5, 5};  // read by two variables
    const DataLineValues values = reader.GetBodyDataValues(
        1, "0.0;1\x01\"2;1;nan;3;1,5;5;;7;8;9;10;11;x12", ';', true, table);
    EXPECT_EQ(values.nonNumbers, 4);  // "nan", "1,5", "" and "x12"
    EXPECT_EQ(values.firstNonNumber, 3);
    EXPECT_EQ(table.Person(kHips, 1).current, (Values{1, 0, 3, 1, 5, 0}));
    std::string line;
    AppendTimeAndFrame(line, values, "\t", ".");
    EXPECT_EQ(line, "0\t1??2");
    line.clear();
    AppendTimeAndFrame(line, reader.GetBodyDataValues(1, "1\t2;3\t", '\t', false, table), ";", ".");
    EXPECT_EQ(line, "1;2?3");
    // The time takes the user's decimal symbol; the frame field keeps its
    // blanks and zeros but not the line's CR; the text is appended.
    line = "x";
    AppendTimeAndFrame(line, reader.GetBodyDataValues(1, "1.25E+01\t 0007\r", '\t', true, table),
                       ";", ",");
    EXPECT_EQ(line, "x12,5; 0007");
}

// Fields missing at the end of a line leave their variables unassigned for
// the frame (their values are kept, never read past the line).
TEST_F(BodyDataReaderTest, LeavesMissingFieldsUnassignedForTheFrame) {
    const std::pair<const char*, int> lines[] = {{"0.1;2;21;22;23;24;25;26;31;32;33;34;35", 1},
                                                 {"0.1;2;21;22;23;24;25;26", 6}};
    for (const auto& [line, missing] : lines) {
        reader.GetBodyDataValues(1, kFirstLine, ';', true, table);
        EXPECT_EQ(reader.GetBodyDataValues(1, line, ';', false, table).missingFields, missing);
        EXPECT_TRUE(table.Person(kHips, 1).frameComplete);
        EXPECT_FALSE(table.Person(kHead, 1).frameComplete);
        EXPECT_EQ(table.Person(kHips, 1).current, (Values{21, 22, 23, 24, 25, 26}));
        EXPECT_EQ(table.Person(kHead, 1).current[kRz], 12);
        reader.GetBodyDataValues(1, kFirstLine, ';', false, table);
        EXPECT_TRUE(table.Person(kHead, 1).frameComplete);
    }
    const DataLineValues empty = reader.GetBodyDataValues(1, "", ';', true, table);
    EXPECT_EQ(empty.frameField, "");
    EXPECT_EQ(empty.missingFields, 12);
    EXPECT_FALSE(table.Person(kHips, 1).frameComplete);
}

ParameterDefinition Row(std::string variables, std::string target, std::string reference,
                        bool enabled = true, std::string function = "Distance") {
    ParameterDefinition row;
    row.name = "P";
    row.function = std::move(function);
    row.variables = std::move(variables);
    row.target = std::move(target);
    row.referenceSystem = std::move(reference);
    row.enabled = enabled;
    return row;
}

class UserVariableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        workspace.userVariableNames[0] = "Cup";
        workspace.userVariableNames[1] = "Chair";
        workspace.boundDataFields[kFirstUserVariable] = "CupMarker";
    }

    Workspace workspace;
    ScriptedPrompt prompt;
};

// Naming a variable the first time leaves the empty entries alone.
TEST_F(UserVariableTest, RenamingChangesWholeEntriesOnlyAndAnEmptyNameUnbinds) {
    workspace.parameters = {Row("Hand R,Cup", "Cup", "Cup"), Row("Cupboard,Cup", "", ""),
                            Row("Hand R", "Cupboard", "Base"), Row("Hips,,Chest", "", "")};
    ASSERT_TRUE(RenameUserVariable(workspace, 0, "Mug", prompt));
    ASSERT_TRUE(RenameUserVariable(workspace, 5, "Table", prompt));
    EXPECT_EQ(workspace.userVariableNames[0], "Mug");
    EXPECT_EQ(workspace.userVariableNames[5], "Table");
    EXPECT_EQ(workspace.parameters,
              (std::vector{Row("Hand R,Mug", "Mug", "Mug"), Row("Cupboard,Mug", "", ""),
                           Row("Hand R", "Cupboard", "Base"), Row("Hips,,Chest", "", "")}));
    EXPECT_TRUE(prompt.messages.empty());

    // Only a named or bound user variable can be (re)named; an empty name unbinds it.
    ASSERT_TRUE(RenameUserVariable(workspace, 0, "", prompt));
    EXPECT_EQ(workspace.userVariableNames[0], "");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable], "");
    EXPECT_FALSE(IsUserVariableNameEditable(workspace, 0));
    BindDataField(workspace, kFirstUserVariable, "Table");
    EXPECT_TRUE(IsUserVariableNameEditable(workspace, 0));
}

TEST_F(UserVariableTest, RefusesTakenAndUnlistableNamesButNotItsOwn) {
    workspace.parameters = {Row("Cup", "", "")};
    for (const char* taken : {"Head", "Chair", "P"}) {
        EXPECT_FALSE(RenameUserVariable(workspace, 0, taken, prompt)) << taken;
        EXPECT_EQ(prompt.LastText(),
                  "This variable name is already in use.\r\nPlease choose another name.");
        EXPECT_EQ(prompt.messages.back().icon, PromptIcon::Exclamation);
    }
    for (const char* unlistable : {"Cup,Saucer", "Cup \"A\"", "Cup\nA"}) {
        EXPECT_FALSE(RenameUserVariable(workspace, 0, unlistable, prompt)) << unlistable;
        EXPECT_EQ(prompt.LastText(),
                  "A name must not contain a comma, a double quote or a line break!");
    }
    EXPECT_EQ(workspace.userVariableNames[0], "Cup");
    EXPECT_EQ(workspace.parameters[0].variables, "Cup");
    prompt.messages.clear();
    EXPECT_TRUE(RenameUserVariable(workspace, 0, "Cup", prompt));
    EXPECT_TRUE(prompt.messages.empty());
}

// Clearing the lists unbinds every variable and keeps the names; deleting the
// user variables keeps the other bindings.
TEST_F(UserVariableTest, ClearingTheListsOrDeletingUserVariablesActsOnlyAfterYes) {
    workspace.dataFieldNames.Add("Hips");
    BindDataField(workspace, kHips, "Hips");
    prompt.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(DeleteUserVariables(workspace, prompt));
    EXPECT_EQ(prompt.LastText(), "Do your really want to delete all user variables?");
    EXPECT_EQ(workspace.userVariableNames[0], "Cup");
    prompt.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(ClearDataFieldLists(workspace, prompt));
    EXPECT_EQ(prompt.LastText(), "Do your really want to clear all data field lists?");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable], "CupMarker");
    Workspace deleted = workspace;
    EXPECT_TRUE(DeleteUserVariables(deleted, prompt));
    EXPECT_EQ(deleted.userVariableNames, decltype(deleted.userVariableNames)());
    EXPECT_EQ(deleted.boundDataFields[kFirstUserVariable], "");
    EXPECT_EQ(deleted.boundDataFields[kHips], "Hips");
    EXPECT_TRUE(ClearDataFieldLists(workspace, prompt));
    EXPECT_TRUE(workspace.dataFieldNames.IsEmpty());
    EXPECT_EQ(workspace.boundDataFields[kHips], "");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable], "");
    EXPECT_EQ(workspace.userVariableNames[0], "Cup");
}

TEST(DataFieldBindings, BindsDataFieldsOfTheVariablesOwnNames) {
    Workspace workspace;
    for (const char* name : {"Frame", "Hips", "Head", "Cup", "Spine"}) {
        workspace.dataFieldNames.Add(name);
    }
    workspace.userVariableNames[0] = "Cup";
    workspace.boundDataFields[kHead] = "Spine";
    EXPECT_EQ(BindMatchingDataFields(workspace), 2);
    EXPECT_EQ(workspace.boundDataFields[kHips], "Hips");
    EXPECT_EQ(workspace.boundDataFields[kHead], "Spine");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable], "Cup");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable + 1], "");
}

TEST(DataFieldBindings, NeededVariablesComeFromEnabledRows) {
    Workspace workspace;
    workspace.userVariableNames[3] = "Cup";
    workspace.parameters = {Row("Hand R,Cup", "Head", "Base"), Row("Knee L", "", "", false),
                            Row("Global Static SRL Hips", "2", "Nowhere"),
                            Row("Top", "Chin", "", true, "Camera Framing")};
    const std::vector<int> expected = {kBase, kHead,   kHandR,    kChin,
                                       kTop,  kCamera, kInterest, kFirstUserVariable + 3};
    EXPECT_EQ(NeededInputVariables(workspace), expected);
}

// The first candidate the file offers wins (the chest is CMU's Spine1 but
// Mixamo's Spine2, a finger-tip marker comes before the finger joint), a
// bound variable keeps its field, and a variable none of whose candidates is
// offered stays unbound.
TEST(KnownSkeletons, BindTheNamesEachSkeletonUsesForAnInputVariable) {
    using Bindings = std::vector<std::pair<std::string, std::string>>;  // variable, field
    const std::pair<std::vector<std::string>, Bindings> cases[] = {
        {{"Hips", "Spine", "Spine1", "LeftArm", "RightHandIndex1", "RThumb"},
         {{"Chest", "Spine1"},
          {"Arm L", "LeftArm"},
          {"Hand R F", "RightHandIndex1"},
          {"Hand R I", ""},
          {"Top", ""}}},
        {{"HeadTop", "FloorR", "RFingerTip", "RightHandIndex1", "Camera1"},
         {{"Top", "HeadTop"},
          {"Bottom", "FloorR"},
          {"Hand R F", "RFingerTip"},
          {"Camera", "Camera1"}}},
        {{"Spine1", "Spine2", "HeadTop_End", "LeftHandThumb1", "LeftHandIndex1", "LeftHandMiddle4"},
         {{"Chest", "Spine2"},
          {"Top", "HeadTop_End"},
          {"Hand L I", "LeftHandThumb1"},
          {"Hand L F", "LeftHandMiddle4"}}}};
    for (const auto& [offered, expected] : cases) {
        Workspace workspace;
        for (const std::string& name : offered)
            workspace.dataFieldNames.Add(name);
        workspace.boundDataFields[kHips] = "Spine";
        BindKnownSkeletonFields(workspace);
        EXPECT_EQ(workspace.boundDataFields[kHips], "Spine");
        for (const auto& [variable, field] : expected) {
            EXPECT_EQ(workspace.boundDataFields[workspace.InputVariableIndex(variable)], field)
                << offered.front() << ": " << variable;
        }
    }
}

}  // namespace
}  // namespace kivo
