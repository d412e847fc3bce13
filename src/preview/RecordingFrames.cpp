#include "preview/RecordingFrames.h"

#include <algorithm>

#include "core/FileError.h"
#include "core/Numbers.h"
#include "core/Text.h"
#include "core/UserPrompt.h"
#include "input/BodyDataPositions.h"
#include "input/DataFileFormat.h"
#include "input/TextLineReader.h"

namespace kivo {
namespace {

// Looking at a recording takes what it offers: variables with missing fields
// are shown without them, and a file without its format line is refused.
class TakeWhatThereIs : public UserPrompt {
  public:
    PromptAnswer Ask(const PromptMessage& message) override {
        return message.buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel
                                                          : PromptAnswer::Yes;
    }
    using UserPrompt::Ask;
};

}  // namespace

RecordingFrames::RecordingFrames(const std::string& path, std::string_view timeLabel,
                                 const DataFieldBindings& bindings)
    : path_(path) {
    TextLineReader reader;
    if (!reader.Open(path))
        throw FileError(path, 0, "", "cannot be opened");
    std::string formatLine;
    FindFormatLine(reader, timeLabel, formatLine);

    InputVariableTable table;
    for (int k = 0; k < kInputVariableCount; ++k)
        table[k].dataFieldName = bindings[static_cast<std::size_t>(k)];
    TakeWhatThereIs prompt;
    const BodyDataPositionsResult positions =
        GetBodyDataPositions(1, formatLine, timeLabel, path, table, prompt);
    if (positions.answer == PositionsAnswer::Cancel || positions.answer == PositionsAnswer::Ok ||
        positions.separator.empty()) {
        throw FileError(path, reader.LineNumber(), "",
                        "no format line beginning with \"" + std::string(timeLabel) + "\"");
    }
    separator_ = positions.separator.front();
    for (int k = 0; k < kInputVariableCount; ++k)
        fieldIndex_[static_cast<std::size_t>(k)] = table.Person(k, 1).fieldIndex;

    std::string line;
    for (;;) {
        const std::uint64_t offset = reader.BytesRead();
        if (!reader.ReadLine(line))
            break;
        if (line.empty())
            continue;
        const std::size_t end = line.find(separator_);
        offsets_.push_back(offset);
        times_.push_back(ReadNumber(std::string_view(line).substr(0, end)));
    }
    file_.reset(std::fopen(path.c_str(), "rb"));
    if (!file_)
        throw FileError(path, 0, "", "cannot be opened");
}

std::size_t RecordingFrames::FrameAt(double time) const {
    const auto after = std::upper_bound(times_.begin(), times_.end(), time);
    if (after == times_.begin())
        return 0;
    return static_cast<std::size_t>(after - times_.begin()) - 1;
}

BodyFrame RecordingFrames::Frame(std::size_t frame) {
    BodyFrame body;
    if (frame >= offsets_.size())
        return body;
    body.time = times_[frame];
    if (fseeko(file_.get(), static_cast<off_t>(offsets_[frame]), SEEK_SET) != 0)
        throw FileError(path_, 0, "", "the file could not be read");
    line_.clear();
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, file_.get()) != nullptr) {
        line_ += buffer;
        if (!line_.empty() && line_.back() == '\n')
            break;
    }
    while (!line_.empty() && (line_.back() == '\n' || line_.back() == '\r'))
        line_.pop_back();
    SplitFields(line_, separator_, fields_);

    for (std::size_t k = 0; k < body.parts.size(); ++k) {
        const auto& slots = fieldIndex_[k];
        std::array<double, kPoseSlots> values{};
        std::array<bool, kPoseSlots> found{};
        for (int s = 0; s < kPoseSlots; ++s) {
            const auto index = static_cast<std::size_t>(slots[static_cast<std::size_t>(s)]);
            found[static_cast<std::size_t>(s)] = index != 0 && index < fields_.size();
            if (found[static_cast<std::size_t>(s)])
                values[static_cast<std::size_t>(s)] = ReadNumber(fields_[index]);
        }
        BodyPart& part = body.parts[k];
        part.hasPosition = found[kTx] && found[kTy] && found[kTz];
        part.position = {values[kTx], values[kTy], values[kTz]};
        part.hasRotation = part.hasPosition && found[kRx] && found[kRy] && found[kRz];
        part.rx = values[kRx];
        part.ry = values[kRy];
        part.rz = values[kRz];
    }
    return body;
}

std::vector<BodyFrame> RecordingFrames::SampleFrames(std::size_t maximum) {
    std::vector<BodyFrame> frames;
    const std::size_t count = FrameCount();
    if (count == 0 || maximum == 0)
        return frames;
    const std::size_t taken = std::min(count, maximum);
    frames.reserve(taken);
    for (std::size_t i = 0; i < taken; ++i)
        frames.push_back(Frame(taken == 1 ? 0 : i * (count - 1) / (taken - 1)));
    return frames;
}

}  // namespace kivo
