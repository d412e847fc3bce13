#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/Numbers.h"
#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "params/Catalogue.h"
#include "params/DefaultParameterList.h"
#include "settings/RichStudy.h"
#include "settings/SettingsStore.h"
#include "settings/StoreLocation.h"
#include "settings/StoredSettings.h"
#include "support/ScriptedPrompt.h"
#include "support/SmallDataFile.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;
using testing::ScriptedPrompt;
using testing::TempDir;

// Runs `body` in a child process; returns its exit status (128 + signal when killed).
int InChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0)
        _exit(body());
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// One bit per part of the workspace that differs.
int Differences(const Workspace& restored, const Workspace& expected) {
    return (restored.options == expected.options ? 0 : 1) |
           (restored.inputFiles == expected.inputFiles ? 0 : 2) |
           (restored.boundDataFields == expected.boundDataFields ? 0 : 4) |
           (restored.userVariableNames == expected.userVariableNames ? 0 : 8) |
           (restored.parameters == expected.parameters ? 0 : 16);
}

void WriteBytes(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

void Execute(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// A list of `rows` rows whose names and columns carry `label`, every third disabled.
Workspace LargeStudy(int rows, const std::string& label) {
    Workspace workspace;
    workspace.options.prefix = label;
    workspace.boundDataFields[kHips] = label;
    for (int r = 0; r < rows; ++r) {
        AddParameterRow(workspace.parameters, label + " " + std::to_string(r), "Static SRL", "Hips",
                        "", "", "x", r % 2 ? "x" : "", "", r % 3 != 0);
    }
    SetAllParameterTypeTags(workspace.parameters);
    return workspace;
}

TEST(SettingsStore, SectionsKeepTheirOrderAndDeleteWithEverythingBelow) {
    TempDir dir;
    SettingsStore store(dir.PathOf("settings.sqlite"), SettingsStore::Access::Write);
    std::vector<StoredEntry> expected;
    store.WriteTransaction([&] {
        for (int i = 120; i >= 1; --i) {
            const std::string key = (i < 10 ? "0" : "") + std::to_string(i);
            store.SaveSetting("S", key, "v" + key);
            expected.emplace_back(key, "v" + key);
        }
        store.SaveSetting("S", "100", "again");  // keeps its place
        for (const char* section : {"S\\01", "S\\01\\deeper", "S2", "s", "S]", "T"})
            store.SaveSetting(section, "k", section);
    });
    expected[20].second = "again";
    EXPECT_EQ(store.GetAllSettings("S"), expected);
    store.DeleteSetting("S");
    for (const char* gone : {"S", "S\\01", "S\\01\\deeper"})
        EXPECT_TRUE(store.GetAllSettings(gone).empty()) << gone;
    for (const char* kept : {"S2", "s", "S]", "T"})
        EXPECT_EQ(store.GetSetting(kept, "k", "default"), kept);
    EXPECT_EQ(store.GetSetting("S2", "missing", "default"), "default");
}

TEST(SettingsStore, PerUserPathFollowsTheEnvironment) {
    const struct {
        const char* environment[3];  // KIVO_STORE, XDG_CONFIG_HOME, HOME; nullptr: unset
        const char* path;
    } cases[] = {
        {{"/chosen/s.sqlite", "/config", "/home/u"}, "/chosen/s.sqlite"},
        {{"", "/config//", "/home/u"}, "/config/kivo/settings.sqlite"},
        {{nullptr, "relative", "/home/u"}, "/home/u/.config/kivo/settings.sqlite"},
        {{nullptr, nullptr, "/home/u"}, "/home/u/.config/kivo/settings.sqlite"},
    };
    const char* const names[] = {"KIVO_STORE", "XDG_CONFIG_HOME", "HOME"};
    std::optional<std::string> saved[3];
    for (int i = 0; i < 3; ++i)
        saved[i] = std::getenv(names[i]) ? std::optional(std::string(std::getenv(names[i])))
                                         : std::nullopt;
    const auto set = [&](int i, const char* value) {
        value ? setenv(names[i], value, 1) : unsetenv(names[i]);
    };
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i)
            set(i, c.environment[i]);
        EXPECT_EQ(PerUserStorePath(), c.path);
    }
    for (int i = 0; i < 3; ++i)
        set(i, saved[i] ? saved[i]->c_str() : nullptr);
}

