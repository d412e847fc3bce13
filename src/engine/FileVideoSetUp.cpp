#include "engine/FileVideoSetUp.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "core/Numbers.h"
#include "core/Text.h"
#include "engine/OverwriteRule.h"
#include "input/InputFileList.h"
#include "input/ProcessingOptionRules.h"

namespace kivo {
namespace {

constexpr std::string_view kCannotCalculate =
    "\r\n\r\nThe nonverbal parameter 'Pixel Difference' cannot be calculated.";

// A whole number of an options text, rounded half to even; 0 when it is none.
long RoundedOption(std::string_view text, std::string_view symbol) {
    const double value = ReadUserNumber(text, symbol);
    return std::isfinite(value) && std::fabs(value) < 2147483647.0
               ? static_cast<long>(std::nearbyint(value))
               : 0;
}

}  // namespace

int VideoSideCodeOf(std::string_view sideText) {
    if (sideText == kRightSide)
        return kRightHalf;
    if (sideText == kLeftSide)
        return kLeftHalf;
    if (sideText == kBothSides)
        return kWholeWidth;
    return kNoVideoSide;
}

int VideoDataRate(const InputFileRow& row, std::string_view decimalSymbol) {
    const long framesPerSecond = RoundedOption(row[kColFramesPerSec], decimalSymbol);
    const long useEvery = RoundedOption(row[kColUseEvery], decimalSymbol);
    if (useEvery == 0)
        return 0;
    return static_cast<int>(
        std::nearbyint(static_cast<double>(framesPerSecond) / static_cast<double>(useEvery)));
}

RunClips::RunClips(UserPrompt& prompt, ClipCodecChooser chooser, bool& overwriteAll)
    : prompt_(prompt), chooser_(std::move(chooser)), overwriteAll_(overwriteAll) {}

std::optional<ClipCodecChoice> RunClips::ChooseClipCodec(const ClipCodecRequest& request) {
    for (const auto& [container, choice] : choices_) {
        if (container == request.container)
            return choice;
    }
    if (!chooser_)
        return std::nullopt;
    std::optional<ClipCodecChoice> choice = chooser_(request);
    if (choice)
        choices_.emplace_back(request.container, *choice);
    return choice;
}

bool RunClips::MayWriteClip(const std::string& clipPath) {
    return MayReplaceFile(clipPath, overwriteAll_, prompt_);
}

void RunClips::ClipFailed(const std::string& clipPath, const std::string& reason) {
    prompt_.Tell(PromptId::ClipNotWritten,
                 ReplaceAll(ReplaceAll("The video clip '@' could not be written: #.\r\n\r\nNo "
                                       "further clips are written for this video.",
                                       "@", clipPath),
                            "#", reason),
                 PromptIcon::Exclamation);
}

void RunClips::ClipWritten(const std::string& clipPath) {
    // The files of a dyad share their video, and so the names of its clips.
    if (std::find(written_.begin(), written_.end(), clipPath) == written_.end())
        written_.push_back(clipPath);
}

FileVideoSetUp OpenFileVideo(const InputFileRow& row, ClipPolicy* clips,
                             std::string_view decimalSymbol, UserPrompt& prompt) {
    FileVideoSetUp setUp;
    const std::string& path = row[kColVideoClipFile];
    auto video = std::make_unique<FileVideo>();
    const int dataRate = VideoDataRate(row, decimalSymbol);
    std::string text;
    PromptId id = PromptId::VideoNotOpened;
    switch (
        video->Frames().OpenVideo(path, VideoSideCodeOf(row[kColVideoClipSide]), clips, dataRate)) {
        case VideoOpenResult::Opened:
            setUp.video = std::move(video);
            return setUp;
        case VideoOpenResult::NotOpened:
            text = ReplaceAll("The video file '@' could not be opened.", "@", path);
            break;
        case VideoOpenResult::TooSlow:
            id = PromptId::VideoTooSlow;
            text = ReplaceAll(
                ReplaceAll(ReplaceAll("The video file '@' has # frames per second, "
                                      "fewer than the * processed data frames per "
                                      "second of its input file.",
                                      "@", path),
                           "#", FormatGeneral(video->Frames().Info().FrameRate(), decimalSymbol)),
                "*", std::to_string(dataRate));
            break;
    }
    setUp.endRun = prompt.Ask(id, text + std::string(kCannotCalculate), PromptButtons::OkCancel,
                              PromptIcon::Exclamation) != PromptAnswer::Ok;
    return setUp;
}

}  // namespace kivo
