#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/SmallDataFile.h"
#include "support/TempDir.h"

namespace kivo {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteSmallDataFile;

struct KivoRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ShellQuoted(const std::string& argument) {
    std::string quoted = "'";
    for (char c : argument)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string FileText(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// Runs the built kivo program in `dir` with `arguments`; stdin is empty.
KivoRun Kivo(const std::vector<std::string>& arguments, const TempDir& dir) {
    const std::string errPath = dir.PathOf("stderr.txt");
    std::string command = "cd " + ShellQuoted(dir.PathOf("")) + " && " + ShellQuoted(KIVO_CLI_PATH);
    for (const std::string& argument : arguments)
        command += " " + ShellQuoted(argument);
    command += " </dev/null 2>" + ShellQuoted(errPath);
    KivoRun run;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, count);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = FileText(errPath);
    return run;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The value of the first line "<indent><label>: <value>" after `from`.
std::string ValueAfter(const std::string& text, std::size_t from, const std::string& label) {
    const std::size_t at = text.find(label + ": ", from);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + label.size() + 2;
    return text.substr(start, text.find('\n', start) - start);
}

TEST(SettingsCommands, InitPairsTheCmuDyadAndBindsItsDataFields) {
    const std::string shared = KIVO_SHARED_DATA_DIR;
    const std::string cmu = shared + "/cmu/";
    if (!fs::exists(cmu + "cmu18_01.A.txt") || !fs::exists(cmu + "bindings.txt")) {
        GTEST_SKIP() << "shared recordings not found in " << shared;
    }
    TempDir dir;
    const KivoRun init = Kivo({"init", "study.set", cmu + "cmu18_01.A.txt", cmu + "cmu18_01.B.txt",
                               "--time-label", "Time", "--bindings", cmu + "bindings.txt"},
                              dir);
    ASSERT_EQ(init.exitCode, 0) << init.out << init.err;
    EXPECT_TRUE(Contains(init.out, "still unbound: Base\n")) << init.out;

    const KivoRun show = Kivo({"settings", "show", "study.set"}, dir);
    ASSERT_EQ(show.exitCode, 0) << show.err;
    const std::string& text = show.out;
    EXPECT_TRUE(Contains(text, "Input Files: 2\n")) << text;
    const std::size_t first = text.find("  1. cmu18_01.A.txt\n");
    const std::size_t second = text.find("  2. cmu18_01.B.txt\n");
    ASSERT_NE(first, std::string::npos) << text;
    ASSERT_NE(second, std::string::npos) << text;
    EXPECT_EQ(ValueAfter(text, first, "Partner File"), "cmu18_01.B.txt");
    EXPECT_EQ(ValueAfter(text, second, "Partner File"), "cmu18_01.A.txt");
    EXPECT_EQ(ValueAfter(text, first, "Frames/Sec"), "120.0048");
    EXPECT_EQ(ValueAfter(text, second, "Frames/Sec"), ValueAfter(text, first, "Frames/Sec"));

    std::ifstream bindings(cmu + "bindings.txt");
    int checked = 0;
    for (std::string line; std::getline(bindings, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t separator = line.find(';');
        ASSERT_NE(separator, std::string::npos) << line;
        const std::string expected =
            "\n  " + line.substr(0, separator) + ": " + line.substr(separator + 1) + "\n";
        EXPECT_TRUE(Contains(text, expected)) << expected;
        ++checked;
    }
    EXPECT_EQ(checked, 35);
    EXPECT_TRUE(Contains(text, "\n  Base: (unbound)\n"));
    EXPECT_TRUE(Contains(text, "Parameters: 165 (161 enabled)\n"));
}

TEST(SettingsCommands, InitRefusesToOverwriteASettingsFile) {
    TempDir dir;
    WriteSmallDataFile(dir, "s01.csv");
    dir.Write("study.set", "keep");
    const KivoRun init = Kivo({"init", "study.set", "s01.csv", "--time-label", "Time"}, dir);
    EXPECT_EQ(init.exitCode, 1);
    EXPECT_TRUE(Contains(init.err, "exists already")) << init.err;
    EXPECT_EQ(FileText(dir.PathOf("study.set")), "keep");
    const KivoRun forced =
        Kivo({"init", "study.set", "s01.csv", "--time-label", "Time", "--force"}, dir);
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_TRUE(Contains(forced.out, "1 input files, 165 parameters")) << forced.out;
}

TEST(SettingsCommands, InitWritesNothingWhenADataFileIsRefused) {
    TempDir dir;
    WriteSmallDataFile(dir, "s01.csv", "Seconds");
    const KivoRun missing = Kivo({"init", "study.set", "none.csv"}, dir);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(Contains(missing.err, "none.csv: file not found")) << missing.err;
    const KivoRun wrongLabel = Kivo({"init", "study.set", "s01.csv", "--time-label", "Time"}, dir);
    EXPECT_EQ(wrongLabel.exitCode, 1);
    EXPECT_TRUE(Contains(wrongLabel.err, "could not be found in the file")) << wrongLabel.err;
    EXPECT_FALSE(fs::exists(dir.PathOf("study.set")));
}

TEST(SettingsCommands, InitNamesTheLineOfABadBinding) {
    TempDir dir;
    WriteSmallDataFile(dir, "s01.csv");
    dir.Write("bindings.txt", "# mine\nHips;Hips\nTorso;Hips\n");
    const KivoRun init =
        Kivo({"init", "study.set", "s01.csv", "--time-label", "Time", "--bindings", "bindings.txt"},
             dir);
    EXPECT_EQ(init.exitCode, 1);
    EXPECT_TRUE(Contains(init.err, "bindings.txt, line 3, field 'Torso'")) << init.err;
    EXPECT_FALSE(fs::exists(dir.PathOf("study.set")));
}

TEST(SettingsCommands, ShowAndParametersReadTheSettingsFile) {
    TempDir dir;
    WriteSmallDataFile(dir, "s01.A.csv");
    WriteSmallDataFile(dir, "s01.B.csv");
    ASSERT_EQ(
        Kivo({"init", "study.set", "s01.A.csv", "s01.B.csv", "--time-label", "Time"}, dir).exitCode,
        0);
    const KivoRun show = Kivo({"settings", "show", "study.set"}, dir);
    EXPECT_EQ(show.exitCode, 0) << show.err;
    EXPECT_TRUE(Contains(show.out, "\n  Hips: Hips\n")) << show.out;
    EXPECT_EQ(ValueAfter(show.out, 0, "Partner File"), "s01.B.csv");
    const KivoRun parameters = Kivo({"parameters", "study.set"}, dir);
    EXPECT_EQ(parameters.exitCode, 0) << parameters.err;
    EXPECT_TRUE(Contains(parameters.out, "Global Static SRL Hips")) << parameters.out;
}

TEST(SettingsCommands, ShowRefusesAFileThatIsNoSettingsFile) {
    TempDir dir;
    dir.Write("notes.set", "\"Shopping list\"\r\n");
    const KivoRun show = Kivo({"settings", "show", "notes.set"}, dir);
    EXPECT_EQ(show.exitCode, 1);
    EXPECT_TRUE(Contains(show.err, "This file contains no valid settings!")) << show.err;
    EXPECT_EQ(show.out, "");
}

}  // namespace
}  // namespace kivo
