#include <gtest/gtest.h>

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
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
#include "support/OutputLines.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;

const std::string kRecordings = std::string(KIVO_SHARED_DATA_DIR) + "/cmu";

// The first data line's value of the field whose name ends with `suffix`.
double FirstFrameValue(const std::string& path, const std::string& suffix) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines(3);
    for (std::string& line : lines)
        std::getline(in, line);
    const std::vector<std::string_view> names = SplitFields(lines.at(1), ';');
    const std::vector<std::string_view> values = SplitFields(lines.at(2), ';');
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].ends_with(suffix))
            return std::stod(std::string(values.at(i)));
    }
    ADD_FAILURE() << "no field " << suffix << " in " << path;
    return 0.0;
}

glm::dvec3 FirstFramePosition(const std::string& path, const std::string& name) {
    return {FirstFrameValue(path, name + ":Tx"), FirstFrameValue(path, name + ":Ty"),
            FirstFrameValue(path, name + ":Tz")};
}

// Camera Framing of HeadTop and ChinTip in the first frame of the A file, for
// the default camera 1024x768/10/4000/40, projected with GLM.
double FirstFrameFraming(const std::string& path) {
    const glm::dvec3 eye = FirstFramePosition(path, "Camera1");
    glm::dmat4 orientation(1.0);
    const char* axes[3] = {":Rz", ":Ry", ":Rx"};
    const glm::dvec3 directions[3] = {{0, 0, 1}, {0, 1, 0}, {1, 0, 0}};
    for (int i = 0; i < 3; ++i) {
        orientation = glm::rotate(
            orientation, glm::radians(FirstFrameValue(path, std::string("Camera1") + axes[i])),
            directions[i]);
    }
    const glm::dmat4 view =
        glm::lookAt(eye, FirstFramePosition(path, "CameraTarget"), glm::dvec3(orientation[1]));
    const glm::dmat4 projection =
        glm::perspective(glm::radians(40.0), 1024.0 / 768.0, 10.0, 4000.0);
    const glm::dvec4 viewport(0.0, 0.0, 1024.0, 768.0);
    glm::dvec3 top = glm::project(FirstFramePosition(path, "HeadTop"), view, projection, viewport);
    glm::dvec3 chin = glm::project(FirstFramePosition(path, "ChinTip"), view, projection, viewport);
    top.z = chin.z = 0.0;
    return glm::distance(top, chin) * 100.0 / 768.0;
}

