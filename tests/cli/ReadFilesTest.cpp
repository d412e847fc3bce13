#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "core/RegularFile.h"
#include "support/CliRun.h"
#include "support/SmallDataFile.h"

namespace kivo {
namespace {

using testing::Contains;
using testing::RunKivo;
using testing::TempDir;
using testing::WriteSmallDataFile;

// Pipes, devices and endless lines are refused at once, whichever file a
// command reads: nothing waits for a writer, nothing grows without bound.
TEST(ReadFiles, EveryFileKivoReadsIsARegularFileWithLinesWithinTheLimit) {
    TempDir dir;
    WriteSmallDataFile(dir, "s01.csv");
    ASSERT_EQ(::mkfifo(dir.PathOf("pipe").c_str(), 0600), 0);
    dir.Write("long.txt", "Time;" + std::string(kMaxLineLength, 'x') + "\n");
    const std::string tooLong = "longer than " + std::to_string(kMaxLineLength);
    const std::string notRegular = "not a regular file";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"settings", "show", "pipe"}, notRegular},
        {{"stats", "pipe"}, notRegular},
        {{"init", "a.set", "s01.csv", "--time-label", "Time", "--bindings", "pipe"}, notRegular},
        {{"init", "b.set", "s01.csv", "--time-label", "Time", "--bindings", "/dev/zero"},
         notRegular},
        {{"check", "--time-label", "Time", "pipe"}, notRegular},
        {{"settings", "show", "long.txt"}, "no valid settings"},
        {{"stats", "long.txt"}, tooLong},
        {{"init", "c.set", "s01.csv", "--time-label", "Time", "--bindings", "long.txt"}, tooLong},
        {{"check", "--time-label", "Time", "long.txt"}, tooLong}};
    for (const auto& [arguments, reason] : cases) {
        const auto result = RunKivo(arguments, dir);
        EXPECT_EQ(result.exitCode, 1) << arguments[0] << " " << arguments.back();
        EXPECT_TRUE(Contains(result.err + result.out, reason)) << arguments.back() << ":\n"
                                                               << result.err << result.out;
    }
}

}  // namespace
}  // namespace kivo
