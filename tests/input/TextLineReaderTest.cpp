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
    EXPECT_EQ(reader.BytesRead(), GetParam().content.size());
}

INSTANTIATE_TEST_SUITE_P(
    Contents, TextLineReaderLines,
    ::testing::Values(LinesCase{"Empty", "", {}}, LinesCase{"OneLineEnd", "\n", {""}},
                      LinesCase{"NoFinalLineEnd", "a\nb", {"a", "b"}},
                      LinesCase{"CarriageReturns", "a\r\n\r\nb\r\r\n", {"a", "", "b\r"}},
                      LinesCase{"ByteOrderMarkOnlyAtTheStart",
                                "\xEF\xBB\xBFTime\n\xEF\xBB\xBFx",
                                {"Time", "\xEF\xBB\xBFx"}},
                      LinesCase{"LongerThanTheBuffer",
                                "a\n" + std::string(200000, 'x') + "\r\nb",
                                {"a", std::string(200000, 'x'), "b"}}),
    [](const auto& caseInfo) { return caseInfo.param.name; });

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

}  // namespace
}  // namespace kivo
