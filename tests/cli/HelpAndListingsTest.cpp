#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/Text.h"
#include "support/CliRun.h"

namespace kivo {
namespace {

using ::testing::HasSubstr;
using testing::Kivo;
using testing::ListedCaptions;
using testing::ReadFileText;
using testing::RunKivo;
using testing::TempDir;

TEST(Help, TheReadmeListsTheCommandsAsHelpDoesAndEveryCommandGivesAnExample) {
    TempDir dir;
    const auto help = Kivo("--help", dir);
    ASSERT_EQ(help.exitCode, 0);
    const std::string text = help.out.substr(0, help.out.find_last_not_of('\n') + 1);
    const std::string readme = ReadFileText(std::string(KIVO_EXAMPLES_DIR) + "/../README.md");
    EXPECT_THAT(readme, HasSubstr("```\n" + text + "\n```\n"))
        << "README.md must show `kivo --help` as it is:\n"
        << text;

    for (const char* command :
         {"convert", "check", "parameters", "init", "settings show", "settings set", "bindings",
          "video", "check-video", "run", "stats", "plot", "store path", "store show",
          "store export", "store import", "store reset"}) {
        const std::string line = std::string("kivo ") + command;
        const auto commandHelp = Kivo(std::string(command) + " --help", dir);
        EXPECT_THAT(commandHelp.out, HasSubstr("Example: " + line));
        EXPECT_THAT(text, HasSubstr("\n  " + line));
    }
    // A usage error shows how the command is used.
    const auto usage = Kivo("init", dir);
    EXPECT_NE(usage.exitCode, 0);
    EXPECT_THAT(usage.err, HasSubstr("\nExample: kivo init study.set "));
}

// The default list as an aligned table, shortened to the terminal's width or
// in full, and the captions it compiles to.
TEST(ParametersCommand, ListsTheDefaultListFittedToTheTerminalAndTheCaptionsItCompilesTo) {
    TempDir dir;
    const auto result = Kivo("parameters --default --wide", dir, "COLUMNS=100");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> lines = SplitToStrings(result.out, '\n');
    ASSERT_EQ(lines.size(), 167u);  // the header, 165 rows and the last line's end
    EXPECT_TRUE(lines[1].starts_with("1    Global Static SRL Hips ")) << lines[1];
    // Every row's function starts where the header's does.
    const std::size_t functionColumn = lines[0].find("Calculation Function");
    EXPECT_EQ(lines[165].compare(0, 28, "165  Video Pixel Difference "), 0) << lines[165];
    EXPECT_EQ(lines[165].compare(functionColumn, 17, "Pixel Difference "), 0);
    EXPECT_THAT(result.out, HasSubstr("Hand R O,Hand R F,Hand R I  Hips,Chest,Head,"));

    const auto narrow = Kivo("parameters --default", dir, "COLUMNS=100");
    for (const std::string& line : SplitToStrings(narrow.out, '\n')) {
        const auto characters =
            std::count_if(line.begin(), line.end(), [](char c) { return (c & 0xC0) != 0x80; });
        EXPECT_LE(characters, 100) << line;
    }
    EXPECT_THAT(narrow.out, HasSubstr("\n126  Dyadic P…  Dyadic Pr…  Hips,Ches…"));
    const auto nothing = Kivo("parameters", dir);
    EXPECT_EQ(nothing.exitCode, 64);
    EXPECT_EQ(nothing.out, "");

    // The captions the default list compiles to, with their units.
    const auto listing = Kivo("parameters --default --captions", dir);
    ASSERT_EQ(listing.exitCode, 0) << listing.err;
    const auto columns = ListedCaptions(listing.out, "Output file columns:");
    const auto statistics = ListedCaptions(listing.out, "Statistics file columns:");
    ASSERT_GE(columns.size(), 3u);
    ASSERT_GE(statistics.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(columns.begin(), columns.begin() + 3),
              (std::vector<std::string>{"Time", "Frame", "Global Static SRL Hips Sagittal"}));
    EXPECT_EQ(std::vector<std::string>(statistics.begin(), statistics.begin() + 3),
              (std::vector<std::string>{"File Name", "Partner File",
                                        "M Global Static SRL Hips Sagittal"}));

    // Units follow the function of each column and the distance option.
    const auto units = ListedCaptions(listing.out, "Output file columns:", true);
    const auto statisticsUnits = ListedCaptions(listing.out, "Statistics file columns:", true);
    ASSERT_EQ(units.size(), columns.size());
    ASSERT_EQ(statisticsUnits.size(), statistics.size());
    std::map<std::string, std::string> unit;
    for (std::size_t i = 0; i < columns.size(); ++i)
        unit[columns[i]] = units[i];
    for (std::size_t i = 0; i < statistics.size(); ++i)
        unit["statistics: " + statistics[i]] = statisticsUnits[i];
    const std::pair<std::string, const char*> expected[] = {
        {"Time", "seconds"},
        {"Global Static SRL Hips Sagittal", "degrees"},
        {"Joint Complexity Body", "count"},
        {"Translational Magnitude Body", "percent of body height"},
        {"Dyadic Proxemics Heads", "percent of body height"},
        {"Dyadic Global Dynamic Magnitude Body: Percentage Contribution of A", "percent"},
        {"statistics: TSM Body (only A)", "percent"},
        {"statistics: Activation Body: Average Duration of Pause Phases (seconds)", "seconds"},
    };
    for (const auto& [caption, expectedUnit] : expected)
        EXPECT_EQ(unit[caption], expectedUnit) << caption;
    for (std::size_t i = 2; i < units.size(); ++i)
        EXPECT_NE(units[i], "") << columns[i];
}

TEST(StatsCommand, PrintsOneRowPerPartWithTheChosenColumnsAndNamesALineThatDoesNotFit) {
    TempDir dir;
    dir.Write("stats.csv",
              "File Name;Partner File;Part ;Frames;M Head;SD Head;CBM Complexity Body\r\n"
              "a.csv;b.csv;Part 001;1000;1.5;0.2;3.0\r\n"
              "a.csv;b.csv;Part 002;20;-11.25;ERROR:DIV/0;4.0\r\n");
    const auto result = Kivo("stats stats.csv --columns head", dir);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "File Name  Partner File  Part      Frames  M Head      SD Head\n"
              "a.csv      b.csv         Part 001    1000     1.5          0.2\n"
              "a.csv      b.csv         Part 002      20  -11.25  ERROR:DIV/0\n");

