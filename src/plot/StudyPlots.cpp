#include "plot/StudyPlots.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "core/Numbers.h"
#include "core/UserPrompt.h"
#include "engine/OutputFileNames.h"
#include "params/Catalogue.h"
#include "params/ParameterCaptions.h"
#include "params/ParameterListCompilation.h"
#include "plot/OutputColumns.h"

namespace kivo {
namespace {

// Compiling only to learn captions: whatever the compilation would tell the
// user is told again by a run.
class QuietPrompt : public UserPrompt {
  public:
    PromptAnswer Ask(const PromptMessage&) override { return PromptAnswer::Cancel; }
    using UserPrompt::Ask;
};

PlotFile FileOf(const Workspace& workspace, std::size_t fileIndex) {
    const InputFileRow& row = workspace.inputFiles.at(fileIndex);
    PlotFile file;
    file.outputPath = OutputPathOf(workspace, fileIndex);
    file.inputFileName = row[kColFileName];
    if (IsNumeric(row[kColDistances], workspace.decimalSymbol))
        file.movementThreshold = ReadUserNumber(row[kColDistances], workspace.decimalSymbol);
    return file;
}

std::string EscapedForPattern(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos)
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

}  // namespace

std::vector<ActivationSource> ActivationSources(const Workspace& workspace) {
    ParameterArray array;
    InputVariableTable table;
    for (int u = 0; u < kUserVariableCount; ++u)
        table[kFirstUserVariable + u].name = workspace.userVariableNames[u];
    QuietPrompt prompt;
    std::vector<ActivationSource> sources;
    if (InitParameterListArray(array, workspace.parameters, table, workspace.boundDataFields,
                               workspace.options.splitFile, prompt)
            .failed) {
        return sources;
    }
    for (std::size_t position = 1; position < array.size(); ++position) {
        const ParameterRecord& record = array[position];
        if (!record.enabled || record.functionIndex != kFnActivation ||
            record.variableIndices.empty()) {
            continue;
        }
        const std::string& name = workspace.parameters[position - 1].name;
        if (record.output && record.nValues >= 1) {
            sources.push_back({name, PlainValueCaption(record, 1), true});
            continue;
        }
        const auto operand = static_cast<std::size_t>(record.variableIndices.front());
        if (operand < array.size() && array[operand].output && array[operand].nValues >= 3)
            sources.push_back({name, PlainValueCaption(array[operand], 3), false});
    }
    return sources;
}

std::string OutputPathOf(const Workspace& workspace, std::size_t fileIndex) {
    const WorkspaceOptions& options = workspace.options;
    const std::string extension = options.csvSeparator ? ".csv" : "." + options.extension;
    return MakeOutputFileNames(options.directoryOutputFiles, options.prefix,
                               workspace.inputFiles.at(fileIndex)[kColFileName], options.suffix,
                               extension)
        .OutputPath();
}

std::string StatisticsPathOf(const Workspace& workspace) {
    return (std::filesystem::path(workspace.options.directoryOutputFiles) /
            workspace.options.statisticsFileName)
        .string();
}

PlotRequest StudyPlotRequest(const Workspace& workspace, std::size_t fileIndex,
                             std::string columnPattern, bool withPartner) {
    PlotRequest request;
    request.file = FileOf(workspace, fileIndex);
    request.columnPattern = std::move(columnPattern);
    request.decimalSymbol = workspace.decimalSymbol;
    request.activations = ActivationSources(workspace);
    std::error_code error;
    const std::string statistics = StatisticsPathOf(workspace);
    if (!workspace.options.statisticsFileName.empty() &&
        std::filesystem::is_regular_file(statistics, error)) {
        request.statisticsPath = statistics;
    }
    if (withPartner) {
        const auto partner =
            workspace.FindInputFile(workspace.inputFiles.at(fileIndex)[kColPartnerFile]);
        if (partner && *partner != fileIndex)
            request.partner = FileOf(workspace, *partner);
    }
    return request;
}

std::string FirstColumnsPattern(const PlotRequest& request) {
    const OutputHeader header = ReadOutputHeader(request.file.outputPath);
    std::vector<std::string> captions;
    for (const ActivationSource& source : request.activations) {
        const auto& all = header.captions;
        if (std::find(all.begin() + kFirstValueColumn, all.end(), source.caption) != all.end() &&
            std::find(captions.begin(), captions.end(), source.caption) == captions.end()) {
            captions.push_back(source.caption);
        }
    }
    if (captions.empty() && header.captions.size() > kFirstValueColumn)
        captions.push_back(header.captions[kFirstValueColumn]);
    std::string pattern;
    for (const std::string& caption : captions)
        pattern += (pattern.empty() ? "^(" : "|") + EscapedForPattern(caption);
    return pattern.empty() ? std::string() : pattern + ")$";
}

}  // namespace kivo
