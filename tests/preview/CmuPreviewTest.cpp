#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "preview/BindingPlausibility.h"
#include "preview/PreviewPicture.h"
#include "preview/RecordingFrames.h"
#include "settings/BindingsFile.h"

namespace kivo {
namespace {

const std::string kRecordings = std::string(KIVO_SHARED_DATA_DIR) + "/cmu";

DataFieldBindings CmuBindings() {
    DataFieldBindings bindings;
    const auto& names = FixedInputVariableNames();
    for (const DataFieldBinding& binding : ReadBindingsFile(kRecordings + "/bindings.txt")) {
        const auto at = std::find(names.begin(), names.end(), binding.inputVariable);
        if (at != names.end())
            bindings[static_cast<std::size_t>(at - names.begin())] = binding.dataField;
    }
    return bindings;
}

// Both persons of the CMU dyad: they walk towards each other, so they face
// opposite ways in the capture volume. At the handshake the two persons, seen
// from the side, stand apart with their right finger tips together; only the
// bound variables are drawn.
TEST(CmuPreview, BindingsAsRecordedArePlausibleAndTheHandshakeShowsTheRightHandsTogether) {
    if (!std::filesystem::exists(kRecordings + "/cmu18_01.A.txt"))
        GTEST_SKIP() << "the shared CMU recordings are not available";
    for (const char* person : {"cmu18_01.A.txt", "cmu18_01.B.txt"}) {
        SCOPED_TRACE(person);
        DataFieldBindings bindings = CmuBindings();
        RecordingFrames recording(kRecordings + "/" + person, "Time", bindings);
        ASSERT_EQ(recording.FrameCount(), 303u);
        EXPECT_EQ(recording.FrameAt(0.692), 83u);  // frame 84, the handshake
        EXPECT_NEAR(recording.TimeOf(83), 0.6917, 1e-3);

        const BindingPlausibility recorded = CheckBindingSides(recording.SampleFrames(400));
        EXPECT_TRUE(recorded.judged);
        EXPECT_EQ(recorded.counts.size(), 24u) << "every fixed left and right body part is bound";
        EXPECT_TRUE(recorded.ImplausibleVariables().empty())
            << DescribeImplausibleBindings(recorded);

        std::swap(bindings[kHandL], bindings[kHandR]);
        RecordingFrames exchanged(kRecordings + "/" + person, "Time", bindings);
        const BindingPlausibility check = CheckBindingSides(exchanged.SampleFrames(400));
        EXPECT_EQ(check.ImplausibleVariables(), (std::vector<int>{kHandL, kHandR}));
        EXPECT_NE(DescribeImplausibleBindings(check).find("Hand L, Hand R"), std::string::npos);
    }

    const DataFieldBindings all = CmuBindings();
    DataFieldBindings bindings;
    for (int k : {kHead, kHandR, kHandRF})
        bindings[k] = all[k];
    RecordingFrames a(kRecordings + "/cmu18_01.A.txt", "Time", bindings);
    RecordingFrames b(kRecordings + "/cmu18_01.B.txt", "Time", bindings);
    const BodyFrame frameA = a.Frame(a.FrameAt(0.692));
    const BodyFrame frameB = b.Frame(b.FrameAt(0.692));
    const std::vector<PreviewPerson> persons = {{&frameA, "A", {}}, {&frameB, "B", {}}};
    const std::vector<Vec3> points = PreviewPoints(persons);
    ASSERT_EQ(points.size(), 6u);
    const OrbitView view = FramingView(points, {}, 40.0);
    const PreviewPicture picture = DrawPreview(persons, std::nullopt, view, 800, 600, 40.0, 10.0);

    EXPECT_EQ(picture.segments.size(), 2u * (1 + 2 * 3)) << "a bone and the axes of two parts";
    std::map<std::pair<int, std::string>, const PreviewMark*> marks;  // (variable, text)
    std::array<const PreviewMark*, 2> fingerTips{};
    for (const PreviewMark& mark : picture.marks) {
        EXPECT_TRUE(mark.x > 0.0 && mark.x < 800.0 && mark.y > 0.0 && mark.y < 600.0)
            << mark.text << " at " << mark.x << ", " << mark.y;
        if (mark.variable == kHandRF)
            fingerTips[static_cast<std::size_t>(mark.person)] = &mark;
        marks[{mark.variable, mark.text}] = &mark;
    }
    ASSERT_TRUE(fingerTips[0] != nullptr && fingerTips[1] != nullptr);
    EXPECT_LT(std::hypot(fingerTips[0]->x - fingerTips[1]->x, fingerTips[0]->y - fingerTips[1]->y),
              40.0);
    ASSERT_TRUE(marks.count({-1, "A"}) == 1 && marks.count({-1, "B"}) == 1);
    EXPECT_GT(std::fabs(marks[{-1, "A"}]->x - marks[{-1, "B"}]->x), 300.0) << "side by side";
    EXPECT_EQ(marks.count({kHandR, "R"}), 1u);
}

}  // namespace
}  // namespace kivo