    const auto unmatched = Kivo("stats stats.csv --columns Activation", dir);
    EXPECT_EQ(unmatched.exitCode, 1);
    EXPECT_THAT(unmatched.err, HasSubstr("Activation"));
    // A line that does not fit the header is named.
    const std::string path =
        dir.Write("bad.csv", "File Name;Partner File;M Head\r\na.csv;;1.0;2.0\r\n");
    const auto bad = RunKivo({"stats", path}, dir);
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "");
    EXPECT_THAT(bad.err, HasSubstr(path + ", line 2"));
}

TEST(PlotCommand, DrawsChosenColumnsOfTheExampleStudyIntoPngAndSvg) {
    TempDir dir;
    testing::CopyExampleStudy(dir);
    ASSERT_EQ(
        RunKivo({"parameters", "study.set", "--only", "Activation Body", "Dyadic Proxemics Body"},
                dir)
            .exitCode,
        0);
    const auto run = Kivo("run study.set --output-dir out --quiet", dir);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const auto png = RunKivo(
        {"plot", "out/dyad.A.csv", "--columns", "magnitude body|proxemics", "--partner",
         "out/dyad.B.csv", "--settings", "study.set", "--out", "dyad.png", "--size", "640x360"},
        dir);
    ASSERT_EQ(png.exitCode, 0) << png.err;
    const QImage image(QString::fromStdString(dir.PathOf("dyad.png")));
    ASSERT_EQ(image.size(), QSize(640, 360));
    QImage blank(image.size(), image.format());
    blank.fill(image.pixel(0, 0));
    EXPECT_TRUE(image != blank) << "the picture is all one colour";

    const auto svg = RunKivo({"plot", "out/dyad.A.csv", "--columns", "^Dyadic Proxemics Body$",
                              "--statistics", "out/Statistics.csv", "--out", "dyad.svg"},
                             dir);
    ASSERT_EQ(svg.exitCode, 0) << svg.err;
    const std::string picture = ReadFileText(dir.PathOf("dyad.svg"));
    EXPECT_THAT(picture, HasSubstr("<svg")) << picture.substr(0, 200);
    EXPECT_THAT(picture, HasSubstr("Dyadic Proxemics Body")) << "the legend names the column";

    const auto unmatched = Kivo("plot out/dyad.A.csv --columns Nobody --out x.png", dir);
    EXPECT_EQ(unmatched.exitCode, 1);
    EXPECT_THAT(unmatched.err, HasSubstr("no column caption of out/dyad.A.csv matches 'Nobody'"));
    const auto size = Kivo("plot out/dyad.A.csv --columns Body --out x.png --size 640", dir);
    EXPECT_EQ(size.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.PathOf("x.png")));
}

}  // namespace
}  // namespace kivo
