// The window's thread during a long run: a dyad of M minutes (default 10) is
// run from the window, on its worker thread, while a timer of 5 ms on the
// window's thread records the longest gap between two of its ticks.
//
//   bench_window [--minutes M] [--data DIR]
//
// The dyad is the CMU recording repeated in time, as for bench_run. Time in
// which the system kept the window's thread waiting for a processor is the
// machine's, not the window's: the gap is shown with and without it. The
// program fails when the window's own longest gap exceeds 100 ms. The window
// is drawn offscreen unless QT_QPA_PLATFORM names another platform.

#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchStudy.h"
#include "RecordingTiler.h"
#include "ui/MainWindow.h"

namespace fs = std::filesystem;
using namespace kivo;

namespace {

constexpr qint64 kLongestAllowedGapMs = 100;

// Milliseconds the calling thread has waited for a processor while runnable
// (0 where the system does not tell).
qint64 RunQueueWaitMs() {
    QFile file("/proc/thread-self/schedstat");
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = file.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() / 1000000 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int minutes = 10;
    std::string data = KIVO_SHARED_DATA_DIR "/cmu";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--minutes" && i + 1 < argc) {
            minutes = std::atoi(argv[++i]);
        } else if (argument == "--data" && i + 1 < argc) {
            data = argv[++i];
        } else {
            std::fprintf(stderr, "usage: bench_window [--minutes M] [--data DIR]\n");
            return 2;
        }
    }
    if (!fs::exists(data + "/cmu18_01.A.txt")) {
        std::fprintf(stderr, "bench_window: no recordings in %s\n", data.c_str());
        return 2;
    }
    const fs::path folder =
        fs::temp_directory_path() / ("kivo-bench-window-" + std::to_string(getpid()));
    fs::create_directories(folder / "out");
    const long frames = static_cast<long>(minutes) * 60 * 120;
    const std::string a = (folder / "bench.A.txt").string();
    const std::string b = (folder / "bench.B.txt").string();
    bench::TileRecording(data + "/cmu18_01.A.txt", a, "Time", frames);
    bench::TileRecording(data + "/cmu18_01.B.txt", b, "Time", frames);

    ui::StudyDocument document(".", (folder / "settings.sqlite").string());
    document.workspace() =
        bench::MakeStudy({a, b}, data + "/bindings.txt", (folder / "out").string());
    ui::MainWindow window(document);
    window.Prompt().SetResponder([](const PromptMessage& message) {
        if (message.id == PromptId::SaveSettingsAtExit)
            return PromptAnswer::No;
        return message.buttons == PromptButtons::Ok || message.buttons == PromptButtons::OkCancel
                   ? PromptAnswer::Ok
                   : PromptAnswer::Yes;
    });
    window.show();
    document.Changed(ui::StudyDocument::Everything);

    QElapsedTimer clock;
    qint64 last = 0, lastWait = 0, longestGap = 0, longestOwnGap = 0, ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        const qint64 wait = RunQueueWaitMs();
        longestGap = std::max(longestGap, now - last);
        longestOwnGap = std::max(longestOwnGap, now - last - (wait - lastWait));
        last = now;
        lastWait = wait;
        ++ticks;
    });
    QObject::connect(&window.Run(), &ui::RunController::started, [&] {
        clock.start();
        lastWait = RunQueueWaitMs();
        ticker.start(5);
    });
    QObject::connect(&window.Run(), &ui::RunController::finished, [&] {
        ticker.stop();
        QApplication::quit();
    });
    QTimer::singleShot(0, [&] { window.findChild<QAbstractButton*>("cmdCalculateData")->click(); });
    QApplication::exec();

    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
    const bool completed = window.Run().LastSummary().completed;
    std::printf("%8s %10s %10s %8s %16s %18s\n", "minutes", "frames", "run [s]", "ticks",
                "longest gap [ms]", "incl. waiting [ms]");
    std::printf("%8d %10ld %10.2f %8lld %16lld %18lld\n", minutes, 2 * frames, seconds,
                static_cast<long long>(ticks), static_cast<long long>(longestOwnGap),
                static_cast<long long>(longestGap));
    fs::remove_all(folder);
    if (!completed) {
        std::fprintf(stderr, "bench_window: the run did not complete\n");
        return 1;
    }
    return longestOwnGap <= kLongestAllowedGapMs ? 0 : 1;
}
