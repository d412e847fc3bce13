#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/Numbers.h"
#include "core/Text.h"
#include "support/CliRun.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;

// The kivo lines of the README's quick start for BVH recordings, as words.
std::vector<std::vector<std::string>> QuickStartCommands() {
    const std::string readme = ReadFileText(std::string(KIVO_EXAMPLES_DIR) + "/../README.md");
    const std::size_t start = readme.find("## Quick start for BVH recordings");
    const std::size_t end = readme.find("\n## ", start + 1);
    std::vector<std::vector<std::string>> commands;
    for (const std::string& line : SplitToStrings(readme.substr(start, end - start), '\n')) {
        if (!line.starts_with("    kivo "))
            continue;
        std::vector<std::string> words;
        for (const std::string& word : SplitToStrings(line.substr(9), ' ')) {
            if (!word.empty())
                words.push_back(word);
        }
        commands.push_back(words);
    }
    return commands;
}

TEST(QuickStart, TheReadmesThreeLinesTurnTheCmuBvhDyadIntoDyadicRows) {
    const std::string shared = KIVO_SHARED_DATA_DIR;
    if (!fs::exists(shared + "/cmu/bvh/18_01.bvh"))
        GTEST_SKIP() << "the shared CMU recordings are not available";
    const auto commands = QuickStartCommands();
    ASSERT_EQ(commands.size(), 3u);
    TempDir dir;
    for (std::vector<std::string> words : commands) {
        for (std::string& word : words) {
            if (word.starts_with("../shared/data"))
                word = shared + word.substr(14);
        }
        const auto result = RunKivo(words, dir);
        ASSERT_EQ(result.exitCode, 0) << words[0] << "\n" << result.out << result.err;
    }

    for (const char* person : {"A", "B"}) {
        const std::vector<std::string> lines =
            SplitToStrings(ReadFileText(dir.PathOf(std::string("dyad.") + person + ".csv")), '\n');
        ASSERT_GT(lines.size(), 3u);
        const std::vector<std::string> captions =
            SplitToStrings(StripCarriageReturn(lines[0]), ';');
        std::vector<std::size_t> dyadic;
        for (std::size_t i = 0; i < captions.size(); ++i) {
            if (captions[i] == "Dyadic Proxemics Heads" ||
                captions[i] == "Rotational Dyadic Mimicry Body")
                dyadic.push_back(i);
        }
        ASSERT_EQ(dyadic.size(), 2u);
        int frames = 0;
        for (const std::string& line : lines) {
            const std::vector<std::string> fields = SplitToStrings(StripCarriageReturn(line), ';');
            if (fields.size() != captions.size() || fields[0] == "Time")
                continue;
            ++frames;
            for (std::size_t i : dyadic)
                EXPECT_TRUE(!fields[i].empty() && IsNumeric(fields[i], "."))
                    << captions[i] << ": " << line.substr(0, 20);
        }
        EXPECT_EQ(frames, 304) << person;
    }
    EXPECT_TRUE(fs::exists(dir.PathOf("Statistics.csv")));
}

}  // namespace
}  // namespace kivo
