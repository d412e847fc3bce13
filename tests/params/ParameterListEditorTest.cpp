#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "CompileTestSupport.h"
#include "core/Workspace.h"
#include "params/DefaultParameterList.h"
#include "params/EditorConfiguration.h"
#include "params/ParameterListCommands.h"
#include "params/ParameterListEditor.h"

namespace kivo {
namespace {

using testing::Row;
using testing::ScriptedPrompt;

// The enabled rows compile against the fixed input variables.
void ExpectCompiles(const std::vector<ParameterDefinition>& rows) {
    testing::Compilation compilation(rows);
    EXPECT_FALSE(compilation.outcome.failed) << compilation.prompt.LastText();
}

std::string NotDefined(const std::string& word, const std::string& name,
                       const std::string& row = "P") {
    return "The " + word + " '" + name +
           "' is either not defined or do not exist on positions before the parameter '" + row +
           "'!\r\nPlease define '" + name + "', choose another " + word +
           ", or move the parameter '" + row + "' to another position.";
}

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override { CreateDefaultParameterList(workspace.parameters); }

    std::vector<ParameterDefinition>& Rows() { return workspace.parameters; }

    std::size_t Position(const std::string& name) const {
        const auto& rows = workspace.parameters;
        const auto found = std::find_if(
            rows.begin(), rows.end(), [&](const ParameterDefinition& r) { return r.name == name; });
        EXPECT_NE(found, rows.end()) << name;
        return static_cast<std::size_t>(found - rows.begin());
    }
    ParameterDefinition& Named(const std::string& name) { return Rows()[Position(name)]; }

    void SelectRow(const std::string& name) {
        editor.Select(Position(name));
        prompt.messages.clear();
    }

    void ExpectCompiles() { kivo::ExpectCompiles(Rows()); }

    Workspace workspace;
    ScriptedPrompt prompt;
    ParameterListEditor editor{workspace, prompt};
};

TEST_F(EditorTest, RenamingRewritesWholeEntriesOnly) {
    Rows().push_back(Row("Distance Hands Wide", "Distance", "Hand L", "Hand R"));
    Rows().push_back(Row("Sum", "Addition", "Distance Hands Wide,Distance Hands"));
    SelectRow("Distance Hands");
    EXPECT_TRUE(editor.Rename("Hands Apart").changed);
    EXPECT_EQ(Named("Openness Upper Extremities").variables, "Distance Elbows,Hands Apart");
    EXPECT_EQ(Named("Sum").variables, "Distance Hands Wide,Hands Apart");
    EXPECT_TRUE(prompt.messages.empty());
    ExpectCompiles();
}

TEST_F(EditorTest, RefusedNamesKeepThePreviousName) {
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"", "Each parameter must have a name!"},
        {"Distance Feet", "This label exists already!"},
        {"Hands,Feet", "A name must not contain a comma, a double quote or a line break!"},
        {"Hands\r\nWide", "A name must not contain a comma, a double quote or a line break!"},
        {"Hand R", "This label is the name of an input variable!"},
        {"12", "A number cannot be the name of a parameter!"},
    };
    SelectRow("Distance Hands");
    for (const auto& c : cases) {
        const EditorResult result = editor.Rename(c.name);
        EXPECT_FALSE(result.changed) << c.name;
        EXPECT_EQ(result.focus, EditorFocus::NameBox) << c.name;
        EXPECT_EQ(prompt.LastText(), c.message);
        EXPECT_EQ(editor.View().name, "Distance Hands");
    }
}

TEST_F(EditorTest, DisableDyadDisablesTheRowsBelowThatUseDyadicRowsByWholeEntries) {
    Rows().push_back(Row("Direction Head Tilt", "Static SRL", "Head"));
    Rows().push_back(Row("Tilt Sum", "Addition", "Direction Head Tilt"));
    EXPECT_TRUE(editor.DisableDyad().changed);
    for (const char* dropped : {"Dyadic Proxemics Body", "Direction Head", "Dyadic Touch Body",
                                "Dyadic Touch Hands", "Dyadic Mimicry All Extremities"}) {
        EXPECT_FALSE(Named(dropped).enabled) << dropped;
    }
    for (const char* kept : {"Openness All Extremities", "Direction Head Tilt", "Tilt Sum"})
        EXPECT_TRUE(Named(kept).enabled) << kept;
    ExpectCompiles();
}

