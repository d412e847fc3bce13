#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/ConsolePrompt.h"
#include "cli/StudyFile.h"
#include "cli/TextTable.h"
#include "core/InputVariableTable.h"
#include "core/ParameterDefinition.h"
#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "params/DefaultParameterList.h"
#include "params/ParameterListCompilation.h"
#include "params/ParameterListEditor.h"
#include "params/ValueUnits.h"
#include "settings/SettingsFile.h"

namespace kivo::cli {
namespace {

struct ParametersOptions {
    bool useDefault = false;
    std::string settingsFile;
    bool captions = false;
    bool wide = false;
    // Edits, applied in this order.
    std::vector<std::string> only;
    std::vector<std::string> enable;
    std::vector<std::string> disable;
    std::vector<std::string> output;  // on|off, then names or row numbers (none: every row)
    std::vector<std::string> statistics;
    std::vector<std::string> dynamic;

    bool Edits() const {
        return !only.empty() || !enable.empty() || !disable.empty() || !output.empty() ||
               !statistics.empty() || !dynamic.empty();
    }
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

void PrintParameterTable(const std::vector<ParameterDefinition>& rows, bool wide) {
    std::vector<std::vector<std::string>> table;
    table.push_back({"Pos", "Parameter Name", "Calculation Function", "Variables", "Target",
                     "Reference System", "Output", "Statistics", "Dynamic", "Enabled"});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ParameterDefinition& row = rows[i];
        table.push_back({std::to_string(i + 1), row.name, row.function, row.variables, row.target,
                         row.referenceSystem, row.output, row.statistics, row.dynamic,
                         Flag(row.enabled)});
    }
    // The texts give way to the terminal's width, the lists first; positions
    // and flags never do.
    const std::vector<std::size_t> keep = {0, 24, 20, 12, 12, 10};
    std::fputs(FormatTextTable(table, wide ? 0 : TerminalWidth(), keep).c_str(), stdout);
}

void PrintCaptionList(const char* heading, const std::vector<std::string>& captions,
                      const std::vector<std::string>& units) {
    std::printf("%s\n", heading);
    std::vector<std::vector<std::string>> table = {{"#", "Unit", "Caption"}};
    for (std::size_t i = 0; i < captions.size(); ++i)
        table.push_back({std::to_string(i + 1), units[i], captions[i]});
    std::fputs(FormatTextTable(table).c_str(), stdout);
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

// The rows named by names or 1-based row numbers (a name wins); nothing
// (with a note) when one names no row.
std::optional<std::vector<std::size_t>> FindRows(const std::vector<ParameterDefinition>& rows,
                                                 const std::vector<std::string>& references,
                                                 const std::string& path) {
    std::vector<std::size_t> found;
    for (const std::string& reference : references) {
        const auto named =
            std::find_if(rows.begin(), rows.end(),
                         [&](const ParameterDefinition& r) { return r.name == reference; });
        if (named != rows.end()) {
            found.push_back(static_cast<std::size_t>(named - rows.begin()));
            continue;
        }
        const bool digits =
            !reference.empty() && std::all_of(reference.begin(), reference.end(),
                                              [](char c) { return c >= '0' && c <= '9'; });
        const unsigned long number = digits && reference.size() < 10 ? std::stoul(reference) : 0;
        if (number < 1 || number > rows.size()) {
            std::fprintf(stderr, "kivo parameters: %s has no parameter '%s'\n", path.c_str(),
                         reference.c_str());
            return std::nullopt;
        }
        found.push_back(number - 1);
    }
    return found;
}

// Switches a column of the named rows, or with no names of every row. The
// first word is "on" or "off".
bool SwitchColumn(ParameterListEditor& editor, const std::vector<ParameterDefinition>& rows,
                  const std::vector<std::string>& words, const std::string& path,
                  EditorResult (ParameterListEditor::*forRow)(std::size_t, bool),
                  EditorResult (ParameterListEditor::*on)(),
                  EditorResult (ParameterListEditor::*off)()) {
    if (words.empty())
        return true;
    const bool switchOn = words.front() == "on";
    const std::vector<std::string> references(words.begin() + 1, words.end());
    if (references.empty()) {
        (editor.*(switchOn ? on : off))();
        return true;
    }
    const std::optional<std::vector<std::size_t>> found = FindRows(rows, references, path);
    if (!found)
        return false;
    for (std::size_t row : *found)
        (editor.*forRow)(row, switchOn);
    return true;
}

// Applies the edits through the rules of the parameter page. False when a
// rule refused one (it has said why) or a name matched no row.
bool EditParameterList(Workspace& workspace, const ParametersOptions& options, UserPrompt& prompt) {
    const std::string& path = options.settingsFile;
    CountingPrompt counting(prompt);
    ParameterListEditor editor(workspace, counting);
    const std::vector<ParameterDefinition>& rows = workspace.parameters;
    const auto each = [&](const std::vector<std::string>& references, auto&& apply) {
        const std::optional<std::vector<std::size_t>> found = FindRows(rows, references, path);
        if (!found)
            return false;
        apply(*found);
        return true;
    };
    const bool found =
        each(options.only,
             [&](const std::vector<std::size_t>& r) {
                 if (!r.empty())
                     editor.EnableOnly(r);
             }) &&
        each(options.enable,
             [&](const std::vector<std::size_t>& r) {
                 for (std::size_t row : r)
                     editor.SetEnabled(row, true);
             }) &&
        each(options.disable,
             [&](const std::vector<std::size_t>& r) {
                 for (std::size_t row : r)
                     editor.SetEnabled(row, false);
             }) &&
        SwitchColumn(editor, rows, options.output, path, &ParameterListEditor::SetOutput,
                     &ParameterListEditor::OutputOn, &ParameterListEditor::OutputOff) &&
        SwitchColumn(editor, rows, options.statistics, path, &ParameterListEditor::SetStatistics,
                     &ParameterListEditor::StatisticsOn, &ParameterListEditor::StatisticsOff) &&
        SwitchColumn(editor, rows, options.dynamic, path, &ParameterListEditor::SetDynamic,
                     &ParameterListEditor::DynamicOn, &ParameterListEditor::DynamicOff);
    return found && counting.Problems() == 0;
}

int RunParameterEdits(const ParametersOptions& options) {
    for (const std::vector<std::string>* words :
         {&options.output, &options.statistics, &options.dynamic}) {
        if (!words->empty() && words->front() != "on" && words->front() != "off") {
            std::fprintf(stderr,
                         "kivo parameters: --output, --statistics and --dynamic begin with on or "
                         "off, not '%s'\n",
                         words->front().c_str());
            return kExitUsage;
        }
    }
    Workspace workspace;
    if (!LoadStudyForChange(options.settingsFile, workspace, "parameters"))
        return 1;
    ConsolePrompt prompt(stderr);
    prompt.AddRule({PromptId::OutputAndStatistics, PromptAnswer::No,
                    "give --output on or --statistics on for it"});
    if (!EditParameterList(workspace, options, prompt)) {
        std::fprintf(stderr, "kivo parameters: nothing was changed in %s\n",
                     options.settingsFile.c_str());
        return 1;
    }
    if (!SaveStudy(workspace, options.settingsFile, "parameters"))
        return 1;
    const auto enabled = std::count_if(workspace.parameters.begin(), workspace.parameters.end(),
                                       [](const ParameterDefinition& r) { return r.enabled; });
    std::printf("%s: %td of %zu parameters enabled\n", options.settingsFile.c_str(), enabled,
                workspace.parameters.size());
    std::fflush(stdout);
    return 0;
}

int RunParameters(const ParametersOptions& options) {
    if (!options.useDefault && options.settingsFile.empty()) {
        std::fputs("kivo parameters: give --default or a settings file\n", stderr);
        return kExitUsage;
    }
    if (options.Edits()) {
        if (options.useDefault || options.captions) {
            std::fputs("kivo parameters: edits need a settings file and go without --captions\n",
                       stderr);
            return kExitUsage;
        }
        return RunParameterEdits(options);
    }
    std::optional<ParameterListSource> source =
        options.useDefault ? std::optional(DefaultSource()) : SettingsSource(options.settingsFile);
    if (!source)
        return kExitError;

    ConsolePrompt prompt(stderr);
    ParameterArray array;
    const CompileOutcome outcome =
        InitParameterListArray(array, source->rows, source->table, source->bindings, false, prompt);
    RestoreUnnamedInputVariables(source->table);

    if (!options.captions)
        PrintParameterTable(source->rows, options.wide);
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
    return 0;
}

}  // namespace

void RegisterParametersCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<ParametersOptions>();
    auto* command = app.add_subcommand(
        "parameters", "Show or change a parameter list, or the column captions it compiles to");
    auto* useDefault =
        command->add_flag("--default", options->useDefault, "Use the default parameter list");
    auto* settings = command->add_option("settings", options->settingsFile,
                                         "Settings file (.set) whose parameter list to use");
    useDefault->excludes(settings);
    command->add_flag("--captions", options->captions,
                      "Print the output-file and statistics-file column captions instead of the "
                      "list");
    command->add_flag("--wide", options->wide,
                      "Print the list with full texts, however wide the terminal");
    const auto rows = [&](const char* name, std::vector<std::string>& into, const char* text) {
        command->add_option(name, into, text)->type_name("NAME|ROW");
    };
    rows("--only", options->only, "Enable only these parameters and the parameters they need");
    rows("--enable", options->enable, "Enable these parameters (each must have what it needs)");
    rows("--disable", options->disable,
         "Disable these parameters and the enabled parameters that use them");
    const auto column = [&](const char* name, std::vector<std::string>& into, const char* what) {
        command
            ->add_option(name, into,
                         std::string("Switch ") + what +
                             " on or off for these parameters (none named: for every parameter)")
            ->type_name("on|off [NAME|ROW]")
            ->expected(1, -1);
    };
    column("--output", options->output, "Output");
    column("--statistics", options->statistics, "Statistics");
    column("--dynamic", options->dynamic, "Dynamic");
    command->footer(
        "Edits follow the rules of the parameter page (a parameter is enabled only with the\n"
        "parameters it needs; nothing is saved when a rule refuses) and are applied in the\n"
        "order --only, --enable, --disable, --output, --statistics, --dynamic.\n"
        "Example: kivo parameters study.set --captions\n"
        "Example: kivo parameters study.set --only \"Dyadic Proxemics Body\" --dynamic on\n");
    command->callback([options, &registry] {
        registry.SetAction([options] { return RunParameters(*options); });
    });
}

}  // namespace kivo::cli
