#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "StatisticsTestSupport.h"
#include "stats/MovementStatistics.h"
#include "stats/StatisticItems.h"

namespace kivo {
namespace {

using testing::ArrayOf;
using testing::FrameFeeder;
using testing::MakeRecord;

const StatisticsAccumulator& Value(const ParameterArray& array, int column = 0) {
    return array[1].valueAccumulators.at(static_cast<std::size_t>(column));
}
const StatisticsAccumulator& Difference(const ParameterArray& array, int column = 0) {
    return array[1].dAccumulators.at(static_cast<std::size_t>(column));
}

// Numbers, with "" for an error item: ExpectItems(items, {5.0, ...}).
template <std::size_t N>
void ExpectItems(const std::array<StatisticItem, N>& items, const std::vector<double>& numbers,
                 const std::vector<std::size_t>& divisionErrors = {}) {
    for (std::size_t k = 0; k < N; ++k) {
        const bool error =
            std::find(divisionErrors.begin(), divisionErrors.end(), k) != divisionErrors.end();
        if (error) {
            EXPECT_EQ(items[k].error, ";ERROR:DIV/0") << "item " << k;
        } else if (k < numbers.size()) {
            EXPECT_FALSE(items[k].IsError()) << "item " << k << ": " << items[k].error;
            EXPECT_EQ(items[k].value, numbers[k]) << "item " << k;
        }
    }
}

// --- general kind ---

TEST(GeneralStatistics, GiveMeanPopulationDeviationAndExtremes) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1));
    FrameFeeder feeder{array};
    for (double v : {2.0, 4.0, kNoValue, 4.0, 4.0, 5.0, 5.0, 7.0, 9.0})
        feeder.Frame(v);
    // 40 / 8 with the no value skipped; variance 32 / 8 (divided by n, not n - 1).
    ExpectItems(GeneralItems(Value(array)), {5.0, 2.0, 2.0, 9.0});
}

// The rounding of the two sums alone would leave 1234.5678 x 36000 with a
// variance of about -1.4e-6, and 12345.678 x 100000 with +2.5e-4; a series
// 1, 1.0001 has the variance 2.5e-9, below the clamp of 1e-7.
TEST(GeneralStatistics, DeviationOfAConstantOrNearlyConstantSeriesIsExactlyZero) {
    const struct {
        double value;
        int frames;
    } series[] = {{0.1, 1000}, {-7.0, 1}, {1234.5678, 36000}, {12345.678, 100000}};
    for (const auto& [value, frames] : series) {
        ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1));
        FrameFeeder feeder{array};
        for (int i = 0; i < frames; ++i)
            feeder.Frame(value);
        const auto items = GeneralItems(Value(array));
        EXPECT_EQ(items[1].value, 0.0) << value;
        EXPECT_FALSE(items[1].IsError());
        EXPECT_EQ(items[2].value, value);
        EXPECT_EQ(items[3].value, value);
    }
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1));
    FrameFeeder feeder{array};
    feeder.Frame(1.0);
    feeder.Frame(1.0001);
    EXPECT_EQ(GeneralItems(Value(array))[1].value, 0.0);
}

// The first frame of a file has no difference (whatever the record held), nor
// has a frame without value or after one.
TEST(GeneralStatistics, DifferencesNeedTwoFramesOfTheFileWithValues) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1, true));
    array[1].Current(0, 1) = 100.0;  // left over from the file before
    FrameFeeder feeder{array};
    for (double v : {1.0, 4.0, kNoValue, 9.0, 16.0, 25.0, 36.0})
        feeder.Frame(v);
    EXPECT_EQ(Value(array).counters[0], 6);
    EXPECT_EQ(Difference(array).counters[0], 4);
    // 3, 7, 9, 11: (3 + 7 + 9 + 11) / 4 and (260 - 900 / 4) / 4.
    ExpectItems(GeneralItems(Difference(array)), {7.5, std::sqrt(35.0 / 4.0), 3.0, 11.0});
}

// --- level kind and thresholds ---

