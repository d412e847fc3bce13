#include <gtest/gtest.h>

#include <vector>

#include "core/InputVariableTable.h"
#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/CalculationDispatch.h"
#include "params/Catalogue.h"

namespace kivo {
namespace {

ParameterRecord Row(int function, std::vector<int> variables, double value) {
    ParameterRecord record;
    record.enabled = true;
    record.functionIndex = function;
    record.nValues = 1;
    record.variableIndices = std::move(variables);
    record.currentValues = {value};
    record.previousValues = {value};
    return record;
}

TEST(CalculationDispatch, AnOverflowBecomesNoValueWithACalculationError) {
    InputVariableTable table;
    std::vector<ParameterRecord> records(1);
    records.push_back(Row(kFnAddition, {}, 1e200));
    records.push_back(Row(kFnMultiplication, {1, 1}, 0.0));
    records.push_back(Row(kFnAddition, {1, 1}, 0.0));
    FrameContext context{table, records, {}, 0.25, 0.1, false};
    DispatchRow(context, 2);
    DispatchRow(context, 3);
    EXPECT_EQ(records[2].statusA, kStatusCalculationError);
    EXPECT_EQ(records[2].Current(0, 1), kNoValue);
    EXPECT_EQ(records[3].statusA, kStatusOk);
    EXPECT_EQ(records[3].Current(0, 1), 2e200);
}

TEST(CalculationDispatch, AnUnknownFunctionIsASettingError) {
    InputVariableTable table;
    std::vector<ParameterRecord> records(1);
    records.push_back(Row(0, {}, 0.0));
    FrameContext context{table, records, {}, 0.25, 0.1, false};
    DispatchRow(context, 1);
    EXPECT_EQ(records[1].statusA, kStatusSettingError);
}

}  // namespace
}  // namespace kivo
