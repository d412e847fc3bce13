#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Workspace.h"
#include "input/KnownSkeletons.h"

namespace kivo {
namespace {

struct SkeletonCase {
    const char* name;
    std::vector<std::string> offered;
    std::vector<std::pair<std::string, std::string>>
        expected;  // input variable, field ("" unbound)
};

TEST(KnownSkeletons, BindTheNamesEachSkeletonUsesForAnInputVariable) {
    const std::vector<SkeletonCase> cases = {
        {"CMU joints",
         {"Hips", "Spine", "Spine1", "Head", "LeftArm", "RightUpLeg", "RightHandIndex1", "RThumb"},
         {{"Chest", "Spine1"},
          {"Arm L", "LeftArm"},
          {"Leg R", "RightUpLeg"},
          {"Hand R F", "RightHandIndex1"},
          {"Hand R I", ""},
          {"Top", ""}}},
        {"CMU markers",
         {"Spine1", "HeadTop", "FloorR", "RFingerTip", "RightHandIndex1", "Camera1"},
         {{"Top", "HeadTop"},
          {"Bottom", "FloorR"},
          {"Hand R F", "RFingerTip"},
          {"Camera", "Camera1"}}},
        {"Mixamo",
         {"Hips", "Spine1", "Spine2", "HeadTop_End", "LeftHandThumb1", "LeftHandIndex1",
          "LeftHandMiddle4", "LeftHandPinky1"},
         {{"Chest", "Spine2"},
          {"Top", "HeadTop_End"},
          {"Hand L I", "LeftHandThumb1"},
          {"Hand L F", "LeftHandMiddle4"},
          {"Hand L O", "LeftHandPinky1"}}},
    };
    for (const SkeletonCase& c : cases) {
        Workspace workspace;
        for (const std::string& name : c.offered)
            workspace.dataFieldNames.Add(name);
        workspace.boundDataFields[workspace.InputVariableIndex("Hips")] = "Spine";  // kept
        BindKnownSkeletonFields(workspace);
        EXPECT_EQ(workspace.boundDataFields[workspace.InputVariableIndex("Hips")], "Spine");
        for (const auto& [variable, field] : c.expected) {
            EXPECT_EQ(workspace.boundDataFields[workspace.InputVariableIndex(variable)], field)
                << c.name << ": " << variable;
        }
    }
}

}  // namespace
}  // namespace kivo
