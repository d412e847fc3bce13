#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <string>

#include "support/CliRun.h"

namespace kivo {
namespace {

using testing::Contains;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;

TEST(PlotCommand, DrawsChosenColumnsOfTheExampleStudyIntoPngAndSvg) {
    TempDir dir;
    for (const char* name : {"study.set", "dyad.A.csv", "dyad.B.csv"})
        std::filesystem::copy_file(std::string(KIVO_EXAMPLES_DIR) + "/" + name, dir.PathOf(name));
    ASSERT_EQ(
        RunKivo({"parameters", "study.set", "--only", "Activation Body", "Dyadic Proxemics Body"},
                dir)
            .exitCode,
        0);
    const auto run = RunKivo({"run", "study.set", "--output-dir", "out", "--quiet"}, dir);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const auto png = RunKivo(
        {"plot", "out/dyad.A.csv", "--columns", "magnitude body|proxemics", "--partner",
         "out/dyad.B.csv", "--settings", "study.set", "--out", "dyad.png", "--size", "640x360"},
        dir);
    ASSERT_EQ(png.exitCode, 0) << png.err;
    const QImage image(QString::fromStdString(dir.PathOf("dyad.png")));
    ASSERT_EQ(image.size(), QSize(640, 360));
    bool coloured = false;
    for (int y = 0; y < image.height() && !coloured; ++y) {
        for (int x = 0; x < image.width() && !coloured; ++x)
            coloured = image.pixel(x, y) != image.pixel(0, 0);
    }
    EXPECT_TRUE(coloured) << "the picture is all one colour";

    const auto svg = RunKivo({"plot", "out/dyad.A.csv", "--columns", "^Dyadic Proxemics Body$",
                              "--statistics", "out/Statistics.csv", "--out", "dyad.svg"},
                             dir);
    ASSERT_EQ(svg.exitCode, 0) << svg.err;
    const std::string picture = ReadFileText(dir.PathOf("dyad.svg"));
    EXPECT_TRUE(Contains(picture, "<svg")) << picture.substr(0, 200);
    EXPECT_TRUE(Contains(picture, "Dyadic Proxemics Body")) << "the legend names the column";

    const auto unmatched =
        RunKivo({"plot", "out/dyad.A.csv", "--columns", "Nobody", "--out", "x.png"}, dir);
    EXPECT_EQ(unmatched.exitCode, 1);
    EXPECT_TRUE(Contains(unmatched.err, "no column caption of out/dyad.A.csv matches 'Nobody'"))
        << unmatched.err;
    const auto size = RunKivo(
        {"plot", "out/dyad.A.csv", "--columns", "Body", "--out", "x.png", "--size", "640"}, dir);
    EXPECT_EQ(size.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.PathOf("x.png")));
}

}  // namespace
}  // namespace kivo
