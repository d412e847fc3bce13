#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/FileError.h"
#include "core/NoValue.h"
#include "core/Text.h"
#include "params/Catalogue.h"
#include "params/CompileTestSupport.h"
#include "params/DyadicRows.h"
#include "params/ParameterCaptions.h"
#include "params/ParameterListCompilation.h"
#include "params/StatisticsKind.h"
#include "stats/MovementStatistics.h"
#include "stats/StatisticItems.h"
#include "stats/StatisticsFile.h"
#include "stats/StatisticsTable.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::ScriptedPrompt;
using testing::TempDir;

// A record shaped as the compilation shapes it: value captions "<name> 1",
// "<name> 2", ... (each followed by its "D " twin with Dynamic), the
// statistics captions of its function, the counters of its kind.
ParameterRecord MakeRecord(int function, int nValues, bool dynamic = false, bool partner = false,
                           bool splitMode = false, const std::string& name = "P") {
    ParameterRecord record;
    record.enabled = record.output = record.statistics = true;
    record.functionIndex = record.baseFunction = function;
    record.dynamic = dynamic;
    record.partnerFlag = partner;
    record.nValues = nValues;
    const auto values = static_cast<std::size_t>(nValues);
    record.currentValues.assign(values * static_cast<std::size_t>(record.Persons()), kNoValue);
    record.previousValues = record.currentValues;
    const StatisticsKind kind = StatisticsKindOf(function);
    StatisticsAccumulator accumulator;
    accumulator.counters.assign(static_cast<std::size_t>(ValueCountersNeeded(kind)), 0);
    record.valueAccumulators.assign(values, accumulator);
    if (dynamic) {
        accumulator.counters.assign(static_cast<std::size_t>(DifferenceCountersNeeded(kind)), 0);
        record.dAccumulators.assign(values, accumulator);
    }
    if (splitMode) {
        record.partSums.assign(values, 0.0);
        record.partCounts.assign(values, 0);
    }
    for (int v = 1; v <= nValues; ++v) {
        const std::string caption = name + " " + std::to_string(v);
        record.valueCaptions.push_back(caption);
        if (dynamic)
            record.valueCaptions.push_back("D " + caption);
    }
    BuildStatisticCaptionsForFunction(record, name);
    return record;
}

// An array holding one record at list position 1, its accumulators reset.
ParameterArray ArrayOf(ParameterRecord record) {
    ParameterArray array(2);
    array[1] = std::move(record);
    ResetStatisticsAccumulators(array, !array[1].partSums.empty());
    return array;
}

// Feeds frames to the records of an array the way a run does: the current
// values become the previous ones, the new values are stored, and the
// statistics of every record are called with the running frame number.
struct FrameFeeder {
    ParameterArray& array;
    bool splitMode = false;
    double thresholdAngles = 0.0;
    double thresholdDistances = 0.0;
    std::int32_t frameNumber = 0;
    ScriptedPrompt prompt{};

    // Values of the record at `position`, column by column, for person A and
    // (for a record of two persons) person B; none given is no value.
    void Set(int position, const std::vector<double>& personA,
             const std::vector<double>& personB = {}) {
        ParameterRecord& record = array[static_cast<std::size_t>(position)];
        for (int c = 0; c < record.nValues; ++c) {
            for (int person = 1; person <= record.Persons(); ++person) {
                const std::vector<double>& values = person == 1 ? personA : personB;
                record.Previous(c, person) = record.Current(c, person);
                record.Current(c, person) =
                    values.empty() ? kNoValue : values.at(static_cast<std::size_t>(c));
            }
        }
    }

    // Runs the statistics of every record for the frame whose values were Set.
    void EndFrame() {
        ++frameNumber;
        for (std::size_t position = 1; position < array.size(); ++position) {
            if (array[position].enabled) {
                CalculateStatistics(array, frameNumber, static_cast<int>(position), splitMode,
                                    thresholdAngles, thresholdDistances, prompt);
            }
        }
    }

