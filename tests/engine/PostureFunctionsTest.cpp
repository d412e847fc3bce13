#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "core/InputVariableTable.h"
#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/CalculationTestRows.h"
#include "engine/PostureFunctions.h"
#include "input/BodyDataReader.h"

namespace kivo {
namespace {

using testing::Pose;

class PostureFunctions : public ::testing::Test {
  protected:
    void Bind(int variable, const Pose& current, const Pose& previous, bool rotations = true) {
        PersonBlock& block = table_.Person(variable, 1);
        for (int s = 0; s < kPoseSlots; ++s)
            block.fieldIndex[s] = (s < 3 || rotations) ? 2 + s : 0;
        block.current = current;
        block.previous = previous;
    }

    static ParameterRecord Row(int variable, int reference, int nValues = 3) {
        return testing::MakeRecord(nValues, false, {variable}, {}, reference);
    }
    static void ExpectValues(const ParameterRecord& record, const std::vector<double>& expected) {
        for (std::size_t v = 0; v < expected.size(); ++v)
            EXPECT_NEAR(record.Current(static_cast<int>(v), 1), expected[v], 1e-9) << v;
    }

    InputVariableTable table_;
};

// One frame's pose of a body part in the frame of a reference (Static SRL
// gives three angles, Coordinate Transformation the six local pose values).
TEST_F(PostureFunctions, LocalPoseIsTakenInTheReferenceFrame) {
    struct Case {
        const char* name;
        int variable;
        Pose pose;
        int reference;
        bool referenceRotations;
        Pose referencePose;
        std::vector<double> expected;  // six values: a Coordinate Transformation
        int status = kStatusOk;
    };
    const Pose hand{10, 100, 5, 20, 30, 10};
    const double root2 = std::sqrt(2.0);
    constexpr int kNone = kNotAnInputVariable;
    const Case cases[] = {
        {"SrlGlobal", kHead, {0, 150, 0, 30, 0, 0}, kNone, true, {}, {30, 0, 0}},
        {"SrlOnItself", kHandR, hand, kHandR, true, {}, {0, 0, 0}},
        // A reference without rotation fields falls back to the global frame.
        {"SrlReferenceWithoutRotations",
         kHead,
         {0, 150, 0, 30, 0, 0},
         kHips,
         false,
         {0, 100, 0, 0, 45, 0},
         {30, 0, 0}},
        {"SrlUnboundBodyPart", kHead, {}, kNone, true, {}, {kNoValue}, kStatusDataError},
        {"TransformationOnItself", kHandL, hand, kHandL, true, {}, {0, 0, 0, 0, 0, 0}},
        {"TransformationWithoutReference", kHandL, hand, kNone, true, {}, {10, 100, 5, 20, 30, 10}},
        // Offset (10, -20, 5) turned back by 45 degrees about the vertical.
        {"TransformationIntoATurnedFrame",
         kHandL,
         {10, 100, 5, 0, 0, 0},
         kChest,
         true,
         {0, 120, 0, 0, 45, 0},
         {5 / root2, -20, 15 / root2, 0, -45, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        table_ = InputVariableTable();
        if (c.status != kStatusDataError)  // the data error case leaves the body part unbound
            Bind(c.variable, c.pose, c.pose);
        if (c.reference != kNone && c.reference != c.variable)
            Bind(c.reference, c.referencePose, c.referencePose, c.referenceRotations);
        const bool transformation = c.expected.size() == 6;
        ParameterRecord record = Row(c.variable, c.reference, transformation ? 6 : 3);
        EXPECT_EQ(transformation ? CalculateCoordinateTransformation(table_, record, 1)
                                 : CalculateStaticSRL(table_, record, 1),
                  c.status);
        ExpectValues(record, c.expected);
    }
}

TEST_F(PostureFunctions, DynamicSRLMeasuresTheRotationSinceThePreviousFrame) {
    struct Case {
        const char* name;
        int reference;
        Pose current;
        std::vector<double> expected;
        int status = kStatusOk;
    };
    const Case cases[] = {
        {"Rotational", kNotAnInputVariable, {0, 0, 0, 0, 5, 0}, {0, 5, 0}},
        {"Sagittal", kNotAnInputVariable, {0, 0, 0, 10, 0, 0}, {10, 0, 0}},
        {"UnassignedBaseIsGlobal", kBase, {0, 0, 0, 0, 5, 0}, {0, 5, 0}},
        {"UnassignedReference", kChest, {0, 0, 0, 0, 5, 0}, {kNoValue}, kStatusDataError}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bind(kHead, c.current, {});
        ParameterRecord record = Row(kHead, c.reference);
        EXPECT_EQ(CalculateDynamicSRL(table_, record, 1), c.status);
        ExpectValues(record, c.expected);
    }
    // Relative to a reference that turns along, nothing changes.
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
    EXPECT_NEAR(record.Current(1, 1), 5.0,
                1e-9);  // 20 -> 25, not a change over two frames
}

}  // namespace
}  // namespace kivo
