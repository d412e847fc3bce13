// End-to-end benchmark of a calculation run over a long dyad, next to its
// floor: a program that only reads the same two files, converts every bound
// field and formats and writes as many numbers as the run writes.
//
//   bench_run [--minutes M ...] [--data DIR] [--video] [--keep DIR] [--scaling]
//
// The dyad is the CMU recording of the shared data folder repeated in time to
// M minutes at 120 frames per second (generated into a temporary folder, never
// kept). The run is measured on one thread (--jobs 1 --pipeline off: wall and
// CPU time), with one job and the pipeline (reading and writing on threads of
// their own), and with one job per processor core and the pipeline, the
// default; the outputs of both are compared byte for byte with those of one
// thread. With --video every fourth line is processed together with a
// generated 30-per-second video of the same length (320 x 240, Motion JPEG) on both
// files: the camera and Pixel Difference rows are enabled, and the output is
// split into parts of one minute, each with its clip of the video. The runs and the floor each run
// in a child process, so that their peak memory (maximum resident set size) is measured separately.
// With --keep the one-thread run's output files of M minutes are copied to DIR/M, for
// byte-for-byte comparisons between builds. --scaling runs eight dyads of the
// first M minutes (16 files) with one and with two jobs (without the pipeline,
// so that only the number of jobs differs).

#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "BenchStudy.h"
#include "RecordingTiler.h"
#include "core/InputVariableTable.h"
#include "core/Numbers.h"
#include "core/Text.h"
#include "core/Workspace.h"
#include "engine/CalculationRun.h"
#include "engine/OutputFile.h"
#include "engine/OutputItems.h"
#include "input/BodyDataPositions.h"
#include "input/DataFieldBindings.h"
#include "input/DataFileFormat.h"
#include "input/InputFileList.h"
#include "input/TextLineReader.h"
#include "media/ClipWriter.h"
#include "params/DefaultParameterList.h"
#include "settings/BindingsFile.h"

namespace fs = std::filesystem;
using namespace kivo;
using bench::MakeStudy;
using bench::SilentPrompt;

namespace {

struct Measurement {
    double seconds = 0.0;
    double cpuSeconds = 0.0;  // user and system time
    long peakKilobytes = 0;
};

// Runs `work` in a child process; its wall time and peak resident memory.
Measurement InChild(const std::function<int()>& work) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0)
        std::_Exit(work());
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Measurement measurement;
    measurement.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    measurement.peakKilobytes = usage.ru_maxrss;
    measurement.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 +
                             usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "child failed (status %d)\n", status);
        std::exit(1);
    }
    return measurement;
}

// The run of `workspace` with `jobs` jobs in a child process.
Measurement MeasureRun(const Workspace& workspace, int jobs, bool pipeline) {
    return InChild([&] {
        SilentPrompt prompt;
        RunSink sink;
        const ClipCodecChooser jpeg = [](const ClipCodecRequest&) {
            return std::optional<ClipCodecChoice>(ClipCodecChoice{"mjpeg"});
        };
        RunSchedule schedule;
        schedule.jobs = jobs;
        schedule.pipeline = pipeline;
        return CalculateData(workspace, prompt, sink, jpeg, schedule).completed ? 0 : 1;
    });
}

// Whether two folders hold the same files byte for byte (read in pieces, so
// that the benchmark's own memory stays small for the children it forks).
bool SameFiles(const fs::path& first, const fs::path& second) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(first)) {
        ++count;
        std::FILE* a = std::fopen(entry.path().c_str(), "rb");
        std::FILE* b = std::fopen((second / entry.path().filename()).c_str(), "rb");
        bool same = a != nullptr && b != nullptr;
        std::vector<char> bufferA(1 << 16), bufferB(1 << 16);
        while (same) {
            const std::size_t readA = std::fread(bufferA.data(), 1, bufferA.size(), a);
            const std::size_t readB = std::fread(bufferB.data(), 1, bufferB.size(), b);
            same = readA == readB &&
                   std::equal(bufferA.begin(), bufferA.begin() + readA, bufferB.begin());
            if (readA == 0)
                break;
        }
        if (a != nullptr)
            std::fclose(a);
        if (b != nullptr)
            std::fclose(b);
        if (!same)
            return false;
    }
    return count == static_cast<std::size_t>(
                        std::distance(fs::directory_iterator(second), fs::directory_iterator()));
}

// The system's load average over the last minute: wall times and ratios
// mean little on a machine that other work keeps busy.
double LoadAverage() {
    double load[1] = {0.0};
    return getloadavg(load, 1) == 1 ? load[0] : -1.0;
}

void PrintMeasurement(const char* what, const Measurement& measurement) {
    std::printf("  %-22s wall %8.2f s   cpu %8.2f s   peak %6.1f MB\n", what, measurement.seconds,
                measurement.cpuSeconds, measurement.peakKilobytes / 1024.0);
}

