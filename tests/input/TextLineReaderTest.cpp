#include <gtest/gtest.h>

#include <string>
#include <utility>
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

}  // namespace
}  // namespace kivo
