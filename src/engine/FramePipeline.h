#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/BlockChannel.h"
#include "engine/OutputItems.h"
#include "engine/OutputTape.h"
#include "input/BodyDataReader.h"
#include "input/TextLineReader.h"

namespace kivo {

// What reading one frame's data line gave for one person.
struct FrameLineFacts {
    double time = 0.0;
    long lineNumber = 0;
    int missingFields = 0;
    int nonNumbers = 0;
    int firstNonNumber = -1;
    std::string firstNonNumberText;
};

struct FrameFacts {
    FrameLineFacts persons[2];    // the input file's line, the partner's
    bool partnerEnded = false;    // the partner file had no line for this frame
    std::uint64_t bytesRead = 0;  // of the input file, with the lines skipped after the frame
};

// Frames read and converted ahead of the calculation, in file order.
struct FrameBlock {
    int frames = 0;
    std::vector<FrameFacts> facts;
    // Per frame: the converted fields of the input file's line, then the
    // partner's (see ApplyDataLineValues).
    std::vector<double> values;
    std::vector<std::uint8_t> present;
    std::size_t stride = 0;
    std::size_t partnerOffset = 0;
    // Per frame: the time and frame items that start its output line.
    std::string prefixes;
    std::vector<std::size_t> prefixEnds;
    bool last = false;  // the input file has no frame after these
    // Reading stopped after the block's frames with this failure; when
    // `failedInSkippedLines`, while passing over the lines that follow the
    // last frame (before that frame's progress report).
    std::exception_ptr failure;
    bool failedInSkippedLines = false;

    const double* Values(int frame, int person) const {
        return values.data() + Offset(frame, person);
    }
    const std::uint8_t* Present(int frame, int person) const {
        return present.data() + Offset(frame, person);
    }
    std::string_view Prefix(int frame) const {
        const std::size_t begin = frame == 0 ? 0 : prefixEnds[frame - 1];
        return std::string_view(prefixes).substr(begin, prefixEnds[frame] - begin);
    }

  private:
    std::size_t Offset(int frame, int person) const {
        return static_cast<std::size_t>(frame) * stride + (person == 2 ? partnerOffset : 0);
    }
};

// How a file's frames are read: the open data files (the partner's may be
// null), their separators, the fields each person reads (FieldsReadByPerson)
// and how the start of each output line is written.
struct FrameSourceSetUp {
    TextLineReader* input = nullptr;
    TextLineReader* partner = nullptr;
    char inputSeparator = ';';
    char partnerSeparator = ';';
    std::vector<int> fields[2];
    int useEvery = 1;  // every n-th frame line is processed
    char outputSeparator = ';';
    std::string decimalSymbol = ".";
};

// Reads and converts the frames of one file, block by block.
class FrameSource {
  public:
    explicit FrameSource(FrameSourceSetUp setUp) : setUp_(std::move(setUp)) {}
    // Reads up to `capacity` frames into `block`. Never throws: a failure
    // ends the block (FrameBlock::failure).
    void Fill(FrameBlock& block, int capacity);

  private:
    void ReadFrame(FrameBlock& block, bool& skipping);

    FrameSourceSetUp setUp_;
    BodyDataReader converters_[2];
    std::string line_, partnerLine_, skipLine_;
};

// The stages of one file's run: reading and converting the frames,
// computing them (the caller's thread, in frame order), and formatting and
// writing the output lines. With `threaded`, reading and writing each run on
// a thread of their own, a few blocks ahead of or behind the calculation;
// otherwise every stage runs in turn on the caller's thread, one frame at a
// time. The outputs are the same either way.
class FramePipeline {
  public:
    static constexpr int kFramesPerBlock = 128;
    static constexpr int kLinesPerTape = 128;
    static constexpr std::size_t kBlocksInFlight = 4;

    FramePipeline(FrameSourceSetUp source, const OutputFormat& format, TapeTarget& target,
                  bool threaded);
    // Stops the stages that still run and waits for them.
    ~FramePipeline();
    FramePipeline(const FramePipeline&) = delete;
    FramePipeline& operator=(const FramePipeline&) = delete;

    // The next frames; the block is valid until the next call. A block that
    // is `last` or holds a failure is the final one.
    const FrameBlock& NextFrames();

    // Where the calculation leaves its output lines.
    OutputTape& Tape() { return *tape_; }
    // Call after each data line: hands the tape on when it is full.
    void LineEnded();
    // Hands the tape on and waits until every line on it is written.
    void Drain();
    // The same, then rethrows a failure of the writing.
    void Sync();
    // Sync, and ends the writing. True when no written value overflowed.
    bool Finish();
    // Stops every stage and waits for them; after it, WriteFailed tells
    // whether writing a line failed.
    void Halt() noexcept { Stop(); }
    bool WriteFailed() const { return writeFailure_ != nullptr; }

  private:
    void HandOn();
    void RethrowWriteFailure();
    void WriteLoop();
    void Stop() noexcept;

    FrameSource source_;
    OutputFormat format_;
    TapeTarget& target_;
    const bool threaded_;

    // Not threaded: the one block and tape.
    FrameBlock block_;
    OutputTape singleTape_;
    // Threaded.
    std::unique_ptr<BlockChannel<FrameBlock>> frames_;
    std::unique_ptr<BlockChannel<OutputTape>> tapes_;
    FrameBlock* current_ = nullptr;
    std::thread reader_, writer_;
    std::exception_ptr writeFailure_;  // set by the writer before it stops the tapes

    OutputTape* tape_ = nullptr;
    std::string line_;  // the data line being written
    bool finite_ = true;
    bool finished_ = false;
};

}  // namespace kivo
