#include "input/KnownSkeletons.h"

#include <array>
#include <string_view>

#include "core/InputVariableTable.h"

namespace kivo {
namespace {

struct Candidates {
    std::string_view inputVariable;
    std::array<std::string_view, 4> dataFields;  // the first offered one wins
};

// Where CMU and Mixamo differ, the name only one of them uses comes first
// (Mixamo's upper chest is Spine2; CMU has no Spine2 and its Spine1 is the
// upper chest). Without finger-tip markers the finger joint that points along
// the hand stands for the finger tip.
constexpr std::array<Candidates, 35> kCandidates = {{
    {"Hips", {"Hips"}},
    {"Chest", {"Spine2", "Spine1"}},
    {"Head", {"Head"}},
    {"Arm L", {"LeftArm"}},
    {"Elbow L", {"LeftForeArm"}},
    {"Hand L", {"LeftHand"}},
    {"Leg L", {"LeftUpLeg"}},
    {"Knee L", {"LeftLeg"}},
    {"Foot L", {"LeftFoot"}},
    {"Arm R", {"RightArm"}},
    {"Elbow R", {"RightForeArm"}},
    {"Hand R", {"RightHand"}},
    {"Leg R", {"RightUpLeg"}},
    {"Knee R", {"RightLeg"}},
    {"Foot R", {"RightFoot"}},
    {"Chin", {"ChinTip"}},
    {"Top", {"HeadTop", "HeadTop_End"}},
    {"Bottom", {"FloorR"}},
    {"Nose", {"NoseTip"}},
    {"Ear R", {"REar"}},
    {"Ear L", {"LEar"}},
    {"Chest L", {"LChest"}},
    {"Chest M", {"UpperBack"}},
    {"Chest R", {"RChest"}},
    {"Hips L", {"LASI"}},
    {"Hips M", {"SACR"}},
    {"Hips R", {"RASI"}},
    {"Hand L O", {"LHandPinkySide", "LeftHandPinky1"}},
    {"Hand L F", {"LFingerTip", "LeftHandMiddle4", "LeftHandMiddle3", "LeftHandIndex1"}},
    {"Hand L I", {"LHandThumbSide", "LeftHandThumb1"}},
    {"Hand R O", {"RHandPinkySide", "RightHandPinky1"}},
    {"Hand R F", {"RFingerTip", "RightHandMiddle4", "RightHandMiddle3", "RightHandIndex1"}},
    {"Hand R I", {"RHandThumbSide", "RightHandThumb1"}},
    {"Camera", {"Camera1"}},
    {"Interest", {"CameraTarget"}},
}};

}  // namespace

std::vector<SkeletonBinding> BindKnownSkeletonFields(Workspace& workspace) {
    std::vector<SkeletonBinding> made;
    for (int position = 0; position < kFixedInputVariableCount; ++position) {
        if (!workspace.boundDataFields[position].empty())
            continue;
        for (const Candidates& candidates : kCandidates) {
            if (candidates.inputVariable != workspace.InputVariableName(position))
                continue;
            for (std::string_view field : candidates.dataFields) {
                if (!field.empty() && workspace.dataFieldNames.Contains(field)) {
                    workspace.boundDataFields[position] = std::string(field);
                    made.push_back({position, std::string(field)});
                    break;
                }
            }
        }
    }
    return made;
}

}  // namespace kivo
