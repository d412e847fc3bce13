#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "core/ConsolePrompt.h"
#include "core/InputVariableTable.h"
#include "core/ParameterDefinition.h"
#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "params/DefaultParameterList.h"
#include "params/ParameterListCompilation.h"
#include "params/ValueUnits.h"
#include "settings/SettingsFile.h"

namespace kivo::cli {
namespace {

struct ParametersOptions {
    bool useDefault = false;
    std::string settingsFile;
    bool captions = false;
};

// A parameter list together with the input variables it is compiled against.
struct ParameterListSource {
    std::vector<ParameterDefinition> rows;
    InputVariableTable table;
    DataFieldBindings bindings;
    std::string distanceOption = GetDistanceOption(WorkspaceOptions());
    bool distanceOptionsDiffer = false;
};

// The default list against the fixed input variables, each treated as bound
// to a data field of its own name (user variables stay unnamed).
ParameterListSource DefaultSource() {
    ParameterListSource source;
    CreateDefaultParameterList(source.rows);
    for (int k = 0; k < kInputVariableCount; ++k) {
        source.bindings[static_cast<std::size_t>(k)] =
            k < kFixedInputVariableCount
                ? std::string(FixedInputVariableNames()[static_cast<std::size_t>(k)])
                : "Variable " + std::to_string(k);
    }
    return source;
}

// The list, user variables and bindings kept in a settings file.
std::optional<ParameterListSource> SettingsSource(const std::string& path) {
    ConsolePrompt prompt(stderr);
    prompt.SetQuiet(true);  // notes about the study's data files do not concern the list
    Workspace workspace;
    if (LoadSettings(path, workspace, prompt) != SettingsLoadResult::Loaded)
        return std::nullopt;
    ParameterListSource source;
    source.rows = std::move(workspace.parameters);
    for (int u = 0; u < kUserVariableCount; ++u)
        source.table[kFirstUserVariable + u].name = workspace.userVariableNames[u];
    source.bindings = workspace.boundDataFields;
    // Distances take the unit of the first file's distance option.
    if (!workspace.inputFiles.empty()) {
        source.distanceOption = workspace.inputFiles.front()[kColDistancesRelatedTo];
        for (const InputFileRow& row : workspace.inputFiles) {
            source.distanceOptionsDiffer = source.distanceOptionsDiffer ||
                                           row[kColDistancesRelatedTo] != source.distanceOption;
        }
    }
    return source;
}

std::string Flag(bool on) {
    return on ? "x" : "";
}

// Prints rows of cells as columns padded to their widest cell.
void PrintTable(const std::vector<std::vector<std::string>>& table) {
    std::vector<std::size_t> widths;
    for (const auto& cells : table) {
        if (widths.size() < cells.size())
            widths.resize(cells.size(), 0);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            widths[c] = std::max(widths[c], cells[c].size());
        }
    }
    std::string line;
    for (const auto& cells : table) {
        line.clear();
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0)
                line += "  ";
            line += cells[c];
            if (c + 1 < cells.size())
                line.append(widths[c] - cells[c].size(), ' ');
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        line += '\n';
        std::fputs(line.c_str(), stdout);
    }
}

void PrintParameterTable(const std::vector<ParameterDefinition>& rows) {
    std::vector<std::vector<std::string>> table;
    table.push_back({"Pos", "Parameter Name", "Calculation Function", "Variables", "Target",
                     "Reference System", "Output", "Statistics", "Dynamic", "Enabled"});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ParameterDefinition& row = rows[i];
        table.push_back({std::to_string(i + 1), row.name, row.function, row.variables, row.target,
                         row.referenceSystem, row.output, row.statistics, row.dynamic,
                         Flag(row.enabled)});
    }
    PrintTable(table);
}

