#include <gtest/gtest.h>

#include <algorithm>
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

TEST(ParametersCommand, ListsTheDefaultListAsAnAlignedTableOf165Rows) {
    TempDir dir;
    const auto result = RunKivo({"parameters", "--default"}, dir);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> lines = SplitToStrings(result.out, '\n');
    ASSERT_EQ(lines.back(), "");
    lines.pop_back();
    ASSERT_EQ(lines.size(), 166u);
    EXPECT_TRUE(lines[0].starts_with("Pos  Parameter Name")) << lines[0];
    EXPECT_TRUE(lines[1].starts_with("1    Global Static SRL Hips ")) << lines[1];
    EXPECT_TRUE(lines[165].starts_with("165  Video Pixel Difference ")) << lines[165];
    // Every row's function starts where the header's does.
    const std::size_t functionColumn = lines[0].find("Calculation Function");
    EXPECT_EQ(lines[1].compare(functionColumn, 11, "Static SRL "), 0);
    EXPECT_EQ(lines[165].compare(functionColumn, 17, "Pixel Difference "), 0);
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

TEST(ParametersCommand, NeedsAListToShow) {
    TempDir dir;
    const auto result = RunKivo({"parameters"}, dir);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, "");
}

}  // namespace
}  // namespace kivo