// The default list (with differences wherever they can be asked for) over the
// CMU dyad and a third recording without partner, whose dyadic rows the run
// drops after the statistics header has been written. Every writer takes the
// one separator whether or not the run splits: two runs, one with semicolons
// and whole files, one with tabs and parts, cover both separators and both
// ways of splitting.
class RecordingRun : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (!fs::exists(kRecordings + "/cmu18_01.A.txt")) {
            GTEST_SKIP() << "the shared CMU recordings are not available";
        }
        workspace_.options.timeField = "Time";
        for (const char* name : {"cmu18_01.A.txt", "cmu18_01.B.txt", "cmu18_01_tab.A.tsv"}) {
            ASSERT_TRUE(AddFile(workspace_, name, kRecordings + "/", prompt_)) << name;
        }
        CreateDefaultParameterList(workspace_.parameters);
        for (int row = 163; row <= 165; ++row)  // the camera and video rows
            workspace_.parameters[row - 1].enabled = true;
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
        options.csvSeparator = !GetParam();
        options.tsvSeparator = GetParam();
        options.extension = "tsv";
        options.statisticsFileName = GetParam() ? "Statistics.tsv" : "Statistics.csv";
        options.splitFile = GetParam();
        options.noOfLines = "100";
    }

    char Separator() const { return GetParam() ? '\t' : ';'; }

    // Every line of the file has as many fields as its header.
    void ExpectRectangular(const std::string& path) {
        const std::vector<std::string> lines = testing::ReadCrLfLines(path);
        ASSERT_FALSE(lines.empty()) << path;
        const std::size_t fields = SplitFields(lines[0], Separator()).size();
        for (std::size_t i = 1; i < lines.size(); ++i) {
            ASSERT_EQ(SplitFields(lines[i], Separator()).size(), fields)
                << path << " line " << i + 1;
        }
    }

    // Person A's file carries the camera: Framing and Proxemics on every line
    // (Framing of the first frame as projected independently). B's file has
    // no camera of its own, so its camera rows are data errors; no file has a
    // video, so Pixel Difference is a data error everywhere.
    void ExpectCameraColumns(const std::string& outputA) {
        const std::string extension = GetParam() ? ".tsv" : ".csv";
        const std::vector<std::string> linesA = testing::ReadCrLfLines(outputA);
        const std::vector<std::string> linesB =
            testing::ReadCrLfLines(folder_.PathOf("cmu18_01.B" + extension));
        const std::vector<std::string_view> header = SplitFields(linesA[0], Separator());
        std::map<std::string, std::size_t> columns;
        for (std::size_t i = 0; i < header.size(); ++i)
            columns[std::string(header[i])] = i;
        ASSERT_EQ(linesA.size(), 304u);
        for (std::size_t i = 1; i < linesA.size(); ++i) {
            const std::vector<std::string_view> a = SplitFields(linesA[i], Separator());
            const std::vector<std::string_view> b = SplitFields(linesB[i], Separator());
            for (const char* caption : {"Camera Framing", "Camera Proxemics"}) {
                const std::string_view value = a[columns.at(caption)];
                ASSERT_TRUE(!value.empty() && value.find("ERROR") == std::string_view::npos)
                    << caption << " line " << i + 1 << ": " << value;
                EXPECT_EQ(b[columns.at(caption)], "ERROR:Data error") << caption;
            }
            EXPECT_EQ(a[columns.at("Video Pixel Difference")], "ERROR:Data error");
        }
        const std::string firstFraming(
            SplitFields(linesA[1], Separator())[columns.at("Camera Framing")]);
        EXPECT_NEAR(std::stod(firstFraming), FirstFrameFraming(kRecordings + "/cmu18_01.A.txt"),
                    0.05 + 1e-9);
    }

    testing::TempDir folder_;
    testing::ScriptedPrompt prompt_;
    Workspace workspace_;
};

TEST_P(RecordingRun, EveryStatisticsLineHasOneFieldPerCaption) {
    RunSink sink;
    const RunSummary summary = CalculateData(workspace_, prompt_, sink);
    ASSERT_TRUE(summary.completed) << prompt_.LastText();
    ASSERT_FALSE(summary.statisticsFile.empty());

    const std::vector<std::string> statistics = testing::ReadCrLfLines(summary.statisticsFile);
    const std::size_t parts = GetParam() ? 4 : 1;  // 303 frames, 100 lines per part
    ASSERT_EQ(statistics.size(), 1 + 3 * parts);
    const std::size_t captions = SplitFields(statistics[0], Separator()).size();
    EXPECT_GT(captions, 1000u);
    for (std::size_t i = 1; i < statistics.size(); ++i) {
        const std::vector<std::string_view> fields = SplitFields(statistics[i], Separator());
        ASSERT_EQ(fields.size(), captions) << "statistics line " << i + 1;
        if (GetParam()) {
            EXPECT_EQ(fields[2], "Part 00" + std::to_string((i - 1) % parts + 1));
        }
    }
    // The file without partner: its dyadic rows were dropped, their fields stay empty.
    const std::vector<std::string_view> last = SplitFields(statistics.back(), Separator());
    EXPECT_EQ(last[0], "cmu18_01_tab.A.tsv");
    for (const std::string& path : summary.outputFiles)
        ExpectRectangular(path);
    ExpectCameraColumns(summary.outputFiles[0]);
    if (GetParam()) {
        for (const char* name : {"cmu18_01.A.means.tsv", "cmu18_01.A.means.csv"}) {
            if (fs::exists(folder_.PathOf(name))) {
                EXPECT_EQ(testing::ReadCrLfLines(folder_.PathOf(name)).size(), 1 + parts);
                ExpectRectangular(folder_.PathOf(name));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, RecordingRun, ::testing::Bool(), [](const auto& paramInfo) {
    return paramInfo.param ? "TabsInParts" : "SemicolonsWhole";
});

}  // namespace
}  // namespace kivo
