#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/CliRun.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;

// Every file of a folder by name, with its bytes.
std::map<std::string, std::string> FilesOf(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = ReadFileText(entry.path().string());
    return files;
}

// A study in a fresh folder: the bundled example, or the CMU dyad listed
// twice under other names (four files, split into parts with
// statistics per part) so that several files are in hand at once.
class StudyRuns : public ::testing::Test {
  protected:
    void MakeStudy(const std::string& which) {
        if (which == "example") {
            for (const char* name : {"study.set", "dyad.A.csv", "dyad.B.csv"})
                fs::copy_file(std::string(KIVO_EXAMPLES_DIR) + "/" + name, dir.PathOf(name));
            return;
        }
        const std::string cmu = std::string(KIVO_SHARED_DATA_DIR) + "/cmu/";
        if (!fs::exists(cmu + "cmu18_01.A.txt") || !fs::exists(cmu + "bindings.txt"))
            GTEST_SKIP() << "the shared CMU recordings are not available";
        std::vector<std::string> arguments = {"init", "study.set"};
        for (const char* dyad : {"s1", "s2"}) {
            for (const char* person : {"A", "B"}) {
                const std::string name = std::string(dyad) + "." + person + ".txt";
                fs::copy_file(cmu + "cmu18_01." + person + ".txt", dir.PathOf(name));
                arguments.push_back(name);
            }
        }
        for (const char* option : {"--time-label", "Time", "--bindings"})
            arguments.push_back(option);
        arguments.push_back(cmu + "bindings.txt");
        ASSERT_EQ(RunKivo(arguments, dir).exitCode, 0);
        for (const auto& [key, value] :
             {std::pair{"split-output-files", "yes"}, {"lines-per-part-file", "120"}}) {
            ASSERT_EQ(RunKivo({"settings", "set", "study.set", key, value}, dir).exitCode, 0);
        }
    }

    testing::CliResult Run(const std::string& output, std::vector<std::string> options) {
        std::vector<std::string> arguments = {"run", "study.set", "--quiet", "--output-dir",
                                              output};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return RunKivo(arguments, dir);
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
    const auto sequential = Run("one", {"--jobs", "1", "--pipeline", "off"});
    ASSERT_EQ(sequential.exitCode, 0) << sequential.out << sequential.err;
    const std::map<std::string, std::string> expected = FilesOf(dir.PathOf("one"));
    ASSERT_TRUE(expected.count("Statistics.csv"));

    for (const char* pipeline : {"on", "off"}) {
        const std::string output = std::string("four-") + pipeline;
        const auto parallel = Run(output, {"--jobs", "4", "--pipeline", pipeline});
        ASSERT_EQ(parallel.exitCode, 0) << parallel.out << parallel.err;
        EXPECT_TRUE(FilesOf(dir.PathOf(output)) == expected) << "pipeline " << pipeline;
    }

    for (const char* shard : {"1/3", "2/3", "3/3"}) {
        const auto part = Run("shards", {"--shard", shard, "--jobs", "1", "--pipeline", "on"});
        ASSERT_EQ(part.exitCode, 0) << part.out << part.err;
    }
    const auto merge =
        RunKivo({"stats", "merge", "shards/Statistics.csv", "shards/Statistics.shard-3-of-3.csv",
                 "shards/Statistics.shard-1-of-3.csv", "shards/Statistics.shard-2-of-3.csv"},
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
    ASSERT_EQ(Run("one", {"--jobs", "1"}).exitCode, 0);
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
    for (const std::vector<std::string>& options : {std::vector<std::string>{"--jobs", "0"},
                                                    {"--jobs", "-2"},
                                                    {"--shard", "4/3"},
                                                    {"--shard", "0/3"},
                                                    {"--shard", "2"},
                                                    {"--pipeline", "maybe"}}) {
        std::vector<std::string> arguments = {"run", "study.set"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const auto run = RunKivo(arguments, dir);
        EXPECT_NE(run.exitCode, 0) << options[1];
        EXPECT_TRUE(testing::Contains(run.err, options[0])) << run.err;
    }
}

}  // namespace
}  // namespace kivo
