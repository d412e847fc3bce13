#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/FileVideoSetUp.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"
#include "support/TestVideo.h"

namespace kivo {
namespace {

// The processed data rate (frames per second / use every, each rounded)
// against the video's rate; what cannot be used is reported, and Cancel
// ends the run.
TEST(FileVideoSetUp, OpensOnlyAVideoThatCanFollowTheProcessedData) {
    struct Case {
        const char* framesPerSecond;
        const char* useEvery;
        const char* video;
        const char* side;
        const char* message;  // empty: opened without a message
        PromptId id = PromptId::VideoNotOpened;
    };
    testing::TempDir dir;
    testing::WriteVideo(dir.PathOf("v25.avi"), {testing::SolidFrame(4, 2, {1, 2, 3})}, 25);
    testing::WriteVideo(dir.PathOf("v30.mkv"), {testing::SolidFrame(4, 2, {1, 2, 3})}, 30);
    const std::string cannotCalculate =
        "\r\n\r\nThe nonverbal parameter 'Pixel Difference' cannot be calculated.";
    for (const Case& c : std::vector<Case>{
             {"50", "2", "v25.avi", "Left Side", ""},
             {"49.6", "2.4", "v25.avi", "Both Sides", ""},
             {"120", "1", "v30.mkv", "Right Side",
              "has 30 frames per second, fewer than the 120 processed data frames per second",
              PromptId::VideoTooSlow},
             {"30", "100", "v25.avi", "Right Side", "fewer than the 0 processed data frames",
              PromptId::VideoTooSlow},
             {"25", "1", "none.avi", "Right Side", "could not be opened."},
             {"25", "1", "v25.avi", "", "could not be opened."}}) {
        InputFileRow row;
        row[kColFramesPerSec] = c.framesPerSecond;
        row[kColUseEvery] = c.useEvery;
        row[kColVideoClipFile] = dir.PathOf(c.video);
        row[kColVideoClipSide] = c.side;
        for (PromptAnswer answer : {PromptAnswer::Ok, PromptAnswer::Cancel}) {
            testing::ScriptedPrompt prompt;
            prompt.QueueAnswer(answer);
            const FileVideoSetUp setUp = OpenFileVideo(row, nullptr, ".", prompt);
            const std::string what = std::string(c.framesPerSecond) + "/" + c.useEvery + " " +
                                     c.video + " '" + c.side + "'";
            if (std::string(c.message).empty()) {
                EXPECT_TRUE(setUp.video && !setUp.endRun && prompt.messages.empty()) << what;
                continue;
            }
            EXPECT_FALSE(setUp.video) << what;
            EXPECT_EQ(setUp.endRun, answer == PromptAnswer::Cancel) << what;
            ASSERT_EQ(prompt.messages.size(), 1u) << what;
            EXPECT_EQ(prompt.messages[0].id, c.id) << what;
            EXPECT_TRUE(prompt.LastText().starts_with("The video file '" + dir.PathOf(c.video)))
                << prompt.LastText();
            EXPECT_NE(prompt.LastText().find(c.message), std::string::npos) << prompt.LastText();
            EXPECT_TRUE(prompt.LastText().ends_with(cannotCalculate)) << prompt.LastText();
        }
    }
}

}  // namespace
}  // namespace kivo
