#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/CliRun.h"
#include "support/SmallDataFile.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;

// The names of the files in `folder`, sorted.
std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A summary without its first line (the file it came from) and without the
// folder of settings files (the folder of the file last loaded).
std::string Body(const std::string& summary) {
    std::string body = summary.substr(summary.find('\n') + 1);
    const std::size_t folder = body.find("  Settings Files: ");
    if (folder != std::string::npos)
        body.erase(folder, body.find('\n', folder) + 1 - folder);
    return body;
}

// Points the program at a store in the test's folder, never the user's own.
class StoreCommand : public ::testing::Test {
  protected:
    void SetUp() override { setenv("KIVO_STORE", store.c_str(), 1); }
    void TearDown() override { unsetenv("KIVO_STORE"); }

    TempDir dir;
    const std::string store = dir.PathOf("config/settings.sqlite");
    const std::string study = std::string(KIVO_EXAMPLES_DIR) + "/study.set";
};

TEST_F(StoreCommand, AnImportedStudyRunsFromTheStoreLikeFromItsSettingsFile) {
    EXPECT_EQ(RunKivo({"store", "path"}, dir).out, store + "\n");
    const auto nothing = RunKivo({"run", "--store", "--output-dir", "."}, dir);
    EXPECT_EQ(nothing.exitCode, 2);
    EXPECT_TRUE(Contains(nothing.err, "nothing is stored in " + store)) << nothing.err;

    // A study whose files cannot all be added is not stored.
    testing::WriteSmallDataFile(dir, "s01.A.csv", "Time");
    testing::WriteSmallDataFile(dir, "s01.B.csv", "Time");
    ASSERT_EQ(RunKivo({"init", "gone.set", "s01.A.csv", "s01.B.csv", "--time-label", "Time"}, dir)
                  .exitCode,
              0);
    fs::remove(dir.PathOf("s01.B.csv"));
    const auto incomplete = RunKivo({"store", "import", "gone.set"}, dir);
    EXPECT_EQ(incomplete.exitCode, 1);
    EXPECT_TRUE(Contains(incomplete.err, "1 of the 2 input files")) << incomplete.err;
    EXPECT_FALSE(fs::exists(store));

    const auto imported = RunKivo({"store", "import", study}, dir);
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    const auto nowhere = RunKivo({"run", "--store"}, dir);
    EXPECT_EQ(nowhere.exitCode, 2);
    EXPECT_TRUE(Contains(nowhere.err, "no existing output folder; give --output-dir"))
        << nowhere.err;
    for (const char* folder : {"from-store", "from-file"})
        fs::create_directories(dir.PathOf(folder));
    const auto fromStore = RunKivo({"run", "--store", "--output-dir", "from-store"}, dir);
    const auto fromFile = RunKivo({"run", study, "--output-dir", "from-file"}, dir);
    ASSERT_EQ(fromStore.exitCode, 0) << fromStore.err;
    ASSERT_EQ(fromFile.exitCode, 0) << fromFile.err;
    const std::vector<std::string> names = FileNames(dir.PathOf("from-file"));
    EXPECT_EQ(names.size(), 3u);
    ASSERT_EQ(FileNames(dir.PathOf("from-store")), names);
    for (const std::string& name : names) {
        EXPECT_EQ(ReadFileText(dir.PathOf("from-store/" + name)),
                  ReadFileText(dir.PathOf("from-file/" + name)))
            << name;
    }

    // The store shows and exports what the settings file holds.
    ASSERT_EQ(RunKivo({"store", "export", "copy.set"}, dir).exitCode, 0);
    const auto shown = RunKivo({"store", "show"}, dir);
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_TRUE(Contains(shown.out, "Input Files: 2\n")) << shown.out;
    const std::string original = Body(RunKivo({"settings", "show", study}, dir).out);
    EXPECT_EQ(Body(shown.out), original);
    EXPECT_EQ(Body(RunKivo({"settings", "show", "copy.set"}, dir).out), original);
    EXPECT_EQ(RunKivo({"store", "export", "copy.set"}, dir).exitCode, 1);  // exists already
    // --force replaces only a settings file, never a data file.
    const std::string data = ReadFileText(dir.PathOf("s01.A.csv"));
    const auto notSettings = RunKivo({"store", "export", "s01.A.csv", "--force"}, dir);
    EXPECT_EQ(notSettings.exitCode, 1);
    EXPECT_TRUE(Contains(notSettings.err, "s01.A.csv is not a settings file")) << notSettings.err;
    EXPECT_EQ(ReadFileText(dir.PathOf("s01.A.csv")), data);

    // Reset asks first; without a terminal to answer, nothing is deleted.
    const std::string before = ReadFileText(store);
    const auto refused = RunKivo({"store", "reset"}, dir);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(ReadFileText(store), before);
    ASSERT_EQ(RunKivo({"store", "reset", "--yes"}, dir).exitCode, 0);
    EXPECT_TRUE(Contains(RunKivo({"store", "show"}, dir).out, "Input Files: 0\n"));

    // A store that cannot be read is named, and reset moves it aside.
    dir.Write("config/settings.sqlite", "not a store");
    EXPECT_TRUE(Contains(RunKivo({"store", "show"}, dir).err, "(kivo store reset moves it aside)"));
    const auto moved = RunKivo({"store", "reset", "--yes"}, dir);
    EXPECT_EQ(moved.exitCode, 0) << moved.err;
    EXPECT_FALSE(fs::exists(store));
    EXPECT_EQ(FileNames(dir.PathOf("config")).size(), 1u);
}

}  // namespace
}  // namespace kivo
