#include "media/VideoFrames.h"

#include <cmath>
#include <filesystem>

namespace kivo {

VideoOpenResult VideoFrames::OpenVideo(const std::string& path, int side, ClipPolicy* clips,
                                       int dataRate) {
    CloseVideo();
    if (side != kRightHalf && side != kLeftHalf && side != kWholeWidth) {
        error_ = "no side of the picture is chosen";
        return VideoOpenResult::NotOpened;
    }
    if (!decoder_.Open(path)) {
        error_ = decoder_.Error();
        return VideoOpenResult::NotOpened;
    }
    if (decoder_.Info().frameCount < 1) {
        error_ = "the video has no frames";
        decoder_.Close();
        return VideoOpenResult::NotOpened;
    }
    // Video frames that pass during one processed data frame; a video slower
    // than the data cannot follow it.
    const double step = dataRate < 1 ? 0.0 : std::nearbyint(decoder_.Info().FrameRate() / dataRate);
    if (!(step >= 1.0)) {
        error_ = "the video is slower than the processed data";
        return VideoOpenResult::TooSlow;
    }
    side_ = side;
    step_ = static_cast<long>(step);
    frameCount_ = decoder_.Info().frameCount;
    position_ = 0;
    clips_ = clips;
    if (clips_ != nullptr) {
        // The clips take the video's name and extension; a name without
        // extension gets AVI clips.
        const std::filesystem::path video(path);
        clipExtension_ = video.has_extension() ? video.extension().string() : ".avi";
        clipBase_ = (video.parent_path() / video.stem()).string();
    }
    return VideoOpenResult::Opened;
}

bool VideoFrames::GetFirstFrame(const std::string& clipSuffix) {
    if (frameCount_ == 0 || IsPastEnd(position_) || !DecodeAt(position_, 0))
        return false;
    newest_ = 0;
    const int width = frames_[0].width;
    switch (side_) {
        case kRightHalf:
            firstColumn_ = static_cast<int>(std::nearbyint(width / 2.0));
            lastColumn_ = width - 1;
            break;
        case kLeftHalf:
            firstColumn_ = 0;
            lastColumn_ = static_cast<int>(std::nearbyint(width / 2.0 - 1.0));
            break;
        default:
            firstColumn_ = 0;
            lastColumn_ = width - 1;
            break;
    }
    if (clips_ == nullptr)
        return true;  // the next frame taken is this one again

    clipSuffix_ = clipSuffix;
    if (!StartClip(clipSuffix))
        return true;
    WriteClipFrame(frames_[0]);
    for (long position = 1; position < step_ && position < frameCount_; ++position) {
        if (!DecodeAt(position, 1))
            break;
        WriteClipFrame(frames_[1]);
    }
    position_ = step_;
    return true;
}

bool VideoFrames::GetNextFrame(const std::string& clipSuffix) {
    if (frameCount_ == 0 || IsPastEnd(position_))
        return false;
    if (clips_ != nullptr && clipSuffix != clipSuffix_) {
        FinishClip();
        clipSuffix_ = clipSuffix;
        StartClip(clipSuffix);
    }
    const int older = 1 - newest_;
    if (!DecodeAt(position_, older))
        return false;
    if (clips_ != nullptr && clip_.IsOpen()) {
        // Every frame passed is written; the last of them is taken.
        const long end = position_ + step_;
        WriteClipFrame(frames_[older]);
        for (++position_; position_ < end && position_ < frameCount_; ++position_) {
            if (!DecodeAt(position_, older))
                break;
            WriteClipFrame(frames_[older]);
        }
    } else {
        position_ += step_;
    }
    newest_ = older;
    return true;
}

double VideoFrames::GetPixelDifference() const {
    return ::kivo::GetPixelDifference(frames_[0], frames_[1], firstColumn_, lastColumn_);
}

void VideoFrames::CloseVideo() {
    FinishClip();
    decoder_.Close();
    error_.clear();
    frameCount_ = position_ = step_ = 0;
    side_ = kNoVideoSide;
    heldIndex_[0] = heldIndex_[1] = -1;
    clips_ = nullptr;
    clipSuffix_.clear();
    clipCodec_.reset();
}

// Decodes the video frame at `position` into buffer `buffer`. The decoder
// only goes forward, so a frame taken before is copied from where it is kept.
bool VideoFrames::DecodeAt(long position, int buffer) {
    if (heldIndex_[buffer] == position)
        return true;
    const int other = 1 - buffer;
    if (heldIndex_[other] == position) {
        frames_[buffer] = frames_[other];
        heldIndex_[buffer] = position;
        return true;
    }
    if (position < decoder_.NextIndex())
        return false;
    heldIndex_[buffer] = -1;
    while (decoder_.NextIndex() <= position) {
        if (!decoder_.DecodeNext())
            return false;
    }
    if (!decoder_.ConvertLast(frames_[buffer]))
        return false;
    heldIndex_[buffer] = position;
    return true;
}

bool VideoFrames::StartClip(const std::string& clipSuffix) {
    if (clips_ == nullptr)
        return false;
    const std::string path = clipBase_ + clipSuffix + clipExtension_;
    if (!clips_->MayWriteClip(path)) {
        clips_ = nullptr;
        return false;
    }
    if (!clipCodec_) {
        const std::string container = ClipContainerOf(path);
        clipCodec_ = clips_->ChooseClipCodec({path, container, ClipEncodersFor(container)});
        if (!clipCodec_) {
            clips_ = nullptr;
            return false;
        }
    }
    const VideoInfo& info = decoder_.Info();
    if (!clip_.Open(path, *clipCodec_, frames_[newest_].width, frames_[newest_].height,
                    info.rateNumerator, info.rateDenominator)) {
        StopClips(path, clip_.Error());
        return false;
    }
    return true;
}

void VideoFrames::WriteClipFrame(const PixelFrame& frame) {
    if (clips_ != nullptr && clip_.IsOpen() && !clip_.Write(frame)) {
        const std::string path = clip_.Path(), reason = clip_.Error();
        clip_.Abandon();
        StopClips(path, reason);
    }
}

void VideoFrames::FinishClip() {
    if (!clip_.IsOpen())
        return;
    const std::string path = clip_.Path();
    if (!clip_.Close())
        StopClips(path, clip_.Error());
    else if (clips_ != nullptr)
        clips_->ClipWritten(path);
}

void VideoFrames::StopClips(const std::string& clipPath, const std::string& reason) {
    if (clips_ != nullptr)
        clips_->ClipFailed(clipPath, reason);
    clips_ = nullptr;
}

}  // namespace kivo