    // One frame of a single-column record at position 1.
    void Frame(double valueA, double valueB = kNoValue) {
        Set(1, {valueA}, {valueB});
        EndFrame();
    }
};

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
// Pixel Difference always 10. The means divide the whole sum, that of the
// frames without movement too.
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
        const double t = c.threshold;
        for (double v : {t, -t, t, t + 0.5, -t - 0.5}) {
            std::vector<double> values(static_cast<std::size_t>(c.nValues), 0.0);
            values[static_cast<std::size_t>(c.column)] = v;
            feeder.Set(1, values);
            feeder.EndFrame();
        }
        const StatisticsAccumulator& accumulator = Value(array, c.column);
        // Only the two beyond it, either sign, are movement frames.
        EXPECT_EQ(accumulator.counters, (std::vector<std::int32_t>{5, 2}));
        ExpectItems(LevelItems(accumulator), {t / 5, t / 2});
    }
}

TEST(LevelStatistics, DifferencesCountMovementOfTheChange) {
    ParameterArray array = ArrayOf(MakeRecord(kFnMagnitude, 3, true));
    FrameFeeder feeder{array, false, 2.0, 5.0};
    for (double v : {0.0, 6.0, 9.0, 3.0}) {  // changes 6, 3, -6
        feeder.Set(1, {v, v, v});
        feeder.EndFrame();
    }
    EXPECT_EQ(Difference(array, 0).counters, (std::vector<std::int32_t>{3, 3}));  // all beyond 2
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
    EXPECT_EQ((std::array{activation.secondSum, activation.third, activation.fourth}),
              (std::array{0.0, 0.0, 0.0}));
}

StatisticsFileContext Context(char separator, int decimalPlaces = 1,
                              double framesPerSecond = 30.0) {
    return {"a.csv", "b.csv", {separator, decimalPlaces, framesPerSecond}};
}

// Tab-separated: the separator that must never be taken for part of a field.
class StatisticsFileSeparator : public ::testing::Test {
  protected:
    const char s = '\t';
    const std::string t = "\t";
    ScriptedPrompt prompt;
};

TEST_F(StatisticsFileSeparator, HeaderNamesFileColumnsThenEveryStatisticsCaption) {
    ParameterArray array(4);
    array[1] = MakeRecord(kFnDistance, 1, false, false, false, "Dist");
    array[2] = MakeRecord(kFnDistance, 1, false, false, false, "Quiet");
    array[2].statistics = false;
    array[3] = MakeRecord(kFnPixelDifference, 1, false, false, false, "Pixels");
    const auto header = GetStatisticFormatLine(array, false, s, prompt);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->line, "File Name" + t + "Partner File" + t + "M Dist 1" + t + "SD Dist 1" +
                                t + "MIN Dist 1" + t + "MAX Dist 1" + t + "MBM Pixels 1" + t +
                                "MAP Pixels 1");
    const auto split = GetStatisticFormatLine(array, true, s, prompt);
    ASSERT_TRUE(split.has_value());
    EXPECT_TRUE(split->line.starts_with("File Name" + t + "Partner File" + t + "Part " + t +
                                        "Frames" + t + "M Dist 1"));
}

// Every error item is one field of its own, for every kind of statistics.
TEST_F(StatisticsFileSeparator, AFileWithoutValuesGivesErrorItemsInFieldsOfTheirOwn) {
    ParameterArray array(4);
    array[1] = MakeRecord(kFnDistance, 1);
    array[2] = MakeRecord(kFnTSM, 1, true, true);
    array[3] = MakeRecord(kFnActivation, 1, true);
    const auto header = GetStatisticFormatLine(array, false, s, prompt);
    ASSERT_TRUE(header.has_value());
    FrameFeeder feeder{array};
    feeder.Set(2, {kNoValue});
    feeder.Frame(kNoValue);
    const auto line = WriteStatisticLine(array, header->layout, 1, Context(s), false, "", prompt);
    ASSERT_TRUE(line.has_value());
    std::string expected = "a.csv" + t + "b.csv";
    for (const char* item : {"ERROR:DIV/0", "ERROR:DIV/0", "ERROR:NO DATA", "ERROR:NO DATA"})
        expected += t + item;
    for (int k = 0; k < 10; ++k)  // TSM and its differences
        expected += t + "ERROR:DIV/0";
    for (const char* item : {"0.0", "ERROR:DIV/0", "0.0", "ERROR:DIV/0", "ERROR:DIV/0",
                             "ERROR:DIV/0", "ERROR:DIV/0"})  // Activation: no differences
        expected += t + item;
    EXPECT_EQ(*line, expected);
    EXPECT_EQ(SplitToStrings(*line, s).size(), SplitToStrings(header->line, s).size());
    EXPECT_TRUE(prompt.messages.empty()) << prompt.LastText();
}

