#include <gtest/gtest.h>

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

void ExpectNumber(const StatisticItem& item, double expected) {
    EXPECT_FALSE(item.IsError()) << item.error;
    EXPECT_EQ(item.value, expected);
}

void ExpectError(const StatisticItem& item, std::string_view expected) {
    EXPECT_EQ(item.error, expected);
}

// --- general kind ---

TEST(GeneralStatistics, GiveMeanPopulationDeviationAndExtremes) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1));
    FrameFeeder feeder(array);
    for (double v : {2.0, 4.0, kNoValue, 4.0, 4.0, 5.0, 5.0, 7.0, 9.0})
        feeder.Frame(v);
    const auto items = GeneralItems(Value(array));
    ExpectNumber(items[0], 5.0);  // 40 / 8, the no value skipped
    ExpectNumber(items[1], 2.0);  // variance 32 / 8 (divided by n, not n - 1)
    ExpectNumber(items[2], 2.0);
    ExpectNumber(items[3], 9.0);
}

TEST(GeneralStatistics, AFileWithoutValuesGivesDivisionErrorsAndNoData) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1));
    FrameFeeder feeder(array);
    for (int i = 0; i < 5; ++i)
        feeder.Frame(kNoValue);
    const auto items = GeneralItems(Value(array));
    ExpectError(items[0], ";ERROR:DIV/0");
    ExpectError(items[1], ";ERROR:DIV/0");
    ExpectError(items[2], ";ERROR:NO DATA");
    ExpectError(items[3], ";ERROR:NO DATA");
}

struct ConstantSeries {
    double value;
    int frames;
};

class ConstantSeriesDeviation : public ::testing::TestWithParam<ConstantSeries> {};

// The rounding of the two sums alone would leave 1234.5678 x 36000 with a
// variance of about -1.4e-6, and 12345.678 x 100000 with +2.5e-4.
TEST_P(ConstantSeriesDeviation, IsExactlyZero) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1));
    FrameFeeder feeder(array);
    for (int i = 0; i < GetParam().frames; ++i)
        feeder.Frame(GetParam().value);
    const auto items = GeneralItems(Value(array));
    ExpectNumber(items[1], 0.0);
    ExpectNumber(items[2], GetParam().value);
    ExpectNumber(items[3], GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Series, ConstantSeriesDeviation,
                         ::testing::Values(ConstantSeries{0.1, 1000}, ConstantSeries{-7.0, 1},
                                           ConstantSeries{123.456, 1000},
                                           ConstantSeries{1234.5678, 36000},
                                           ConstantSeries{12345.678, 100000}));

TEST(GeneralStatistics, TinyVarianceOfAVaryingSeriesIsClampedToZero) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1));
    FrameFeeder feeder(array);
    feeder.Frame(1.0);
    feeder.Frame(1.0001);  // variance 2.5e-9
    ExpectNumber(GeneralItems(Value(array))[1], 0.0);
}

TEST(GeneralStatistics, DifferencesStartWithTheSecondFrameOfAFile) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1, true));
    array[1].Current(0, 1) = 100.0;  // left over from the file before
    FrameFeeder feeder(array);
    for (double v : {1.0, 4.0, 9.0, 16.0})
        feeder.Frame(v);
    EXPECT_EQ(Difference(array).counters[0], 3);
    const auto items = GeneralItems(Difference(array));
    ExpectNumber(items[0], 5.0);                   // 3, 5, 7
    ExpectNumber(items[1], std::sqrt(8.0 / 3.0));  // (83 - 225 / 3) / 3
    ExpectNumber(items[2], 3.0);
    ExpectNumber(items[3], 7.0);
}

TEST(GeneralStatistics, NoPreviousValueSkipsOnlyTheDifference) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1, true));
    FrameFeeder feeder(array);
    for (double v : {1.0, kNoValue, 3.0, 6.0})
        feeder.Frame(v);
    EXPECT_EQ(Value(array).counters[0], 3);
    EXPECT_EQ(Difference(array).counters[0], 1);
    EXPECT_EQ(Difference(array).firstSum, 3.0);
}

// --- level kind and thresholds ---

struct LevelCase {
    const char* name;
    int function;
    int column;        // 0-based value column
    double threshold;  // the threshold that column compares against
};

