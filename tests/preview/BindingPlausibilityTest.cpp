#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "preview/BindingPlausibility.h"
#include "preview/RecordingFrames.h"
#include "settings/BindingsFile.h"

namespace kivo {
namespace {

const std::string kRecordings = std::string(KIVO_SHARED_DATA_DIR) + "/cmu";

DataFieldBindings CmuBindings() {
    DataFieldBindings bindings;
    for (const DataFieldBinding& binding : ReadBindingsFile(kRecordings + "/bindings.txt")) {
        const auto& names = FixedInputVariableNames();
        for (std::size_t k = 0; k < names.size(); ++k) {
            if (names[k] == binding.inputVariable)
                bindings[k] = binding.dataField;
        }
    }
    return bindings;
}

// Both persons of the CMU dyad: they walk towards each other, so they face
// opposite ways in the capture volume.
class CmuPersons : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(kRecordings + "/cmu18_01.A.txt"))
            GTEST_SKIP() << "the shared CMU recordings are not available";
    }
};

TEST_P(CmuPersons, BindingsAsRecordedArePlausibleAndExchangedHandsAreNot) {
    DataFieldBindings bindings = CmuBindings();
    RecordingFrames recording(kRecordings + "/" + GetParam(), "Time", bindings);
    ASSERT_EQ(recording.FrameCount(), 303u);
    EXPECT_EQ(recording.FrameAt(0.692), 83u);  // frame 84, the handshake
    EXPECT_NEAR(recording.TimeOf(83), 0.6917, 1e-3);

    const BindingPlausibility recorded = CheckBindingSides(recording.SampleFrames(400));
    EXPECT_TRUE(recorded.judged);
    EXPECT_EQ(recorded.counts.size(), 24u) << "every fixed left and right body part is bound";
    EXPECT_TRUE(recorded.ImplausibleVariables().empty()) << DescribeImplausibleBindings(recorded);

    std::swap(bindings[kHandL], bindings[kHandR]);
    RecordingFrames exchanged(kRecordings + "/" + GetParam(), "Time", bindings);
    const BindingPlausibility check = CheckBindingSides(exchanged.SampleFrames(400));
    EXPECT_EQ(check.ImplausibleVariables(), (std::vector<int>{kHandL, kHandR}));
    EXPECT_NE(DescribeImplausibleBindings(check).find("Hand L, Hand R"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Dyad, CmuPersons, ::testing::Values("cmu18_01.A.txt", "cmu18_01.B.txt"),
                         [](const auto& testInfo) {
                             return std::string(testInfo.index == 0 ? "PersonA" : "PersonB");
                         });

}  // namespace
}  // namespace kivo
