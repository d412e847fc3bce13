#include <gtest/gtest.h>

#include "engine/BodyDistances.h"
#include "engine/BodyPoseAccess.h"
#include "engine/CalculationTestRows.h"

namespace kivo {
namespace {

using testing::Place;

TEST(GetBodyPartPose, RequiresAllSixFieldsWhilePositionNeedsOnlyThree) {
    InputVariableTable table;
    Place(table, 1, kHandL, {1, 2, 3, 0, 0, 0});
    table.Person(kHandL, 1).fieldIndex[kRy] = 0;
    BodyPose pose{9, 9, 9, 9, 9, 9};
    EXPECT_EQ(GetBodyPartPose(table, 1, kHandL, pose), 4);
    EXPECT_EQ(pose.x, 9);  // untouched on failure
    EXPECT_EQ(GetBodyPartPreviousPose(table, 1, kHandL, pose), 4);
    Vec3 position;
    EXPECT_EQ(GetBodyPartPosition(table, 1, kHandL, position), 0);
    table.Person(kHandL, 1).fieldIndex[kTz] = 0;
    EXPECT_EQ(GetBodyPartPosition(table, 1, kHandL, position), 4);
    EXPECT_EQ(GetBodyPartPose(table, 2, kHandL, pose), 4);  // person B not bound
}

TEST(GetBodyPartPose, RejectsIndexOutsideTableAsSettingError) {
    InputVariableTable table;
    BodyPose pose;
    Vec3 position;
    EXPECT_EQ(GetBodyPartPose(table, 1, kNotAnInputVariable, pose), 6);
    EXPECT_EQ(GetBodyPartPose(table, 1, -1, pose), 6);
    EXPECT_EQ(GetBodyPartPosition(table, 2, 200, position), 6);
}

}  // namespace
}  // namespace kivo