// A rich study with texts of any characters (one of them 100,000 bytes with a
// nul byte inside) and 200 more rows whose names repeat, differ in case or
// hold a backslash, and the rich study's options alone.
TEST(SettingsStore, RestoringInAFreshProcessReproducesWhatWasSaved) {
    TempDir dir;
    const std::string path = dir.PathOf("config/kivo/settings.sqlite");
    for (Workspace original :
         {testing::RichStudy(dir, true), testing::RichStudy(dir, true, false)}) {
        SCOPED_TRACE(original.inputFiles.size());
        original.options.suffix += std::string("nul\0byte", 8) + std::string(100'000, 'z');
        static const char* const names[] = {"Head", "head", "HEAD", "Hand\\R", "a\\b", ""};
        for (int r = 0; r < 200; ++r) {
            AddParameterRow(original.parameters, names[r % 6],
                            std::string(Catalogue()[r % kFunctionCount].displayName), "Hips",
                            r % 3 ? "" : "Chest", "", "x", "", r % 4 ? "" : "x", r % 5 != 0);
        }
        ScriptedPrompt prompt;
        ASSERT_TRUE(SaveToStore(original, path, prompt)) << prompt.LastText();
        const std::string stored = ReadFileText(path);

        const int differences = InChild([&] {
            ScriptedPrompt childPrompt;
            Workspace restored;
            const RestoreReport report = RestoreStoredWorkspace(path, restored, childPrompt);
            if (!childPrompt.messages.empty() || report.defaultParameterList)
                return 64;
            return Differences(restored, testing::ExpectedAfterLoading(original, restored));
        });
        EXPECT_EQ(differences, 0);

        // Restoring wrote nothing, and neither does "No" at exit; "Cancel"
        // keeps the window open.
        prompt.QueueAnswer(PromptAnswer::No);
        EXPECT_TRUE(AskToSaveAtExit(Workspace(), path, prompt));
        prompt.QueueAnswer(PromptAnswer::Cancel);
        EXPECT_FALSE(AskToSaveAtExit(Workspace(), path, prompt));
        EXPECT_EQ(prompt.messages.back().text,
                  "Do you want to save all settings for the next time?");
        EXPECT_EQ(ReadFileText(path), stored);
    }
}

TEST(SettingsStore, MissingFilesAreNamedInOneMessageAndStayStored) {
    TempDir dir;
    ScriptedPrompt prompt;
    const std::string path = dir.PathOf("settings.sqlite");
    ASSERT_TRUE(SaveToStore(testing::RichStudy(dir, true), path, prompt));
    const std::vector<std::string> missing = {dir.PathOf("study/s0.A.csv"),
                                              dir.PathOf("study/take.csv")};
    for (const std::string& file : missing)
        fs::remove(file);

    Workspace restored;
    const RestoreReport report = RestoreStoredWorkspace(path, restored, prompt);
    ASSERT_EQ(restored.inputFiles.size(), 1u);
    EXPECT_EQ(restored.inputFiles[0][kColFileName], "s0.B.csv");
    EXPECT_EQ(report.filesNotFound, missing);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.LastText(),
              "The following input files were not found at their stored location and are left "
              "out of the file list:\r\n\r\n" +
                  missing[0] + "\r\n" + missing[1] +
                  "\r\n\r\nThey stay in the stored settings until the settings are saved "
                  "without them.");
    const SettingsStore store(path, SettingsStore::Access::Read);
    EXPECT_EQ(store.GetAllSettings("Files").size(), 3u);
}

// Unlike a missing key, an entry the program cannot take over is named;
// options come back as settings files bring them: with either decimal
// symbol, and through the rules of their boxes.
TEST(SettingsStore, EntriesThatCannotBeReadAreLeftOutAndNamedInOneMessage) {
    TempDir dir;
    const std::string path = dir.PathOf("settings.sqlite");
    ScriptedPrompt prompt;
    Workspace stored = LargeStudy(3, "row");
    testing::WriteSmallDataFile(dir, "take.csv");
    ASSERT_TRUE(AddFile(stored, "take.csv", dir.PathOf(""), "Time", prompt));
    ASSERT_TRUE(SaveToStore(stored, path, prompt));
    Execute(path,
            "DELETE FROM entry WHERE section = 'Files\\01' AND key = 'Video Clip Side';"
            "UPDATE entry SET value = 'maybe' WHERE section = 'Parameters\\02' AND key = 'Run';"
            "UPDATE entry SET value = '2' WHERE key = 'Split Output Files';"
            "UPDATE entry SET value = '0,25' WHERE section = 'Settings' AND key = 'Angles';"
            "UPDATE entry SET value = '-5' WHERE section = 'Settings' AND key = 'Distances';"
            "UPDATE entry SET value = '-5' WHERE section = 'Settings' AND key = 'Frames/Sec';"
            "UPDATE entry SET value = 'abc' WHERE section = 'Settings' AND key = 'Dec. Places';"
            "DELETE FROM entry WHERE key = 'Prefix';"
            "UPDATE entry SET value = '" +
                dir.PathOf("gone") + "' WHERE key = 'Directory Output Files'");

    Workspace restored;
    const RestoreReport report = RestoreStoredWorkspace(path, restored, prompt);
    EXPECT_TRUE(restored.inputFiles.empty());
    EXPECT_EQ(restored.parameters.size(), 2u);
    EXPECT_EQ(restored.options.prefix, "");                // a missing key keeps the current value
    EXPECT_EQ(restored.options.directoryOutputFiles, "");  // as does a folder that is gone
    EXPECT_EQ(restored.options.thresholdAngles, "0.25");
    EXPECT_EQ(restored.options.thresholdDistances, "0.1");
    EXPECT_EQ(restored.options.linesPerSec, Workspace().options.linesPerSec);
    const std::vector<std::string> skipped = {"Settings\\Frames/Sec", "Settings\\Dec. Places",
                                              "Settings\\Split Output Files", "Files\\01",
                                              "Parameters\\02 'row 1'"};
    EXPECT_EQ(report.entriesSkipped, skipped);
    std::string listed;
    for (const std::string& entry : skipped)
        listed += (listed.empty() ? "" : "\r\n") + entry;
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(
        prompt.LastText(),
        "The following stored settings could not be read and were left out:\r\n\r\n" + listed);
}

