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
        for (const char* name : {"Hips", "Spine1", "LeftHand", "Cup Marker"}) {
            workspace.dataFieldNames.Add(name);
        }
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

TEST_F(BindingsFileTest, ALineWithoutSeparatorNamesItsLine) {
    try {
        Apply("Chest;Spine1\n\nHips Hips\n");
        FAIL();
    } catch (const FileError& error) {
        EXPECT_EQ(error.Line(), 3);
    }
    EXPECT_EQ(workspace.boundDataFields[kChest], "");
}

TEST_F(BindingsFileTest, RefusesUnknownNamesAndChangesNothing) {
    try {
        Apply("Chest;Spine1\nHead;Skull\n");
        FAIL();
    } catch (const FileError& error) {
        EXPECT_EQ(error.Line(), 2);
        EXPECT_EQ(error.Field(), "Skull");
    }
    EXPECT_EQ(workspace.boundDataFields[kChest], "");
    try {
        Apply("Chest;Spine1\nTorso;Hips\n");
        FAIL();
    } catch (const FileError& error) {
        EXPECT_EQ(error.Line(), 2);
        EXPECT_EQ(error.Field(), "Torso");
    }
    EXPECT_EQ(workspace.boundDataFields[kChest], "");
}

TEST_F(BindingsFileTest, AMissingFileIsAFileError) {
    EXPECT_THROW(ReadBindingsFile(dir.PathOf("none.txt")), FileError);
}

}  // namespace
}  // namespace kivo
