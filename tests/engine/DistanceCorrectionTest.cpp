#include "engine/DistanceCorrection.h"

#include <gtest/gtest.h>

#include <ostream>
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
        CalculateDistanceCorrectionFactors(table, 1, GetParam(), ".");
    EXPECT_FALSE(result.failed);
    ExpectUncorrected(result);
    EXPECT_TRUE(result.noticeLines.empty());
}

INSTANTIATE_TEST_SUITE_P(CalculateDistanceCorrectionFactors, NoCorrectionOptions,
                         ::testing::Values("unmodified", "length", "height", "", "180 cm"));

struct FactorCase {
    const char* option;
    const char* decimalSymbol;
    int person;
    double modelHeight;
    double armFactor;
    double legFactor;
};

void PrintTo(const FactorCase& c, std::ostream* os) {
    *os << "'" << c.option << "' over a model " << c.modelHeight << " high";
}

class CorrectionOptions : public ::testing::TestWithParam<FactorCase> {};

TEST_P(CorrectionOptions, ScaleTheModelToTheRealPerson) {
    const FactorCase& c = GetParam();
    const DistanceCorrectionResult result = CalculateDistanceCorrectionFactors(
        UprightModel(c.person, c.modelHeight), c.person, c.option, c.decimalSymbol);
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.factors.armFactor, c.armFactor);
    EXPECT_EQ(result.factors.legFactor, c.legFactor);
}

INSTANTIATE_TEST_SUITE_P(CalculateDistanceCorrectionFactors, CorrectionOptions,
                         ::testing::Values(FactorCase{"180", ".", 1, 90, 2.0, 2.0},
                                           FactorCase{"180,0", ",", 1, 80, 2.25, 2.25},
                                           // percent of the model's height
                                           FactorCase{"Height", ".", 2, 200, 0.5, 0.5},
                                           // 100 / (20 + 30) and 100 / (40 + 40)
                                           FactorCase{"Length", ".", 1, 90, 2.0, 1.25}));

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

struct FailureCase {
    const char* name;
    const char* option;
    void (*spoil)(InputVariableTable&);
    const char* measure;
    const char* variables;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class CorrectionFailure : public ::testing::TestWithParam<FailureCase> {};

// A measured length of 0 fails like missing data instead of dividing by it.
TEST_P(CorrectionFailure, LeavesFactorsAtOneWithTheNoticeLines) {
    InputVariableTable table = UprightModel(1, 90);
    GetParam().spoil(table);
    ExpectFailure(CalculateDistanceCorrectionFactors(table, 1, GetParam().option, "."),
                  GetParam().measure, GetParam().variables);
}

INSTANTIATE_TEST_SUITE_P(
    CalculateDistanceCorrectionFactors, CorrectionFailure,
    ::testing::Values(
        FailureCase{"MissingFootField", "Length",
                    [](InputVariableTable& model) { model.Person(kFootR, 1).fieldIndex[kRz] = 0; },
                    "arm and leg length", kLimbs},
        FailureCase{"MissingTopField", "Height",
                    [](InputVariableTable& model) { model.Person(kTop, 1).fieldIndex[kTy] = 0; },
                    "body height", kHeightChain},
        FailureCase{"OnlyThePartnerBound", "175.5",
                    [](InputVariableTable& model) { model = UprightModel(2, 90); }, "body height",
                    kHeightChain},
        FailureCase{"ZeroBodyHeight", "Height",
                    [](InputVariableTable& model) { model = UprightModel(1, 0); }, "body height",
                    kHeightChain},
        FailureCase{"ZeroArmLength", "Length",
                    [](InputVariableTable& model) {
                        Place(model, 1, kElbowR, {20, 60, 0, 0, 0, 0});
                        Place(model, 1, kHandR, {20, 60, 0, 0, 0, 0});
                    },
                    "arm and leg length", kLimbs}),
    [](const ::testing::TestParamInfo<FailureCase>& paramInfo) {
        return std::string(paramInfo.param.name);
    });

}  // namespace
}  // namespace kivo