// M minutes of a 30-per-second video in which a bar moves and the picture
// brightens slowly, so that every frame differs from the one before.
void MakeVideo(const std::string& path, int minutes) {
    const int width = 320, height = 240;
    PixelFrame frame{width, height, 3, width * 3, std::vector<std::uint8_t>(width * 3 * height)};
    ClipWriter writer;
    if (!writer.Open(path, {"mjpeg"}, width, height, 30, 1)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), writer.Error().c_str());
        std::exit(1);
    }
    for (long k = 0; k < minutes * 60L * 30; ++k) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::uint8_t* pixel = &frame.pixels[(y * width + x) * 3];
                const bool bar = (x + k) % width < 40;
                pixel[0] = static_cast<std::uint8_t>(bar ? 255 : (k / 8) % 200);
                pixel[1] = static_cast<std::uint8_t>(y);
                pixel[2] = static_cast<std::uint8_t>(x);
            }
        }
        if (!writer.Write(frame))
            std::exit(1);
    }
    if (!writer.Close())
        std::exit(1);
}

// The video on both files, every fourth line, the camera and video rows on,
// parts of one minute with clips.
void AddVideo(Workspace& workspace, const std::string& video) {
    for (InputFileRow& row : workspace.inputFiles) {
        row[kColUseEvery] = "4";
        row[kColVideoClipFile] = video;
        row[kColVideoClipSide] =
            row[kColFileName].find(".A.") != std::string::npos ? "Left Side" : "Right Side";
    }
    for (int row = 163; row <= 165; ++row)
        workspace.parameters[row - 1].enabled = true;
    workspace.options.splitFile = true;
    workspace.options.noOfLines = "1800";
}

int FieldCount(const std::string& path) {
    TextLineReader reader;
    std::string header;
    if (!reader.Open(path) || !reader.ReadLine(header))
        return 0;
    return static_cast<int>(SplitFields(header, ';').size());
}

