#include <gtest/gtest.h>

#include "core/InputVariableTable.h"

namespace kivo {
namespace {

TEST(InputVariableTable, FindsNamesCaseSensitivelyAndTheFirstOfEqualNames) {
    InputVariableTable table;
    table[40].name = "Cup";
    table[41].name = "Cup";
    EXPECT_EQ(table.GetInputVariableIndex("Cup"), 40);
    EXPECT_EQ(table.GetInputVariableIndex("Knee L"), kKneeL);
    EXPECT_EQ(table.GetInputVariableIndex("knee l"), kNotAnInputVariable);
}

}  // namespace
}  // namespace kivo
