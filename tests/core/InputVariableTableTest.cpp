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

TEST(InputVariableTable, ResetsFieldIndicesOfBothPersons) {
    InputVariableTable table;
    table.Person(kHips, 1).fieldIndex = {1, 2, 3, 4, 5, 6};
    table.Person(kHips, 2).fieldIndex = {1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(table.Person(kHips, 1).IsBound());
    table.ResetFieldIndices();
    EXPECT_FALSE(table.Person(kHips, 1).IsBound());
    EXPECT_FALSE(table.Person(kHips, 2).IsBound());
}

}  // namespace
}  // namespace kivo
