#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/InputVariableTable.h"
#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/CalculationTestRows.h"
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
struct LocalPoseCase {
    const char* name;
    int variable;
    Pose pose;
    int reference;
    bool referenceRotations;
    Pose referencePose;
    std::vector<double> expected;
    int status;
};

class LocalPose : public PostureFunctions, public ::testing::WithParamInterface<LocalPoseCase> {};

TEST_P(LocalPose, IsTakenInTheReferenceFrame) {
    const LocalPoseCase& c = GetParam();
    if (c.status != kStatusDataError)  // the data error case leaves the body part unbound
        Bind(c.variable, c.pose, c.pose);
    if (c.reference != kNotAnInputVariable && c.reference != c.variable)
        Bind(c.reference, c.referencePose, c.referencePose, c.referenceRotations);
    const bool transformation = c.expected.size() == 6;
    ParameterRecord record = Row(c.variable, c.reference, transformation ? 6 : 3);
    EXPECT_EQ(transformation ? CalculateCoordinateTransformation(table_, record, 1)
                             : CalculateStaticSRL(table_, record, 1),
              c.status);
    ExpectValues(record, c.expected);
}

const Pose kHandPose{10, 100, 5, 20, 30, 10};
const double kRoot2 = std::sqrt(2.0);

// Name; body part and pose; reference, whether it has rotation fields, and its
// pose; the expected values (six: a Coordinate Transformation) and status.
LocalPoseCase Case(const char* name, int variable, const Pose& pose, int reference,
                   bool referenceRotations, const Pose& referencePose, std::vector<double> expected,
                   int status = kStatusOk) {
    return {
        name,  variable, pose, reference, referenceRotations, referencePose, std::move(expected),
        status};
}

INSTANTIATE_TEST_SUITE_P(
    Poses, LocalPose,
    ::testing::Values(
        Case("SrlGlobal", kHead, {0, 150, 0, 30, 0, 0}, kNotAnInputVariable, true, {}, {30, 0, 0}),
        Case("SrlOnItself", kHandR, kHandPose, kHandR, true, {}, {0, 0, 0}),
        // A reference without rotation fields falls back to the global frame.
        Case("SrlReferenceWithoutRotations", kHead, {0, 150, 0, 30, 0, 0}, kHips, false,
             {0, 100, 0, 0, 45, 0}, {30, 0, 0}),
        Case("SrlUnboundBodyPart", kHead, {}, kNotAnInputVariable, true, {}, {kNoValue},
             kStatusDataError),
        Case("TransformationOnItself", kHandL, kHandPose, kHandL, true, {}, {0, 0, 0, 0, 0, 0}),
        Case("TransformationWithoutReference", kHandL, kHandPose, kNotAnInputVariable, true, {},
             {10, 100, 5, 20, 30, 10}),
        // Offset (10, -20, 5) turned back by 45 degrees about the vertical.
        Case("TransformationIntoATurnedFrame", kHandL, {10, 100, 5, 0, 0, 0}, kChest, true,
             {0, 120, 0, 0, 45, 0}, {5 / kRoot2, -20, 15 / kRoot2, 0, -45, 0})),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

struct DynamicCase {
    const char* name;
    int reference;
    Pose previous;
    Pose current;
    std::vector<double> expected;
    int status;
};

class DynamicSRL : public PostureFunctions, public ::testing::WithParamInterface<DynamicCase> {};

TEST_P(DynamicSRL, MeasuresTheRotationSinceThePreviousFrame) {
    const DynamicCase& c = GetParam();
    Bind(kHead, c.current, c.previous);
    ParameterRecord record = Row(kHead, c.reference);
    EXPECT_EQ(CalculateDynamicSRL(table_, record, 1), c.status);
    ExpectValues(record, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, DynamicSRL,
    ::testing::Values(
        DynamicCase{
            "Rotational", kNotAnInputVariable, {}, {0, 0, 0, 0, 5, 0}, {0, 5, 0}, kStatusOk},
        DynamicCase{
            "Sagittal", kNotAnInputVariable, {}, {0, 0, 0, 10, 0, 0}, {10, 0, 0}, kStatusOk},
        DynamicCase{"UnassignedBaseIsGlobal", kBase, {}, {0, 0, 0, 0, 5, 0}, {0, 5, 0}, kStatusOk},
        DynamicCase{
            "UnassignedReference", kChest, {}, {0, 0, 0, 0, 5, 0}, {kNoValue}, kStatusDataError}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

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

}  // namespace
}  // namespace kivo
