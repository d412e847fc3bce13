#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "CompileTestSupport.h"
#include "params/ParameterListCommands.h"

namespace kivo {
namespace {

using testing::Row;
using testing::ScriptedPrompt;

std::vector<ParameterDefinition> EditedList() {
    return {Row("Mine", "Distance", "Hand L", "Hand R")};
}

TEST(ResetParameterList, AsksAndOnYesDiscardsAllEdits) {
    std::vector<ParameterDefinition> rows = EditedList();
    ScriptedPrompt prompt;
    prompt.QueueAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(ResetParameterList(rows, prompt));
    EXPECT_EQ(rows.size(), 165u);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Do you really want to reset the parameter list to the default list of nonverbal "
              "parameters?");
    EXPECT_EQ(prompt.messages[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
}

TEST(ParameterListCommands, NoChangesNothing) {
    ScriptedPrompt prompt;
    for (int i = 0; i < 3; ++i)
        prompt.QueueAnswer(PromptAnswer::No);
    std::vector<ParameterDefinition> rows = EditedList();
    EXPECT_FALSE(ResetParameterList(rows, prompt));
    EXPECT_FALSE(ClearParameterList(rows, prompt));
    EXPECT_FALSE(RestoreParameterList(rows, prompt, [] {
        ADD_FAILURE() << "the store is read only after Yes";
        return std::optional<std::vector<ParameterDefinition>>();
    }));
    EXPECT_EQ(rows, EditedList());
}

TEST(ClearParameterList, RemovesEveryRowOnYes) {
    std::vector<ParameterDefinition> rows = EditedList();
    ScriptedPrompt prompt;
    EXPECT_TRUE(ClearParameterList(rows, prompt));
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(prompt.LastText(),
              "Do you really want to remove all nonverbal parameters from the parameter list?");
}

TEST(RestoreParameterList, TakesTheStoredListOrTheDefaultOne) {
    ScriptedPrompt prompt;
    std::vector<ParameterDefinition> rows;
    EXPECT_TRUE(RestoreParameterList(rows, prompt, [] {
        ParameterDefinition stored = Row("Stored", "Distance", "Hand L", "Hand R");
        stored.typeTag.clear();
        return std::optional(std::vector<ParameterDefinition>{stored});
    }));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].typeTag, "111");
    EXPECT_EQ(prompt.LastText(),
              "Do you really want to restore the parameter list to the set of parameters loaded "
              "at program start?");
    // A store that cannot be read keeps the list; one without a list gives the default list.
    EXPECT_FALSE(RestoreParameterList(
        rows, prompt, [] { return std::optional<std::vector<ParameterDefinition>>(); }));
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_TRUE(RestoreParameterList(
        rows, prompt, [] { return std::optional(std::vector<ParameterDefinition>()); }));
    EXPECT_EQ(rows.size(), 165u);
}

}  // namespace
}  // namespace kivo
