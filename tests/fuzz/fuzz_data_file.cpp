// The data-file check, the line reader and a whole run over the data with the
// default parameter list, and the count of fields that are not numbers. The
// input is one data file or, split at a line "----", a file and its partner
// file.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/FileError.h"
#include "core/Text.h"
#include "core/Workspace.h"
#include "engine/CalculationRun.h"
#include "input/DataFieldBindings.h"
#include "input/InputFileList.h"
#include "input/NonNumberFields.h"
#include "input/TextLineReader.h"
#include "params/DefaultParameterList.h"

using namespace kivo;
using namespace kivo::fuzz;

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLineLimit = 512;
constexpr std::string_view kPartnerSplit = "\n----\n";

// The line reader refuses a line longer than its limit and returns no longer one.
void CheckLineLimit(const std::string& path, std::string_view content) {
    // One CR before a LF belongs to the line end.
    const std::vector<std::string_view> lines = SplitFields(content, '\n');
    bool tooLong = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool crlf = i + 1 < lines.size() && lines[i].ends_with('\r');
        tooLong = tooLong || lines[i].size() - (crlf ? 1 : 0) > kLineLimit;
    }
    TextLineReader reader;
    reader.SetMaxLineLength(kLineLimit);
    Require(reader.Open(path), "a data file written can be opened", [&] { return path; });
    bool refused = false;
    try {
        std::string line;
        while (reader.ReadLine(line))
            Require(line.size() <= kLineLimit, "no line longer than the limit is returned");
    } catch (const FileError&) {
        refused = true;
    }
    Require(refused == tooLong, "the line reader refuses exactly the files with an over-long line");
}

bool IsValueText(std::string_view field) {
    return field.empty() || field.starts_with("ERROR:") ||
           field.find_first_not_of("0123456789.-+E") == std::string_view::npos;
}

// Every line of a written file ends with CR LF, holds no other control
// character than the tab separator, has as many fields as the header, and
// holds a number, an error item or nothing in every value field.
void CheckWrittenFile(const fs::path& path, char separator, bool splitMode) {
    const std::string content = ReadFile(path.string());
    const std::string name = path.filename().string();
    Require(content.empty() || content.ends_with("\r\n"), "a written file ends with CR LF",
            [&] { return name; });
    // Fields before the values: time and frame; part name (and frames) in a
    // means file; file names (and the part name) in the statistics file.
    std::size_t identifying = 2;
    if (name.find(".means.") != std::string::npos)
        identifying = 1;
    else if (name.starts_with("Statistics"))
        identifying = splitMode ? 3 : 2;
    std::size_t headerFields = 0;
    std::size_t start = 0;
    for (long lineNumber = 1; start < content.size(); ++lineNumber) {
        const std::size_t end = content.find("\r\n", start);
        const std::string_view line(content.data() + start, end - start);
        start = end + 2;
        for (char c : line) {
            Require(static_cast<unsigned char>(c) >= 0x20 || (c == '\t' && separator == '\t'),
                    "no control character inside a written line",
                    [&] { return name + ": " + std::string(line); });
        }
        if (line.starts_with("ERROR: ") || line.starts_with("NOTE: "))
            continue;  // the notice of a failed distance correction
        const std::vector<std::string_view> fields = SplitFields(line, separator);
        if (lineNumber == 1) {
            headerFields = fields.size();
            continue;
        }
        Require(fields.size() == headerFields, "every line has as many fields as the header",
                [&] { return name + ": " + std::string(line); });
        for (std::size_t i = identifying; i < fields.size(); ++i) {
            Require(IsValueText(fields[i]), "a value field holds a number or an error item",
                    [&] { return name + ": " + std::string(fields[i]); });
        }
    }
}

// The file check counts at least the fields that are not numbers the run
// reports for a file (it counts every field a run may read).
void CheckNonNumberReports(const AnsweringPrompt& prompt, const std::vector<std::string>& paths) {
    for (const PromptMessage& message : prompt.messages) {
        const std::string& text = message.text;
        const std::size_t holds = text.find("' holds ");
        if (!text.starts_with("The file '") || holds == std::string::npos ||
            text.find(" fields that are not numbers;") == std::string::npos) {
            continue;
        }
        const std::string path = text.substr(10, holds - 10);
        Require(std::find(paths.begin(), paths.end(), path) != paths.end(),
                "a report of fields that are not numbers names an input file",
                [&] { return text; });
        std::string formatLine;
        const long counted = CountNonNumberFields(path, "Time", formatLine).count;
        const long reported = std::strtol(text.c_str() + holds + 8, nullptr, 10);
        Require(reported > 0 && reported <= counted,
                "the file check counts every field the run reports as not a number",
                [&] { return text + " (counted: " + std::to_string(counted) + ")"; });
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = AsText(data, size);
    const std::size_t split = input.find(kPartnerSplit);
    const bool pair = split != std::string_view::npos;
    const std::string_view contentA = input.substr(0, split);
    std::vector<std::string> paths = {WriteFile("s.A.csv", contentA)};
    CheckLineLimit(paths.front(), contentA);
    if (pair)
        paths.push_back(WriteFile("s.B.csv", input.substr(split + kPartnerSplit.size())));

    const fs::path output = fs::path(Folder()) / "out";
    fs::remove_all(output);
    fs::create_directories(output);

    Workspace workspace;
    WorkspaceOptions& options = workspace.options;
    options.timeField = "Time";
    options.directoryOutputFiles = output.string();
    // The input's length picks split or whole output files, ";" or tab.
    options.splitFile = size % 2 == 1;
    options.noOfLines = "3";
    options.csvSeparator = size % 4 < 2;
    options.tsvSeparator = !options.csvSeparator;
    AnsweringPrompt prompt;
    AddFile(workspace, "s.A.csv", Folder(), prompt);
    if (pair)
        AddFile(workspace, "s.B.csv", Folder(), prompt);
    if (workspace.inputFiles.empty())
        return 0;
    CreateDefaultParameterList(workspace.parameters);
    BindMatchingDataFields(workspace);

    RunSink sink;
    CalculateData(workspace, prompt, sink);
    CheckNonNumberReports(prompt, paths);

    const char separator = options.csvSeparator ? ';' : '\t';
    for (const fs::directory_entry& entry : fs::directory_iterator(output)) {
        if (!entry.path().filename().string().starts_with("."))
            CheckWrittenFile(entry.path(), separator, options.splitFile);
    }
    return 0;
}
