#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "core/InputVariableTable.h"
#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/PostureFunctions.h"
#include "input/BodyDataReader.h"

namespace kivo {
namespace {

using Pose = std::array<double, 6>;

class PostureFunctions : public ::testing::Test {
  protected:
    void Bind(int variable, const Pose& current, const Pose& previous, bool rotations = true) {
        PersonBlock& block = table_.Person(variable, 1);
        for (int s = 0; s < kPoseSlots; ++s)
            block.fieldIndex[s] = (s < 3 || rotations) ? 2 + s : 0;
        block.current = current;
        block.previous = previous;
    }
    void Bind(int variable, const Pose& pose) { Bind(variable, pose, pose); }

    ParameterRecord Row(int variable, int reference, int nValues = 3) {
        ParameterRecord record;
        record.enabled = true;
        record.nValues = nValues;
        record.variableIndices = {variable};
        record.referenceSystem = reference;
        record.currentValues.assign(nValues, kNoValue);
        record.previousValues.assign(nValues, kNoValue);
        return record;
    }
    static void ExpectValues(const ParameterRecord& record,
                             std::initializer_list<double> expected) {
        int v = 0;
        for (double value : expected)
            EXPECT_NEAR(record.Current(v++, 1), value, 1e-9) << v;
    }

    InputVariableTable table_;
};

TEST_F(PostureFunctions, StaticSRLReportsGlobalAngles) {
    Bind(kHead, {0, 150, 0, 30, 0, 0});
    ParameterRecord record = Row(kHead, kNotAnInputVariable);
    EXPECT_EQ(CalculateStaticSRL(table_, record, 1), kStatusOk);
    ExpectValues(record, {30, 0, 0});
}

TEST_F(PostureFunctions, StaticSRLOfABodyPartRelativeToItselfIsZero) {
    Bind(kHandR, {10, 100, 5, 20, 30, 10});
    ParameterRecord record = Row(kHandR, kHandR);
    EXPECT_EQ(CalculateStaticSRL(table_, record, 1), kStatusOk);
    ExpectValues(record, {0, 0, 0});
}

TEST_F(PostureFunctions, StaticSRLFallsBackToGlobalWhenTheReferenceLacksRotations) {
    Bind(kHead, {0, 150, 0, 30, 0, 0});
    Bind(kHips, {0, 100, 0, 0, 45, 0}, {0, 100, 0, 0, 45, 0}, false);
    ParameterRecord record = Row(kHead, kHips);
    EXPECT_EQ(CalculateStaticSRL(table_, record, 1), kStatusOk);
    ExpectValues(record, {30, 0, 0});
}

TEST_F(PostureFunctions, StaticSRLOfAnUnboundBodyPartIsADataError) {
    ParameterRecord record = Row(kHead, kNotAnInputVariable);
    EXPECT_EQ(CalculateStaticSRL(table_, record, 1), kStatusDataError);
    EXPECT_EQ(record.Current(0, 1), kNoValue);
}

struct DynamicCase {
    Pose previous;
    Pose current;
    std::array<double, 3> expected;
};

class DynamicSRL : public PostureFunctions, public ::testing::WithParamInterface<DynamicCase> {};

TEST_P(DynamicSRL, MeasuresTheRotationSinceThePreviousFrame) {
    Bind(kHead, GetParam().current, GetParam().previous);
    ParameterRecord record = Row(kHead, kNotAnInputVariable);
    EXPECT_EQ(CalculateDynamicSRL(table_, record, 1), kStatusOk);
    const auto& e = GetParam().expected;
    ExpectValues(record, {e[0], e[1], e[2]});
}

INSTANTIATE_TEST_SUITE_P(
    Changes, DynamicSRL,
    ::testing::Values(DynamicCase{{0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 5, 0}, {0, 5, 0}},
                      DynamicCase{{0, 0, 0, 0, 0, 0}, {0, 0, 0, 10, 0, 0}, {10, 0, 0}}));

TEST_F(PostureFunctions, DynamicSRLTreatsAnUnassignedBaseAsGlobal) {
    Bind(kHead, {0, 0, 0, 0, 5, 0}, {0, 0, 0, 0, 0, 0});
    ParameterRecord record = Row(kHead, kBase);
    EXPECT_EQ(CalculateDynamicSRL(table_, record, 1), kStatusOk);
    ExpectValues(record, {0, 5, 0});
}

TEST_F(PostureFunctions, DynamicSRLWithAnUnassignedReferenceIsADataError) {
    Bind(kHead, {0, 0, 0, 0, 5, 0}, {0, 0, 0, 0, 0, 0});
    ParameterRecord record = Row(kHead, kChest);
    EXPECT_EQ(CalculateDynamicSRL(table_, record, 1), kStatusDataError);
    EXPECT_EQ(record.Current(0, 1), kNoValue);
}

TEST_F(PostureFunctions, DynamicSRLRelativeToAReferenceThatTurnsAlongIsZero) {
    Bind(kHead, {0, 150, 0, 0, 20, 0}, {0, 150, 0, 0, 0, 0});
    Bind(kChest, {0, 120, 0, 0, 20, 0}, {0, 120, 0, 0, 0, 0});
    ParameterRecord record = Row(kHead, kChest);
    EXPECT_EQ(CalculateDynamicSRL(table_, record, 1), kStatusOk);
    ExpectValues(record, {0, 0, 0});
}

TEST_F(PostureFunctions, DynamicSRLNeedsCompleteDataInBothFrames) {
    for (int s = 0; s < kPoseSlots; ++s)
        table_.Person(kHead, 1).fieldIndex[s] = 2 + s;
    BodyDataReader reader;
    ParameterRecord record = Row(kHead, kNotAnInputVariable);
    const char* lines[] = {"0;1;0;0;0;0;0;0", "1;2;0;0;0;0;10", "2;3;0;0;0;0;20;0",
                           "3;4;0;0;0;0;25;0"};
    const int expected[] = {kStatusOk, kStatusDataError, kStatusDataError, kStatusOk};
    for (int frame = 0; frame < 4; ++frame) {
        reader.GetBodyDataValues(1, lines[frame], ';', frame == 0, table_);
        EXPECT_EQ(CalculateDynamicSRL(table_, record, 1), expected[frame]) << frame;
    }
    EXPECT_NEAR(record.Current(1, 1), 5.0, 1e-9);  // 20 -> 25, not a change over two frames
}

TEST_F(PostureFunctions, CoordinateTransformationOfABodyPartOnItselfIsZero) {
    Bind(kHandL, {10, 100, 5, 20, 30, 10});
    ParameterRecord record = Row(kHandL, kHandL, 6);
    EXPECT_EQ(CalculateCoordinateTransformation(table_, record, 1), kStatusOk);
    ExpectValues(record, {0, 0, 0, 0, 0, 0});
}

TEST_F(PostureFunctions, CoordinateTransformationWithoutReferenceKeepsThePose) {
    Bind(kHandL, {10, 100, 5, 20, 30, 10});
    ParameterRecord record = Row(kHandL, kNotAnInputVariable, 6);
    EXPECT_EQ(CalculateCoordinateTransformation(table_, record, 1), kStatusOk);
    ExpectValues(record, {10, 100, 5, 20, 30, 10});
}

TEST_F(PostureFunctions, CoordinateTransformationIntoATranslatedFrame) {
    Bind(kHandL, {10, 100, 5, 0, 0, 0});
    Bind(kChest, {0, 120, 0, 0, 45, 0});  // turned by 45 degrees about the vertical
    ParameterRecord record = Row(kHandL, kChest, 6);
    EXPECT_EQ(CalculateCoordinateTransformation(table_, record, 1), kStatusOk);
    // Offset (10, -20, 5) turned back by 45 degrees about y.
    ExpectValues(record, {5 / std::sqrt(2.0), -20, 15 / std::sqrt(2.0), 0, -45, 0});
}

}  // namespace
}  // namespace kivo
