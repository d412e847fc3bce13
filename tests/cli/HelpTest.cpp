#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "support/CliRun.h"

namespace kivo {
namespace {

using testing::Contains;
using testing::RunKivo;
using testing::TempDir;

TEST(Help, TheReadmeListsTheCommandsAsHelpDoesAndEveryCommandGivesAnExample) {
    TempDir dir;
    const auto help = RunKivo({"--help"}, dir);
    ASSERT_EQ(help.exitCode, 0);
    std::string text = help.out;
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    const std::string readme =
        testing::ReadFileText(std::string(KIVO_EXAMPLES_DIR) + "/../README.md");
    EXPECT_TRUE(Contains(readme, "```\n" + text + "\n```\n"))
        << "README.md must show `kivo --help` as it is:\n"
        << text;

    for (const char* command :
         {"convert", "check", "parameters", "init", "settings show", "settings set", "bindings",
          "video", "check-video", "run", "stats", "plot", "store path", "store show",
          "store export", "store import", "store reset"}) {
        const std::string line = std::string("kivo ") + command;
        std::vector<std::string> words;
        for (std::string_view rest = command; !rest.empty();) {
            words.emplace_back(rest.substr(0, rest.find(' ')));
            rest.remove_prefix(std::min(rest.size(), words.back().size() + 1));
        }
        words.push_back("--help");
        const auto commandHelp = RunKivo(words, dir);
        EXPECT_TRUE(Contains(commandHelp.out, "Example: " + line)) << commandHelp.out;
        EXPECT_TRUE(Contains(text, "\n  " + line)) << line;
    }
    // A usage error shows how the command is used.
    const auto usage = RunKivo({"init"}, dir);
    EXPECT_NE(usage.exitCode, 0);
    EXPECT_TRUE(Contains(usage.err, "\nExample: kivo init study.set ")) << usage.err;
}

}  // namespace
}  // namespace kivo
