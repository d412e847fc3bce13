#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/CliRun.h"

namespace kivo {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;
using testing::FilesOf;
using testing::Kivo;
using testing::TempDir;

// A study in a fresh folder: the bundled example, or the CMU dyad listed
// twice under other names (four files, split into parts with
// statistics per part) so that several files are in hand at once.
class StudyRuns : public ::testing::Test {
  protected:
    void MakeStudy(const std::string& which) {
        if (which == "example")
            return testing::CopyExampleStudy(dir);
        if (testing::CmuMissing())
            GTEST_SKIP() << "the shared CMU recordings are not available";
        std::vector<std::string> arguments = {"init", "study.set"};
        for (const char* name : {"s1.A.txt", "s1.B.txt", "s2.A.txt", "s2.B.txt"}) {
            fs::copy_file(testing::Cmu("cmu18_01." + std::string(name).substr(3)),
                          dir.PathOf(name));
            arguments.push_back(name);
        }
        for (const char* option : {"--time-label", "Time", "--bindings"})
            arguments.push_back(option);
        arguments.push_back(testing::Cmu("bindings.txt"));
        ASSERT_EQ(testing::RunKivo(arguments, dir).exitCode, 0);
        for (const char* setting : {"split-output-files yes", "lines-per-part-file 120"})
            ASSERT_EQ(Kivo("settings set study.set " + std::string(setting), dir).exitCode, 0);
    }

    testing::CliResult Run(const std::string& output, const std::string& options) {
        return Kivo("run study.set --quiet --output-dir " + output + " " + options, dir);
    }

    TempDir dir;
};

class ParallelRun : public StudyRuns, public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override { MakeStudy(GetParam()); }
};

// The reference is one file after the other, each on one thread; then four
// files at once with and without the pipeline, and one at a time in three
// shards, each file with its reading and writing on threads of their own.
TEST_P(ParallelRun, WritesTheSameBytesWithAnyNumberOfJobsWithThePipelineAndInShards) {
    const auto sequential = Run("one", "--jobs 1 --pipeline off");
    ASSERT_EQ(sequential.exitCode, 0) << sequential.out << sequential.err;
    const auto expected = FilesOf(dir.PathOf("one"));
    ASSERT_TRUE(expected.count("Statistics.csv"));

    for (const std::string pipeline : {"on", "off"}) {
        const auto parallel = Run("four-" + pipeline, "--jobs 4 --pipeline " + pipeline);
        ASSERT_EQ(parallel.exitCode, 0) << parallel.out << parallel.err;
        EXPECT_TRUE(FilesOf(dir.PathOf("four-" + pipeline)) == expected) << "pipeline " << pipeline;
    }

    for (const std::string shard : {"1/3", "2/3", "3/3"}) {
        const auto part = Run("shards", "--shard " + shard + " --jobs 1 --pipeline on");
        ASSERT_EQ(part.exitCode, 0) << part.out << part.err;
    }
    const auto merge = Kivo(
        "stats merge shards/Statistics.csv shards/Statistics.shard-3-of-3.csv "
        "shards/Statistics.shard-1-of-3.csv shards/Statistics.shard-2-of-3.csv",
        dir);
    ASSERT_EQ(merge.exitCode, 0) << merge.err;
    for (int k = 1; k <= 3; ++k)
        fs::remove(dir.PathOf("shards/Statistics.shard-" + std::to_string(k) + "-of-3.csv"));
    EXPECT_TRUE(FilesOf(dir.PathOf("shards")) == expected);
}

INSTANTIATE_TEST_SUITE_P(Studies, ParallelRun, ::testing::Values("example", "cmu"));

// The GNU parallel variant of the cluster example, as its README runs it.
TEST_F(StudyRuns, ClusterExampleWithGnuParallelWritesWhatOneRunWrites) {
    if (std::system("command -v parallel >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "GNU parallel is not installed";
    MakeStudy("example");
    ASSERT_EQ(Run("one", "--jobs 1").exitCode, 0);
    const std::string command =
        "cd " + testing::ShellQuoted(dir.PathOf("")) +
        " && KIVO=" + testing::ShellQuoted(KIVO_CLI_PATH) + " " +
        testing::ShellQuoted(std::string(KIVO_EXAMPLES_DIR) + "/cluster/run-shards-parallel.sh") +
        " study.set sharded 3 >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(FilesOf(dir.PathOf("sharded")) == FilesOf(dir.PathOf("one")));
}

TEST(ParallelRunUsage, RefusesJobsBelowOneShardsOutsideTheirCountAndPipelineOtherThanOnOrOff) {
    TempDir dir;
    for (const std::string options :
         {"--jobs 0", "--jobs -2", "--shard 4/3", "--shard 0/3", "--shard 2", "--pipeline maybe"}) {
        const auto run = Kivo("run study.set " + options, dir);
        EXPECT_NE(run.exitCode, 0) << options;
        EXPECT_THAT(run.err, HasSubstr(options.substr(0, options.find(' '))));
    }
}

}  // namespace
}  // namespace kivo
