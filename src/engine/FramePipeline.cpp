#include "engine/FramePipeline.h"

#include "input/DataFileFormat.h"

namespace kivo {
namespace {

void KeepFacts(FrameLineFacts& facts, const DataLineValues& values, long lineNumber) {
    facts.time = values.time;
    facts.lineNumber = lineNumber;
    facts.missingFields = values.missingFields;
    facts.nonNumbers = values.nonNumbers;
    facts.firstNonNumber = values.firstNonNumber;
    if (values.nonNumbers > 0)
        facts.firstNonNumberText = values.firstNonNumberText;
}

}  // namespace

void FrameSource::Fill(FrameBlock& block, int capacity) {
    block.frames = 0;
    block.last = false;
    block.failure = nullptr;
    block.failedInSkippedLines = false;
    block.prefixes.clear();
    block.prefixEnds.clear();
    block.partnerOffset = setUp_.fields[0].size();
    block.stride = block.partnerOffset + setUp_.fields[1].size();
    const auto frames = static_cast<std::size_t>(capacity);
    if (block.facts.size() < frames) {
        block.facts.resize(frames);
        block.values.resize(frames * block.stride);
        block.present.resize(frames * block.stride);
    }
    bool skipping = false;
    try {
        while (block.frames < capacity && !block.last)
            ReadFrame(block, skipping);
    } catch (...) {
        block.failure = std::current_exception();
        block.failedInSkippedLines = skipping;
    }
}

// Reads the next frame line of the input file and the partner's in step with
// it, then passes over the lines of the frames not used.
void FrameSource::ReadFrame(FrameBlock& block, bool& skipping) {
    if (!ReadFrameLine(*setUp_.input, line_)) {
        block.last = true;
        return;
    }
    const int frame = block.frames;
    FrameFacts& facts = block.facts[static_cast<std::size_t>(frame)];
    facts.partnerEnded = false;
    const std::size_t offset = static_cast<std::size_t>(frame) * block.stride;
    if (setUp_.partner != nullptr) {
        if (ReadFrameLine(*setUp_.partner, partnerLine_)) {
            const std::size_t at = offset + block.partnerOffset;
            const DataLineValues values = converters_[1].ConvertDataLine(
                partnerLine_, setUp_.partnerSeparator, setUp_.fields[1], block.values.data() + at,
                block.present.data() + at);
            KeepFacts(facts.persons[1], values, setUp_.partner->LineNumber());
        } else {
            facts.partnerEnded = true;
        }
    }
    const DataLineValues values =
        converters_[0].ConvertDataLine(line_, setUp_.inputSeparator, setUp_.fields[0],
                                       block.values.data() + offset, block.present.data() + offset);
    KeepFacts(facts.persons[0], values, setUp_.input->LineNumber());
    AppendTimeAndFrame(block.prefixes, values, std::string_view(&setUp_.outputSeparator, 1),
                       setUp_.decimalSymbol);
    block.prefixEnds.push_back(block.prefixes.size());
    ++block.frames;

    skipping = true;
    for (int skipped = 0; skipped < setUp_.useEvery - 1 && ReadFrameLine(*setUp_.input, skipLine_);
         ++skipped) {
        if (setUp_.partner != nullptr)
            ReadFrameLine(*setUp_.partner, skipLine_);
    }
    skipping = false;
    facts.bytesRead = setUp_.input->BytesRead();
}

FramePipeline::FramePipeline(FrameSourceSetUp source, const OutputFormat& format,
                             TapeTarget& target, bool threaded)
    : source_(std::move(source)), format_(format), target_(target), threaded_(threaded) {
    if (!threaded_) {
        tape_ = &singleTape_;
        return;
    }
    frames_ = std::make_unique<BlockChannel<FrameBlock>>(kBlocksInFlight);
    tapes_ = std::make_unique<BlockChannel<OutputTape>>(kBlocksInFlight);
    tape_ = tapes_->TakeEmpty();
    reader_ = std::thread([this] {
        while (FrameBlock* block = frames_->TakeEmpty()) {
            source_.Fill(*block, kFramesPerBlock);
            const bool final = block->last || block->failure;
            frames_->Publish(block);
            if (final)
                break;
        }
    });
    writer_ = std::thread([this] { WriteLoop(); });
}

FramePipeline::~FramePipeline() {
    Stop();
}

void FramePipeline::Stop() noexcept {
    if (!threaded_)
        return;
    frames_->Stop();
    tapes_->Stop();
    if (reader_.joinable())
        reader_.join();
    if (writer_.joinable())
        writer_.join();
}

void FramePipeline::WriteLoop() {
    while (OutputTape* tape = tapes_->TakeFilled()) {
        try {
            finite_ = tape->Play(format_, target_, line_) && finite_;
        } catch (...) {
            writeFailure_ = std::current_exception();
            tapes_->Stop();
            return;
        }
        tape->Clear();
        tapes_->Recycle(tape);
    }
}

const FrameBlock& FramePipeline::NextFrames() {
    if (!threaded_) {
        source_.Fill(block_, 1);
        return block_;
    }
    if (current_ != nullptr)
        frames_->Recycle(current_);
    current_ = frames_->TakeFilled();
    if (current_ == nullptr) {
        // Only a stopped pipeline has no block left; a stopped one is not asked.
        block_ = FrameBlock();
        block_.last = true;
        return block_;
    }
    return *current_;
}

void FramePipeline::LineEnded() {
    if (!threaded_ || tape_->Lines() >= kLinesPerTape)
        HandOn();
}

void FramePipeline::HandOn() {
    if (!threaded_) {
        RethrowWriteFailure();
        const bool finite = tape_->Play(format_, target_, line_);
        finite_ = finite && finite_;
        tape_->Clear();
        return;
    }
    if (tape_ == &singleTape_) {
        // The writing failed: nothing more is written.
        singleTape_.Clear();
    } else if (!tape_->Empty()) {
        tapes_->Publish(tape_);
        tape_ = tapes_->TakeEmpty();
        if (tape_ == nullptr)
            tape_ = &singleTape_;
    }
    if (tape_ == &singleTape_)
        RethrowWriteFailure();
}

void FramePipeline::RethrowWriteFailure() {
    if (writeFailure_)
        std::rethrow_exception(writeFailure_);
}

void FramePipeline::Drain() {
    try {
        HandOn();
    } catch (...) {
        if (!writeFailure_)
            writeFailure_ = std::current_exception();
        tape_->Clear();
    }
    if (threaded_ && tape_ != &singleTape_)
        tapes_->WaitUntilConsumed();
}

void FramePipeline::Sync() {
    Drain();
    RethrowWriteFailure();
}

bool FramePipeline::Finish() {
    Sync();
    if (threaded_ && !finished_) {
        finished_ = true;
        tapes_->Finish();
        writer_.join();
        RethrowWriteFailure();
    }
    return finite_;
}

}  // namespace kivo
