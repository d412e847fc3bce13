#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "CompileTestSupport.h"
#include "params/DefaultParameterList.h"

namespace kivo {
namespace {

std::vector<ParameterDefinition> DefaultList() {
    std::vector<ParameterDefinition> rows;
    CreateDefaultParameterList(rows);
    return rows;
}

const char* const kL33 =
    "Hips,Chest,Head,Arm L,Elbow L,Hand L,Leg L,Knee L,Foot L,Arm R,Elbow R,Hand R,Leg R,Knee R,"
    "Foot R,Chin,Top,Bottom,Nose,Ear R,Ear L,Chest L,Chest M,Chest R,Hips L,Hips M,Hips R,Hand L O,"
    "Hand L F,Hand L I,Hand R O,Hand R F,Hand R I";

TEST(DefaultParameterList, Has165RowsOfWhichOnlyTheLastFourAreDisabled) {
    const std::vector<ParameterDefinition> rows = DefaultList();
    ASSERT_EQ(rows.size(), 165u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].enabled, i < 161) << rows[i].name;
        EXPECT_EQ(rows[i].dynamic, "") << rows[i].name;
        EXPECT_EQ(rows[i].typeTag, TypeTagOf(rows[i].function)) << rows[i].name;
        EXPECT_NE(rows[i].typeTag, "00") << rows[i].name;
    }
}

TEST(DefaultParameterList, ReplacesWhatTheListHeld) {
    std::vector<ParameterDefinition> rows(3);
    CreateDefaultParameterList(rows);
    EXPECT_EQ(rows.size(), 165u);
    EXPECT_EQ(rows[0].name, "Global Static SRL Hips");
}

struct ExpectedRow {
    int position;
    const char* name;
    const char* function;
    const char* variables;
    const char* target;
    const char* referenceSystem;
    const char* output;
    const char* statistics;
    bool enabled;

    friend void PrintTo(const ExpectedRow& e, std::ostream* out) { *out << e.name; }
};

class DefaultRow : public ::testing::TestWithParam<ExpectedRow> {};

TEST_P(DefaultRow, MatchesTheShippedDefinition) {
    const std::vector<ParameterDefinition> rows = DefaultList();
    const ExpectedRow& e = GetParam();
    const ParameterDefinition& row = rows.at(static_cast<std::size_t>(e.position - 1));
    EXPECT_EQ(row.name, e.name);
    EXPECT_EQ(row.function, e.function);
    EXPECT_EQ(row.variables, e.variables);
    EXPECT_EQ(row.target, e.target);
    EXPECT_EQ(row.referenceSystem, e.referenceSystem);
    EXPECT_EQ(row.output, e.output);
    EXPECT_EQ(row.statistics, e.statistics);
    EXPECT_EQ(row.enabled, e.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DefaultRow,
    ::testing::Values(
        ExpectedRow{1, "Global Static SRL Hips", "Static SRL", "Hips", "", "Base", "x", "x", true},
        ExpectedRow{4, "Global Static SRL Arm L", "Static SRL", "Arm L", "", "Base", "", "", true},
        ExpectedRow{16, "Local Static SRL Hips", "Static SRL", "Hips", "", "Base", "x", "x", true},
        ExpectedRow{21, "Local Static SRL Hand L", "Static SRL", "Hand L", "", "Elbow L", "x", "x",
                    true},
        ExpectedRow{31, "Global Dynamic SRL Hips", "Dynamic SRL", "Hips", "", "", "x", "x", true},
        ExpectedRow{48, "Local Dynamic SRL Head", "Dynamic SRL", "Head", "", "Chest", "x", "x",
                    true},
        ExpectedRow{61, "Complexity Body", "Complexity",
                    "Hips,Chest,Head,Arm L,Arm R,Elbow L,Elbow R,Hand L,Hand R,Leg L,Leg R,Knee "
                    "L,Knee R,Foot L,Foot R",
                    "", "", "x", "x", true},
        ExpectedRow{69, "TSM Upper Extremities", "TSM", "Complexity Upper Extremities", "", "", "",
                    "x", true},
        ExpectedRow{76, "Activation Body", "Activation", "Magnitude Body", "", "", "", "x", true},
        ExpectedRow{84, "Symmetry Upper Extremities", "Addition",
                    "Symmetry Hands,Symmetry Elbows,Symmetry Shoulders", "", "", "x", "x", true},
        ExpectedRow{115, "Openness Lower Extremities", "Openness", "Distance Knees,Distance Feet",
                    "Folded Legs,Crossed Legs", "", "x", "x", true},
        ExpectedRow{121, "Direction Hand L", "Direction (forward)", "Hand L I,Hand L F,Hand L O",
                    "Chest", "", "x", "x", true},
        ExpectedRow{126, "Dyadic Proxemics Body", "Dyadic Proxemics", kL33, kL33, "", "x", "x",
                    true},
        ExpectedRow{134, "Dyadic Touch Body", "Less Than", "Dyadic Proxemics Body",
                    "Hand R,Hand R F", "", "x", "x", true},
        ExpectedRow{136, "Dyadic Touch HandL", "Less Than", "Dyadic Proxemics HandL",
                    "Hand R,Hand R F", "", "", "", true},
        ExpectedRow{138, "Dyadic Complexity Body", "Dyadic Parameter", "Complexity Body", "", "",
                    "x", "x", true},
        ExpectedRow{161, "Dyadic Openness All Extremities", "Dyadic Parameter",
                    "Openness All Extremities", "", "", "x", "x", true},
        ExpectedRow{162, "Camera Angle", "Static SRL", "Camera", "", "", "x", "x", false},
        ExpectedRow{165, "Video Pixel Difference", "Pixel Difference", "", "", "", "x", "x",
                    false}),
    [](const auto& testInfo) { return "Row" + std::to_string(testInfo.param.position); });

TEST(DefaultParameterList, CompilesWithTheFixedInputVariables) {
    testing::Compilation c(DefaultList());
    ASSERT_FALSE(c.outcome.failed) << c.prompt.LastText();
    EXPECT_TRUE(c.prompt.messages.empty());
    ASSERT_EQ(c.array.size(), 166u);
    EXPECT_EQ(c[1].valueCaptions.front(), "Global Static SRL Hips Sagittal");
    EXPECT_EQ(c[61].variableIndices.size(), 30u);
    EXPECT_EQ(c[138].nValues, 16);
    EXPECT_TRUE(c[61].partnerFlag);  // through TSM Body and Dyadic Complexity Body
    EXPECT_TRUE(c[31].partnerFlag);
    EXPECT_FALSE(c[1].partnerFlag);
    EXPECT_EQ(c[134].targetIndices, (std::vector<int>{12, 32}));
    EXPECT_FALSE(c[162].enabled);
    EXPECT_TRUE(c[162].valueCaptions.empty());
}

TEST(AddLocalSRLParameters, RelatesEachBodyPartToItsParent) {
    std::vector<ParameterDefinition> rows;
    AddLocalSRLParameters(rows, "Dynamic SRL");
    ASSERT_EQ(rows.size(), 15u);
    const char* const parents[] = {"Base",    "Hips",    "Chest", "Chest",  "Arm L",
                                   "Elbow L", "Hips",    "Leg L", "Knee L", "Chest",
                                   "Arm R",   "Elbow R", "Hips",  "Leg R",  "Knee R"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].referenceSystem, parents[i]) << rows[i].name;
        EXPECT_EQ(rows[i].name, "Local Dynamic SRL " + rows[i].variables);
    }
    EXPECT_TRUE(rows[0].typeTag.empty());  // tags are set once the whole list is built
}

}  // namespace
}  // namespace kivo
