#include <gtest/gtest.h>

#include "params/Catalogue.h"
#include "params/EditorConfiguration.h"

namespace kivo {
namespace {

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
    EXPECT_TRUE(activation.statistics && activation.variableBox);
    // Pixel Difference has neither operand.
    const EditorConfiguration pixel = ConfigureEditor(kFnPixelDifference, EditorColumn::Variables);
    EXPECT_FALSE(pixel.optVariables || pixel.variableBox || pixel.optTarget);
    for (int unknown : {int{kFnNone}, kFunctionCount + 1})
        EXPECT_EQ(ConfigureEditor(unknown, EditorColumn::Target), EditorConfiguration{});
}

TEST(VariableBoxToolTip, NamesTheButtonsOrTheColumn) {
    EXPECT_EQ(VariableBoxToolTip(EntryMode::List, EditorColumn::Target),
              "Choose item from list and then select 'Add', 'Remove', or 'Clear'.");
    EXPECT_EQ(VariableBoxToolTip(EntryMode::Single, EditorColumn::Target),
              "Choose item from list to change target.");
}

}  // namespace
}  // namespace kivo
