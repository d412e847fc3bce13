#pragma once

#include <memory>
#include <string_view>

#include "core/UserPrompt.h"
#include "core/Workspace.h"
#include "media/ClipCodec.h"
#include "media/PixelDifference.h"

namespace kivo {

// Side code of a "Video Clip Side" text: "Right Side" 1, "Left Side" 2,
// "Both Sides" 3, anything else 0 (no video).
int VideoSideCodeOf(std::string_view sideText);

// Processed data frames per second of a file: its "Frames/Sec" and "Use
// Every" each rounded half to even to a whole number, and their quotient
// rounded the same way (0 when it cannot be formed).
int VideoDataRate(const InputFileRow& row, std::string_view decimalSymbol);

// The clips of a run: the encoder chosen once per container, and clip files
// replaced only under the run's overwrite rule (the question is the run's
// own, and a Yes holds for the rest of the run).
class RunClips : public ClipPolicy {
  public:
    RunClips(UserPrompt& prompt, ClipCodecChooser chooser, bool& overwriteAll);

    std::optional<ClipCodecChoice> ChooseClipCodec(const ClipCodecRequest& request) override;
    bool MayWriteClip(const std::string& clipPath) override;
    void ClipFailed(const std::string& clipPath, const std::string& reason) override;
    void ClipWritten(const std::string& clipPath) override;

    const std::vector<std::string>& ClipsWritten() const { return written_; }

  private:
    UserPrompt& prompt_;
    ClipCodecChooser chooser_;
    bool& overwriteAll_;
    std::vector<std::pair<std::string, ClipCodecChoice>> choices_;  // per container
    std::vector<std::string> written_;
};

struct FileVideoSetUp {
    bool endRun = false;               // Cancel at the message
    std::unique_ptr<FileVideo> video;  // nothing: the file goes on without a video
};

// Opens the video of an input file for its Pixel Difference rows (`clips`:
// write clips, nothing: none). A video that cannot be opened or is slower
// than the processed data is reported; OK goes on without it. Numbers of the
// row and of the message use the user's `decimalSymbol`.
FileVideoSetUp OpenFileVideo(const InputFileRow& row, ClipPolicy* clips,
                             std::string_view decimalSymbol, UserPrompt& prompt);

}  // namespace kivo
