#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "input/StoredOptionRules.h"
#include "params/Catalogue.h"
#include "support/SmallDataFile.h"
#include "support/TempDir.h"

namespace kivo::testing {

// Builds random workspaces whose input files exist in `dir`. For the
// settings store (`anyText`) texts may also hold double quotes, tabs and line
// breaks, and the show-warning flag varies.
class RandomStudy {
  public:
    RandomStudy(std::uint32_t seed, const TempDir& dir, bool anyText = false)
        : rng_(seed), dir_(dir), anyText_(anyText) {}

    Workspace Make(const std::string& folderName) {
        Workspace workspace;
        WorkspaceOptions& o = workspace.options;
        for (std::string* folder :
             {&o.directoryInputFiles, &o.directoryOutputFiles, &o.directoryVideoClips}) {
            *folder = Chance(2) ? "" : Chance(2) ? dir_.PathOf("") : "/tmp";
        }
        for (std::string* text :
             {&o.timeField, &o.prefix, &o.suffix, &o.extension, &o.statisticsFileName}) {
            *text = Text();
        }
        o.linesPerSec = OptionText(StoredOptionRule::FrameRate);
        o.skipLines = OptionText(StoredOptionRule::UseEvery);
        o.bodyHeight = OptionText(StoredOptionRule::BodyHeight);
        o.thresholdAngles = OptionText(StoredOptionRule::Threshold);
        o.thresholdDistances = OptionText(StoredOptionRule::Threshold);
        o.decimalPlaces = OptionText(StoredOptionRule::DecimalPlaces);
        o.camera = OptionText(StoredOptionRule::Camera);
        o.noOfLines = OptionText(StoredOptionRule::LinesPerPart);
        for (bool* state : {&o.distances, &o.distancesHeight, &o.distancesLength, &o.csvSeparator,
                            &o.tsvSeparator, &o.splitFile}) {
            *state = Chance(2);
        }
        if (anyText_)
            o.showWarning = Chance(2);
        std::filesystem::create_directories(dir_.PathOf(folderName));
        for (int i = 0, files = Pick(0, 4); i < files; ++i)
            workspace.inputFiles.push_back(MakeFile(folderName, i));
        for (std::string& field : workspace.boundDataFields)
            field = Chance(3) ? Text() : "";
        for (std::string& name : workspace.userVariableNames)
            name = Chance(4) ? Text() : "";
        for (int i = 0, rows = Pick(0, 30); i < rows; ++i)
            workspace.parameters.push_back(MakeParameter());
        return workspace;
    }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool Chance(int oneIn) { return Pick(1, oneIn) == 1; }

    // Any text a settings file can hold: blanks at the ends, commas, "#",
    // multi-byte characters; never a double quote or a line break (the store
    // holds those too).
    std::string Text() {
        static const std::vector<std::string> pieces = {
            "a", "Z",  "0",        "7",      ".",      ",",    " ",  "#", "x",  "/",    "\\",
            ";", "\t", "\xC3\xA9", "Hand R", "#TRUE#", "True", "-1", "'", "\"", "\r\n", "\n"};
        const int last = static_cast<int>(pieces.size()) - (anyText_ ? 1 : 4);
        std::string text;
        for (int i = 0, length = Pick(0, 6); i < length; ++i)
            text += pieces[static_cast<std::size_t>(Pick(0, last))];
        return text;
    }

    // A random text when the option's box would hold it as it is, otherwise
    // one the box holds (loading applies the rules of the boxes).
    std::string OptionText(StoredOptionRule rule) {
        std::string text = Text();
        const StoredOptionValue value = ApplyStoredOptionRule(rule, text);
        if (value.refusal.empty() && value.text == text)
            return text;
        static const std::map<StoredOptionRule, std::vector<std::string>> valid = {
            {StoredOptionRule::FrameRate, {"30", "120.0048", "1.5"}},
            {StoredOptionRule::UseEvery, {"1", "2", "7"}},
            {StoredOptionRule::BodyHeight, {"", "175", "172.5"}},
            {StoredOptionRule::DistanceOption, {"Height", "Length", "unmodified", "175.5"}},
            {StoredOptionRule::Threshold, {"0.25", "0.1", "3"}},
            {StoredOptionRule::DecimalPlaces, {"1", "3", "15"}},
            {StoredOptionRule::LinesPerPart, {"", "2", "500"}},
            {StoredOptionRule::Camera, {"", "1024x768/10/4000/40", "640X480/1/100/45"}}};
        const std::vector<std::string>& texts = valid.at(rule);
        return texts[static_cast<std::size_t>(Pick(0, static_cast<int>(texts.size()) - 1))];
    }

    // Files of different time labels and rates; names that the naming rule
    // makes partners ("s0.A.csv" and "s0.B.csv") and some that it does not.
    InputFileRow MakeFile(const std::string& folderName, int index) {
        static const char* const labels[] = {"Time", "Zeit", "T s", "Time [sec]"};
        static const char* const tokens[2][3] = {{"A", "L", "take"}, {"B", "R", "take2"}};
        if (index % 2 == 0)
            token_ = Pick(0, 2);
        const std::string name =
            "s" + std::to_string(index / 2) + "." + tokens[index % 2][token_] + ".csv";
        const std::string label = labels[Pick(0, 3)];
        const bool fast = Chance(2);
        WriteSmallDataFile(dir_, folderName + "/" + name, label, fast ? "0.008333" : "0.01");
        InputFileRow row;
        for (int column = 0; column < kInputFileColumnCount; ++column) {
            const StoredOptionRule rule = RuleOfInputFileColumn(column);
            row[column] = rule == StoredOptionRule::None ? Text() : OptionText(rule);
        }
        const auto camera = SplitCameraText(OptionText(StoredOptionRule::Camera));
        for (int i = 0; i < 4; ++i)
            row[kColResolution + i] = camera[static_cast<std::size_t>(i)];
        row[kColFileName] = name;
        row[kColPartnerFile] = Chance(2) ? "No" : Text();
        row[kColTimeField] = label;
        if (!Chance(4))  // mostly the file's own rate, so that the naming rule pairs files
            row[kColFramesPerSec] = fast ? "120.0048" : "100";
        row[kColDirectory] = WithTrailingSeparator(dir_.PathOf(folderName));
        row.fullPath = row[kColDirectory] + name;
        return row;
    }

    ParameterDefinition MakeParameter() {
        ParameterDefinition row;
        const auto& catalogue = Catalogue();
        row.function =
            Chance(5)
                ? Text()
                : std::string(
                      catalogue[static_cast<std::size_t>(Pick(0, kFunctionCount - 1))].displayName);
        for (std::string* text : {&row.name, &row.variables})
            *text = Text();
        for (std::string* text : {&row.target, &row.referenceSystem})  // often empty
            *text = Chance(2) ? "" : Text();
        for (std::string* flag : {&row.output, &row.statistics, &row.dynamic})
            *flag = Chance(2) ? "x" : (Chance(4) ? Text() : "");
        row.enabled = !Chance(3);
        return row;
    }

    std::mt19937 rng_;
    const TempDir& dir_;
    bool anyText_;
    int token_ = 0;
};

// What loading `saved` (from a settings file or the store) into a fresh
// workspace must give.
inline Workspace ExpectedAfterLoading(Workspace saved, const Workspace& loaded) {
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

}  // namespace kivo::testing
