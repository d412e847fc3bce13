#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kivo
