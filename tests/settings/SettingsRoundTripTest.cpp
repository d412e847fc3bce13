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
#include "support/ScriptedPrompt.h"
#include "support/SmallDataFile.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::ScriptedPrompt;
using testing::TempDir;
using testing::WriteSmallDataFile;

// Builds random workspaces whose input files exist in `dir`.
class RandomStudy {
  public:
    RandomStudy(std::uint32_t seed, const TempDir& dir) : rng_(seed), dir_(dir) {}

    Workspace Make(int iteration) {
        Workspace workspace;
        MakeOptions(workspace.options);
        const std::string folder = dir_.PathOf("study" + std::to_string(iteration));
        std::filesystem::create_directories(folder);
        const int files = Pick(0, 4);
        for (int i = 0; i < files; ++i)
            workspace.inputFiles.push_back(MakeFile(folder, i));
        for (std::string& field : workspace.boundDataFields)
            field = Chance(3) ? Text() : "";
        for (std::string& name : workspace.userVariableNames)
            name = Chance(4) ? Text() : "";
        const int rows = Pick(0, 30);
        for (int i = 0; i < rows; ++i)
            workspace.parameters.push_back(MakeParameter());
        return workspace;
    }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool Chance(int oneIn) { return Pick(1, oneIn) == 1; }

    // Any text a settings file can hold: blanks at the ends, commas, "#",
    // multi-byte characters; never a double quote or a line break.
    std::string Text() {
        static const std::vector<std::string> pieces = {
            "a",  "Z", "0",  "7",        ".",      ",",      " ",    "#",  "x", "/",
            "\\", ";", "\t", "\xC3\xA9", "Hand R", "#TRUE#", "True", "-1", "'"};
        std::string text;
        const int length = Pick(0, 6);
        for (int i = 0; i < length; ++i)
            text += pieces[Pick(0, static_cast<int>(pieces.size()) - 1)];
        return text;
    }
    std::string Flag() { return Chance(2) ? "x" : (Chance(4) ? Text() : ""); }

    std::string Folder() {
        if (Chance(2))
            return "";
        return Chance(2) ? dir_.PathOf("") : std::filesystem::temp_directory_path().string();
    }

    void MakeOptions(WorkspaceOptions& options) {
        options.directoryInputFiles = Folder();
        options.directoryOutputFiles = Folder();
        options.directoryVideoClips = Folder();
        options.timeField = Text();
        options.linesPerSec = Text();
        options.skipLines = Text();
        options.distances = Chance(2);
        options.bodyHeight = Text();
        options.distancesHeight = Chance(2);
        options.distancesLength = Chance(2);
        options.thresholdAngles = Text();
        options.thresholdDistances = Text();
        options.decimalPlaces = Text();
        options.camera = Text();
        options.prefix = Text();
        options.suffix = Text();
        options.csvSeparator = Chance(2);
        options.tsvSeparator = Chance(2);
        options.extension = Text();
        options.statisticsFileName = Text();
        options.splitFile = Chance(2);
        options.noOfLines = Text();
    }

    InputFileRow MakeFile(const std::string& folder, int index) {
        static const std::vector<std::string> labels = {"Time", "Zeit", "T s", "Time [sec]"};
        // Pairs of names that the naming rule makes partners ("s0.A.csv" and
        // "s0.B.csv"), and some that it does not.
        static const std::vector<std::string> first = {"A", "L", "take"};
        static const std::vector<std::string> second = {"B", "R", "take2"};
        if (index % 2 == 0)
            token_ = Pick(0, 2);
        const std::string name = "s" + std::to_string(index / 2) + "." +
                                 (index % 2 == 0 ? first : second)[token_] + ".csv";
        const std::string label = labels[Pick(0, 3)];
        const bool fast = Chance(2);
        WriteSmallDataFile(dir_, std::filesystem::path(folder).filename().string() + "/" + name,
                           label, fast ? "0.008333" : "0.01");
        InputFileRow row;
        for (std::string& column : row.columns)
            column = Text();
        row[kColFileName] = name;
        row[kColPartnerFile] = Chance(2) ? "No" : Text();
        row[kColTimeField] = label;
        // Mostly the file's own rate, so that the naming rule pairs files.
        if (!Chance(4))
            row[kColFramesPerSec] = fast ? "120.0048" : "100";
        row[kColDirectory] = WithTrailingSeparator(folder);
        row.fullPath = row[kColDirectory] + name;
        return row;
    }