// Reads both files in step as the run does for each input file, converts every
// bound field of both persons and writes `valuesPerLine` formatted numbers per
// frame.
int Floor(const Workspace& workspace, int valuesPerLine, const std::string& outputDirectory) {
    SilentPrompt prompt;
    InputVariableTable table;
    for (int k = 0; k < kInputVariableCount; ++k)
        table[k].dataFieldName = workspace.boundDataFields[k];
    std::vector<std::string_view> fields;
    double checksum = 0.0;
    for (std::size_t i = 0; i < workspace.inputFiles.size(); ++i) {
        const InputFileRow& row = workspace.inputFiles[i];
        const InputFileRow& partner = workspace.inputFiles[1 - i];
        TextLineReader readers[2];
        char separators[2];
        std::vector<int> bound[2];
        for (int person = 0; person < 2; ++person) {
            const InputFileRow& file = person == 0 ? row : partner;
            readers[person].Open(file.fullPath);
            std::string formatLine;
            FindFormatLine(readers[person], "Time", formatLine);
            table.ResetFieldIndices();
            const auto positions = GetBodyDataPositions(person + 1, formatLine, "Time",
                                                        file[kColFileName], table, prompt);
            separators[person] = SeparatorChar(positions.separator);
            for (int k = 0; k < kInputVariableCount; ++k) {
                for (int index : table.Person(k, person + 1).fieldIndex) {
                    if (index > 0)
                        bound[person].push_back(index);
                }
            }
        }
        OutputFile output;
        output.Open(outputDirectory + "/floor" + std::to_string(i) + ".csv");
        std::string lines[2], out;
        std::vector<double> values;
        while (readers[0].ReadLine(lines[0])) {
            readers[1].ReadLine(lines[1]);
            values.clear();
            for (int person = 0; person < 2; ++person) {
                SplitFields(StripCarriageReturn(lines[person]), separators[person], fields);
                for (int index : bound[person]) {
                    values.push_back(
                        index < static_cast<int>(fields.size()) ? ReadNumber(fields[index]) : 0.0);
                }
            }
            out.clear();
            AppendGeneral(out, values[0], ".");
            out += ';';
            out += "1";
            for (int v = 0; v < valuesPerLine; ++v) {
                out += ';';
                AppendOutputValue(out, values[v % values.size()], 1, ".");
            }
            checksum += values.back();
            output.WriteLine(out);
        }
        output.Close();
    }
    return checksum == 12345.678 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> minutes;
    std::string data = KIVO_SHARED_DATA_DIR "/cmu";
    bool video = false;
    std::string keep;
    bool scaling = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--minutes" && i + 1 < argc) {
            minutes.push_back(std::atoi(argv[++i]));
        } else if (argument == "--data" && i + 1 < argc) {
            data = argv[++i];
        } else if (argument == "--video") {
            video = true;
        } else if (argument == "--keep" && i + 1 < argc) {
            keep = argv[++i];
        } else if (argument == "--scaling") {
            scaling = true;
        } else {
            std::fprintf(stderr,
                         "usage: bench_run [--minutes M ...] [--data DIR] [--video] [--keep DIR] "
                         "[--scaling]\n");
            return 2;
        }
    }
    if (minutes.empty())
        minutes = {1, 10};
    if (!fs::exists(data + "/cmu18_01.A.txt")) {
        std::fprintf(stderr, "bench_run: no recordings in %s\n", data.c_str());
        return 2;
    }
    const fs::path folder = fs::temp_directory_path() / ("kivo-bench-" + std::to_string(getpid()));
    fs::create_directories(folder / "out");
    fs::create_directories(folder / "floor");

    const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const std::string bindings = data + "/bindings.txt";
    for (int m : minutes) {
        const long frames = static_cast<long>(m) * 60 * 120;
        const std::string a = (folder / "bench.A.txt").string();
        const std::string b = (folder / "bench.B.txt").string();
        bench::TileRecording(data + "/cmu18_01.A.txt", a, "Time", frames);
        bench::TileRecording(data + "/cmu18_01.B.txt", b, "Time", frames);
        Workspace workspace = MakeStudy({a, b}, bindings, (folder / "out").string());
        if (video) {
            const std::string path = (folder / "bench.avi").string();
            MakeVideo(path, m);
            AddVideo(workspace, path);
        }
        const Measurement one = MeasureRun(workspace, 1, false);
        if (!keep.empty()) {
            const fs::path kept = fs::path(keep) / std::to_string(m);
            fs::create_directories(kept);
            for (const auto& entry : fs::directory_iterator(folder / "out"))
                fs::copy_file(entry.path(), kept / entry.path().filename(),
                              fs::copy_options::overwrite_existing);
        }
        fs::remove_all(folder / "one");
        fs::rename(folder / "out", folder / "one");
        fs::create_directories(folder / "out");
        const Measurement piped = MeasureRun(workspace, 1, true);
        bool identical = SameFiles(folder / "one", folder / "out");
        const Measurement all = MeasureRun(workspace, cores, true);
        identical = identical && SameFiles(folder / "one", folder / "out");
        const int valuesPerLine = FieldCount((folder / "out" / "bench.A.csv").string()) - 2;
        const Measurement floor =
            InChild([&] { return Floor(workspace, valuesPerLine, (folder / "floor").string()); });
        const long processed = 2 * frames / (video ? 4 : 1);  // both files are input files once
        std::printf("%d minutes, %ld processed frames (load average %.2f):\n", m, processed,
                    LoadAverage());
        PrintMeasurement("run, one thread", one);
        PrintMeasurement("run, --jobs 1, pipeline", piped);
        const std::string jobs = "run, --jobs " + std::to_string(cores) + ", pipeline";
        PrintMeasurement(jobs.c_str(), all);
        PrintMeasurement("floor", floor);
        std::printf("  one thread: %.0f frames/s, cpu / floor cpu %.2f (target <= 3)\n",
                    processed / one.seconds, one.cpuSeconds / floor.cpuSeconds);
        std::printf("  --jobs 1, pipeline: wall / floor wall %.2f\n",
                    piped.seconds / floor.seconds);
        std::printf("  --jobs %d, pipeline: wall / floor wall %.2f (target <= 1.5), outputs %s\n",
                    cores, all.seconds / floor.seconds,
                    identical ? "identical to one thread" : "DIFFER FROM ONE THREAD");
        std::fflush(stdout);
        if (!identical)
            return 1;
    }
    if (scaling) {
        const long frames = static_cast<long>(minutes.front()) * 60 * 120;
        std::vector<std::string> files;
        for (int dyad = 1; dyad <= 8; ++dyad) {
            for (const char* person : {"A", "B"}) {
                const std::string path =
                    (folder / ("d" + std::to_string(dyad) + "." + person + ".txt")).string();
                bench::TileRecording(data + "/cmu18_01." + person + ".txt", path, "Time",
                                     frames + dyad);
                files.push_back(path);
            }
        }
        const Workspace study = MakeStudy(files, bindings, (folder / "out").string());
        const Measurement one = MeasureRun(study, 1, false);
        const Measurement two = MeasureRun(study, 2, false);
        std::printf("8 dyads of %d minutes (16 files, load average %.2f):\n", minutes.front(),
                    LoadAverage());
        PrintMeasurement("run, --jobs 1", one);
        PrintMeasurement("run, --jobs 2", two);
        std::printf("  --jobs 2 is %.2f times as fast as --jobs 1 (target >= 1.8)\n",
                    one.seconds / two.seconds);
    }
    fs::remove_all(folder);
    return 0;
}