TEST_F(StatisticsFileSeparator, MeansLineHasAnEmptyFieldUnderEachDifferenceCaption) {
    ParameterArray array = ArrayOf(MakeRecord(kFnStaticSRL, 2, true, false, true, "Head"));
    const MeansHeader header = GetMeansFormatLine(array, s);
    EXPECT_EQ(header.line, "Part " + t + "Frames" + t + "Head 1" + t + "D Head 1" + t + "Head 2" +
                               t + "D Head 2");
    FrameFeeder feeder{array, true};
    for (double v : {1.0, 2.0, 4.0}) {
        feeder.Set(1, {v, kNoValue});
        feeder.EndFrame();
    }
    EXPECT_EQ(BuildMeansLine(array, header.layout, "Part 001", 3, {s, 2, 30.0}),
              "Part 001" + t + "3" + t + "2.33" + t + t + "ERROR:DIV/0" + t);
    // The sums were reset: the next part starts from nothing.
    EXPECT_EQ(BuildMeansLine(array, header.layout, "Part 002", 0, {s, 2, 30.0}),
              "Part 002" + t + "0" + t + "ERROR:DIV/0" + t + t + "ERROR:DIV/0" + t);
}

// Numbers and counts alike get the file's decimal places.
TEST(StatisticLine, PutsEveryStatisticUnderItsCaptionWithTheFileDecimalPlaces) {
    ParameterArray array(4);
    array[1] = MakeRecord(kFnDistance, 1, false, false, false, "Dist");
    array[2] = MakeRecord(kFnActivation, 1, false, false, false, "Act");
    array[3] = MakeRecord(kFnStaticSRL, 2, true, false, false, "Hips");
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(array, false, ';', prompt);
    FrameFeeder feeder{array, false, 0.0, 1.0};
    for (int f = 0; f < 8; ++f) {
        feeder.Set(1, {f % 2 == 0 ? 2.0 : 3.0});
        feeder.Set(2, {f % 2 == 0 ? 0.0 : 2.0});  // four movement phases, three pauses
        feeder.Set(3, {f * f * 1.0, -f * f * 1.0});
        feeder.EndFrame();
    }
    const auto line =
        WriteStatisticLine(array, header->layout, 8, Context(';', 3, 2.0), false, "", prompt);
    ASSERT_TRUE(line.has_value());
    // Dist: M, SD, MIN, MAX. Act: 4 movement phases of 4 frames / 4 phases /
    // 2 fps, 3 pauses, velocity, acceleration, deceleration. Hips 1 and 2: 0, 1,
    // 4, ..., 49 and their negatives; then their changes 1, 3, ..., 13.
    EXPECT_EQ(*line,
              "a.csv;b.csv;2.500;0.500;2.000;3.000;"
              "4.000;0.500;3.000;0.500;4.000;4.000;-4.000;"
              "17.500;16.681;0.000;49.000;-17.500;16.681;-49.000;0.000;"
              "7.000;4.000;1.000;13.000;-7.000;4.000;-13.000;-1.000");
}

// 2,500 frames with 1,000 lines per part: three parts, each line over its own
// frames only (the accumulators start again after each line).
TEST(PartFileStatisticLine, WritesOneStatisticsAndOneMeansLinePerPart) {
    ParameterArray array = ArrayOf(MakeRecord(kFnDistance, 1, false, false, true, "Dist"));
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(array, true, ';', prompt);
    const MeansHeader means = GetMeansFormatLine(array, ';');
    FrameFeeder feeder{array, true};
    std::vector<PartFileStatisticLines> parts;
    int linesInPart = 0;
    for (int frame = 1; frame <= 2500; ++frame) {
        feeder.Frame(frame);
        if (++linesInPart == 1000 || frame == 2500) {
            parts.push_back(WritePartFileStatisticLine(array, header->layout, means.layout,
                                                       static_cast<int>(parts.size()) + 1,
                                                       linesInPart, true, Context(';'), prompt));
            linesInPart = 0;
        }
    }
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(*parts[0].statisticLine, "a.csv;b.csv;Part 001;1000;500.5;288.7;1.0;1000.0");
    EXPECT_EQ(*parts[1].statisticLine, "a.csv;b.csv;Part 002;1000;1500.5;288.7;1001.0;2000.0");
    EXPECT_EQ(*parts[2].statisticLine, "a.csv;b.csv;Part 003;500;2250.5;144.3;2001.0;2500.0");
    EXPECT_EQ(*parts[0].meansLine, "Part 001;1000;500.5");
    EXPECT_EQ(*parts[1].meansLine, "Part 002;1000;1500.5");
    EXPECT_EQ(*parts[2].meansLine, "Part 003;500;2250.5");
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(PartName(1000), "Part 1000");
}

