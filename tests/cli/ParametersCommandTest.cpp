#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/Text.h"
#include "support/CliRun.h"

namespace kivo {
namespace {

using testing::ListedCaptions;
using testing::RunKivo;
using testing::TempDir;

// The default list as an aligned table, shortened to the terminal's width or in full.
TEST(ParametersCommand, ListsTheDefaultListAsATableFittedToTheTerminal) {
    TempDir dir;
    const auto result = RunKivo({"parameters", "--default", "--wide"}, dir, "COLUMNS=100");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> lines = SplitToStrings(result.out, '\n');
    ASSERT_EQ(lines.size(), 167u);  // the header, 165 rows and the last line's end
    EXPECT_TRUE(lines[1].starts_with("1    Global Static SRL Hips ")) << lines[1];
    // Every row's function starts where the header's does.
    const std::size_t functionColumn = lines[0].find("Calculation Function");
    EXPECT_EQ(lines[165].compare(0, 28, "165  Video Pixel Difference "), 0) << lines[165];
    EXPECT_EQ(lines[165].compare(functionColumn, 17, "Pixel Difference "), 0);
    EXPECT_TRUE(testing::Contains(result.out, "Hand R O,Hand R F,Hand R I  Hips,Chest,Head,"));

    const auto narrow = RunKivo({"parameters", "--default"}, dir, "COLUMNS=100");
    for (const std::string& line : SplitToStrings(narrow.out, '\n')) {
        const auto characters =
            std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; });
        EXPECT_LE(characters, 100) << line;
    }
    EXPECT_TRUE(testing::Contains(narrow.out, "\n126  Dyadic P…  Dyadic Pr…  Hips,Ches…"));
    const auto nothing = RunKivo({"parameters"}, dir);
    EXPECT_EQ(nothing.exitCode, 64);
    EXPECT_EQ(nothing.out, "");
}

TEST(ParametersCommand, PrintsTheCaptionsTheDefaultListCompilesTo) {
    TempDir dir;
    const auto result = RunKivo({"parameters", "--default", "--captions"}, dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto columns = ListedCaptions(result.out, "Output file columns:");
    ASSERT_GE(columns.size(), 3u);
    EXPECT_EQ(columns[0], "Time");
    EXPECT_EQ(columns[1], "Frame");
    EXPECT_EQ(columns[2], "Global Static SRL Hips Sagittal");
    const auto statistics = ListedCaptions(result.out, "Statistics file columns:");
    ASSERT_GE(statistics.size(), 3u);
    EXPECT_EQ(statistics[0], "File Name");
    EXPECT_EQ(statistics[1], "Partner File");
    EXPECT_EQ(statistics[2], "M Global Static SRL Hips Sagittal");

    // Units follow the function of each column and the distance option.
    const auto units = ListedCaptions(result.out, "Output file columns:", true);
    const auto statisticsUnits = ListedCaptions(result.out, "Statistics file columns:", true);
    ASSERT_EQ(units.size(), columns.size());
    ASSERT_EQ(statisticsUnits.size(), statistics.size());
    const auto unitOf = [](const std::vector<std::string>& captions,
                           const std::vector<std::string>& listed, const std::string& caption) {
        const auto at = std::find(captions.begin(), captions.end(), caption);
        return at == captions.end() ? "(no column " + caption + ")"
                                    : listed[static_cast<std::size_t>(at - captions.begin())];
    };
    const std::pair<const char*, const char*> expected[] = {
        {"Time", "seconds"},
        {"Global Static SRL Hips Sagittal", "degrees"},
        {"Joint Complexity Body", "count"},
        {"Translational Magnitude Body", "percent of body height"},
        {"Dyadic Proxemics Heads", "percent of body height"},
        {"Dyadic Global Dynamic Magnitude Body: Percentage Contribution of A", "percent"},
    };
    for (const auto& [caption, unit] : expected)
        EXPECT_EQ(unitOf(columns, units, caption), unit) << caption;
    EXPECT_EQ(unitOf(statistics, statisticsUnits, "TSM Body (only A)"), "percent");
    EXPECT_EQ(unitOf(statistics, statisticsUnits,
                     "Activation Body: Average Duration of Pause Phases (seconds)"),
              "seconds");
    for (std::size_t i = 2; i < units.size(); ++i)
        EXPECT_NE(units[i], "") << columns[i];
}

// The parameter page's rules decide; a refused edit leaves the file as it was.
TEST(ParametersCommand, EditsTheListThroughTheEditorRules) {
    TempDir dir;
    for (const char* name : {"study.set", "dyad.A.csv", "dyad.B.csv"}) {
        std::filesystem::copy_file(std::string(KIVO_EXAMPLES_DIR) + "/" + name, dir.PathOf(name));
    }
    const auto only = RunKivo({"parameters", "study.set", "--only", "Dyadic Proxemics Body"}, dir);
    ASSERT_EQ(only.exitCode, 0) << only.err;
    EXPECT_EQ(only.out, "study.set: 1 of 165 parameters enabled\n");
    ASSERT_EQ(RunKivo({"run", "study.set", "--output-dir", "out", "--quiet"}, dir).exitCode, 0);
    const std::string output = testing::ReadFileText(dir.PathOf("out/dyad.A.csv"));
    EXPECT_EQ(output.substr(0, output.find('\r')), "Time;Frame;Dyadic Proxemics Body");

    const std::string saved = testing::ReadFileText(dir.PathOf("study.set"));
    const auto refused = RunKivo({"parameters", "study.set", "--enable", "TSM Body"}, dir);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(testing::Contains(refused.err,
                                  "The calculation of the nonverbal parameter 'TSM Body' requires "
                                  "the calculation of the nonverbal parameter 'Complexity Body'."))
        << refused.err;
    const auto unknown = RunKivo({"parameters", "study.set", "--output", "on", "Nobody"}, dir);
    EXPECT_TRUE(testing::Contains(unknown.err, "study.set has no parameter 'Nobody'"));
    EXPECT_EQ(testing::ReadFileText(dir.PathOf("study.set")), saved);

    const auto more = RunKivo(
        {"parameters", "study.set", "--only", "126", "TSM Head", "--dynamic", "on", "TSM Head"},
        dir);
    ASSERT_EQ(more.exitCode, 0) << more.err;
    const auto listing = RunKivo({"parameters", "study.set", "--captions"}, dir);
    const auto columns = ListedCaptions(listing.out, "Statistics file columns:");
    EXPECT_NE(std::find(columns.begin(), columns.end(), "D TSM Head"), columns.end());
}

}  // namespace
}  // namespace kivo
