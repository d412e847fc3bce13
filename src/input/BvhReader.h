#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "input/TextLineReader.h"

namespace kivo {

// The channels a BVH joint may list, in any order.
enum class BvhChannel : std::uint8_t {
    Xposition,
    Yposition,
    Zposition,
    Xrotation,
    Yrotation,
    Zrotation
};

struct BvhJoint {
    std::string name;
    int parent = -1;  // index of the parent joint, -1 for a root
    std::array<double, 3> offset{};
    std::vector<BvhChannel> channels;  // 3 or 6
    std::size_t firstValue = 0;        // index of its first channel in a frame's values
    long line = 0;                     // the line that declares the joint
};

// The skeleton and the motion header of a BVH file. End sites are not joints.
struct BvhHierarchy {
    std::vector<BvhJoint> joints;  // parents before their children
    std::size_t channelCount = 0;
    long frameCount = 0;
    double frameTime = 0.0;  // seconds
    long framesLine = 0;     // the line of "Frames:"
    long frameTimeLine = 0;  // the line of "Frame Time:"
};

// Reads a BVH file: first the HIERARCHY and the MOTION header, then the frames
// one line at a time. Every fault of the file throws FileError naming the
// file, the line and what is wrong: a hierarchy that does not follow the
// grammar, channel counts other than 3 or 6, more than kMaxJoints joints, a
// frame time that is not above 0 or too large to time every frame, a frame line with too few or too
// many values or a value that is not a number, fewer or more frame lines than "Frames:" announces.
class BvhReader {
  public:
    static constexpr std::size_t kMaxJoints = 1000;

    // Opens the file and reads everything up to the first frame.
    void Open(const std::string& path);

    const BvhHierarchy& Hierarchy() const { return hierarchy_; }

    // Reads the next frame's channel values; false after the last frame
    // (the end of the file is checked then).
    bool ReadFrame(std::vector<double>& values);

    // Number of frames read so far.
    long FramesRead() const { return framesRead_; }

  private:
    struct Token {
        std::string_view text;  // empty at the end of the file
        long line = 0;
    };

    bool NextLine();
    Token Next();
    Token Expect(std::string_view word);
    [[noreturn]] void Fail(long line, std::string_view field, const std::string& what) const;
    double Number(const Token& token, std::string_view field) const;
    long Count(const Token& token, std::string_view field) const;
    std::string RestOfLine();
    void ReadHierarchy();
    void ReadChannels(BvhJoint& joint, long line);
    void ReadMotionHeader();

    TextLineReader reader_;
    std::string path_;
    std::string line_;
    std::vector<std::string_view> tokens_;
    std::size_t nextToken_ = 0;
    BvhHierarchy hierarchy_;
    long framesRead_ = 0;
};

}  // namespace kivo
