#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/FileError.h"
#include "input/TextLineReader.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::TempDir;

std::vector<std::string> ReadAll(TextLineReader& reader) {
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line))
        lines.push_back(line);
    return lines;
}

struct LinesCase {
    std::string name;
    std::string content;
    std::vector<std::string> lines;
};

void PrintTo(const LinesCase& c, std::ostream* os) {
    *os << c.name;
}

class TextLineReaderLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(TextLineReaderLines, SplitsTheFileIntoLines) {
    TempDir dir;
    TextLineReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("lines.txt", GetParam().content)));
    EXPECT_EQ(ReadAll(reader), GetParam().lines);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.BytesRead(), GetParam().content.size());
    EXPECT_EQ(reader.LineNumber(), static_cast<long>(GetParam().lines.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Contents, TextLineReaderLines,
    ::testing::Values(
        LinesCase{"Empty", "", {}}, LinesCase{"OneLineEnd", "\n", {""}},
        LinesCase{"LineFeeds", "a;b\nc\n", {"a;b", "c"}},
        LinesCase{"NoFinalLineEnd", "a\nb", {"a", "b"}},
        LinesCase{"CarriageReturns", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        LinesCase{"OnlyOneCarriageReturnRemoved", "a\r\r\n", {"a\r"}},
        LinesCase{"ByteOrderMark", "\xEF\xBB\xBFTime\n\xEF\xBB\xBFx\n", {"Time", "\xEF\xBB\xBFx"}},
        LinesCase{"NulBytes", std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}}),
    [](const auto& caseInfo) { return caseInfo.param.name; });

TEST(TextLineReader, KeepsLinesLongerThanItsBufferIntact) {
    TempDir dir;
    const std::string longLine(200000, 'x');
    TextLineReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("long.txt", "a\n" + longLine + "\r\nb")));
    EXPECT_EQ(ReadAll(reader), (std::vector<std::string>{"a", longLine, "b"}));
}

TEST(TextLineReader, RefusesALineBeyondTheLimitNamingFileAndLine) {
    TempDir dir;
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

TEST(TextLineReader, AllowsALineOfExactlyTheLimitWithCarriageReturn) {
    TempDir dir;
    TextLineReader reader;
    reader.SetMaxLineLength(4);
    ASSERT_TRUE(reader.Open(dir.Write("exact.txt", "abcd\r\nefgh")));
    EXPECT_EQ(ReadAll(reader), (std::vector<std::string>{"abcd", "efgh"}));
}

TEST(TextLineReader, ReportsAFileThatCannotBeOpened) {
    TempDir dir;
    TextLineReader reader;
    EXPECT_FALSE(reader.Open(dir.PathOf("absent.txt")));
    EXPECT_TRUE(reader.AtEnd());
    std::string line = "unchanged";
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_EQ(line, "unchanged");
}

}  // namespace
}  // namespace kivo