class LevelThreshold : public ::testing::TestWithParam<LevelCase> {};

// Angles 2, distances 5; Pixel Difference always 10.
TEST_P(LevelThreshold, AValueEqualToTheThresholdIsNoMovementFrame) {
    const LevelCase& c = GetParam();
    const int nValues = c.function == kFnComplexity ? 4 : c.function == kFnMagnitude ? 3 : 1;
    ParameterArray array = ArrayOf(MakeRecord(c.function, nValues));
    FrameFeeder feeder(array, false, 2.0, 5.0);
    for (double v : {c.threshold, -c.threshold, c.threshold + 0.5, -c.threshold - 0.5}) {
        std::vector<double> values(static_cast<std::size_t>(nValues), 0.0);
        values[static_cast<std::size_t>(c.column)] = v;
        feeder.Set(1, values);
        feeder.EndFrame();
    }
    const StatisticsAccumulator& accumulator = Value(array, c.column);
    EXPECT_EQ(accumulator.counters[0], 4);
    EXPECT_EQ(accumulator.counters[1], 2);  // only the two beyond it, either sign
    const auto items = LevelItems(accumulator);
    ExpectNumber(items[0], 0.0);  // the four values cancel
    ExpectNumber(items[1], 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, LevelThreshold,
    ::testing::Values(LevelCase{"ComplexityAngles", kFnComplexity, 0, 2.0},
                      LevelCase{"ComplexityTranslational", kFnComplexity, 2, 5.0},
                      LevelCase{"ComplexityJoints", kFnComplexity, 3, 2.0},
                      LevelCase{"MagnitudeLocal", kFnMagnitude, 1, 2.0},
                      LevelCase{"MagnitudeTranslational", kFnMagnitude, 2, 5.0},
                      LevelCase{"PixelDifference", kFnPixelDifference, 0, 10.0}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(LevelStatistics, MeanPerMovementFrameDividesTheWholeSum) {
    ParameterArray array = ArrayOf(MakeRecord(kFnPixelDifference, 1));
    FrameFeeder feeder(array);
    for (double v : {10.0, 12.0, 4.0, 14.0})
        feeder.Frame(v);
    const auto items = LevelItems(Value(array));
    ExpectNumber(items[0], 10.0);  // 40 / 4
    ExpectNumber(items[1], 20.0);  // 40 / 2 movement frames (12 and 14)
}

TEST(LevelStatistics, DifferencesCountMovementOfTheChange) {
    ParameterArray array = ArrayOf(MakeRecord(kFnMagnitude, 3, true));
    FrameFeeder feeder(array, false, 2.0, 5.0);
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
    FrameFeeder feeder(array, false, 2.0, 100.0);
    feeder.Frame(3.0, 0.0);       // only A
    feeder.Frame(0.0, 3.0);       // only B
    feeder.Frame(3.0, -3.0);      // both
    feeder.Frame(2.0, 2.0);       // neither (equal to the threshold)
    feeder.Frame(3.0, kNoValue);  // B missing: counts for A only
    feeder.Frame(kNoValue, 3.0);  // A missing: nothing
    const StatisticsAccumulator& accumulator = Value(array);
    EXPECT_EQ(accumulator.counters, (std::vector<std::int32_t>{5, 3, 4, 1, 1, 1, 3}));
    EXPECT_EQ(accumulator.firstSum, 11.0);
    const auto items = DyadicMovementItems(accumulator);
    ExpectNumber(items[0], 60.0);
    ExpectNumber(items[1], 25.0);
    ExpectNumber(items[2], 25.0);
    ExpectNumber(items[3], 25.0);
    ExpectNumber(items[4], 75.0);
}

TEST(DyadicMovementStatistics, WithoutPartnerValuesThePairItemsAreDivisionErrors) {
    ParameterArray array = ArrayOf(MakeRecord(kFnTSM, 1, false, true));
    FrameFeeder feeder(array, false, 2.0, 100.0);
    feeder.Frame(3.0);
    feeder.Frame(1.0);
    const auto items = DyadicMovementItems(Value(array));
    ExpectNumber(items[0], 50.0);
    for (int k = 1; k < 5; ++k)
        ExpectError(items[static_cast<std::size_t>(k)], ";ERROR:DIV/0");
}

TEST(DyadicMovementStatistics, DifferencesCompareTheChangesOfBothPersons) {
    ParameterArray array = ArrayOf(MakeRecord(kFnTSM, 1, true, true));
    FrameFeeder feeder(array, false, 2.0, 100.0);
    feeder.Frame(0.0, 0.0);
    feeder.Frame(3.0, 1.0);       // A changes 3, B 1: only A
    feeder.Frame(3.0, 4.0);       // A 0, B 3: only B
    feeder.Frame(3.0, kNoValue);  // B has no value: A's change alone
    feeder.Frame(0.0, 0.0);       // B's previous missing: A's change alone
    const StatisticsAccumulator& differences = Difference(array);
    EXPECT_EQ(differences.counters, (std::vector<std::int32_t>{4, 2, 2, 1, 1, 0, 2}));
}

// --- phases kind (Activation, distance threshold) ---

TEST(PhaseStatistics, CountPhasesDurationsVelocityAndChanges) {
    ParameterArray array = ArrayOf(MakeRecord(kFnActivation, 1));
    FrameFeeder feeder(array, false, 100.0, 1.0);
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
    const auto items = PhaseItems(accumulator, 10.0);
    ExpectNumber(items[0], 2.0);
    ExpectNumber(items[1], 0.2);  // 4 frames / 2 phases / 10 fps
    ExpectNumber(items[2], 2.0);
    ExpectNumber(items[3], 0.15);   // 3 / 2 / 10
    ExpectNumber(items[4], 21.25);  // 8.5 x 10 / 4
    ExpectNumber(items[5], 15.0);   // 3 x 10 / 2
    ExpectNumber(items[6], -16.25);
}

TEST(PhaseStatistics, ChangesAreCountedFromTheThirdFrame) {
    ParameterArray array = ArrayOf(MakeRecord(kFnActivation, 1));
    FrameFeeder feeder(array, false, 100.0, 1.0);
    for (double v : {0.0, 5.0, 0.0})
        feeder.Frame(v);
    const StatisticsAccumulator& accumulator = Value(array);
    EXPECT_EQ(accumulator.counters[2], 1);  // frame 2 starts a movement phase
    EXPECT_EQ(accumulator.counters[6], 0);  // but its change of +5 is not counted
    EXPECT_EQ(accumulator.counters[7], 1);  // frame 3: -5
    const auto items = PhaseItems(accumulator, 25.0);
    ExpectError(items[5], ";ERROR:DIV/0");
    ExpectNumber(items[6], -125.0);
}

TEST(PhaseStatistics, AValueEqualToTheThresholdStartsNoMovementPhase) {
    ParameterArray array = ArrayOf(MakeRecord(kFnActivation, 1));
    FrameFeeder feeder(array, false, 100.0, 1.0);
    for (double v : {0.0, 1.0, 0.0, 1.0})
        feeder.Frame(v);
    const StatisticsAccumulator& accumulator = Value(array);
    EXPECT_EQ(accumulator.counters[1], 0);
    EXPECT_EQ(accumulator.counters[2], 0);
    EXPECT_EQ(accumulator.counters[3], 0);
    EXPECT_EQ(accumulator.counters[5], 3);
    const auto items = PhaseItems(accumulator, 10.0);
    ExpectNumber(items[0], 0.0);
    ExpectError(items[1], ";ERROR:DIV/0");
    ExpectError(items[3], ";ERROR:DIV/0");
    ExpectError(items[4], ";ERROR:DIV/0");
}

TEST(PhaseStatistics, WithoutFrameRateTheDurationsAreDivisionErrors) {
    StatisticsAccumulator accumulator;
    accumulator.counters = {4, 2, 1, 1, 2, 2, 0, 0};
    accumulator.secondSum = 6.0;
    const auto items = PhaseItems(accumulator, 0.0);
    ExpectError(items[1], ";ERROR:DIV/0");
    ExpectError(items[3], ";ERROR:DIV/0");
    ExpectNumber(items[4], 0.0);
}

// --- part sums, flags, lifecycle ---

TEST(PartSums, CollectEveryValueOfThePartInSplitMode) {
    ParameterArray array = ArrayOf(MakeRecord(kFnStaticSRL, 3, false, false, true));
    FrameFeeder feeder(array, true);
    feeder.Set(1, {1.0, kNoValue, -2.0});
    feeder.EndFrame();
    feeder.Set(1, {2.0, kNoValue, 4.0});
    feeder.EndFrame();
    EXPECT_EQ(array[1].partSums, (std::vector<double>{3.0, 0.0, 2.0}));
    EXPECT_EQ(array[1].partCounts, (std::vector<std::int32_t>{2, 0, 2}));
}

TEST(CalculateStatistics, LeavesARowWithoutTheStatisticsFlagAlone) {
    ParameterRecord record = MakeRecord(kFnDistance, 1, true, false, true);
    record.statistics = false;
    ParameterArray array = ArrayOf(record);
    FrameFeeder feeder(array, true);
    feeder.Frame(1.0);
    feeder.Frame(2.0);
    EXPECT_EQ(Value(array).counters[0], 0);
    EXPECT_EQ(Difference(array).counters[0], 0);
    EXPECT_EQ(array[1].partCounts[0], 0);
}

TEST(CalculateStatistics, ReportsARecordWithoutItsAccumulatorsAndWritesNothing) {
    ParameterRecord record = MakeRecord(kFnTSM, 1, false, true);
    record.valueAccumulators[0].counters.resize(2);
    ParameterArray array = ArrayOf(record);
    FrameFeeder feeder(array);
    feeder.Frame(3.0, 3.0);
    ASSERT_EQ(feeder.prompt.messages.size(), 1u);
    EXPECT_EQ(feeder.prompt.messages[0].title, "Error Message");
    EXPECT_NE(feeder.prompt.LastText().find("'CalculateStatistics'"), std::string::npos);
    EXPECT_EQ(Value(array).counters, (std::vector<std::int32_t>{0, 0}));
}

TEST(ResetStatisticsAccumulators, GivesAFreshlyCompiledRecordTrueExtremes) {
    // A compiled record starts with minimum and maximum 0; without the reset a
    // file of positive values would report a minimum of 0.
    ParameterRecord record = MakeRecord(kFnDistance, 1);
    record.valueAccumulators[0].third = 0.0;
    record.valueAccumulators[0].fourth = 0.0;
    ParameterArray array(2);
    array[1] = record;
    ResetStatisticsAccumulators(array, false);
    FrameFeeder feeder(array);
    feeder.Frame(5.0);
    feeder.Frame(7.0);
    const auto items = GeneralItems(Value(array));
    ExpectNumber(items[2], 5.0);
    ExpectNumber(items[3], 7.0);
}

TEST(ResetAfterStatisticLine, ClearsEveryKindForTheNextLine) {
    ParameterArray array(4);
    array[1] = MakeRecord(kFnDistance, 1, true);
    array[2] = MakeRecord(kFnTSM, 1, true, true);
    array[3] = MakeRecord(kFnActivation, 1, true);
    ResetStatisticsAccumulators(array, false);
    FrameFeeder feeder(array, false, 1.0, 1.0);
    for (double v : {0.0, 5.0, 0.0, 5.0}) {
        for (int p = 1; p <= 3; ++p)
            feeder.Set(p, {v}, {v});
        feeder.EndFrame();
    }
    for (int p = 1; p <= 3; ++p)
        ResetAfterStatisticLine(array[static_cast<std::size_t>(p)]);
    for (int p = 1; p <= 3; ++p) {
        const ParameterRecord& record = array[static_cast<std::size_t>(p)];
        for (const auto* accumulators : {&record.valueAccumulators, &record.dAccumulators}) {
            const StatisticsAccumulator& a = accumulators->at(0);
            EXPECT_EQ(a.firstSum, 0.0) << p;
            for (std::int32_t counter : a.counters)
                EXPECT_EQ(counter, 0) << p;
        }
    }
    EXPECT_EQ(Value(array).third, 1e300);
    EXPECT_EQ(Difference(array).fourth, -1e300);
    EXPECT_EQ(array[3].valueAccumulators[0].secondSum, 0.0);
    EXPECT_EQ(array[3].valueAccumulators[0].third, 0.0);
    EXPECT_EQ(array[3].valueAccumulators[0].fourth, 0.0);
}

}  // namespace
}  // namespace kivo
