#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/NoValue.h"
#include "core/StatusCode.h"
#include "engine/BodyDistances.h"
#include "engine/CalculationTestRows.h"
#include "engine/DyadicFunctions.h"

namespace kivo {
namespace {

using testing::At;
using testing::BindPose;
using testing::MakeRecord;
using testing::Pose;
using testing::SetValues;

Pose Shifted(const Pose& pose, double dx, double dz) {
    return {pose[0] + dx, pose[1], pose[2] + dz, pose[3], pose[4], pose[5]};
}

// The pose seen in a mirror standing in the global yz plane.
Pose Mirror(const Pose& pose) {
    return {-pose[0], pose[1], pose[2], pose[3], -pose[4], -pose[5]};
}

int OtherSide(int index) {
    for (const auto& [left, right] :
         {std::pair{kHandL, kHandR}, std::pair{kElbowL, kElbowR}, std::pair{kArmL, kArmR}}) {
        if (index == left || index == right)
            return index == left ? right : left;
    }
    return index;
}

class Mimicry : public ::testing::Test {
  protected:
    // Person A's posture: every body part turned its own way.
    const std::vector<std::pair<int, Pose>> postureA_ = {
        {kChest, {0, 130, 0, 5, 20, -3}},    {kHandL, {-30, 100, 10, 20, 30, 10}},
        {kHandR, {30, 110, 5, -10, 45, 25}}, {kElbowL, {-25, 115, 0, 40, -10, 5}},
        {kElbowR, {25, 115, 0, 15, 5, -20}}, {kHead, {0, 160, 0, 10, -15, 5}},
        {kArmL, {-20, 125, 0, 5, 10, 15}},   {kArmR, {20, 125, 0, -5, 25, 0}}};

    void BindPersonA() {
        for (const auto& [variable, pose] : postureA_)
            BindPose(table_, variable, 1, pose);
    }

