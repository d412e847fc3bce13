#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/CliRun.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::Contains;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;

// A Mixamo-style skeleton: hips, upper chest and head.
std::string Recording() {
    std::string text =
        "HIERARCHY\nROOT mixamorig:Hips\n{\nOFFSET 0 90 0\n"
        "CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n";
    for (const char* joint : {"mixamorig:Spine2", "mixamorig:Head"}) {
        text += std::string("JOINT ") + joint +
                "\n{\nOFFSET 0 20 0\nCHANNELS 3 Zrotation Xrotation Yrotation\n";
    }
    text += "End Site\n{\nOFFSET 0 10 0\n}\n}\n}\n}\nMOTION\nFrames: 2\nFrame Time: 0.02\n";
    return text + "0 90 0 0 0 0 0 0 0 0 0 0\n0 90 1 0 0 0 5 0 0 0 0 0\n";
}

TEST(BindingsCommand, InitConvertsBvhFilesBindsKnownNamesAndBindingsShowsAndChangesThem) {
    TempDir dir;
    dir.Write("take.A.bvh", Recording());
    dir.Write("take.B.bvh", Recording());
    const auto init = RunKivo({"init", "study.set", "take.A.bvh", "take.B.bvh", "--bindings",
                               "auto", "--convert-dir", "data"},
                              dir);
    ASSERT_EQ(init.exitCode, 0) << init.out << init.err;
    EXPECT_TRUE(Contains(init.out, "Wrote data/take.A.txt from take.A.bvh: 3 joints, 2 frames"))
        << init.out;
    EXPECT_TRUE(Contains(init.out, "  take.A.txt: partner take.B.txt\n")) << init.out;
    EXPECT_TRUE(
        Contains(init.out, "\n  Hips: Hips\n  Chest: Spine2\n  Head: Head\nUnbound: Base, "))
        << init.out;
    EXPECT_TRUE(Contains(init.out, "distances-related-to Length --all-files")) << init.out;

    const auto changed = RunKivo({"bindings", "study.set", "Top", "Head"}, dir);
    EXPECT_EQ(changed.exitCode, 0) << changed.err;
    EXPECT_EQ(changed.out, "Top: Head\n");
    const std::string saved = ReadFileText(dir.PathOf("study.set"));
    for (const auto& [variable, field] : {std::pair{"Torso", "Head"}, {"Top", "HeadTop"}}) {
        const auto refused = RunKivo({"bindings", "study.set", variable, field}, dir);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(Contains(refused.err, std::string("field '") +
                                              (variable == std::string("Top") ? field : variable)))
            << refused.err;
        EXPECT_EQ(ReadFileText(dir.PathOf("study.set")), saved);
    }
    const auto show = RunKivo({"bindings", "study.set"}, dir);
    EXPECT_EQ(show.exitCode, 0) << show.err;
    EXPECT_TRUE(Contains(show.out, "\n  Top: Head\n")) << show.out;
    EXPECT_TRUE(Contains(show.out, "\n  Bottom: (unbound)\n")) << show.out;
    EXPECT_TRUE(Contains(show.out, "Data fields offered: Frame, mixamorig, Hips, Spine2, Head\n"))
        << show.out;
}

}  // namespace
}  // namespace kivo
