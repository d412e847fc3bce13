#include <gtest/gtest.h>

#include <string>

#include "core/FileError.h"
#include "core/Workspace.h"
#include "settings/BindingsFile.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

using testing::TempDir;

class BindingsFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"Hips", "Spine1", "LeftHand", "Cup Marker"})
            workspace.dataFieldNames.Add(name);
        workspace.userVariableNames[0] = "Cup";
        workspace.boundDataFields[kBase] = "Hips";
    }

    void Apply(const std::string& content) {
        const std::string path = dir.Write("bindings.txt", content);
        ApplyBindings(workspace, ReadBindingsFile(path), path);
    }

    TempDir dir;
    Workspace workspace;
};

TEST_F(BindingsFileTest, BindsEveryListedVariable) {
    Apply(
        "# comment;with separator\r\n\r\nChest;Spine1\r\n  Hand L ; LeftHand \nCup;Cup Marker\n"
        "Base;\n");
    EXPECT_EQ(workspace.boundDataFields[kChest], "Spine1");
    EXPECT_EQ(workspace.boundDataFields[kHandL], "LeftHand");
    EXPECT_EQ(workspace.boundDataFields[kFirstUserVariable], "Cup Marker");
    EXPECT_EQ(workspace.boundDataFields[kBase], "");
}

// A line without separator, an unknown data field, an unknown input variable.
TEST_F(BindingsFileTest, RefusesABadLineNamingLineAndFieldAndChangesNothing) {
    const struct {
        const char* content;
        long line;
        const char* field;
    } cases[] = {{"Chest;Spine1\n\nHips Hips\n", 3, ""},
                 {"Chest;Spine1\nHead;Skull\n", 2, "Skull"},
                 {"Chest;Spine1\nTorso;Hips\n", 2, "Torso"}};
    for (const auto& c : cases) {
        try {
            Apply(c.content);
            ADD_FAILURE() << "accepted: " << c.content;
        } catch (const FileError& error) {
            EXPECT_EQ(error.Line(), c.line) << c.content;
            EXPECT_EQ(error.Field(), c.field) << c.content;
        }
        EXPECT_EQ(workspace.boundDataFields[kChest], "") << c.content;
    }
    EXPECT_THROW(ReadBindingsFile(dir.PathOf("none.txt")), FileError);
}

}  // namespace
}  // namespace kivo
