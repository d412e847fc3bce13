#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/Numbers.h"
#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "params/Catalogue.h"
#include "settings/SettingsFile.h"
#include "support/RandomStudy.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::ExpectedAfterLoading;
using testing::RandomStudy;
using testing::TempDir;

TEST(SettingsRoundTrip, LoadingWhatWasSavedReproducesRandomWorkspaces) {
    TempDir dir;
    RandomStudy study(20240611u, dir);
    for (int iteration = 0; iteration < 40; ++iteration) {
        SCOPED_TRACE("iteration " + std::to_string(iteration));
        const std::string name = "study" + std::to_string(iteration);
        Workspace original = study.Make(name);
        const std::string path = dir.PathOf(name + ".set");
        SaveSettings(original, path);
        EXPECT_EQ(original.options.directorySettingsFiles, FolderWithoutSeparator(dir.PathOf("")));

        testing::ScriptedPrompt prompt;
        Workspace loaded;
        ASSERT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded)
            << prompt.LastText();
        EXPECT_TRUE(prompt.messages.empty()) << prompt.LastText();
        for (const std::string& bound : original.boundDataFields)
            EXPECT_TRUE(bound.empty() || loaded.dataFieldNames.Contains(bound)) << bound;
        EXPECT_TRUE(original.inputFiles.empty() || loaded.dataFieldNames.Contains("Hips"));

        const Workspace expected = ExpectedAfterLoading(original, loaded);
        EXPECT_TRUE(loaded.options == expected.options);
        EXPECT_EQ(loaded.inputFiles, expected.inputFiles);
        EXPECT_EQ(loaded.boundDataFields, expected.boundDataFields);
        EXPECT_EQ(loaded.userVariableNames, expected.userVariableNames);
        EXPECT_EQ(loaded.parameters, expected.parameters);

        // Saving the loaded workspace and loading it again changes nothing.
        Workspace copy = loaded;
        SaveSettings(copy, path);
        Workspace reloaded;
        ASSERT_EQ(LoadSettings(path, reloaded, prompt), SettingsLoadResult::Loaded);
        EXPECT_TRUE(reloaded == loaded);
    }
}

}  // namespace
}  // namespace kivo
