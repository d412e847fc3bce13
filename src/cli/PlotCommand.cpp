#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "charts/OffscreenApplication.h"
#include "charts/PlotChart.h"
#include "cli/Commands.h"
#include "cli/ConsolePrompt.h"
#include "core/FileError.h"
#include "plot/StudyPlots.h"
#include "settings/SettingsFile.h"

namespace kivo::cli {
namespace {

namespace fs = std::filesystem;

struct PlotOptions {
    std::string output;
    std::string columns;
    std::string statistics;
    std::string partner;
    std::string settings;
    std::string out;
    std::string size = "1600x900";
};

std::optional<QSize> ReadSize(const std::string& text) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    try {
        std::size_t used = 0;
        const int width = std::stoi(text.substr(0, x), &used);
        if (used != x)
            return std::nullopt;
        const std::string rest = text.substr(x + 1);
        const int height = std::stoi(rest, &used);
        if (used != rest.size() || width < 16 || height < 16 || width > 16384 || height > 16384)
            return std::nullopt;
        return QSize(width, height);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool SamePath(const std::string& a, const std::string& b) {
    std::error_code error;
    return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error);
}

// The input file of the study whose output file `output` is.
std::optional<std::size_t> StudyFileOf(const Workspace& workspace, const std::string& output) {
    for (std::size_t i = 0; i < workspace.inputFiles.size(); ++i) {
        if (SamePath(OutputPathOf(workspace, i), output))
            return i;
    }
    return std::nullopt;
}

// What the study says about an output file: its input file's name and its
// movement threshold.
PlotFile StudyPlotFile(const Workspace& workspace, const std::string& output) {
    PlotFile file;
    file.outputPath = output;
    if (const auto row = StudyFileOf(workspace, output)) {
        const PlotRequest request = StudyPlotRequest(workspace, *row, "", false);
        file.inputFileName = request.file.inputFileName;
        file.movementThreshold = request.file.movementThreshold;
    }
    return file;
}

PlotRequest BuildRequest(const PlotOptions& options, const std::string& decimalSymbol) {
    PlotRequest request;
    request.columnPattern = options.columns;
    request.decimalSymbol = decimalSymbol;
    request.file.outputPath = options.output;
    if (!options.partner.empty())
        request.partner = PlotFile{options.partner, "", request.file.movementThreshold};
    request.statisticsPath = options.statistics;
    if (options.settings.empty())
        return request;

    ConsolePrompt prompt(stderr);
    prompt.SetQuiet(true);  // notes about the study's data files do not concern its outputs
    Workspace workspace(decimalSymbol);
    if (LoadSettings(options.settings, workspace, prompt) != SettingsLoadResult::Loaded)
        throw FileError(options.settings, 0, "", "is no settings file that could be loaded");
    request.file = StudyPlotFile(workspace, options.output);
    if (request.partner)
        request.partner = StudyPlotFile(workspace, options.partner);
    request.activations = ActivationSources(workspace);
    std::error_code error;
    if (request.statisticsPath.empty() && fs::is_regular_file(StatisticsPathOf(workspace), error))
        request.statisticsPath = StatisticsPathOf(workspace);
    return request;
}

int RunPlot(const PlotOptions& options, const std::string& decimalSymbol) {
    const std::optional<QSize> size = ReadSize(options.size);
    if (!size) {
        std::fprintf(stderr,
                     "kivo plot: --size takes WIDTHxHEIGHT in pixels, 16 to 16384 each (not "
                     "'%s')\n",
                     options.size.c_str());
        return 1;
    }
    PlotData data;
    try {
        data = LoadPlotData(BuildRequest(options, decimalSymbol));
    } catch (const FileError& error) {
        std::fprintf(stderr, "kivo plot: %s\n", error.what());
        return 1;
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "kivo plot: %s\n", error.what());
        return 1;
    }
    for (const std::string& note : data.notes)
        std::fprintf(stderr, "kivo plot: note: %s\n", note.c_str());

    const auto application = MakeOffscreenApplication();
    const std::size_t columns = data.series.size();
    const std::size_t lines = data.series.empty() ? 0 : data.series.front().time.size();
    PlotChart chart(std::move(data));
    QString error;
    if (!RenderChart(chart, *size, QString::fromStdString(options.out), error)) {
        std::fprintf(stderr, "kivo plot: %s\n", error.toStdString().c_str());
        return 1;
    }
    std::printf("%s: %zu series over %zu lines, %dx%d pixels\n", options.out.c_str(), columns,
                lines, size->width(), size->height());
    return 0;
}

}  // namespace

void RegisterPlotCommand(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<PlotOptions>();
    auto* command = app.add_subcommand(
        "plot", "Draw output columns over time into a PNG or SVG file, with their statistics");
    command->add_option("output", options->output, "Output file written by a run")->required();
    command
        ->add_option("--columns", options->columns,
                     "Regular expression: the columns whose caption it matches (any case)")
        ->required();
    command->add_option("--out", options->out, "The picture to write: FILE.png or FILE.svg")
        ->required();
    command->add_option("--statistics", options->statistics,
                        "Statistics file of the run: mean and SD of each column");
    command->add_option("--partner", options->partner,
                        "The partner's output file, drawn dashed over the same columns");
    command->add_option("--settings", options->settings,
                        "The study's settings file: movement phases of Activation columns, and "
                        "its statistics file unless --statistics names one");
    command->add_option("--size", options->size, "Picture size in pixels (default 1600x900)");
    command->footer(
        "Example: kivo plot results/s01.A.csv --columns \"Magnitude Body\" --statistics "
        "results/Statistics.csv --out s01.png\n");
    command->callback([options, &registry] {
        registry.SetAction(
            [options, &registry] { return RunPlot(*options, registry.DecimalSymbol()); });
    });
}

}  // namespace kivo::cli
