#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Workspace.h"
#include "input/DataFieldBindings.h"
#include "input/KnownSkeletons.h"
#include "support/ScriptedPrompt.h"

namespace kivo {
namespace {

using testing::ScriptedPrompt;

ParameterDefinition Row(std::string variables, std::string target, std::string reference,
                        bool enabled = true, std::string function = "Distance") {
    ParameterDefinition row;
    row.name = "P";
    row.function = std::move(function);
    row.variables = std::move(variables);
    row.target = std::move(target);
    row.referenceSystem = std::move(reference);
    row.enabled = enabled;
    return row;
}

class UserVariableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        workspace.userVariableNames[0] = "Cup";
        workspace.userVariableNames[1] = "Chair";
        workspace.boundDataFields[kFirstUserVariable] = "CupMarker";
    }

    Workspace workspace;
    ScriptedPrompt prompt;
};

// Naming a variable the first time leaves the empty entries alone.
TEST_F(UserVariableTest, RenamingChangesWholeEntriesOnly) {
    workspace.parameters = {Row("Hand R,Cup", "Cup", "Cup"), Row("Cupboard,Cup", "", ""),
                            Row("Hand R", "Cupboard", "Base"), Row("Hips,,Chest", "", "")};
    ASSERT_TRUE(RenameUserVariable(workspace, 0, "Mug", prompt));
    ASSERT_TRUE(RenameUserVariable(workspace, 5, "Table", prompt));
    EXPECT_EQ(workspace.userVariableNames[0], "Mug");
    EXPECT_EQ(workspace.userVariableNames[5], "Table");
    EXPECT_EQ(workspace.parameters,
              (std::vector{Row("Hand R,Mug", "Mug", "Mug"), Row("Cupboard,Mug", "", ""),
                           Row("Hand R", "Cupboard", "Base"), Row("Hips,,Chest", "", "")}));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(UserVariableTest, RefusesTakenAndUnlistableNamesButNotItsOwn) {
    workspace.parameters = {Row("Cup", "", "")};
    for (const char* taken : {"Head", "Chair", "P"}) {
        EXPECT_FALSE(RenameUserVariable(workspace, 0, taken, prompt)) << taken;
        EXPECT_EQ(prompt.LastText(),
                  "This variable name is already in use.\r\nPlease choose another name.");
        EXPECT_EQ(prompt.messages.back().icon, PromptIcon::Exclamation);
    }
    for (const char* unlistable : {"Cup,Saucer", "Cup \"A\"", "Cup\nA"}) {
        EXPECT_FALSE(RenameUserVariable(workspace, 0, unlistable, prompt)) << unlistable;
        EXPECT_EQ(prompt.LastText(),
                  "A name must not contain a comma, a double quote or a line break!");
    }
    EXPECT_EQ(workspace.userVariableNames[0], "Cup");
    EXPECT_EQ(workspace.parameters[0].variables, "Cup");
    prompt.messages.clear();
    EXPECT_TRUE(RenameUserVariable(workspace, 0, "Cup", prompt));
    EXPECT_TRUE(prompt.messages.empty());
}

// Only a named or bound user variable can be (re)named; an empty name unbinds it.
TEST_F(UserVariableTest, AnEmptyNameUnbindsAndABindingMakesTheNameEditable) {
    ASSERT_TRUE(RenameUserVariable(workspace, 0, "", prompt));
    EXPECT_EQ(workspace.userVariableNames[0], "");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable], "");
    EXPECT_FALSE(IsUserVariableNameEditable(workspace, 0));
    BindDataField(workspace, kFirstUserVariable, "Table");
    EXPECT_TRUE(IsUserVariableNameEditable(workspace, 0));
}

