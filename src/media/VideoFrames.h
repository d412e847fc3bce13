#pragma once

#include <optional>
#include <string>

#include "media/ClipCodec.h"
#include "media/ClipWriter.h"
#include "media/PixelFrame.h"
#include "media/VideoDecoder.h"

namespace kivo {

// Part of the picture the frame comparison covers.
enum VideoSideCode : int {
    kNoVideoSide = 0,
    kRightHalf = 1,
    kLeftHalf = 2,
    kWholeWidth = 3,
};

// What clip writing asks of the run that reads the video.
class ClipPolicy {
  public:
    virtual ~ClipPolicy() = default;
    // The encoder for the clips of a container; nothing to write no clips.
    virtual std::optional<ClipCodecChoice> ChooseClipCodec(const ClipCodecRequest& request) = 0;
    // Whether the clip file may be written (an existing file is replaced).
    virtual bool MayWriteClip(const std::string& clipPath) = 0;
    // A clip could not be written; no further clips are written for the video.
    virtual void ClipFailed(const std::string& clipPath, const std::string& reason) = 0;
    // A clip is complete.
    virtual void ClipWritten(const std::string& clipPath) = 0;
};

enum class VideoOpenResult {
    Opened,
    NotOpened,  // no side, or the file has no readable video stream
    TooSlow,    // fewer video frames than processed data frames per second
};

// The frames of the video recorded with one input file, taken in step with
// its processed data frames: every processed frame advances the video by
// `Step()` frames (video rate / data rate, rounded half to even). The last
// two frames taken are kept for the comparison. With a clip policy, the
// frames that pass are also written as clips, a new clip whenever the clip
// suffix changes, named like the video with the suffix before its extension.
class VideoFrames {
  public:
    VideoOpenResult OpenVideo(const std::string& path, int side, ClipPolicy* clips, int dataRate);
    // The first frame of the video; false when there is none.
    bool GetFirstFrame(const std::string& clipSuffix);
    // The frame of the next processed data frame; false from the end of the
    // video on (the last frame of a video is never taken).
    bool GetNextFrame(const std::string& clipSuffix);
    // Share of changed pixels between the last two frames taken, in percent
    // of the whole picture; -1 for pixels it cannot compare.
    double GetPixelDifference() const;
    void CloseVideo();

    long FrameCount() const { return frameCount_; }
    long Step() const { return step_; }
    const VideoInfo& Info() const { return decoder_.Info(); }
    const std::string& Error() const { return error_; }

  private:
    bool DecodeAt(long position, int buffer);
    bool IsPastEnd(long position) const { return position >= frameCount_ - 1; }
    bool StartClip(const std::string& clipSuffix);
    void WriteClipFrame(const PixelFrame& frame);
    void FinishClip();
    void StopClips(const std::string& clipPath, const std::string& reason);

    VideoDecoder decoder_;
    std::string error_;
    long frameCount_ = 0;
    long position_ = 0;
    long step_ = 0;
    int side_ = kNoVideoSide;
    int firstColumn_ = 0;
    int lastColumn_ = -1;
    PixelFrame frames_[2];
    int newest_ = 0;
    long heldIndex_[2] = {-1, -1};  // video frame index in each buffer

    ClipPolicy* clips_ = nullptr;  // nothing: no clips
    std::string clipBase_, clipExtension_, clipSuffix_;
    std::optional<ClipCodecChoice> clipCodec_;
    ClipWriter clip_;
};

}  // namespace kivo
