// How long a plot of a long output file takes to appear: reading the chosen
// columns, then building the chart and drawing it once (what the plot window
// does before it shows the first chart, and what kivo plot does).
//
//   bench_plot [--lines N] [--columns C] [--repeat R]
//
// The output file is generated into a temporary folder (never kept): N lines
// (default 72,000: ten minutes at 120 frames per second) of C value columns
// (default 400) with four decimal places, an error item in every column on
// one line in 500 and an empty field on another, as a run writes them. Three
// columns are plotted: the first, one in the middle and the last, so that
// every line is read to its end.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "charts/OffscreenApplication.h"
#include "charts/PlotChart.h"
#include "plot/PlotData.h"

namespace fs = std::filesystem;
using namespace kivo;

namespace {

std::string Caption(int column) {
    char caption[32];
    std::snprintf(caption, sizeof caption, "Parameter %03d", column);
    return caption;
}

void WriteOutputFile(const std::string& path, long lines, int columns) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    std::fputs("Time;Frame", file);
    for (int c = 1; c <= columns; ++c)
        std::fprintf(file, ";%s", Caption(c).c_str());
    std::fputc('\n', file);
    for (long line = 0; line < lines; ++line) {
        const double time = static_cast<double>(line) / 120.0;
        std::fprintf(file, "%.4f;%ld", time, line + 1);
        for (int c = 1; c <= columns; ++c) {
            if (line % 500 == 250) {
                std::fputs(";ERR", file);
            } else if (line % 500 == 499) {
                std::fputc(';', file);
            } else {
                const double value = std::sin(time * (0.5 + c * 0.01)) * 10.0 +
                                     (line % 997 == 0 ? 50.0 : 0.0);  // a peak now and then
                std::fprintf(file, ";%.4f", value);
            }
        }
        std::fputc('\n', file);
    }
    std::fclose(file);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    long lines = 72000;
    int columns = 400;
    int repeat = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--lines" && i + 1 < argc) {
            lines = std::atol(argv[++i]);
        } else if (argument == "--columns" && i + 1 < argc) {
            columns = std::atoi(argv[++i]);
        } else if (argument == "--repeat" && i + 1 < argc) {
            repeat = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: bench_plot [--lines N] [--columns C] [--repeat R]\n");
            return 2;
        }
    }
    if (lines < 1 || columns < 3 || repeat < 1) {
        std::fprintf(stderr, "bench_plot: at least 1 line, 3 columns and 1 repetition\n");
        return 2;
    }
    const fs::path folder =
        fs::temp_directory_path() / ("kivo-bench-plot-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string output = (folder / "recording.A.csv").string();
    WriteOutputFile(output, lines, columns);
    std::printf("output file: %ld lines x %d columns, %.0f MB\n", lines, columns,
                static_cast<double>(fs::file_size(output)) / 1e6);

    const auto application = MakeOffscreenApplication();
    PlotRequest request;
    request.file.outputPath = output;
    request.columnPattern =
        "^(" + Caption(1) + "|" + Caption(columns / 2) + "|" + Caption(columns) + ")$";
    std::printf("%8s %12s %12s %12s\n", "run", "read [s]", "chart [s]", "total [s]");
    double best = 1e300;
    for (int r = 1; r <= repeat; ++r) {
        const auto start = std::chrono::steady_clock::now();
        PlotData data = LoadPlotData(request);
        const double read = SecondsSince(start);
        const auto chartStart = std::chrono::steady_clock::now();
        PlotChart chart(std::move(data));
        QString error;
        if (!RenderChart(chart, QSize(1600, 900),
                         QString::fromStdString((folder / "plot.png").string()), error)) {
            std::fprintf(stderr, "%s\n", error.toStdString().c_str());
            return 1;
        }
        const double drawn = SecondsSince(chartStart);
        std::printf("%8d %12.3f %12.3f %12.3f\n", r, read, drawn, read + drawn);
        best = std::min(best, read + drawn);
    }
    std::printf("best: %.3f s (target: the first chart within 2 s)\n", best);
    fs::remove_all(folder);
    return 0;
}