// Clearing the lists unbinds every variable and keeps the names; deleting the
// user variables keeps the other bindings.
TEST_F(UserVariableTest, ClearingTheListsOrDeletingUserVariablesActsOnlyAfterYes) {
    workspace.dataFieldNames.Add("Hips");
    BindDataField(workspace, kHips, "Hips");
    prompt.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(DeleteUserVariables(workspace, prompt));
    EXPECT_EQ(prompt.LastText(), "Do your really want to delete all user variables?");
    EXPECT_EQ(workspace.userVariableNames[0], "Cup");
    prompt.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(ClearDataFieldLists(workspace, prompt));
    EXPECT_EQ(prompt.LastText(), "Do your really want to clear all data field lists?");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable], "CupMarker");
    Workspace deleted = workspace;
    EXPECT_TRUE(DeleteUserVariables(deleted, prompt));
    EXPECT_EQ(deleted.userVariableNames[0], "");
    EXPECT_EQ(deleted.userVariableNames[1], "");
    EXPECT_EQ(deleted.boundDataFields[kFirstUserVariable], "");
    EXPECT_EQ(deleted.boundDataFields[kHips], "Hips");
    EXPECT_TRUE(ClearDataFieldLists(workspace, prompt));
    EXPECT_TRUE(workspace.dataFieldNames.IsEmpty());
    EXPECT_EQ(workspace.boundDataFields[kHips], "");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable], "");
    EXPECT_EQ(workspace.userVariableNames[0], "Cup");
}

TEST(DataFieldBindings, BindsDataFieldsOfTheVariablesOwnNames) {
    Workspace workspace;
    for (const char* name : {"Frame", "Hips", "Head", "Cup", "Spine"}) {
        workspace.dataFieldNames.Add(name);
    }
    workspace.userVariableNames[0] = "Cup";
    workspace.boundDataFields[kHead] = "Spine";
    EXPECT_EQ(BindMatchingDataFields(workspace), 2);
    EXPECT_EQ(workspace.boundDataFields[kHips], "Hips");
    EXPECT_EQ(workspace.boundDataFields[kHead], "Spine");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable], "Cup");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable + 1], "");
}

TEST(DataFieldBindings, NeededVariablesComeFromEnabledRows) {
    Workspace workspace;
    workspace.userVariableNames[3] = "Cup";
    workspace.parameters = {Row("Hand R,Cup", "Head", "Base"), Row("Knee L", "", "", false),
                            Row("Global Static SRL Hips", "2", "Nowhere"),
                            Row("Top", "Chin", "", true, "Camera Framing")};
    const std::vector<int> expected = {kBase, kHead,   kHandR,    kChin,
                                       kTop,  kCamera, kInterest, kFirstUserVariable + 3};
    EXPECT_EQ(NeededInputVariables(workspace), expected);
}

// The first candidate the file offers wins (the chest is CMU's Spine1 but
// Mixamo's Spine2, a finger-tip marker comes before the finger joint), a
// bound variable keeps its field, and a variable none of whose candidates is
// offered stays unbound.
TEST(KnownSkeletons, BindTheNamesEachSkeletonUsesForAnInputVariable) {
    using Bindings = std::vector<std::pair<std::string, std::string>>;  // variable, field
    const std::pair<std::vector<std::string>, Bindings> cases[] = {
        {{"Hips", "Spine", "Spine1", "LeftArm", "RightHandIndex1", "RThumb"},
         {{"Chest", "Spine1"},
          {"Arm L", "LeftArm"},
          {"Hand R F", "RightHandIndex1"},
          {"Hand R I", ""},
          {"Top", ""}}},
        {{"HeadTop", "FloorR", "RFingerTip", "RightHandIndex1", "Camera1"},
         {{"Top", "HeadTop"},
          {"Bottom", "FloorR"},
          {"Hand R F", "RFingerTip"},
          {"Camera", "Camera1"}}},
        {{"Spine1", "Spine2", "HeadTop_End", "LeftHandThumb1", "LeftHandIndex1", "LeftHandMiddle4"},
         {{"Chest", "Spine2"},
          {"Top", "HeadTop_End"},
          {"Hand L I", "LeftHandThumb1"},
          {"Hand L F", "LeftHandMiddle4"}}}};
    for (const auto& [offered, expected] : cases) {
        Workspace workspace;
        for (const std::string& name : offered)
            workspace.dataFieldNames.Add(name);
        workspace.boundDataFields[kHips] = "Spine";
        BindKnownSkeletonFields(workspace);
        EXPECT_EQ(workspace.boundDataFields[kHips], "Spine");
        for (const auto& [variable, field] : expected) {
            EXPECT_EQ(workspace.boundDataFields[workspace.InputVariableIndex(variable)], field)
                << offered.front() << ": " << variable;
        }
    }
}

}  // namespace
}  // namespace kivo