    ParameterDefinition MakeParameter() {
        ParameterDefinition row;
        row.name = Text();
        const auto& catalogue = Catalogue();
        row.function =
            Chance(5) ? Text() : std::string(catalogue[Pick(0, kFunctionCount - 1)].displayName);
        row.variables = Text();
        row.target = Chance(2) ? "" : Text();
        row.referenceSystem = Chance(2) ? "" : Text();
        row.output = Flag();
        row.statistics = Flag();
        row.dynamic = Flag();
        row.enabled = !Chance(3);
        return row;
    }

    std::mt19937 rng_;
    const TempDir& dir_;
    int token_ = 0;
};

// What loading the file of `saved` into a fresh workspace must give.
Workspace ExpectedAfterLoading(Workspace saved, const Workspace& loaded) {
    SetAllParameterTypeTags(saved.parameters);
    if (!saved.inputFiles.empty()) {
        ShowInputFileOptions(saved, 0);
    } else {
        // The video controls are not stored; with no file to show they keep
        // the values of the fresh workspace.
        const WorkspaceOptions fresh;
        saved.options.videoClipSide = fresh.videoClipSide;
        saved.options.leftSide = fresh.leftSide;
        saved.options.rightSide = fresh.rightSide;
        saved.options.bothSides = fresh.bothSides;
    }
    // The name list is not stored: it comes from the first file and the bindings.
    saved.dataFieldNames = loaded.dataFieldNames;
    return saved;
}

TEST(SettingsRoundTrip, LoadingWhatWasSavedReproducesRandomWorkspaces) {
    SetDecimalSymbol(".");
    TempDir dir;
    RandomStudy study(20240611u, dir);
    for (int iteration = 0; iteration < 40; ++iteration) {
        SCOPED_TRACE("iteration " + std::to_string(iteration));
        Workspace original = study.Make(iteration);
        const std::string path = dir.PathOf("study" + std::to_string(iteration) + ".set");
        SaveSettings(original, path);
        EXPECT_EQ(original.options.directorySettingsFiles, FolderWithoutSeparator(dir.PathOf("")));

        ScriptedPrompt prompt;
        Workspace loaded;
        ASSERT_EQ(LoadSettings(path, loaded, prompt), SettingsLoadResult::Loaded)
            << (prompt.messages.empty() ? "" : prompt.LastText());
        EXPECT_TRUE(prompt.messages.empty()) << prompt.LastText();

        for (const std::string& bound : original.boundDataFields) {
            if (!bound.empty()) {
                EXPECT_TRUE(loaded.dataFieldNames.Contains(bound)) << bound;
            }
        }
        if (!original.inputFiles.empty()) {
            EXPECT_TRUE(loaded.dataFieldNames.Contains("Hips"));
        }
        const Workspace expected = ExpectedAfterLoading(original, loaded);
        EXPECT_TRUE(loaded.options == expected.options);
        EXPECT_EQ(loaded.inputFiles.size(), expected.inputFiles.size());
        for (std::size_t i = 0; i < loaded.inputFiles.size() && i < expected.inputFiles.size();
             ++i) {
            EXPECT_EQ(loaded.inputFiles[i].columns, expected.inputFiles[i].columns) << "file " << i;
            EXPECT_EQ(loaded.inputFiles[i].fullPath, expected.inputFiles[i].fullPath);
        }
        EXPECT_EQ(loaded.boundDataFields, expected.boundDataFields);
        EXPECT_EQ(loaded.userVariableNames, expected.userVariableNames);
        EXPECT_EQ(loaded.parameters, expected.parameters);
        EXPECT_TRUE(loaded == expected);

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
