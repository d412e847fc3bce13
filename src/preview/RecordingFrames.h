#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "params/ParameterListCompilation.h"
#include "preview/BodyFrame.h"

namespace kivo {

// Random access to the frames of one data file: the file is indexed once
// (where each data line starts and its time), and a frame is read from the
// file when it is asked for, so memory does not grow with the pose data.
class RecordingFrames {
  public:
    // Opens the data file `path` whose format line begins with `timeLabel`
    // and finds the fields of the input variables bound in `bindings`
    // (variables with some of their six fields missing keep those they have).
    // Throws FileError naming the file when it cannot be read or has no such
    // format line.
    RecordingFrames(const std::string& path, std::string_view timeLabel,
                    const DataFieldBindings& bindings);

    std::size_t FrameCount() const { return offsets_.size(); }
    double TimeOf(std::size_t frame) const { return times_.at(frame); }
    // The last frame whose time is not after `time` (the first frame for an
    // earlier time).
    std::size_t FrameAt(double time) const;
    // Reads frame `frame` (0-based) from the file.
    BodyFrame Frame(std::size_t frame);

    // Up to `maximum` frames spread evenly over the recording, the first and
    // the last among them.
    std::vector<BodyFrame> SampleFrames(std::size_t maximum);

    const std::string& Path() const { return path_; }

  private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::string path_;
    char separator_ = ';';
    // Data-field index of each slot of each input variable; 0 = not found.
    std::array<std::array<int, kPoseSlots>, kInputVariableCount> fieldIndex_{};
    std::vector<std::uint64_t> offsets_;
    std::vector<double> times_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::string line_;
    std::vector<std::string_view> fields_;
};

}  // namespace kivo
