#pragma once

#include <gmock/gmock.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/Text.h"
#include "support/SmallDataFile.h"
#include "support/TempDir.h"

namespace kivo::testing {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuoted(std::string_view argument) {
    std::string quoted = "'";
    for (char c : argument)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the built kivo program with `arguments` in the folder `dir` (relative
// paths are taken from there); stdin is empty, stdout and stderr are captured
// (stdout goes to `standardOutput` instead when that is given).
// `environment` holds NAME=value settings for the program (shell words). A run
// that takes more than two minutes is stopped (exit code 124): a hang fails.
inline CliResult RunKivo(const std::vector<std::string>& arguments, const TempDir& dir,
                         std::string_view environment = {}, std::string_view standardOutput = {}) {
    const std::string errPath = dir.PathOf("kivo-stderr.txt");
    std::string command = "cd " + ShellQuoted(dir.PathOf("")) + " && " + std::string(environment) +
                          " timeout 120 " + ShellQuoted(KIVO_CLI_PATH);
    for (const std::string& argument : arguments)
        command += " " + ShellQuoted(argument);
    command += " </dev/null 2>" + ShellQuoted(errPath);
    if (!standardOutput.empty())
        command += " >" + ShellQuoted(standardOutput);
    CliResult result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.out.append(buffer, count);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadFileText(errPath);
    return result;
}

// A run that ended with `exitCode` and said `message` on its standard error.
MATCHER_P2(Fails, exitCode, message,
           "exits with " + ::testing::PrintToString(exitCode) + " saying " +
               ::testing::PrintToString(message)) {
    *result_listener << "exit code " << arg.exitCode << ", standard error: " << arg.err;
    return arg.exitCode == exitCode && arg.err.find(message) != std::string::npos;
}

// The blank-separated words of `line`.
inline std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    for (std::string& word : SplitToStrings(line, ' ')) {
        if (!word.empty())
            words.push_back(std::move(word));
    }
    return words;
}

// RunKivo with the words of `commandLine`, for arguments without blanks.
inline CliResult Kivo(std::string_view commandLine, const TempDir& dir,
                      std::string_view environment = {}) {
    return RunKivo(Words(commandLine), dir, environment);
}

// A path in the shared CMU recordings; `CmuMissing()` when they are absent.
inline std::string Cmu(const std::string& name = "") {
    return std::string(KIVO_SHARED_DATA_DIR) + "/cmu/" + name;
}
inline bool CmuMissing() {
    return !std::filesystem::exists(Cmu("cmu18_01.A.txt")) ||
           !std::filesystem::exists(Cmu("bindings.txt"));
}

// The bundled example study (study.set over dyad.A.csv and dyad.B.csv) copied into `dir`.
inline void CopyExampleStudy(const TempDir& dir) {
    for (const char* name : {"study.set", "dyad.A.csv", "dyad.B.csv"})
        std::filesystem::copy_file(std::string(KIVO_EXAMPLES_DIR) + "/" + name, dir.PathOf(name));
}

// study.set over the small pair s01.A.csv and s01.B.csv; the exit code of its init.
inline int InitSmallDyad(const TempDir& dir) {
    WriteSmallDataFile(dir, "s01.A.csv");
    WriteSmallDataFile(dir, "s01.B.csv");
    return Kivo("init study.set s01.A.csv s01.B.csv --time-label Time", dir).exitCode;
}

// Every file of a folder by name, with its bytes.
inline std::map<std::string, std::string> FilesOf(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = ReadFileText(entry.path().string());
    return files;
}

// The value of the first line "<indent><label>: <value>" after `from`.
inline std::string ValueAfter(const std::string& text, std::size_t from, const std::string& label) {
    const std::size_t at = text.find(label + ": ", from);
    if (at == std::string::npos)
        return {};
    const std::size_t start = at + label.size() + 2;
    return text.substr(start, text.find('\n', start) - start);
}

// The captions `kivo parameters --captions` lists under `heading` (such as
// "Output file columns:"), without their column numbers; with `units`, their
// units instead.
inline std::vector<std::string> ListedCaptions(std::string_view listing, std::string_view heading,
                                               bool units = false) {
    std::vector<std::string> captions;
    const std::size_t at = listing.find(std::string(heading) + "\n");
    if (at == std::string_view::npos)
        return captions;
    const auto lines = SplitToStrings(listing.substr(at + heading.size() + 1), '\n');
    const std::size_t captionColumn = lines[0].find("Caption");
    const std::size_t unitColumn = lines[0].find("Unit");
    for (std::size_t i = 1; i < lines.size() && !lines[i].empty(); ++i) {
        std::string cell = units ? lines[i].substr(unitColumn, captionColumn - unitColumn)
                                 : lines[i].substr(std::min(captionColumn, lines[i].size()));
        cell.erase(cell.find_last_not_of(' ') + 1);
        captions.push_back(cell);
    }
    return captions;
}

}  // namespace kivo::testing