void PrintCaptionList(const char* heading, const std::vector<std::string>& captions,
                      const std::vector<std::string>& units) {
    std::printf("%s\n", heading);
    std::vector<std::vector<std::string>> table = {{"#", "Unit", "Caption"}};
    for (std::size_t i = 0; i < captions.size(); ++i)
        table.push_back({std::to_string(i + 1), units[i], captions[i]});
    PrintTable(table);
}

// The header columns of the output files and of the statistics file, each
// with its unit.
void PrintCaptions(const ParameterArray& array, const ParameterListSource& source) {
    std::vector<std::string> output = {"Time", "Frame"};
    std::vector<std::string> outputUnits = {std::string(kUnitSeconds), "frame number"};
    std::vector<std::string> statistics = {"File Name", "Partner File"};
    std::vector<std::string> statisticsUnits = {"", ""};
    const auto units = ValueUnits(array, source.distanceOption);
    for (std::size_t position = 1; position < array.size(); ++position) {
        const ParameterRecord& record = array[position];
        if (!record.enabled)
            continue;
        const std::vector<std::string>& values = units[position];
        if (record.output) {
            output.insert(output.end(), record.valueCaptions.begin(), record.valueCaptions.end());
            for (int column = 0; column < record.nValues; ++column)
                outputUnits.insert(outputUnits.end(), record.dynamic ? 2 : 1, values[column]);
        }
        if (record.statistics) {
            statistics.insert(statistics.end(), record.statisticsCaptions.begin(),
                              record.statisticsCaptions.end());
            const std::vector<std::string> statisticUnits = StatisticsUnits(record, values);
            statisticsUnits.insert(statisticsUnits.end(), statisticUnits.begin(),
                                   statisticUnits.end());
        }
    }
    PrintCaptionList("Output file columns:", output, outputUnits);
    std::printf("\n");
    PrintCaptionList("Statistics file columns:", statistics, statisticsUnits);
    std::printf("\nDistances are related to \"%s\"%s.\n", source.distanceOption.c_str(),
                source.distanceOptionsDiffer
                    ? " in the first input file; the other files differ, and so do their units"
                    : "");
}

int RunParameters(const ParametersOptions& options) {
    if (!options.useDefault && options.settingsFile.empty()) {
        std::fputs("kivo parameters: give --default or a settings file\n", stderr);
        return 2;
    }
    std::optional<ParameterListSource> source =
        options.useDefault ? std::optional(DefaultSource()) : SettingsSource(options.settingsFile);
    if (!source)
        return 2;

    ConsolePrompt prompt(stderr);
    ParameterArray array;
    const CompileOutcome outcome =
        InitParameterListArray(array, source->rows, source->table, source->bindings, false, prompt);
    RestoreUnnamedInputVariables(source->table);

    if (!options.captions)
        PrintParameterTable(source->rows);
    if (outcome.failed) {
        if (outcome.failedRow > 0) {
            std::fprintf(stderr, "kivo parameters: the list does not compile (row %d '%s')\n",
                         outcome.failedRow, source->rows[outcome.failedRow - 1].name.c_str());
        } else {
            std::fputs("kivo parameters: the list does not compile\n", stderr);
        }
        return 1;
    }
    if (options.captions)
        PrintCaptions(array, *source);
    std::fflush(stdout);
    return 0;
}

}  // namespace

void RegisterParametersCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<ParametersOptions>();
    auto* command = app.add_subcommand(
        "parameters", "Show a parameter list, or the column captions it compiles to");
    auto* useDefault =
        command->add_flag("--default", options->useDefault, "Use the default parameter list");
    auto* settings = command->add_option("settings", options->settingsFile,
                                         "Settings file (.set) whose parameter list to use");
    useDefault->excludes(settings);
    command->add_flag("--captions", options->captions,
                      "Print the output-file and statistics-file column captions instead of the "
                      "list");
    command->footer("Example: kivo parameters study.set --captions\n");
    command->callback([options, &registry] {
        registry.SetAction([options] { return RunParameters(*options); });
    });
}

}  // namespace kivo::cli