    InputVariableTable table_;
    ParameterRecord record_ =
        MakeRecord(2, true, {kHandL, kHandR, kElbowL, kArmR, kHead}, {}, kChest);
};

TEST_F(Mimicry, IdenticalPosturesGiveZeroDirectDifference) {
    BindPersonA();
    for (const auto& [variable, pose] : postureA_)
        BindPose(table_, variable, 2, Shifted(pose, 100, 50));
    ASSERT_EQ(CalculateDyadicMimicry(table_, record_, 1), kStatusOk);
    ASSERT_EQ(CalculateDyadicMimicry(table_, record_, 2), kStatusOk);
    EXPECT_EQ(record_.Current(0, 1), 0.0);
    EXPECT_EQ(record_.Current(0, 2), 0.0);
    EXPECT_GT(record_.Current(1, 1),
              1.0);  // the posture is not left-right symmetric
}

TEST_F(Mimicry, MirrorImagePosturesGiveZeroMirrorDifference) {
    BindPersonA();
    // B's left hand does what A's right hand does, mirrored; the head stays the head.
    for (const auto& [variable, pose] : postureA_)
        BindPose(table_, OtherSide(variable), 2, Shifted(Mirror(pose), 0, 120));
    ASSERT_EQ(CalculateDyadicMimicry(table_, record_, 1), kStatusOk);
    ASSERT_EQ(CalculateDyadicMimicry(table_, record_, 2), kStatusOk);
    EXPECT_EQ(record_.Current(1, 1), 0.0);
    EXPECT_EQ(record_.Current(1, 2), 0.0);
    EXPECT_GT(record_.Current(0, 1), 1.0);
}

TEST_F(Mimicry, AnUndeterminableAngleEmptiesOnlyTheColumnItEnters) {
    BindPose(table_, kChest, 1, At(0, 130, 0));
    BindPose(table_, kChest, 2, At(100, 130, 0));
    BindPose(table_, kHandL, 1, {-30, 100, 0, 20, 0, 0});
    BindPose(table_, kHandL, 2, {70, 100, 0, 90, 0, 0});  // only the sagittal angle is defined
    BindPose(table_, kHandR, 2, {130, 100, 0, 20, 0, 0});
    ParameterRecord record = MakeRecord(2, false, {kHandL}, {}, kChest);
    ASSERT_EQ(CalculateDyadicMimicry(table_, record, 1), kStatusOk);
    EXPECT_EQ(record.Current(0, 1), kNoValue);
    EXPECT_NEAR(record.Current(1, 1), 0.0, 1e-9);
}

TEST_F(Mimicry, WithoutPartnerDataIsADataError) {
    BindPersonA();
    EXPECT_EQ(CalculateDyadicMimicry(table_, record_, 1), kStatusDataError);
    EXPECT_EQ(record_.Current(0, 1), kNoValue);
    EXPECT_EQ(record_.Current(1, 1), kNoValue);
}

// From person A's variables to person B's targets, for both persons, each with
// its own factors.
TEST(Proxemics, IsTheSmallestCorrectedDistanceFromAsVariablesToBsTargets) {
    InputVariableTable table;
    BindPose(table, kHandL, 1, At(0, 100, 0));
    BindPose(table, kHandR, 1, At(20, 100, 0));
    BindPose(table, kHandL, 2, At(28, 100, 0));
    BindPose(table, kHandR, 2, At(60, 100, 0));
    BindPose(table, kHead, 2, At(0, 110, 0));
    // Pairs: 28, 60, 8, 40.
    ParameterRecord record = MakeRecord(1, true, {kHandL, kHandR}, {kHandL, kHandR});
    ASSERT_EQ(CalculateDyadicProxemics(table, record, 1, {1.0, 1.0}), kStatusOk);
    ASSERT_EQ(CalculateDyadicProxemics(table, record, 2, {2.5, 1.0}), kStatusOk);
    EXPECT_EQ(record.Current(0, 1), 8.0);
    EXPECT_EQ(record.Current(0, 2), 20.0);
    // 10 from A's hand to B's head, arm factor 2.5.
    ParameterRecord head = MakeRecord(1, true, {kHandL}, {kHead});
    ASSERT_EQ(CalculateDyadicProxemics(table, head, 2, {2.5, 1.0}), kStatusOk);
    EXPECT_EQ(head.Current(0, 2), 25.0);
}

class DyadicParameterRows : public testing::FrameRows {
  protected:
    // The input row (computed for both persons) and the Dyadic Parameter row.
    int AddInput(std::array<double, 2> a, std::array<double, 2> b) {
        ParameterRecord input = MakeRecord(2, true);
        SetValues(input, 1, {a[0], a[1]});
        SetValues(input, 2, {b[0], b[1]});
        records_.resize(1);
        return Add(MakeRecord(8, false, {Add(std::move(input))}));
    }
};

TEST_F(DyadicParameterRows, SplitTheCommonExpressionIntoContributions) {
    struct Case {
        const char* name;
        double a;
        double b;
        std::array<double, 4> expected;
    };
    for (const Case& c :
         {Case{"ThreeAndOne", 3, 1, {4, 75, 2, 50}},
          Case{"BothZero", 0, 0, {0, kNoValue, 0, kNoValue}},
          Case{"Opposite", -1, 1, {0, kNoValue, -2, kNoValue}},
          Case{"NoValueOfA", kNoValue, 1, {kNoValue, kNoValue, kNoValue, kNoValue}}}) {
        const int row = AddInput({c.a, 2}, {c.b, 2});
        ASSERT_EQ(CalculateDyadicParameters(records_, row), kStatusOk) << c.name;
        // The second value column of the input fills columns 5 to 8.
        const std::array<double, 4> second = {4, 50, 0, 0};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Value(row, i), c.expected[static_cast<std::size_t>(i)]) << c.name << " " << i;
            EXPECT_EQ(Value(row, 4 + i), second[static_cast<std::size_t>(i)]) << c.name << " " << i;
        }
    }
}

