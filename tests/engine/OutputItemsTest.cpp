#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/NoValue.h"
#include "core/Numbers.h"
#include "core/StatusCode.h"
#include "engine/OutputFileNames.h"
#include "engine/OutputItems.h"

namespace kivo {
namespace {

ParameterRecord Row(std::vector<std::string> captions, int nValues, bool dynamic) {
    ParameterRecord record;
    record.enabled = record.output = true;
    record.dynamic = dynamic;
    record.nValues = nValues;
    record.valueCaptions = std::move(captions);
    record.currentValues.assign(nValues, 0.0);
    record.previousValues.assign(nValues, 0.0);
    return record;
}

TEST(OutputItems, NoValueIsAnEmptyFieldAndHasNoDifference) {
    ParameterRecord record = Row({"X", "D X", "Y", "D Y"}, 2, true);
    record.currentValues = {kNoValue, 2.0};
    record.previousValues = {1.0, kNoValue};
    std::string line;
    AppendValueItems(line, record, false, OutputFormat{'\t', 1});
    EXPECT_EQ(line, "\t\t\t2.0\t");
}

// Rows without output write nothing; the others one item per column.
TEST(OutputItems, RowsWithoutOutputWriteNothing) {
    ParameterRecord record = Row({"X", "D X"}, 1, true);
    std::string line;
    AppendErrorItems(line, record, kStatusDataError, OutputFormat{});
    AppendEmptyItems(line, record, ';');
    EXPECT_EQ(line, ";ERROR:Data error;ERROR:Data error;;");
    record.output = false;
    line.clear();
    AppendValueItems(line, record, false, OutputFormat{});
    AppendErrorItems(line, record, kStatusDataError, OutputFormat{});
    AppendEmptyItems(line, record, ';');
    EXPECT_EQ(line, "");
}

TEST(OutputFileNames, NamesOutputPartAndMeansFiles) {
    const OutputFileNames names =
        MakeOutputFileNames("/data/out", "p_", "subject01.take2.csv", "_out", ".csv");
    EXPECT_EQ(names.OutputPath(), "/data/out/p_subject01.take2_out.csv");
    EXPECT_EQ(names.PartPath(1), "/data/out/p_subject01.take2_out.part-001.csv");
    EXPECT_EQ(names.PartPath(42), "/data/out/p_subject01.take2_out.part-042.csv");
    EXPECT_EQ(names.PartPath(1000), "/data/out/p_subject01.take2_out.part-1000.csv");
    EXPECT_EQ(names.MeansPath(), "/data/out/p_subject01.take2_out.means.csv");
    EXPECT_EQ(FileNameOf(names.OutputPath()), "p_subject01.take2_out.csv");
    EXPECT_EQ(MakeOutputFileNames("out/", "", "take", "", ".txt").OutputPath(), "out/take.txt");
}

}  // namespace
}  // namespace kivo