TEST(PartFileStatisticLine, WithoutStatisticsWritesOnlyTheMeansLine) {
    ParameterRecord record = MakeRecord(kFnDistance, 1, false, false, true, "Dist");
    record.statistics = false;  // no part sums either: the mean is an error item
    ParameterArray array = ArrayOf(record);
    const MeansHeader means = GetMeansFormatLine(array, ';');
    FrameFeeder feeder{array, true};
    feeder.Frame(4.0);
    ScriptedPrompt prompt;
    const PartFileStatisticLines lines =
        WritePartFileStatisticLine(array, {}, means.layout, 7, 1, false, Context(';'), prompt);
    EXPECT_FALSE(lines.statisticLine.has_value());
    EXPECT_EQ(lines.meansLine, "Part 007;1;ERROR:DIV/0");
}

// After the rows that need a partner are dropped and the list is compiled
// again, the lines keep the header's columns: the dropped row's stay empty,
// and the fresh accumulators start as at the start of a run.
TEST(StatisticLine, KeepsTheColumnsOfRowsDroppedByALaterCompilation) {
    using testing::Row;
    testing::Compilation c({Row("Head SRL", "Static SRL", "Head"),
                            Row("Heads", "Dyadic Proxemics", "Head", "Head"),
                            Row("Hand SRL", "Static SRL", "Hand R")});
    ASSERT_FALSE(c.outcome.failed) << c.prompt.LastText();
    ScriptedPrompt prompt;
    const auto header = GetStatisticFormatLine(c.array, false, '\t', prompt);
    ASSERT_TRUE(header.has_value());

    ASSERT_EQ(UncheckDyadicRows(c.rows), 1);
    ASSERT_FALSE(
        InitParameterListArray(c.array, c.rows, c.table, c.bindings, false, c.prompt).failed);
    ResetStatisticsAccumulators(c.array, false);
    FrameFeeder feeder{c.array};
    for (double v : {10.0, 20.0}) {
        feeder.Set(1, {v, v, v});
        feeder.Set(3, {-v, -v, -v});
        feeder.EndFrame();
    }
    const auto line =
        WriteStatisticLine(c.array, header->layout, 2, Context('\t'), false, "", prompt);
    ASSERT_TRUE(line.has_value());
    // Head SRL's three angles, the four empty fields of Heads, Hand SRL's angles.
    const std::string head = "\t15.0\t5.0\t10.0\t20.0";
    const std::string hand = "\t-15.0\t5.0\t-20.0\t-10.0";
    EXPECT_EQ(*line, "a.csv\tb.csv" + head + head + head + "\t\t\t\t" + hand + hand + hand);
}

// Selecting and aligning the columns is checked through 'kivo stats'.
TEST(ReadStatisticsFile, RecognisesTheSeparatorAndPartColumnsAndRefusesOtherFilesNamingTheLine) {
    TempDir dir;
    const StatisticsTable table = ReadStatisticsFile(dir.Write(
        "stats.tsv",
        "File Name\tPartner File\tPart \tFrames\tM Head\r\na.tsv\t\tPart 001\t10\t1.5\r\n\r\n"));
    EXPECT_EQ(table.separator, '\t');
    EXPECT_EQ(table.identifyingColumns, 4u);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0], (std::vector<std::string>{"a.tsv", "", "Part 001", "10", "1.5"}));

    const struct {
        const char* content;
        long line;
    } files[] = {{"", 1},
                 {"Time;Frame;X\r\n1;1;2\r\n", 1},  // an output file
                 {"File Name;Partner File;M X\r\na;b;1\r\nc;d\r\n", 3}};
    for (const auto& file : files) {
        const std::string path = dir.Write("stats.csv", file.content);
        try {
            ReadStatisticsFile(path);
            ADD_FAILURE() << "read: " << file.content;
        } catch (const FileError& error) {
            EXPECT_EQ(error.File(), path);
            EXPECT_EQ(error.Line(), file.line) << file.content;
        }
    }
    EXPECT_THROW(ReadStatisticsFile(dir.PathOf("none.csv")), FileError);
}

}  // namespace
}  // namespace kivo