// Nothing stored yet gives the start values without a word; a store that
// cannot be read gives them too, and is moved aside under a name the user is told.
TEST(SettingsStore, AMissingOrUnreadableStoreStartsWithTheStartValues) {
    const struct {
        const char* name;
        std::function<void(const std::string&)> make;
    } cases[] = {
        {"nothing stored", [](const std::string&) {}},
        {"empty file", [](const std::string& path) { WriteBytes(path, ""); }},
        {"not a database", [](const std::string& path) { WriteBytes(path, "Kivo Settings\r\n"); }},
        {"another program's database",
         [](const std::string& path) { Execute(path, "CREATE TABLE other (x)"); }},
        {"newer layout",
         [](const std::string& path) {
             SettingsStore(path, SettingsStore::Access::Write).SaveSetting("Settings", "k", "v");
             Execute(path, "PRAGMA user_version = 2");
         }},
        {"damaged",
         [](const std::string& path) {
             SaveAllSettings(LargeStudy(2000, "cut"),
                             *std::make_unique<SettingsStore>(path, SettingsStore::Access::Write));
             fs::resize_file(path, fs::file_size(path) / 2);
         }},
    };
    Workspace fresh;
    CreateDefaultParameterList(fresh.parameters);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.PathOf("settings.sqlite");
        c.make(path);
        const bool broken = fs::exists(path) && fs::file_size(path) > 0;
        const std::string content = ReadFileText(path);
        ScriptedPrompt prompt;
        Workspace restored;
        const RestoreReport report = RestoreStoredWorkspace(path, restored, prompt);
        EXPECT_TRUE(restored == fresh);
        EXPECT_TRUE(report.defaultParameterList);
        EXPECT_EQ(report.unreadableStoreMovedTo.has_value(), broken);
        if (!broken) {
            EXPECT_TRUE(prompt.messages.empty()) << prompt.LastText();
            EXPECT_EQ(fs::exists(path), !content.empty() || c.name[0] == 'e');
            continue;
        }
        const std::string& aside = *report.unreadableStoreMovedTo;
        EXPECT_FALSE(fs::exists(path));
        EXPECT_EQ(ReadFileText(aside), content);
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_NE(prompt.LastText().find("'" + aside + "'"), std::string::npos)
            << prompt.LastText();
        EXPECT_TRUE(SaveToStore(restored, path, prompt)) << prompt.LastText();
    }
}

TEST(SettingsStore, AFailedSaveKeepsThePreviousStateAndTheWindowOpen) {
    TempDir dir;
    const std::string path = dir.PathOf("settings.sqlite");
    ScriptedPrompt prompt;
    const Workspace previous = LargeStudy(50, "previous");
    ASSERT_TRUE(SaveToStore(previous, path, prompt));
    Execute(path,
            "CREATE TRIGGER fail BEFORE INSERT ON entry WHEN NEW.section = 'Parameters\\30' "
            "BEGIN SELECT RAISE(ABORT, 'disk on fire'); END");

    prompt.QueueAnswer(PromptAnswer::Yes);
    EXPECT_FALSE(AskToSaveAtExit(LargeStudy(60, "next"), path, prompt));
    EXPECT_EQ(prompt.messages.back().icon, PromptIcon::Critical);
    EXPECT_NE(prompt.LastText().find("disk on fire"), std::string::npos) << prompt.LastText();
    Workspace restored;
    RestoreStoredWorkspace(path, restored, prompt);
    EXPECT_EQ(Differences(restored, previous), 0);

    // A store whose folder cannot be made: a clear message, nothing written.
    const std::string blocked = dir.PathOf("settings.sqlite/kivo/settings.sqlite");
    EXPECT_FALSE(SaveToStore(previous, blocked, prompt));
    EXPECT_NE(prompt.LastText().find("cannot be created"), std::string::npos) << prompt.LastText();
}

