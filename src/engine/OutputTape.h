#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ParameterRecord.h"
#include "engine/OutputItems.h"

namespace kivo {

// Where the lines of a tape go when it is played (see OutputTape::Play).
class TapeTarget {
  public:
    virtual ~TapeTarget() = default;
    // A complete data line, without its line end.
    virtual void DataLine(std::string_view line) = 0;
    // A line of its own that comes before the data line being built.
    virtual void NoticeLine(std::string_view line) = 0;
    // The current part file is full; `meansLine` (when there is one) goes
    // into the means file.
    virtual void PartEnd(std::optional<std::string_view> meansLine) = 0;
};

// The output lines of some frames as the calculation leaves them: the items
// still as numbers, so that they are formatted and written apart from the
// calculation (on another thread, while the next frames are computed). Played
// back, a tape writes exactly the lines that appending the items straight
// away (OutputItems.h) would.
class OutputTape {
  public:
    void Clear();
    bool Empty() const { return ops_.empty(); }
    // Data lines ended so far.
    int Lines() const { return lines_; }

    // Text at the current position of the data line (its time and frame).
    void AppendText(std::string_view text);
    // As AppendValueItems, AppendErrorItems and AppendEmptyItems.
    void AppendValues(const ParameterRecord& record, bool firstFrame);
    void AppendErrors(const ParameterRecord& record, int status);
    void AppendEmpty(const ParameterRecord& record);
    void EndLine();
    void AppendNotice(std::string_view line);
    void EndPart(const std::optional<std::string>& meansLine);

    // Formats the lines in `format` and hands them to `target` in order.
    // `line` holds the data line being built: one the tape does not end goes
    // on on the next tape played with the same `line`. False when a value or
    // difference overflowed (written as the overflow item).
    bool Play(const OutputFormat& format, TapeTarget& target, std::string& line) const;

  private:
    enum class Kind : std::uint8_t { Text, Values, Errors, Empty, EndLine, Notice, EndPart };
    struct Op {
        Kind kind;
        bool dynamic = false;
        bool firstFrame = false;
        bool hasText = false;
        int count = 0;  // values, error items or empty fields
        int status = 0;
        std::size_t offset = 0;  // into numbers_ or text_
        std::size_t length = 0;  // of text
    };
    void AddText(Kind kind, std::string_view text);

    std::vector<Op> ops_;
    std::vector<double> numbers_;
    std::string text_;
    int lines_ = 0;
};

}  // namespace kivo