TEST_F(DyadicParameterRows, InheritsAnErrorOfEitherPerson) {
    const int row = AddInput({3, 2}, {1, 2});
    records_[1].statusB = kStatusDataError;
    EXPECT_EQ(CalculateDyadicParameters(records_, row), kStatusInheritedError);
    records_[1].statusB = kStatusOk;
    records_[1].statusA = kStatusCalculationError;
    EXPECT_EQ(CalculateDyadicParameters(records_, row), kStatusInheritedError);
    EXPECT_EQ(Value(row), kNoValue);
}

TEST_F(DyadicParameterRows, StoresNoInfinity) {
    const int row = AddInput({1e307, 2}, {1e307, 2});
    EXPECT_EQ(CalculateDyadicParameters(records_, row), kStatusCalculationError);
    EXPECT_EQ(Value(row, 0), 2e307);
    EXPECT_EQ(Value(row, 1), kNoValue);  // 1e309 / 2e307
    EXPECT_EQ(Value(row, 2), 0.0);
    EXPECT_EQ(Value(row, 3), 0.0);
}

TEST_F(DyadicParameterRows, AnInputComputedForPersonAOnlyIsASettingError) {
    const int row = AddInput({3, 2}, {1, 2});
    ParameterRecord single = MakeRecord(2, false);
    SetValues(single, 1, {3, 2});
    records_[1] = single;
    EXPECT_EQ(CalculateDyadicParameters(records_, row), kStatusSettingError);
    EXPECT_EQ(Value(row), kNoValue);
}

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

// The search for the smallest pair must give the very bits (and status) that
// measuring every pair gives, whatever the factors and data.
TEST(ProxemicsPairSearch, GivesTheSameBitsAsMeasuringEveryPair) {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        double armFactor;
        double legFactor;
        double spread;     // coordinates are drawn from -spread..spread
        bool someUnbound;  // some variables of A and targets of B lack data fields
    };
    const Case cases[] = {{"Uncorrected", 1.0, 1.0, 100.0, false},
                          {"ArmAndLegFactors", 0.37, 2.9, 100.0, true},
                          // Pairs closer than the geometry's zero measure 0.
                          {"TinyDistances", 1.0, 3.0, 2e-4, true},
                          {"ZeroFactors", 0.0, -0.0, 100.0, true},
                          {"NegativeFactor", -1.5, 2.0, 100.0, true},
                          {"NaNFactor", kNaN, 1.0, 100.0, true},
                          {"InfiniteFactor", kInfinity, 1.0, 100.0, false},
                          // Corrected distances that overflow fail as pairs.
                          {"OverflowingDistances", 1e300, 1.0, 1e10, true},
                          {"OverflowingSquares", 1.0, 1.0, 1e160, true}};
    std::vector<int> markers;
    for (int v = kHips; v <= kHandRI; ++v)
        markers.push_back(v);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::mt19937_64 random(20240611);
        std::uniform_real_distribution<double> coordinate(-c.spread, c.spread);
        std::uniform_int_distribution<int> coin(0, 5);
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
            for (const std::vector<int>& variables :
                 std::vector<std::vector<int>>{markers, {kHandR}, {kFootL, kHead}}) {
                ParameterRecord record = MakeRecord(1, true, variables, targets);
                const DistanceCorrection factors{c.armFactor, c.legFactor};
                double expected = 0.0;
                const int expectedStatus = ProxemicsPairByPair(table, record, factors, expected);
                for (int person = 1; person <= 2; ++person) {
                    EXPECT_EQ(CalculateDyadicProxemics(table, record, person, factors),
                              expectedStatus)
                        << "round " << round;
                    EXPECT_EQ(std::bit_cast<std::uint64_t>(record.Current(0, person)),
                              std::bit_cast<std::uint64_t>(expected))
                        << "round " << round << ": " << record.Current(0, person) << " vs "
                        << expected;
                }
            }
        }
    }
}

}  // namespace
}  // namespace kivo
