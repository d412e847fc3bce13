#include <gtest/gtest.h>

#include "core/InputVariableTable.h"

namespace kivo {
namespace {

TEST(InputVariableTable, HasTheFixedNamesInOrder) {
    InputVariableTable table;
    EXPECT_EQ(table[kBase].name, "Base");
    EXPECT_EQ(table[kHandR].name, "Hand R");
    EXPECT_EQ(table[kInterest].name, "Interest");
    EXPECT_EQ(table[kFirstUserVariable].name, "");
    EXPECT_EQ(table.GetInputVariableIndex("Knee L"), kKneeL);
    EXPECT_EQ(table.GetInputVariableIndex("knee l"), kNotAnInputVariable);
}

TEST(InputVariableTable, FindsTheFirstOfEqualNames) {
    InputVariableTable table;
    table[40].name = "Cup";
    table[41].name = "Cup";
    EXPECT_EQ(table.GetInputVariableIndex("Cup"), 40);
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