TEST_F(EditorTest, DynamicOnLeavesSrlAndActivationRowsWithout) {
    editor.DynamicOn();
    for (const ParameterDefinition& row : Rows()) {
        const bool excluded = row.function == "Static SRL" || row.function == "Dynamic SRL" ||
                              row.function == "Activation";
        const bool counted = row.output == "x" || row.statistics == "x";
        EXPECT_EQ(row.dynamic, !excluded && counted ? "x" : "") << row.name;
    }
    editor.StatisticsOff();
    editor.OutputOff();
    EXPECT_EQ(Named("Complexity Body").dynamic, "");
}

TEST_F(EditorTest, NewTakesTheSmallestFreeNumber) {
    prompt.QueueAnswer(PromptAnswer::Yes);
    editor.Clear();
    for (int i = 0; i < 3; ++i) {
        const EditorResult result = editor.New();
        EXPECT_EQ(result.focus, EditorFocus::NameBox);
        EXPECT_EQ(editor.SelectedRow(), static_cast<std::size_t>(i));
    }
    EXPECT_FALSE(Rows()[2].enabled);  // unchecked until it has a function
    editor.Select(1);
    prompt.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(editor.Delete().changed);
    EXPECT_TRUE(editor.Delete().changed);
    EXPECT_EQ(prompt.LastText(), "Do your really want to remove the selected parameter?");
    editor.New();
    std::vector<std::string> names;
    for (const ParameterDefinition& row : Rows())
        names.push_back(row.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Parameter_1", "Parameter_3", "Parameter_2"}));
}

TEST_F(EditorTest, MovesThatWouldBreakAUseAreReversed) {
    SelectRow("Openness Lower Extremities");
    EXPECT_FALSE(editor.MoveDown().changed);
    EXPECT_EQ(prompt.LastText(),
              NotDefined("variable", "Openness Lower Extremities", "Openness All Extremities"));
    SelectRow("Openness All Extremities");
    EXPECT_FALSE(editor.MoveUp().changed);
    EXPECT_EQ(Rows()[Position("Openness All Extremities") - 1].name, "Openness Lower Extremities");

    SelectRow("Crossed Legs");
    EXPECT_TRUE(editor.MoveUp().changed);
    EXPECT_EQ(editor.SelectedRow(), Position("Crossed Legs"));
    EXPECT_EQ(Rows()[Position("Crossed Legs") + 1].name, "Folded Legs");
    // A disabled row moves freely.
    editor.SetEnabled(Position("Openness All Extremities"), false);
    SelectRow("Openness Lower Extremities");
    EXPECT_TRUE(editor.MoveDown().changed);
    ExpectCompiles();
}

TEST_F(EditorTest, DisablingOrDeletingARowDisablesTheRowsThatUseIt) {
    EXPECT_TRUE(editor.SetEnabled(Position("Distance Hands"), false).changed);
    EXPECT_EQ(prompt.LastText(),
              "The nonverbal parameters 'Openness Upper Extremities','Openness All Extremities',"
              "'Dyadic Openness Upper Extremities','Dyadic Openness All Extremities' need "
              "'Distance Hands' and have been disabled too.");
    EXPECT_TRUE(Named("Openness Lower Extremities").enabled);
    // Enabled again, a row without Output and Statistics asks for both.
    EXPECT_TRUE(editor.SetEnabled(Position("Distance Hands"), true).changed);
    EXPECT_EQ(prompt.LastText(),
              "Should the nonverbal parameter 'Distance Hands' output values and statistics?");
    EXPECT_EQ(Named("Distance Hands").output + Named("Distance Hands").statistics, "xx");

    // The rows keep their verdicts in their new places: the row above TSM
    // Head, which moves up, fails from now on.
    editor.SetEnabled(Position("TSM Body"), false);
    SelectRow("Complexity Head");
    prompt.QueueAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(editor.Delete().changed);
    EXPECT_EQ(prompt.LastText(),
              "The nonverbal parameters 'TSM Head','Dyadic Complexity Head' need 'Complexity Head' "
              "and have been disabled too.");
    EXPECT_EQ(editor.View().name, "Complexity Trunk");
    ExpectCompiles();
}

// Each row is enabled in a small list: the first message the check gives.
TEST(EditorEnabling, TellsWhatARowLacks) {
    const struct {
        ParameterDefinition row;
        std::string message;
    } cases[] = {
        {Row("P", "", ""), "Please select a calculation!"},
        {Row("P", "Addition", ""), "The calculation routine 'Addition' needs a variable!"},
        {Row("P", "Distance", "Hand L"), "The calculation routine 'Distance' needs a target!"},
        {Row("P", "Symmetry", "Hand L", "Hand R"),
         "The calculation routine 'Symmetry' needs a reference system!"},
        {Row("P", "Addition", "Off,Hips SRL"),
         "The calculation of the nonverbal parameter 'P' requires the calculation of the "
         "nonverbal parameter 'Off'."},
        {Row("P", "Complexity", "Hips,Head"),
         "The calculation of the nonverbal parameter 'P' requires the calculation of the Global "
         "Dynamic SRL and the Local Dynamic SRL parameters of the body part 'Head'."},
        {Row("P", "TSM", "Near"),
         "The calculation of the nonverbal parameter 'P' requires at least 4 value columns of "
         "the nonverbal parameter 'Near'."},
        {Row("P", "Less Than", "Near", "Hand R"),
         "The calculation routine 'Less Than' needs a whole number or at least two input "
         "variables as target!"},
        {Row("P", "Openness", "Near", "Near"),
         "The calculation routine 'Openness' needs 2 variables!"},
        {Row("P", "Distance", "Hand L", "Later"), NotDefined("target", "Later")},
        {Row("P", "Addition", "Hand R"), NotDefined("variable", "Hand R")},
        {Row("P", "Distance", "Near", "Hand R"), NotDefined("variable", "Near")},
    };
    for (const auto& c : cases) {
        Workspace workspace;
        workspace.parameters = {Row("Hips SRL", "Dynamic SRL", "Hips"),
                                Row("Hips Local", "Dynamic SRL", "Hips", "", "Base"),
                                Row("Near", "Distance", "Hand L", "Hand R"),
                                testing::Disabled(Row("Off", "Distance", "Foot L", "Foot R")),
                                testing::Disabled(c.row),
                                Row("Later", "Distance", "Hips", "Head")};
        ScriptedPrompt prompt;
        ParameterListEditor editor(workspace, prompt);
        EXPECT_FALSE(editor.SetEnabled(4, true).changed) << c.message;
        EXPECT_EQ(prompt.LastText(), c.message);
        EXPECT_FALSE(workspace.parameters[4].enabled);
        // Enabling every row leaves the ones that cannot be calculated disabled.
        editor.EnableAll();
        ExpectCompiles(workspace.parameters);
    }
}

TEST_F(EditorTest, EnableDyadAndEnableOnlyTakeTheRowsTheyNeed) {
    editor.DisableAll();
    editor.EnableDyad();
    for (const char* name :
         {"Dyadic Complexity Body", "Complexity Body", "Local Dynamic SRL Foot R",
          "Dyadic Proxemics Body", "Direction Hips"}) {
        EXPECT_TRUE(Named(name).enabled) << name;
    }
    for (const char* name : {"Dyadic Touch Body", "TSM Body", "Global Static SRL Hips"})
        EXPECT_FALSE(Named(name).enabled) << name;
    ExpectCompiles();

    EXPECT_TRUE(editor.EnableOnly({Position("TSM Head")}).changed);
    std::vector<std::string> enabled;
    for (const ParameterDefinition& row : Rows()) {
        if (row.enabled)
            enabled.push_back(row.name);
    }
    EXPECT_EQ(enabled,
              (std::vector<std::string>{"Global Dynamic SRL Head", "Local Dynamic SRL Head",
                                        "Complexity Head", "TSM Head"}));
    // Refused as a whole when a wanted row cannot be calculated.
    Named("Distance Feet").target = "Nowhere";
    const std::vector<ParameterDefinition> before = Rows();
    EXPECT_FALSE(editor.EnableOnly({Position("Openness Lower Extremities")}).changed);
    EXPECT_EQ(Rows(), before);
    EXPECT_EQ(prompt.LastText().substr(0, 30), "The target 'Nowhere' is either");
}

TEST_F(EditorTest, ANumberTargetIsAWholeNumberAndCancelKeepsIt) {
    SelectRow("Dyadic Touch HandR");
    editor.ChooseColumn(EditorColumn::Target);
    EXPECT_EQ(editor.View().variableChoices.front(), "(Enter a Number)");
    prompt.QueueText("12");
    EXPECT_TRUE(editor.ChooseVariableItem("(Enter a Number)").changed);
    EXPECT_EQ(Named("Dyadic Touch HandR").target, "12");
    EXPECT_EQ(editor.View().variableChoices.front(), "(Change the Number)");
    for (const char* refused : {"2.5", "40000", "twelve"}) {
        prompt.QueueText(refused);
        EXPECT_FALSE(editor.ChooseVariableItem("(Change the Number)").changed) << refused;
        EXPECT_EQ(prompt.LastText(), "Please enter a whole number from -32768 to 32767!");
    }
    prompt.QueueText(std::nullopt);
    EXPECT_FALSE(editor.ChooseVariableItem("(Change the Number)").changed);
    EXPECT_EQ(Named("Dyadic Touch HandR").target, "12");
    ExpectCompiles();
}

TEST_F(EditorTest, ChoicesFollowRenamesAndUserVariables) {
    workspace.userVariableNames[0] = "Cup";
    SelectRow("Symmetry Upper Extremities");
    EXPECT_TRUE(std::ranges::count(editor.View().referenceChoices, "Cup"));
    SelectRow("Symmetry Hands");
    editor.Rename("Hands Mirror");
    SelectRow("Symmetry Upper Extremities");
    const std::vector<std::string> choices = editor.View().variableChoices;
    EXPECT_TRUE(std::ranges::count(choices, "Hands Mirror"));
    EXPECT_FALSE(std::ranges::count(choices, "Symmetry Hands"));
    EXPECT_FALSE(std::ranges::count(choices, "Symmetry Feet"));  // below the row
}

TEST_F(EditorTest, AnItemLeftInTheBoxIsOfferedBeforeTheSelectionMoves) {
    SelectRow("Complexity Head");
    editor.ChooseVariableItem("Chest");
    prompt.QueueAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(editor.Select(Position("Complexity Trunk")).changed);
    EXPECT_EQ(prompt.messages.front().text,
              "Should the selected input variable 'Chest' of the parameter 'Complexity Head' added "
              "to the list 'Variables'?");
    EXPECT_EQ(Named("Complexity Head").variables, "Head,Chest");
}

TEST_F(EditorTest, SelectingTellsAboutEntriesTheBoxesCannotShow) {
    Named("TSM Body").variables = "Complexity Later";
    Named("Magnitude Body").function = "Velocity";
    editor.Select(Position("TSM Body"));
    EXPECT_EQ(prompt.LastText().substr(0, 85),
              "The variable 'Complexity Later' is either not defined or do not exist on positions "
              "be");
    editor.Select(Position("Magnitude Body"));
    EXPECT_EQ(prompt.LastText(), "The calculation function 'Velocity' is not defined!");
    EXPECT_FALSE(editor.View().configuration.variableBox);
}

// Reset, Clear and Restore ask first: No changes nothing (and the store is
// read only after Yes); Restore takes the stored list, with its type tags, or
// the default one when none is stored, and keeps the list when the store
// cannot be read.
TEST(ParameterListCommands, AskFirstAndReplaceTheListOnYes) {
    using StoredList = std::optional<std::vector<ParameterDefinition>>;
    const std::vector<ParameterDefinition> edited = {Row("Mine", "Distance", "Hand L", "Hand R")};
    std::vector<ParameterDefinition> rows = edited;
    ScriptedPrompt prompt;
    for (int i = 0; i < 3; ++i)
        prompt.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(ResetParameterList(rows, prompt));
    EXPECT_FALSE(ClearParameterList(rows, prompt));
    EXPECT_FALSE(RestoreParameterList(rows, prompt, [] {
        ADD_FAILURE() << "the store is read only after Yes";
        return StoredList();
    }));
    EXPECT_EQ(rows, edited);
    ASSERT_EQ(prompt.messages.size(), 3u);
    EXPECT_EQ(prompt.messages[0].text,
              "Do you really want to reset the parameter list to the default list of nonverbal "
              "parameters?");
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(prompt.messages[1].text,
              "Do you really want to remove all nonverbal parameters from the parameter list?");
    EXPECT_EQ(prompt.messages[2].text,
              "Do you really want to restore the parameter list to the set of parameters loaded "
              "at program start?");

    EXPECT_TRUE(ResetParameterList(rows, prompt));
    EXPECT_EQ(rows.size(), 165u);
    EXPECT_TRUE(ClearParameterList(rows, prompt));
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(RestoreParameterList(rows, prompt, [] {
        ParameterDefinition stored = Row("Stored", "Distance", "Hand L", "Hand R");
        stored.typeTag.clear();
        return StoredList(std::vector<ParameterDefinition>{stored});
    }));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].typeTag, "111");
    EXPECT_FALSE(RestoreParameterList(rows, prompt, [] { return StoredList(); }));
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_TRUE(RestoreParameterList(
        rows, prompt, [] { return StoredList(std::vector<ParameterDefinition>()); }));
    EXPECT_EQ(rows.size(), 165u);
}

