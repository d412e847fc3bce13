#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/BodyDistances.h"
#include "engine/CalculationTestRows.h"
#include "engine/DyadicFunctions.h"

namespace kivo {
namespace {

using testing::BindPose;
using testing::MakeRecord;

// Proxemics as its definition reads: every pair measured on its own, the
// smallest corrected distance kept, the last pair's status returned.
int ProxemicsPairByPair(const InputVariableTable& table, const ParameterRecord& record,
                        const DistanceCorrection& factors, double& value) {
    double smallest = 1e300;
    int status = kStatusOk;
    for (int variable : record.variableIndices) {
        const double factor = GetDistanceCorrectionFactor(variable, factors);
        for (int target : record.targetIndices) {
            double distance = 0.0;
            status = CalculatePersonsDistance(table, 1, variable, 2, target, factor, distance);
            if (status == kStatusOk && distance < smallest)
                smallest = distance;
        }
    }
    value = smallest == 1e300 ? kNoValue : smallest;
    return status;
}

struct PairSearchCase {
    const char* name;
    double armFactor;
    double legFactor;
    double spread;     // coordinates are drawn from -spread..spread
    bool someUnbound;  // some variables of A and targets of B lack data fields
};

class ProxemicsPairSearch : public ::testing::TestWithParam<PairSearchCase> {};

// The search for the smallest pair must give the very bits (and status) that
// measuring every pair gives, whatever the factors and data.
TEST_P(ProxemicsPairSearch, GivesTheSameBitsAsMeasuringEveryPair) {
    const PairSearchCase& c = GetParam();
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> coordinate(-c.spread, c.spread);
    std::uniform_int_distribution<int> coin(0, 5);
    std::vector<int> markers;
    for (int v = kHips; v <= kHandRI; ++v)
        markers.push_back(v);

    for (int round = 0; round < 40; ++round) {
        InputVariableTable table;
        for (int person = 1; person <= 2; ++person) {
            for (int v : markers) {
                if (c.someUnbound && coin(random) == 0)
                    continue;
                BindPose(table, v, person,
                         {coordinate(random), coordinate(random), coordinate(random), 0, 0, 0});
            }
        }
        // Variables given twice, and a target list that ends on an unbound one.
        std::vector<int> targets = markers;
        if (c.someUnbound)
            targets.push_back(kInterest);
        const std::vector<std::vector<int>> variableLists = {markers, {kHandR}, {kFootL, kHead}};
        for (const std::vector<int>& variables : variableLists) {
            ParameterRecord record = MakeRecord(1, true, variables, targets);
            const DistanceCorrection factors{c.armFactor, c.legFactor};
            double expected = 0.0;
            const int expectedStatus = ProxemicsPairByPair(table, record, factors, expected);
            for (int person = 1; person <= 2; ++person) {
                const int status = CalculateDyadicProxemics(table, record, person, factors);
                EXPECT_EQ(status, expectedStatus) << "round " << round;
                EXPECT_EQ(std::bit_cast<std::uint64_t>(record.Current(0, person)),
                          std::bit_cast<std::uint64_t>(expected))
                    << "round " << round << ": " << record.Current(0, person) << " vs " << expected;
            }
        }
    }
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Factors, ProxemicsPairSearch,
    ::testing::Values(PairSearchCase{"Uncorrected", 1.0, 1.0, 100.0, false},
                      PairSearchCase{"ArmAndLegFactors", 0.37, 2.9, 100.0, true},
                      // Pairs closer than the geometry's zero measure 0.
                      PairSearchCase{"TinyDistances", 1.0, 3.0, 2e-4, true},
                      PairSearchCase{"ZeroFactors", 0.0, -0.0, 100.0, true},
                      PairSearchCase{"NegativeFactor", -1.5, 2.0, 100.0, true},
                      PairSearchCase{"NaNFactor", kNaN, 1.0, 100.0, true},
                      PairSearchCase{"InfiniteFactor", kInfinity, 1.0, 100.0, false},
                      // Corrected distances that overflow fail as pairs.
                      PairSearchCase{"OverflowingDistances", 1e300, 1.0, 1e10, true},
                      PairSearchCase{"OverflowingSquares", 1.0, 1.0, 1e160, true}),
    [](const ::testing::TestParamInfo<PairSearchCase>& testInfo) { return testInfo.param.name; });

}  // namespace
}  // namespace kivo
