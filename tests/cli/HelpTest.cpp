#include <gtest/gtest.h>

#include <string>

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
         {"check", "parameters", "init", "video", "check-video", "run", "stats", "store"}) {
        const auto commandHelp = RunKivo({command, "--help"}, dir);
        EXPECT_TRUE(Contains(commandHelp.out, std::string("Example: kivo ") + command))
            << commandHelp.out;
        EXPECT_TRUE(Contains(text, std::string("\n  kivo ") + command)) << command;
    }
    // A usage error shows how the command is used.
    const auto usage = RunKivo({"init"}, dir);
    EXPECT_NE(usage.exitCode, 0);
    EXPECT_TRUE(Contains(usage.err, "\nExample: kivo init study.set ")) << usage.err;
}

}  // namespace
}  // namespace kivo