// The settings themselves come from the catalogue; these are the rules around them.
TEST(ConfigureEditor, ShowsTheChosenColumnWhereTheFunctionEditsIt) {
    const EditorConfiguration target = ConfigureEditor(kFnOpenness, EditorColumn::Target);
    EXPECT_TRUE(target.knownFunction);
    EXPECT_EQ(target.column, EditorColumn::Target);
    EXPECT_EQ(target.limit, 2);
    EXPECT_TRUE(target.output && target.statistics && target.dynamic && target.optVariables);
    // Activation has no Target column, and neither Output nor Dynamic to tick.
    const EditorConfiguration activation = ConfigureEditor(kFnActivation, EditorColumn::Target);
    EXPECT_EQ(activation, ConfigureEditor(kFnActivation, EditorColumn::Variables));
    EXPECT_EQ(activation.column, EditorColumn::Variables);
    EXPECT_FALSE(activation.output || activation.dynamic || activation.optTarget);
    // Pixel Difference has neither operand.
    const EditorConfiguration pixel = ConfigureEditor(kFnPixelDifference, EditorColumn::Variables);
    EXPECT_FALSE(pixel.optVariables || pixel.variableBox || pixel.optTarget);
    for (int unknown : {int{kFnNone}, kFunctionCount + 1})
        EXPECT_EQ(ConfigureEditor(unknown, EditorColumn::Target), EditorConfiguration{});
    EXPECT_EQ(VariableBoxToolTip(EntryMode::List, EditorColumn::Target),
              "Choose item from list and then select 'Add', 'Remove', or 'Clear'.");
    EXPECT_EQ(VariableBoxToolTip(EntryMode::Single, EditorColumn::Target),
              "Choose item from list to change target.");
}

}  // namespace
}  // namespace kivo
