#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "CompileTestSupport.h"
#include "params/DefaultParameterList.h"
#include "params/ParameterListCompilation.h"

namespace kivo {
namespace {

using testing::Compilation;
using testing::Disabled;
using testing::Row;
using testing::WithDynamic;

// Global and local Dynamic SRL rows of one body part.
std::vector<ParameterDefinition> DynamicSRLRows(const std::string& bodyPart,
                                                const std::string& parent) {
    return {Row("Global " + bodyPart, "Dynamic SRL", bodyPart),
            Row("Local " + bodyPart, "Dynamic SRL", bodyPart, "", parent)};
}

TEST(DyadicParameter, OverStaticSRLHasTwelveColumnsAndMarksItsInputForPersonB) {
    Compilation c({Row("Pelvis", "Static SRL", "Hips", "", "Base"),
                   WithDynamic(Row("Dyadic Pelvis", "Dyadic Parameter", "Pelvis"))});
    ASSERT_FALSE(c.outcome.failed);
    EXPECT_EQ(c[2].nValues, 12);
    ASSERT_EQ(c[2].valueCaptions.size(), 24u);
    EXPECT_EQ(c[2].valueCaptions[0], "Dyadic Pelvis Sagittal: Common Expression (A and B)");
    EXPECT_EQ(c[2].valueCaptions[1], "D Dyadic Pelvis Sagittal: Common Expression (A and B)");
    EXPECT_EQ(c[2].valueCaptions[22], "Dyadic Pelvis Lateral: Net Percentage Contribution of A");
    EXPECT_TRUE(c[1].partnerFlag);
    EXPECT_EQ(c[1].currentValues.size(), 6u);  // three columns for two persons
    EXPECT_FALSE(c[2].partnerFlag);
}

TEST(DyadicParameter, AChainBeyondTheValueColumnLimitIsRefusedAtItsRow) {
    std::vector<ParameterDefinition> rows = {Row("Dyadic 0", "Static SRL", "Hips")};
    for (int level = 1; level <= 6; ++level) {
        rows.push_back(Row("Dyadic " + std::to_string(level), "Dyadic Parameter",
                           "Dyadic " + std::to_string(level - 1)));
    }
    Compilation c(rows);
    EXPECT_TRUE(c.outcome.failed);
    EXPECT_EQ(c.outcome.failedRow, 7);
    EXPECT_EQ(c[6].nValues, 3072);
    EXPECT_NE(c.prompt.LastText().find("'Dyadic 6' would have more than 4096 value columns"),
              std::string::npos)
        << c.prompt.LastText();
}

TEST(TSM, IsComputedForBothPersonsWithEverythingItUses) {
    std::vector<ParameterDefinition> rows = DynamicSRLRows("Hips", "Base");
    rows.push_back(Row("Complexity Hips", "Complexity", "Hips"));
    rows.push_back(Row("TSM Hips", "TSM", "Complexity Hips"));
    rows.push_back(Row("Unrelated", "Static SRL", "Head"));
    Compilation c(rows);
    ASSERT_FALSE(c.outcome.failed);
    for (int position : {1, 2, 3, 4})
        EXPECT_TRUE(c[position].partnerFlag) << position;
    EXPECT_FALSE(c[5].partnerFlag);
    EXPECT_EQ(c[3].currentValues.size(), 8u);
    // Three value columns are one too few.
    EXPECT_TRUE(Compilation({Row("Pelvis", "Static SRL", "Hips"), Row("T", "TSM", "Pelvis")})
                    .outcome.failed);
}

// The threshold 1 is a number, not row 1.
TEST(MarkForPartner, FollowsRowTargetsButNotNumbers) {
    Compilation c(
        {Row("Unused", "Distance", "Head", "Hips"), Row("A", "Distance", "Hand L", "Hand R"),
         Row("B", "Distance", "Foot L", "Foot R"), Row("A minus B", "Subtraction", "B", "A"),
         Row("Below 1", "Less Than", "A minus B", "1"),
         Row("Dyadic", "Dyadic Parameter", "Below 1")});
    ASSERT_FALSE(c.outcome.failed);
    for (int position : {1, 2, 3, 4, 5})
        EXPECT_EQ(c[position].partnerFlag, position > 1) << position;
}

// Addition over rows of three and one columns has one column, of its name; over
// two disabled rows it has none at all.
TEST(ValueColumns, FollowTheOperandsOfAnAddition) {
    Compilation c({Row("Pelvis", "Static SRL", "Hips"), Row("Gap", "Distance", "Hand L", "Hand R"),
                   Row("Sum", "Addition", "Pelvis,Gap"), Disabled(Row("Off", "Static SRL", "Hips")),
                   Disabled(Row("Off 2", "Distance", "Hand L", "Hand R")),
                   WithDynamic(Row("Nothing", "Addition", "Off,Off 2"))});
    ASSERT_FALSE(c.outcome.failed);
    EXPECT_EQ(c[3].valueCaptions, std::vector<std::string>{"Sum"});
    EXPECT_EQ(c[6].nValues, 0);
    EXPECT_TRUE(c[6].valueCaptions.empty() && c[6].statisticsCaptions.empty());
    EXPECT_TRUE(c[6].currentValues.empty() && c[6].valueAccumulators.empty());
    EXPECT_TRUE(c[6].dAccumulators.empty());
    // Without split mode no part sums are kept.
    EXPECT_TRUE(c[2].partSums.empty() && c[2].partCounts.empty() && c[2].dAccumulators.empty());
}

// Operand captions are read at their plain positions also when the operand
// has Dynamic set (its captions alternate plain and "D ").
TEST(CompositeCaptions, JoinThePlainCaptionsOfEachColumn) {
    Compilation c({WithDynamic(Row("A", "Static SRL", "Hips")), Row("B", "Static SRL", "Chest"),
                   Row("Sum", "Addition", "A,B"), Row("Diff", "Subtraction", "B", "A"),
                   Row("Prod", "Multiplication", "A,B"), Row("Quot", "Division", "A,B", "B"),
                   Row("Dyn", "Dynamic Parameter", "A"), Row("Abs", "Absolute Value", "A,B"),
                   Row("Low", "Less Than", "A", "5"),
                   Row("High", "Greater Than", "B", "Hand R,Hand R F"),
                   Row("Dyadic A", "Dyadic Parameter", "A")});
    ASSERT_FALSE(c.outcome.failed);
    EXPECT_EQ(c[3].valueCaptions[1], "Sum: 'A Rotational' plus 'B Rotational'");
    EXPECT_EQ(c[4].valueCaptions[2], "Diff: 'A Lateral' minus 'B Lateral'");
    EXPECT_EQ(c[5].valueCaptions[0], "Prod: 'A Sagittal' times 'B Sagittal'");
    EXPECT_EQ(c[6].valueCaptions[0], "Quot: 'B Sagittal' by 'A Sagittal' by 'B Sagittal'");
    EXPECT_EQ(c[7].valueCaptions[2], "Dyn: 'A Lateral' (Dynamic)");
    EXPECT_EQ(c[8].valueCaptions[1], "Abs: 'A Rotational' (Absolute Value)");
    EXPECT_EQ(c[9].valueCaptions[0], "Low: 'A Sagittal' Less Than 5");
    EXPECT_EQ(c[10].valueCaptions[0], "High: 'B Sagittal' Greater Than Hand R,Hand R F");
    EXPECT_EQ(c[11].valueCaptions[4], "Dyadic A Rotational: Common Expression (A and B)");
}

TEST(StatisticsCaptions, ListAllPlainColumnsBeforeTheirDifferences) {
    Compilation c({WithDynamic(Row("Dir", "Direction (forward)", "Ear L,Nose,Ear R", "Nose"))});
    ASSERT_FALSE(c.outcome.failed);
    const std::vector<std::string> values = {"Dir: 3D Deviation",
                                             "D Dir: 3D Deviation",
                                             "Dir: 2D Deviation Horizontal",
                                             "D Dir: 2D Deviation Horizontal",
                                             "Dir: 2D Deviation Vertical",
                                             "D Dir: 2D Deviation Vertical"};
    EXPECT_EQ(c[1].valueCaptions, values);
    const auto& stats = c[1].statisticsCaptions;
    ASSERT_EQ(c[1].nStatCaptions, 24);
    ASSERT_EQ(stats.size(), 24u);
    EXPECT_EQ(stats[0], "M Dir: 3D Deviation");
    EXPECT_EQ(stats[3], "MAX Dir: 3D Deviation");
    EXPECT_EQ(stats[4], "M Dir: 2D Deviation Horizontal");
    EXPECT_EQ(stats[11], "MAX Dir: 2D Deviation Vertical");
    EXPECT_EQ(stats[12], "M D Dir: 3D Deviation");
    EXPECT_EQ(stats[17], "SD D Dir: 2D Deviation Horizontal");
    EXPECT_EQ(stats[23], "MAX D Dir: 2D Deviation Vertical");
}

// Movement, video, TSM and Activation rows: their statistics captions, and
// accumulators with the counters their statistics need (part sums in split mode).
TEST(StatisticsCaptions, UseTheMovementPrefixesAndFixedCaptionsOfTSMAndActivation) {
    std::vector<ParameterDefinition> rows = DynamicSRLRows("Hips", "Base");
    rows.push_back(WithDynamic(Row("Cx", "Complexity", "Hips")));
    rows.push_back(WithDynamic(Row("Mg", "Magnitude", "Hips")));
    rows.push_back(WithDynamic(Row("Video", "Pixel Difference", "")));
    rows.push_back(WithDynamic(Row("T", "TSM", "Cx")));
    rows.push_back(WithDynamic(Row("Act", "Activation", "Mg")));
    rows.push_back(WithDynamic(Row("Gap", "Distance", "Hand L", "Hand R")));
    Compilation c(rows, true);
    ASSERT_FALSE(c.outcome.failed) << c.prompt.LastText();
    EXPECT_EQ(c[3].statisticsCaptions[0], "CBM Global Dynamic Cx");
    EXPECT_EQ(c[3].statisticsCaptions[7], "CAP Joint Cx");
    EXPECT_EQ(c[4].statisticsCaptions[5], "MAP Translational Mg");
    EXPECT_EQ(c[5].statisticsCaptions,
              (std::vector<std::string>{"MBM Video", "MAP Video", "MBM D Video", "MAP D Video"}));
    EXPECT_EQ(c[6].statisticsCaptions,
              (std::vector<std::string>{"T", "T (only A)", "T (only B)", "T (A and B)",
                                        "T (A and/or B)", "D T", "D T (only A)", "D T (only B)",
                                        "D T (A and B)", "D T (A and/or B)"}));
    ASSERT_EQ(c[7].nStatCaptions, 7);
    EXPECT_EQ(c[7].statisticsCaptions[0], "Act: Number of Movement Phases");
    EXPECT_EQ(c[7].statisticsCaptions[6],
              "Act: Average Decelaration of Movements (per second squared)");
    const std::size_t counters[][2] = {{2, 2}, {2, 2}, {2, 2}, {7, 7}, {8, 2}, {1, 1}};
    for (int position = 3; position <= 8; ++position) {
        const ParameterRecord& record = c[position];
        const auto values = static_cast<std::size_t>(record.nValues);
        EXPECT_EQ(record.valueAccumulators.at(0).counters.size(), counters[position - 3][0])
            << position;
        EXPECT_EQ(record.dAccumulators.at(0).counters.size(), counters[position - 3][1])
            << position;
        EXPECT_EQ(record.partSums.size(), values) << position;
        EXPECT_EQ(record.partCounts.size(), values) << position;
    }
}

// Disabled rows, and a function outside the catalogue, compile to empty records.
TEST(DisabledRows, CompileToEmptyRecords) {
    Compilation c({Disabled(Row("Hips", "Static SRL", "Hips", "", "Base")),
                   Disabled(Row("Sum", "Addition", "Hips")),
                   Disabled(Row("Typo", "Addition", "Nowhere")), Row("Odd", "Static srl", "Hips")});
    ASSERT_FALSE(c.outcome.failed);
    ASSERT_EQ(c.array.size(), 5u);
    for (int position = 1; position <= 4; ++position) {
        const ParameterRecord& record = c[position];
        EXPECT_EQ(record.enabled, position == 4);
        EXPECT_EQ(record.functionIndex, 0);
        EXPECT_EQ(record.nValues, 0);
        EXPECT_EQ(record.variableIndices.empty(), position < 4);
        EXPECT_TRUE(record.valueCaptions.empty());
    }
    EXPECT_EQ(c.rows[3].typeTag, "00");
    EXPECT_TRUE(c.prompt.messages.empty());
}

TEST(DynamicSRLRows, MissingOnesStopComplexityWithTheDynamicSRLMessage) {
    std::vector<ParameterDefinition> rows = DynamicSRLRows("Hips", "Base");
    rows[0].enabled = false;
    rows[1].enabled = false;
    rows.push_back(Row("Complexity Hips", "Complexity", "Hips"));
    Compilation c(rows);
    EXPECT_TRUE(c.outcome.failed);
    EXPECT_EQ(c.outcome.failedRow, 3);
    EXPECT_EQ(c.outcome.focus.page, FocusPage::None);
    ASSERT_EQ(c.prompt.messages.size(), 1u);
    EXPECT_EQ(c.prompt.messages[0].text,
              "The calculation of the nonverbal parameter 'Complexity Hips' requires the "
              "calculation of the Global Dynamic SRL and the Local Dynamic SRL parameters of the "
              "body part 'Hips'.");
    EXPECT_EQ(c.prompt.messages[0].icon, PromptIcon::Critical);
    EXPECT_EQ(c.prompt.messages[0].title, "Kivo");
}

TEST(DynamicSRLRows, TheLowestGlobalAndLocalRowsAreUsed) {
    std::vector<ParameterDefinition> rows = DynamicSRLRows("Hips", "Base");
    rows.push_back(Row("Global Hips again", "Dynamic SRL", "Hips"));
    rows.push_back(Row("Chest", "Dynamic SRL", "Chest"));
    rows.push_back(Row("Chest local", "Dynamic SRL", "Chest", "", "Hips"));
    rows.push_back(Row("Magnitude", "Magnitude", "Hips,Chest"));
    Compilation c(rows);
    ASSERT_FALSE(c.outcome.failed);
    EXPECT_EQ(c[6].nVariables, 4);
    EXPECT_EQ(c[6].variableIndices, (std::vector<int>{3, 4, 2, 5}));
    EXPECT_EQ(c[6].baseFunction, 2);
}

// A name is a row only when that row stands above: a later row and the row
// itself are undefined variables.
TEST(FindPrecedingParameter, TakesTheFirstRowOfTheNameOnlyWhenItStandsAbove) {
    const std::vector<ParameterDefinition> rows = {
        Row("A", "Addition", ""), Row("B", "Addition", ""), Row("A", "Addition", "")};
    EXPECT_EQ(FindPrecedingParameter(rows, "A", 4), 1);
    EXPECT_EQ(FindPrecedingParameter(rows, "B", 3), 2);
    EXPECT_EQ(FindPrecedingParameter(rows, "B", 2), 0);
    EXPECT_EQ(FindPrecedingParameter(rows, "C", 4), 0);
    Compilation later({Row("Sum", "Addition", "Gap"), Row("Gap", "Distance", "Hand L", "Hand R")});
    EXPECT_EQ(later.outcome.failedRow, 1);
    Compilation itself({Row("Sum", "Addition", "Sum")});
    EXPECT_NE(itself.prompt.LastText().find("undefined variable 'Sum'"), std::string::npos);
}

TEST(InputVariables, UnnamedOnesMatchNoNameUntilRestored) {
    InputVariableTable table;
    table[36].name = "Cup";
    DataFieldBindings bindings;
    bindings[1] = "Pelvis";
    bindings[36] = "Mug";
    bindings[37] = "Unused";
    testing::ScriptedPrompt prompt;
    ParameterArray array;
    const std::vector<ParameterDefinition> rows = {Row("Cup gap", "Distance", "Cup", "Hips")};
    EXPECT_FALSE(InitParameterListArray(array, rows, table, bindings, false, prompt).failed);
    EXPECT_EQ(array[1].variableIndices, std::vector<int>{36});
    EXPECT_EQ(table[1].dataFieldName, "Pelvis");
    EXPECT_EQ(table[36].dataFieldName, "Mug");
    EXPECT_EQ(table[37].dataFieldName, "");
    EXPECT_EQ(table[37].name, kUnnamedMarker);
    EXPECT_EQ(table.GetInputVariableIndex(""), kNotAnInputVariable);
    RestoreUnnamedInputVariables(table);
    EXPECT_EQ(table[37].name, "");
    EXPECT_EQ(table[36].name, "Cup");
}

TEST(BaseFunction, FollowsTheFirstVariableThroughDerivedRows) {
    std::vector<ParameterDefinition> rows = DynamicSRLRows("Hips", "Base");
    rows.push_back(Row("Cx", "Complexity", "Hips"));
    rows.push_back(Row("Gap", "Distance", "Hand L", "Hand R"));
    rows.push_back(Row("Sum", "Addition", "Cx,Gap"));
    rows.push_back(Row("Other sum", "Addition", "Gap,Cx"));
    rows.push_back(Row("Change", "Dynamic Parameter", "Sum"));
    Compilation c(rows);
    ASSERT_FALSE(c.outcome.failed);
    EXPECT_EQ(c[3].baseFunction, 2);
    EXPECT_EQ(c[5].baseFunction, 2);
    EXPECT_EQ(c[6].baseFunction, 11);
    EXPECT_EQ(c[7].baseFunction, 2);
    EXPECT_EQ(c[7].functionIndex, 18);
}

// Numbers are rounded half to even; two input variables are a threshold.
// Only a lower-case x sets a flag.
TEST(Targets, AreWholeNumbersOrTwoInputVariables) {
    ParameterDefinition gap = Row("Gap", "Distance", "Hand L", "Hand R");
    gap.output = "X";
    gap.statistics = " x";
    gap.dynamic = "x";
    Compilation c({gap, Row("Low", "Less Than", "Gap", "2.5"),
                   Row("High", "Greater Than", "Gap", "3.5"),
                   Row("Touch", "Less Than", "Gap", "Hand R,Hand R F")});
    ASSERT_FALSE(c.outcome.failed);
    EXPECT_EQ(c[2].targetIndices, std::vector<int>{2});
    EXPECT_FALSE(c[2].targetsAreInputVariables);
    EXPECT_EQ(c[3].targetIndices, std::vector<int>{4});
    EXPECT_TRUE(c[4].targetsAreInputVariables);
    EXPECT_EQ(c[4].targetIndices, (std::vector<int>{12, 32}));
    EXPECT_EQ(c[1].referenceSystem, kNotAnInputVariable);
    EXPECT_FALSE(c[1].output || c[1].statistics);
    EXPECT_TRUE(c[1].dynamic);
    Compilation beyond(
        {Row("Gap", "Distance", "Hand L", "Hand R"), Row("Low", "Less Than", "Gap", "40000")});
    EXPECT_TRUE(beyond.outcome.failed);
    EXPECT_EQ(beyond.prompt.LastText(),
              "Error No. 6 in subroutine 'InitParameterListArray': \r\n\r\nOverflow");
}

struct RejectedCase {
    const char* label;
    ParameterDefinition row;
    const char* message;  // the message or a part of it; empty to check only the row and page

