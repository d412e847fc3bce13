#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "cli/Commands.h"
#include "cli/ConsolePrompt.h"
#include "cli/StudyFile.h"
#include "core/Workspace.h"
#include "input/InputFileList.h"
#include "input/ProcessingOptionRules.h"
#include "media/VideoFrames.h"

namespace kivo::cli {
namespace {

namespace fs = std::filesystem;

struct VideoOptions {
    std::string settingsFile;
    std::string dataFile;
    std::string videoFile;
    std::string side;
};

std::optional<VideoSide> SideOf(const std::string& text) {
    if (text == "left")
        return VideoSide::Left;
    if (text == "right")
        return VideoSide::Right;
    if (text == "both")
        return VideoSide::Both;
    return std::nullopt;
}

void PrintVideo(const InputFileRow& row) {
    std::printf("  %s: %s, %s\n", row[kColFileName].c_str(), row[kColVideoClipFile].c_str(),
                row[kColVideoClipSide].c_str());
}

int RunVideo(const VideoOptions& options) {
    const std::string videoPath = fs::absolute(options.videoFile).lexically_normal().string();
    VideoDecoder decoder;
    if (!decoder.Open(videoPath)) {
        std::fprintf(stderr, "kivo video: %s is no video that can be read: %s\n", videoPath.c_str(),
                     decoder.Error().c_str());
        return 1;
    }
    decoder.Close();
    Workspace workspace;
    if (!LoadStudyForChange(options.settingsFile, workspace, "video"))
        return 1;
    const std::string name = fs::path(options.dataFile).filename().string();
    const std::optional<std::size_t> file = workspace.FindInputFile(name);
    if (!file) {
        std::fprintf(stderr, "kivo video: %s has no input file %s; its input files are:\n",
                     options.settingsFile.c_str(), name.c_str());
        for (const InputFileRow& row : workspace.inputFiles)
            std::fprintf(stderr, "  %s\n", row[kColFileName].c_str());
        return 1;
    }
    ConsolePrompt prompt(stderr);
    if (!AssignVideoFile(workspace, file, videoPath, prompt))
        return 1;
    const std::optional<std::size_t> partner =
        workspace.FindInputFile(GetPartnerFileName(workspace.inputFiles[*file][kColFileName]));
    if (const std::optional<VideoSide> side = SideOf(options.side)) {
        VideoSideClick(workspace, file, *side, prompt);
        if (partner) {
            const std::string& chosen = workspace.inputFiles[*file][kColVideoClipSide];
            workspace.inputFiles[*partner][kColVideoClipSide] =
                std::string(OppositeVideoSide(chosen));
        }
    }
    if (!SaveStudy(workspace, options.settingsFile, "video"))
        return 1;
    std::printf("Video clip files in %s:\n", options.settingsFile.c_str());
    PrintVideo(workspace.inputFiles[*file]);
    if (partner)
        PrintVideo(workspace.inputFiles[*partner]);
    return 0;
}

struct CheckVideoOptions {
    std::string videoFile;
    int dataRate = 0;
};

int RunCheckVideo(const CheckVideoOptions& options) {
    VideoFrames video;
    const VideoOpenResult result = video.OpenVideo(options.videoFile, kWholeWidth, nullptr,
                                                   options.dataRate > 0 ? options.dataRate : 1);
    if (result == VideoOpenResult::NotOpened) {
        std::fprintf(stderr, "kivo check-video: %s cannot be opened: %s\n",
                     options.videoFile.c_str(), video.Error().c_str());
        return 1;
    }
    const VideoInfo& info = video.Info();
    std::printf(
        "%s\n  container %s, codec %s\n  %d x %d pixels\n  %g frames per second (%d/%d)\n"
        "  %ld frames\n",
        options.videoFile.c_str(), info.container.c_str(), info.codec.c_str(), info.width,
        info.height, info.FrameRate(), info.rateNumerator, info.rateDenominator, info.frameCount);
    if (options.dataRate < 1)
        return 0;
    if (result == VideoOpenResult::TooSlow) {
        std::printf(
            "  Pixel Difference cannot use it for %d processed data frames per second: "
            "the video is slower\n",
            options.dataRate);
        return 1;
    }
    std::printf("  at %d processed data frames per second: %ld video frames per data frame\n",
                options.dataRate, video.Step());
    if (info.frameCount < 2) {
        std::printf("  Pixel Difference cannot use it: it has fewer than two frames\n");
        return 1;
    }
    std::printf("  Pixel Difference can use it for %ld processed data frames\n",
                (info.frameCount - 2) / video.Step() + 2);
    return 0;
}

}  // namespace

void RegisterVideoCommands(CLI::App& app, CommandRegistry& registry) {
    auto options = std::make_shared<VideoOptions>();
    auto* video = app.add_subcommand(
        "video", "Assign a video to an input file of a settings file (and to its partner)");
    video->add_option("settings", options->settingsFile, "Settings file (.set)")->required();
    video->add_option("datafile", options->dataFile, "Input file of the settings file")->required();
    video->add_option("video", options->videoFile, "Video file (any format FFmpeg reads)")
        ->required();
    video
        ->add_option("--side", options->side,
                     "Part of the picture Pixel Difference compares (default: from the data "
                     "file's name; the partner gets the other half)")
        ->check(CLI::IsMember({"left", "right", "both"}));
    video->footer("Example: kivo video study.set s01.A.txt s01.mkv --side left");
    video->callback(
        [options, &registry] { registry.SetAction([options] { return RunVideo(*options); }); });

    auto checkOptions = std::make_shared<CheckVideoOptions>();
    auto* check = app.add_subcommand(
        "check-video", "Open a video as a run would and tell whether Pixel Difference can use it");
    check->add_option("video", checkOptions->videoFile, "Video file")->required();
    check
        ->add_option("--data-rate", checkOptions->dataRate,
                     "Processed data frames per second (Frames/Sec / Use Every)")
        ->check(CLI::PositiveNumber);
    check->footer("Example: kivo check-video s01.mkv --data-rate 30");
    check->callback([checkOptions, &registry] {
        registry.SetAction([checkOptions] { return RunCheckVideo(*checkOptions); });
    });
}

}  // namespace kivo::cli
