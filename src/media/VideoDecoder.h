#pragma once

#include <memory>
#include <string>

#include "media/PixelFrame.h"

namespace kivo {

// What a video file holds, as far as the frame comparison needs it.
struct VideoInfo {
    std::string container;  // FFmpeg's name of the format, such as "avi"
    std::string codec;      // the decoder's name
    int rateNumerator = 0;  // frames per second as a fraction
    int rateDenominator = 1;
    long frameCount = 0;
    int width = 0;
    int height = 0;

    double FrameRate() const {
        return rateDenominator == 0 ? 0.0 : static_cast<double>(rateNumerator) / rateDenominator;
    }
};

// Reads the frames of a file's first video stream one after the other (it
// never goes back) and gives them as packed 24-bit pixels (blue, green, red)
// at the size of the first frame, converted the same way on every machine.
class VideoDecoder {
  public:
    VideoDecoder();
    ~VideoDecoder();
    VideoDecoder(const VideoDecoder&) = delete;
    VideoDecoder& operator=(const VideoDecoder&) = delete;

    // False when the file cannot be read or has no video stream that can be
    // decoded; `Error()` then says why.
    bool Open(const std::string& path);
    void Close();
    const VideoInfo& Info() const;
    const std::string& Error() const;

    // Index of the frame the next DecodeNext() gives (0 after Open).
    long NextIndex() const;
    // Decodes the next frame; false at the end of the stream or when a frame
    // cannot be decoded (no later frame is given then).
    bool DecodeNext();
    // The frame DecodeNext() gave last, converted into `frame`.
    bool ConvertLast(PixelFrame& frame);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace kivo