    friend void PrintTo(const RejectedCase& c, std::ostream* out) { *out << c.label; }
};

class RejectedOperand : public ::testing::TestWithParam<RejectedCase> {};

// Rows 1 to 3 are valid; the row under test is row 4. An undefined name
// points at the data-fields page, anything else at the parameters page.
TEST_P(RejectedOperand, StopsTheCompilationAtItsRow) {
    std::vector<ParameterDefinition> rows = {
        Row("Gap", "Distance", "Hand L", "Hand R"),
        Row("Folded", "Folded", "Hand L,Elbow L", "Hand R,Elbow R"),
        Disabled(Row("Off", "Distance", "Foot L", "Foot R"))};
    rows.push_back(GetParam().row);
    Compilation c(rows);
    EXPECT_TRUE(c.outcome.failed);
    EXPECT_EQ(c.outcome.failedRow, 4);
    EXPECT_EQ(c.outcome.focus.row, 4);
    const bool undefined = std::string(GetParam().label).find("Undefined") != std::string::npos;
    EXPECT_EQ(FocusPageName(c.outcome.focus.page), undefined ? "Data Fields" : "Parameters");
    ASSERT_EQ(c.prompt.messages.size(), 1u);
    EXPECT_EQ(c.prompt.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_NE(c.prompt.messages[0].text.find(GetParam().message), std::string::npos)
        << c.prompt.messages[0].text;
}

INSTANTIATE_TEST_SUITE_P(
    Operands, RejectedOperand,
    ::testing::Values(
        RejectedCase{"AdditionOfAnInputVariable", Row("Sum", "Addition", "Gap,Hand R"),
                     "Calculation aborted due to the variable 'Hand R'\r\nused in the nonverbal "
                     "parameter 'Sum'.\r\nPlease choose a nonverbal parameter defined above 'Sum' "
                     "as variable of the calculation function 'Addition'."},
        RejectedCase{"AdditionWithoutVariables", Row("Sum", "Addition", ""),
                     "Calculation aborted due to a missing variable\r\nin the nonverbal parameter "
                     "'Sum'.\r\nThe calculation function 'Addition' needs a variable."},
        RejectedCase{"SubtractionFromANumber", Row("Diff", "Subtraction", "Gap", "5"), ""},
        RejectedCase{"DivisionOfAnUnknownName", Row("Quot", "Division", "Gap", "Nothing"),
                     "the target 'Nothing'\r\nused in the nonverbal parameter 'Quot'"},
        RejectedCase{"OpennessWithOneVariable", Row("Open", "Openness", "Gap", "Folded"), ""},
        RejectedCase{"OpennessOverADisabledRow", Row("Open", "Openness", "Gap,Off", "Folded"),
                     "The calculation of the nonverbal parameter 'Open' requires the calculation "
                     "of the nonverbal parameter 'Off'."},
        RejectedCase{"LessThanOneInputVariable", Row("Low", "Less Than", "Gap", "Hand R"),
                     "Please choose a number or two input variables as target"},
        RejectedCase{"GreaterThanARow", Row("High", "Greater Than", "Gap", "Gap,Folded"), ""},
        RejectedCase{
            "TSMOverADistance", Row("T", "TSM", "Gap"),
            "Please choose a nonverbal parameter with at least 4 value columns as variable"},
        RejectedCase{"DyadicOfAnInputVariable", Row("D", "Dyadic Parameter", "Head"), ""},
        RejectedCase{"DistanceOfARow", Row("Far", "Distance", "Gap", "Hand R"),
                     "Please choose an input variable as variable"},
        RejectedCase{"UndefinedVariable", Row("Cup angle", "Static SRL", "Cup"),
                     "Calculation aborted due to an undefined variable 'Cup'\r\nused in the "
                     "nonverbal parameter 'Cup angle'.\r\nPlease assign a data field to this "
                     "variable on the tab page 'Data Fields'."},
        RejectedCase{"DistanceToAnUndefinedTarget", Row("Far", "Distance", "Hand L", "Cup"),
                     "an undefined target 'Cup'"},
        RejectedCase{"FoldedWithOneTarget", Row("F", "Folded", "Hand L,Elbow L", "Hand R"), ""},
        RejectedCase{"ComplexityOfARow", Row("Cx", "Complexity", "Gap"), ""}),
    [](const auto& testInfo) { return std::string(testInfo.param.label); });

// 165 rows, only the last four disabled, none with Dynamic, every function in
// the catalogue; they compile with the fixed input variables.
TEST(DefaultParameterList, CompilesWithTheFixedInputVariables) {
    std::vector<ParameterDefinition> rows;
    CreateDefaultParameterList(rows);
    ASSERT_EQ(rows.size(), 165u);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].enabled, i < 161) << rows[i].name;
        EXPECT_EQ(rows[i].dynamic, "") << rows[i].name;
        EXPECT_EQ(rows[i].typeTag, TypeTagOf(rows[i].function)) << rows[i].name;
        EXPECT_NE(rows[i].typeTag, "00") << rows[i].name;
    }
    Compilation c(rows);
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

}  // namespace
}  // namespace kivo
