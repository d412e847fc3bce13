#include "engine/DistanceCorrection.h"

#include <gtest/gtest.h>

#include <string>

#include "core/Numbers.h"
#include "engine/GeometryTypes.h"

namespace kivo {
namespace {

constexpr const char* kFailureLine =
    "ERROR: Distance correction factors could be not calculated due to missing input data. All "
    "distance measures (distance, symmetry, expansion, openness, proxemics) in the output and "
    "statistics files are uncorrected.";

void Place(InputVariableTable& table, int person, int index, BodyPose pose) {
    PersonBlock& block = table.Person(index, person);
    block.fieldIndex = {2, 3, 4, 5, 6, 7};
    block.current = {pose.x, pose.y, pose.z, pose.rx, pose.ry, pose.rz};
    block.previous = block.current;
}

// An upright model without rotations: body height `height` (Top over Bottom),
// right arm 20 + 30 long, right leg 40 + 40 long.
InputVariableTable UprightModel(int person, double height) {
    InputVariableTable table;
    Place(table, person, kHips, {0, 50, 0, 0, 0, 0});
    Place(table, person, kChest, {0, 60, 0, 0, 0, 0});
    Place(table, person, kHead, {0, 70, 0, 0, 0, 0});
    Place(table, person, kTop, {0, height, 0, 0, 0, 0});
    Place(table, person, kLegR, {10, 45, 0, 0, 0, 0});
    Place(table, person, kKneeR, {10, 5, 0, 0, 0, 0});
    Place(table, person, kFootR, {10, -35, 0, 0, 0, 0});
    Place(table, person, kBottom, {10, 0, 0, 0, 0, 0});
    Place(table, person, kArmR, {20, 60, 0, 0, 0, 0});
    Place(table, person, kElbowR, {20, 40, 0, 0, 0, 0});
    Place(table, person, kHandR, {20, 10, 0, 0, 0, 0});
    return table;
}

void ExpectUncorrected(const DistanceCorrectionResult& result) {
    EXPECT_EQ(result.factors.armFactor, 1.0);
    EXPECT_EQ(result.factors.legFactor, 1.0);
}

void ExpectFailure(const DistanceCorrectionResult& result, const std::string& measure,
                   const std::string& variables) {
    EXPECT_TRUE(result.failed);
    ExpectUncorrected(result);
    ASSERT_EQ(result.noticeLines.size(), 2u);
    EXPECT_EQ(result.noticeLines[0], kFailureLine);
    EXPECT_EQ(result.noticeLines[1],
              "NOTE: Data from the following variables are required to calculate the " + measure +
                  " of the 3D model (see tab page 'Data Fields'): " + variables);
}

TEST(GetDistanceCorrectionFactor, UsesLegFactorOnlyForLegKneeAndFoot) {
    const DistanceCorrection factors{2.0, 3.0};
    for (int index = 0; index < kInputVariableCount; ++index) {
        const bool leg = index == kLegL || index == kKneeL || index == kFootL || index == kLegR ||
                         index == kKneeR || index == kFootR;
        EXPECT_EQ(GetDistanceCorrectionFactor(index, factors), leg ? 3.0 : 2.0) << index;
    }
}

class NoCorrectionOptions : public ::testing::TestWithParam<const char*> {};

TEST_P(NoCorrectionOptions, LeaveFactorsAtOne) {
    const InputVariableTable table = UprightModel(1, 90);
    const DistanceCorrectionResult result =
        CalculateDistanceCorrectionFactors(table, 1, GetParam());
    EXPECT_FALSE(result.failed);
    ExpectUncorrected(result);
    EXPECT_TRUE(result.noticeLines.empty());
}

INSTANTIATE_TEST_SUITE_P(CalculateDistanceCorrectionFactors, NoCorrectionOptions,
                         ::testing::Values("unmodified", "length", "height", "", "180 cm"));

TEST(CalculateDistanceCorrectionFactors, BodyHeightOptionScalesToRealPerson) {
    const DistanceCorrectionResult result =
        CalculateDistanceCorrectionFactors(UprightModel(1, 90), 1, "180");
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.factors.armFactor, 2.0);
    EXPECT_EQ(result.factors.legFactor, 2.0);
}

TEST(CalculateDistanceCorrectionFactors, BodyHeightAcceptsUserDecimalSymbol) {
    SetDecimalSymbol(",");
    const DistanceCorrectionResult result =
        CalculateDistanceCorrectionFactors(UprightModel(1, 80), 1, "180,0");
    SetDecimalSymbol(".");
    EXPECT_EQ(result.factors.armFactor, 2.25);
}

TEST(CalculateDistanceCorrectionFactors, HeightOptionGivesPercentOfModelHeight) {
    const DistanceCorrectionResult result =
        CalculateDistanceCorrectionFactors(UprightModel(2, 200), 2, "Height");
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.factors.armFactor, 0.5);
    EXPECT_EQ(result.factors.legFactor, 0.5);
}

