#include <gtest/gtest.h>

#include <string>

#include "input/FormatLineGuess.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

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

}  // namespace
}  // namespace kivo
