#pragma once

#include <string>

#include "core/ParameterRecord.h"
#include "media/VideoFrames.h"

namespace kivo {

// The video of one input file as the Pixel Difference rows read it: the
// video advances once per processed data frame, however many rows read it.
class FileVideo {
  public:
    VideoFrames& Frames() { return frames_; }

    // Status (0 or 4) and value of processed frame `frameNumber` (1-based).
    [[nodiscard]] int Measure(long frameNumber, bool firstFrame, const std::string& clipSuffix,
                              double& value);

  private:
    VideoFrames frames_;
    long measuredFrame_ = 0;
    int status_ = 0;
    double value_ = 0.0;
};

// Pixel Difference for person A: the share of changed pixels between the
// video frames of this and the previous processed frame (0 on the first
// frame of a file). A data error without a video, after its end, or for
// pixels that cannot be compared.
[[nodiscard]] int CalculatePixelDifference(ParameterRecord& record, bool firstFrame,
                                           FileVideo* video, long frameNumber,
                                           const std::string& clipSuffix);

}  // namespace kivo
