#include "engine/DistanceCorrection.h"

#include <gtest/gtest.h>

#include <string>

#include "core/Numbers.h"
#include "engine/CalculationTestRows.h"
#include "engine/GeometryTypes.h"

namespace kivo {
namespace {

constexpr const char* kFailureLine =
    "ERROR: Distance correction factors could be not calculated due to missing input data. All "
    "distance measures (distance, symmetry, expansion, openness, proxemics) in the output and "
    "statistics files are uncorrected.";

using testing::Place;

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

TEST(CalculateDistanceCorrectionFactors, OtherOptionsLeaveFactorsAtOne) {
    for (const char* option : {"unmodified", "length", "height", "", "180 cm"}) {
        const DistanceCorrectionResult result =
            CalculateDistanceCorrectionFactors(UprightModel(1, 90), 1, option, ".");
        EXPECT_FALSE(result.failed) << option;
        ExpectUncorrected(result);
        EXPECT_TRUE(result.noticeLines.empty()) << option;
    }
}

TEST(CalculateDistanceCorrectionFactors, ScaleTheModelToTheRealPerson) {
    struct Case {
        const char* option;
        const char* decimalSymbol;
        int person;
        double modelHeight;
        double armFactor;
        double legFactor;
    };
    for (const Case& c : {Case{"180", ".", 1, 90, 2.0, 2.0}, Case{"180,0", ",", 1, 80, 2.25, 2.25},
                          // percent of the model's height
                          Case{"Height", ".", 2, 200, 0.5, 0.5},
                          // 100 / (20 + 30) and 100 / (40 + 40)
                          Case{"Length", ".", 1, 90, 2.0, 1.25}}) {
        const DistanceCorrectionResult result = CalculateDistanceCorrectionFactors(
            UprightModel(c.person, c.modelHeight), c.person, c.option, c.decimalSymbol);
        EXPECT_FALSE(result.failed) << c.option;
        EXPECT_EQ(result.factors.armFactor, c.armFactor) << c.option;
        EXPECT_EQ(result.factors.legFactor, c.legFactor) << c.option;
    }
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
    const DistanceCorrectionResult result =
        CalculateDistanceCorrectionFactors(table, 1, "Height", ".");
    EXPECT_FALSE(result.failed);
    EXPECT_NEAR(result.factors.armFactor, 0.5, 1e-12);  // 100 / 200
}

constexpr const char* kLimbs = "Arm R, Elbow R, Hand R, Leg R, Knee R, and Foot R.";
constexpr const char* kHeightChain = "Top, Bottom, Hips, Chest, Head, Leg R, Knee R, and Foot R.";

// A measured length of 0 fails like missing data instead of dividing by it.
TEST(CalculateDistanceCorrectionFactors, FailureLeavesFactorsAtOneWithTheNoticeLines) {
    struct Case {
        const char* name;
        const char* option;
        void (*spoil)(InputVariableTable&);
        const char* measure;
        const char* variables;
    };
    const Case cases[] = {
        {"MissingFootField", "Length",
         [](InputVariableTable& model) { model.Person(kFootR, 1).fieldIndex[kRz] = 0; },
         "arm and leg length", kLimbs},
        {"MissingTopField", "Height",
         [](InputVariableTable& model) { model.Person(kTop, 1).fieldIndex[kTy] = 0; },
         "body height", kHeightChain},
        {"OnlyThePartnerBound", "175.5",
         [](InputVariableTable& model) { model = UprightModel(2, 90); }, "body height",
         kHeightChain},
        {"ZeroBodyHeight", "Height", [](InputVariableTable& model) { model = UprightModel(1, 0); },
         "body height", kHeightChain},
        {"ZeroArmLength", "Length",
         [](InputVariableTable& model) {
             Place(model, 1, kElbowR, {20, 60, 0, 0, 0, 0});
             Place(model, 1, kHandR, {20, 60, 0, 0, 0, 0});
         },
         "arm and leg length", kLimbs}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InputVariableTable table = UprightModel(1, 90);
        c.spoil(table);
        ExpectFailure(CalculateDistanceCorrectionFactors(table, 1, c.option, "."), c.measure,
                      c.variables);
    }
}

}  // namespace
}  // namespace kivo
