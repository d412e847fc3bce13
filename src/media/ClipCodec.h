#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kivo {

// A video encoder that can write clips into a container.
struct ClipEncoder {
    std::string name;         // as FFmpeg names it, such as "ffv1"
    std::string description;  // its long name
};

// What the user chooses for the clips of a container: the encoder, the
// distance of key frames (0: the encoder's default, 1: every frame) and the
// data rate in bits per second (0: the encoder's default).
struct ClipCodecChoice {
    std::string encoder;
    int keyFrameInterval = 0;
    long bitRate = 0;
};

// The question put to the front end before the first clip of a container.
struct ClipCodecRequest {
    std::string clipPath;               // the first clip to be written
    std::string container;              // FFmpeg's name of the container, such as "avi"
    std::vector<ClipEncoder> encoders;  // what this FFmpeg can write into it
};

// The front end's answer: a choice, or nothing to write no clips.
using ClipCodecChooser = std::function<std::optional<ClipCodecChoice>(const ClipCodecRequest&)>;

// The container a clip file is written in: the one its extension names,
// AVI when the extension names none.
std::string ClipContainerOf(const std::string& clipPath);

// The video encoders that FFmpeg offers for `container`, uncompressed video
// first; encoders that need special hardware or are experimental are left out.
std::vector<ClipEncoder> ClipEncodersFor(const std::string& container);

}  // namespace kivo
