#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "media/ClipWriter.h"
#include "media/PixelFrame.h"
#include "media/VideoDecoder.h"

namespace kivo::testing {

using Colour = std::array<std::uint8_t, 3>;  // blue, green, red

// A packed 24-bit picture of one colour.
inline PixelFrame SolidFrame(int width, int height, Colour colour) {
    PixelFrame frame{width, height, 3, width * 3, {}};
    frame.pixels.resize(static_cast<std::size_t>(width * 3 * height));
    for (std::size_t i = 0; i < frame.pixels.size(); ++i)
        frame.pixels[i] = colour[i % 3];
    return frame;
}

// `frame` with the columns first..last painted in `colour`.
inline PixelFrame WithColumns(PixelFrame frame, int first, int last, Colour colour) {
    for (int y = 0; y < frame.height; ++y) {
        for (int x = first; x <= last; ++x) {
            for (int c = 0; c < 3; ++c)
                frame.pixels[static_cast<std::size_t>(y * frame.stride + x * 3 + c)] = colour[c];
        }
    }
    return frame;
}

// Writes `frames` as a video at `rate` frames per second with a lossless
// encoder ("ffv1" or "rawvideo"); the container follows the extension.
inline void WriteVideo(const std::string& path, const std::vector<PixelFrame>& frames,
                       int rate = 25, const std::string& encoder = "ffv1") {
    ClipWriter writer;
    ASSERT_TRUE(writer.Open(path, {encoder}, frames.at(0).width, frames.at(0).height, rate, 1))
        << writer.Error();
    for (const PixelFrame& frame : frames)
        ASSERT_TRUE(writer.Write(frame)) << writer.Error();
    ASSERT_TRUE(writer.Close()) << writer.Error();
}

// The number of frames a video file really holds, decoded one by one.
inline long DecodedFrameCount(const std::string& path) {
    VideoDecoder decoder;
    if (!decoder.Open(path))
        return -1;
    long count = 0;
    while (decoder.DecodeNext())
        ++count;
    return count;
}

}  // namespace kivo::testing