// Angles 2, distances 5 (the third column of Complexity and Magnitude);
// Pixel Difference always 10.
TEST(LevelStatistics, AValueEqualToTheThresholdIsNoMovementFrame) {
    const struct {
        int function;
        int nValues;
        int column;
        double threshold;
    } cases[] = {{kFnComplexity, 4, 2, 5.0},
                 {kFnComplexity, 4, 3, 2.0},
                 {kFnMagnitude, 3, 1, 2.0},
                 {kFnPixelDifference, 1, 0, 10.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE("function " + std::to_string(c.function) + " column " +
                     std::to_string(c.column));
        ParameterArray array = ArrayOf(MakeRecord(c.function, c.nValues));
        FrameFeeder feeder{array, false, 2.0, 5.0};
        for (double v : {c.threshold, -c.threshold, c.threshold + 0.5, -c.threshold - 0.5}) {
            std::vector<double> values(static_cast<std::size_t>(c.nValues), 0.0);
            values[static_cast<std::size_t>(c.column)] = v;
            feeder.Set(1, values);
            feeder.EndFrame();
        }
        const StatisticsAccumulator& accumulator = Value(array, c.column);
        EXPECT_EQ(accumulator.counters[0], 4);
        EXPECT_EQ(accumulator.counters[1], 2);             // only the two beyond it, either sign
        ExpectItems(LevelItems(accumulator), {0.0, 0.0});  // the four values cancel
    }
}

TEST(LevelStatistics, MeanPerMovementFrameDividesTheWholeSum) {
    ParameterArray array = ArrayOf(MakeRecord(kFnPixelDifference, 1));
    FrameFeeder feeder{array};
    for (double v : {10.0, 12.0, 4.0, 14.0})
        feeder.Frame(v);
    ExpectItems(LevelItems(Value(array)), {10.0, 20.0});  // 40 / 4; 40 / 2 movement frames
}

TEST(LevelStatistics, DifferencesCountMovementOfTheChange) {
    ParameterArray array = ArrayOf(MakeRecord(kFnMagnitude, 3, true));
    FrameFeeder feeder{array, false, 2.0, 5.0};
    for (double v : {0.0, 6.0, 9.0, 3.0}) {  // changes 6, 3, -6
        feeder.Set(1, {v, v, v});
        feeder.EndFrame();
    }
    EXPECT_EQ(Difference(array, 0).counters[0], 3);
    EXPECT_EQ(Difference(array, 0).counters[1], 3);  // all beyond 2
    EXPECT_EQ(Difference(array, 2).counters[1], 2);  // 3 is not beyond 5
    EXPECT_EQ(Difference(array, 2).firstSum, 3.0);
}

// --- dyadic movement kind (TSM, angle threshold) ---

TEST(DyadicMovementStatistics, CountFramePairsOnlyWhenBothPersonsHaveValues) {
    ParameterArray array = ArrayOf(MakeRecord(kFnTSM, 1, false, true));
    FrameFeeder feeder{array, false, 2.0, 100.0};
    feeder.Frame(3.0, 0.0);       // only A
    feeder.Frame(0.0, 3.0);       // only B
    feeder.Frame(3.0, -3.0);      // both
    feeder.Frame(2.0, 2.0);       // neither (equal to the threshold)
    feeder.Frame(3.0, kNoValue);  // B missing: counts for A only
    feeder.Frame(kNoValue, 3.0);  // A missing: nothing
    EXPECT_EQ(Value(array).counters, (std::vector<std::int32_t>{5, 3, 4, 1, 1, 1, 3}));
    EXPECT_EQ(Value(array).firstSum, 11.0);
    ExpectItems(DyadicMovementItems(Value(array)), {60.0, 25.0, 25.0, 25.0, 75.0});
}

TEST(DyadicMovementStatistics, DifferencesCompareTheChangesOfBothPersons) {
    ParameterArray array = ArrayOf(MakeRecord(kFnTSM, 1, true, true));
    FrameFeeder feeder{array, false, 2.0, 100.0};
    feeder.Frame(0.0, 0.0);
    feeder.Frame(3.0, 1.0);       // A changes 3, B 1: only A
    feeder.Frame(3.0, 4.0);       // A 0, B 3: only B
    feeder.Frame(3.0, kNoValue);  // B has no value: A's change alone
    feeder.Frame(0.0, 0.0);       // B's previous missing: A's change alone
    EXPECT_EQ(Difference(array).counters, (std::vector<std::int32_t>{4, 2, 2, 1, 1, 0, 2}));
}

// --- phases kind (Activation, distance threshold) ---

TEST(PhaseStatistics, CountPhasesDurationsVelocityAndChanges) {
    ParameterArray array = ArrayOf(MakeRecord(kFnActivation, 1));
    FrameFeeder feeder{array, false, 100.0, 1.0};
    // Frame 1 has no value yet (as in a run); frame 2's previous is missing,
    // so frame 2 adds to no phase counter. Frame 5 equals the threshold: a
    // pause frame that starts a pause (3 was above); frame 6 starts none.
    for (double v : {kNoValue, 0.5, 2.0, 3.0, 1.0, 0.5, 2.0, 1.5, 0.25})
        feeder.Frame(v);
    const StatisticsAccumulator& accumulator = Value(array);
    EXPECT_EQ(accumulator.counters, (std::vector<std::int32_t>{8, 4, 2, 2, 4, 3, 2, 2}));
    EXPECT_EQ(accumulator.secondSum, 8.5);
    EXPECT_EQ(accumulator.third, 3.0);     // +1.5 twice
    EXPECT_EQ(accumulator.fourth, -3.25);  // -2, -1.25
    // Durations: 4 frames / 2 phases / 10 fps; 3 / 2 / 10. Velocity 8.5 x 10 / 4;
    // acceleration 3 x 10 / 2.
    ExpectItems(PhaseItems(accumulator, 10.0), {2.0, 0.2, 2.0, 0.15, 21.25, 15.0, -16.25});
    // Without a frame rate there are no durations.
    ExpectItems(PhaseItems(accumulator, 0.0), {2.0, 0.0, 2.0, 0.0, 0.0}, {1, 3});
}

// Frame 2 starts a movement phase (counter 2), but its change of +5 is not
// counted (counter 6); frame 3's change of -5 is (counter 7). A value equal
// to the threshold starts no movement phase.
TEST(PhaseStatistics, ChangesAreCountedFromTheThirdFrameAndTheThresholdIsNoMovement) {
    const struct {
        std::vector<double> values;
        std::vector<std::int32_t> counters;
        double framesPerSecond;
        std::vector<double> items;
        std::vector<std::size_t> divisionErrors;
    } cases[] = {{{0.0, 5.0, 0.0},
                  {3, 1, 1, 1, 1, 1, 0, 1},
                  25.0,
                  {1.0, 0.04, 1.0, 0.04, 125.0, 0.0, -125.0},
                  {5}},
                 {{0.0, 1.0, 0.0, 1.0}, {4, 0, 0, 0, 0, 3, 0, 0}, 10.0, {0.0}, {1, 3, 4}}};
    for (const auto& c : cases) {
        ParameterArray array = ArrayOf(MakeRecord(kFnActivation, 1));
        FrameFeeder feeder{array, false, 100.0, 1.0};
        for (double v : c.values)
            feeder.Frame(v);
        EXPECT_EQ(Value(array).counters, c.counters);
        ExpectItems(PhaseItems(Value(array), c.framesPerSecond), c.items, c.divisionErrors);
    }
    // Nor does a frame above it after one exactly at it.
    ParameterArray array = ArrayOf(MakeRecord(kFnActivation, 1));
    FrameFeeder feeder{array, false, 100.0, 1.0};
    for (double v : {0.0, 1.0, 2.0})
        feeder.Frame(v);
    EXPECT_EQ(Value(array).counters[2], 0);
    EXPECT_EQ(Value(array).counters[4], 1);
}

// --- safety and lifecycle ---

TEST(CalculateStatistics, ReportsARecordWithoutItsAccumulatorsAndWritesNothing) {
    ParameterRecord record = MakeRecord(kFnTSM, 1, false, true);
    record.valueAccumulators[0].counters.resize(2);
    ParameterArray array = ArrayOf(record);
    FrameFeeder feeder{array};
    feeder.Frame(3.0, 3.0);
    ASSERT_EQ(feeder.prompt.messages.size(), 1u);
    EXPECT_EQ(feeder.prompt.messages[0].title, "Error Message");
    EXPECT_NE(feeder.prompt.LastText().find("'CalculateStatistics'"), std::string::npos);
    EXPECT_EQ(Value(array).counters, (std::vector<std::int32_t>{0, 0}));
}

// General extremes start again at +-1e300; Activation's sums at 0.
TEST(ResetAfterStatisticLine, ClearsEveryKindForTheNextLine) {
    ParameterArray array(4);
    array[1] = MakeRecord(kFnDistance, 1, true);
    array[2] = MakeRecord(kFnTSM, 1, true, true);
    array[3] = MakeRecord(kFnActivation, 1, true);
    ResetStatisticsAccumulators(array, false);
    FrameFeeder feeder{array, false, 1.0, 1.0};
    for (double v : {0.0, 5.0, 0.0, 5.0}) {
        for (int p = 1; p <= 3; ++p)
            feeder.Set(p, {v}, {v});
        feeder.EndFrame();
    }
    for (std::size_t p = 1; p <= 3; ++p) {
        ResetAfterStatisticLine(array[p]);
        for (const auto* accumulators : {&array[p].valueAccumulators, &array[p].dAccumulators}) {
            const StatisticsAccumulator& a = accumulators->at(0);
            EXPECT_EQ(a.firstSum, 0.0) << p;
            EXPECT_EQ(a.counters, std::vector<std::int32_t>(a.counters.size(), 0)) << p;
        }
    }
    EXPECT_EQ(Value(array).third, 1e300);
    EXPECT_EQ(Difference(array).fourth, -1e300);
    const StatisticsAccumulator& activation = array[3].valueAccumulators[0];
    EXPECT_EQ(activation.secondSum, 0.0);
    EXPECT_EQ(activation.third, 0.0);
    EXPECT_EQ(activation.fourth, 0.0);
}

}  // namespace
}  // namespace kivo
