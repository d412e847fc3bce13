#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/Numbers.h"
#include "core/Text.h"
#include "core/Workspace.h"
#include "engine/CalculationRun.h"
#include "input/DataFieldBindings.h"
#include "input/InputFileList.h"
#include "params/DefaultParameterList.h"
#include "settings/BindingsFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;

const std::string kRecordings = std::string(KIVO_SHARED_DATA_DIR) + "/cmu";

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << path << " line " << lines.size() + 1;
        lines.push_back(std::string(StripCarriageReturn(line)));
    }
    return lines;
}

struct Layout {
    bool tabSeparated;
    bool split;
};

void PrintTo(const Layout& layout, std::ostream* os) {
    *os << (layout.tabSeparated ? "tsv" : "csv") << (layout.split ? "-split" : "");
}

// The default list (with differences wherever they can be asked for) over the
// CMU dyad and a third recording without partner, whose dyadic rows the run
// drops after the statistics header has been written.
class RecordingRun : public ::testing::TestWithParam<Layout> {
  protected:
    void SetUp() override {
        if (!fs::exists(kRecordings + "/cmu18_01.A.txt")) {
            GTEST_SKIP() << "the shared CMU recordings are not available";
        }
        SetDecimalSymbol(".");
        workspace_.options.timeField = "Time";
        for (const char* name : {"cmu18_01.A.txt", "cmu18_01.B.txt", "cmu18_01_tab.A.tsv"}) {
            ASSERT_TRUE(AddFile(workspace_, name, kRecordings + "/", prompt_)) << name;
        }
        CreateDefaultParameterList(workspace_.parameters);
        for (ParameterDefinition& row : workspace_.parameters) {
            const bool measured = row.output == "x" || row.statistics == "x";
            if (measured && row.function != "Activation" && row.function != "Static SRL" &&
                row.function != "Dynamic SRL") {
                row.dynamic = "x";
            }
        }
        BindMatchingDataFields(workspace_);
        ApplyBindings(workspace_, ReadBindingsFile(kRecordings + "/bindings.txt"),
                      kRecordings + "/bindings.txt");
        WorkspaceOptions& options = workspace_.options;
        options.directoryOutputFiles = folder_.PathOf("");
        options.csvSeparator = !GetParam().tabSeparated;
        options.tsvSeparator = GetParam().tabSeparated;
        options.extension = "tsv";
        options.statisticsFileName = GetParam().tabSeparated ? "Statistics.tsv" : "Statistics.csv";
        options.splitFile = GetParam().split;
        options.noOfLines = "100";
    }

    char Separator() const { return GetParam().tabSeparated ? '\t' : ';'; }

    // Every line of the file has as many fields as its header.
    void ExpectRectangular(const std::string& path) {
        const std::vector<std::string> lines = ReadLines(path);
        ASSERT_FALSE(lines.empty()) << path;
        const std::size_t fields = SplitFields(lines[0], Separator()).size();
        for (std::size_t i = 1; i < lines.size(); ++i) {
            ASSERT_EQ(SplitFields(lines[i], Separator()).size(), fields)
                << path << " line " << i + 1;
        }
    }

    testing::TempDir folder_;
    testing::ScriptedPrompt prompt_;
    Workspace workspace_;
};

TEST_P(RecordingRun, EveryStatisticsLineHasOneFieldPerCaption) {
    RunSink sink;
    const RunSummary summary = CalculateData(workspace_, prompt_, sink);
    ASSERT_TRUE(summary.completed);
    ASSERT_FALSE(summary.statisticsFile.empty());

    const std::vector<std::string> statistics = ReadLines(summary.statisticsFile);
    const std::size_t parts = GetParam().split ? 4 : 1;  // 303 frames, 100 lines per part
    ASSERT_EQ(statistics.size(), 1 + 3 * parts);
    const std::size_t captions = SplitFields(statistics[0], Separator()).size();
    EXPECT_GT(captions, 1000u);
    for (std::size_t i = 1; i < statistics.size(); ++i) {
        const std::vector<std::string_view> fields = SplitFields(statistics[i], Separator());
        ASSERT_EQ(fields.size(), captions) << "statistics line " << i + 1;
        if (GetParam().split) {
            EXPECT_EQ(fields[2], "Part 00" + std::to_string((i - 1) % parts + 1));
        }
    }
    // The file without partner: its dyadic rows were dropped, their fields stay empty.
    const std::vector<std::string_view> last = SplitFields(statistics.back(), Separator());
    EXPECT_EQ(last[0], "cmu18_01_tab.A.tsv");
    for (const std::string& path : summary.outputFiles)
        ExpectRectangular(path);
    if (GetParam().split) {
        for (const char* name : {"cmu18_01.A.means.tsv", "cmu18_01.A.means.csv"}) {
            if (fs::exists(folder_.PathOf(name))) {
                EXPECT_EQ(ReadLines(folder_.PathOf(name)).size(), 1 + parts);
                ExpectRectangular(folder_.PathOf(name));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, RecordingRun,
                         ::testing::Values(Layout{false, false}, Layout{true, false},
                                           Layout{false, true}, Layout{true, true}));

}  // namespace
}  // namespace kivo