// The restore commands of the window take one group each from the store
// after asking; a store that cannot be read changes nothing.
TEST(SettingsStore, RestoreCommandsTakeTheirGroupAndKeepTheWorkspaceWhenTheStoreFails) {
    TempDir dir;
    const std::string path = dir.PathOf("settings.sqlite");
    ScriptedPrompt prompt;
    Workspace stored = LargeStudy(3, "stored");
    testing::WriteSmallDataFile(dir, "take.csv");
    ASSERT_TRUE(AddFile(stored, "take.csv", dir.PathOf(""), "Time", prompt));
    stored.userVariableNames[0] = "stored";
    ASSERT_TRUE(SaveToStore(stored, path, prompt));
    const Workspace edited = LargeStudy(5, "edited");

    Workspace workspace = edited;
    prompt.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(RestoreFromStore(StoredGroup::FileList, path, workspace, prompt));
    EXPECT_EQ(Differences(workspace, edited), 0);
    ASSERT_TRUE(RestoreFromStore(StoredGroup::FileList, path, workspace, prompt));
    EXPECT_EQ(Differences(workspace, edited), 1 | 2);
    EXPECT_EQ(workspace.inputFiles, stored.inputFiles);
    ASSERT_TRUE(RestoreFromStore(StoredGroup::DataFieldAssignments, path, workspace, prompt));
    EXPECT_EQ(Differences(workspace, stored), 16);
    EXPECT_EQ(LoadStoredParameterList(path, prompt), stored.parameters);
    EXPECT_EQ(LoadStoredParameterList(dir.PathOf("none.sqlite"), prompt),
              std::vector<ParameterDefinition>());

    WriteBytes(path, "not a store");
    const std::size_t told = prompt.messages.size();
    workspace = edited;
    const auto report = RestoreFromStore(StoredGroup::FileList, path, workspace, prompt);
    ASSERT_TRUE(report && report->unreadableStoreMovedTo);
    EXPECT_EQ(Differences(workspace, edited), 0);
    WriteBytes(path, "not a store");
    EXPECT_FALSE(LoadStoredParameterList(path, prompt));
    EXPECT_EQ(prompt.messages.size(), told + 3);  // the question and two messages
}

// Two programs saving at once leave one of the two states, complete (on a
// busy machine the second may give up waiting for the first and say so); a
// writer killed in the middle of its save leaves the state before it.
TEST(SettingsStore, ConcurrentAndKilledWritersLeaveOneCompleteState) {
    TempDir dir;
    const std::string path = dir.PathOf("settings.sqlite");
    const std::vector<Workspace> studies = {
        LargeStudy(10'000, "first"), LargeStudy(10'000, "second"), LargeStudy(10'000, "third")};
    const auto save = [&](const Workspace& study) {
        ScriptedPrompt prompt;
        if (SaveToStore(study, path, prompt))
            return 0;
        if (prompt.LastText().find("another program is using the store") != std::string::npos)
            return 1;
        std::fprintf(stderr, "%s\n", prompt.LastText().c_str());
        return 2;
    };
    const auto restoredIndex = [&] {
        ScriptedPrompt prompt;
        Workspace restored;
        RestoreStoredWorkspace(path, restored, prompt);
        for (std::size_t i = 0; i < studies.size(); ++i) {
            if (Differences(restored, studies[i]) == 0)
                return static_cast<int>(i);
        }
        return -1;
    };

    std::vector<pid_t> writers;
    for (int w = 0; w < 2; ++w) {
        writers.push_back(fork());
        if (writers.back() == 0)
            _exit(save(studies[static_cast<std::size_t>(w)]));
    }
    std::vector<int> saved;
    for (std::size_t w = 0; w < writers.size(); ++w) {
        int status = 0;
        waitpid(writers[w], &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) <= 1) << status;
        if (WEXITSTATUS(status) == 0)
            saved.push_back(static_cast<int>(w));
    }
    ASSERT_FALSE(saved.empty());
    const int winner = restoredIndex();
    EXPECT_NE(std::find(saved.begin(), saved.end(), winner), saved.end()) << winner;

    const pid_t killed = fork();
    if (killed == 0)
        _exit(save(studies[2]));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!fs::exists(path + "-journal") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    kill(killed, SIGKILL);
    int status = 0;
    waitpid(killed, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer finished before it could be killed";
    EXPECT_EQ(restoredIndex(), winner);
}

}  // namespace
}  // namespace kivo