TEST(CalculateDistanceCorrectionFactors, HeightIsMeasuredOnStraightenedChains) {
    // A model lying on its back: every part turned 90 degrees about x, so the
    // body's up direction is global +z and all y values are equal.
    InputVariableTable table;
    Place(table, 1, kHips, {0, 0, 0, 90, 0, 0});
    Place(table, 1, kChest, {0, 0, 30, 90, 0, 0});
    Place(table, 1, kHead, {0, 0, 60, 90, 0, 0});
    Place(table, 1, kTop, {0, 0, 80, 90, 0, 0});
    Place(table, 1, kLegR, {5, 0, -5, 90, 0, 0});
    Place(table, 1, kKneeR, {5, 0, -45, 90, 0, 0});
    Place(table, 1, kFootR, {5, 0, -85, 90, 0, 0});
    Place(table, 1, kBottom, {5, 0, -120, 90, 0, 0});
    const DistanceCorrectionResult result = CalculateDistanceCorrectionFactors(table, 1, "Height");
    EXPECT_FALSE(result.failed);
    EXPECT_NEAR(result.factors.armFactor, 0.5, 1e-12);  // 100 / 200
}

TEST(CalculateDistanceCorrectionFactors, LengthOptionUsesRightArmAndLeg) {
    const DistanceCorrectionResult result =
        CalculateDistanceCorrectionFactors(UprightModel(1, 90), 1, "Length");
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.factors.armFactor, 2.0);   // 100 / (20 + 30)
    EXPECT_EQ(result.factors.legFactor, 1.25);  // 100 / (40 + 40)
}

TEST(CalculateDistanceCorrectionFactors, MissingLimbDataFailsWithLimbNotice) {
    InputVariableTable table = UprightModel(1, 90);
    table.Person(kFootR, 1).fieldIndex[kRz] = 0;
    ExpectFailure(CalculateDistanceCorrectionFactors(table, 1, "Length"), "arm and leg length",
                  "Arm R, Elbow R, Hand R, Leg R, Knee R, and Foot R.");
}

TEST(CalculateDistanceCorrectionFactors, MissingTopFailsWithHeightNotice) {
    InputVariableTable table = UprightModel(1, 90);
    table.Person(kTop, 1).fieldIndex[kTy] = 0;
    ExpectFailure(CalculateDistanceCorrectionFactors(table, 1, "Height"), "body height",
                  "Top, Bottom, Hips, Chest, Head, Leg R, Knee R, and Foot R.");
}

TEST(CalculateDistanceCorrectionFactors, PartnerDataAreNotUsedForPersonA) {
    ExpectFailure(CalculateDistanceCorrectionFactors(UprightModel(2, 90), 1, "175.5"),
                  "body height", "Top, Bottom, Hips, Chest, Head, Leg R, Knee R, and Foot R.");
}

TEST(CalculateDistanceCorrectionFactors, ZeroBodyHeightFailsInsteadOfDividing) {
    ExpectFailure(CalculateDistanceCorrectionFactors(UprightModel(1, 0), 1, "Height"),
                  "body height", "Top, Bottom, Hips, Chest, Head, Leg R, Knee R, and Foot R.");
}

TEST(CalculateDistanceCorrectionFactors, ZeroArmLengthFailsInsteadOfDividing) {
    InputVariableTable table = UprightModel(1, 90);
    Place(table, 1, kElbowR, {20, 60, 0, 0, 0, 0});
    Place(table, 1, kHandR, {20, 60, 0, 0, 0, 0});
    ExpectFailure(CalculateDistanceCorrectionFactors(table, 1, "Length"), "arm and leg length",
                  "Arm R, Elbow R, Hand R, Leg R, Knee R, and Foot R.");
}

}  // namespace
}  // namespace kivo
