#include "engine/OutputTape.h"

#include "core/OutputFields.h"
#include "core/StatusCode.h"

namespace kivo {

void OutputTape::Clear() {
    ops_.clear();
    numbers_.clear();
    text_.clear();
    lines_ = 0;
}

void OutputTape::AddText(Kind kind, std::string_view text) {
    ops_.push_back(Op{kind, false, false, true, 0, 0, text_.size(), text.size()});
    text_ += text;
}

void OutputTape::AppendText(std::string_view text) {
    AddText(Kind::Text, text);
}

void OutputTape::AppendValues(const ParameterRecord& record, bool firstFrame) {
    if (!record.output)
        return;
    ops_.push_back(
        Op{Kind::Values, record.dynamic, firstFrame, false, record.nValues, 0, numbers_.size(), 0});
    for (int v = 0; v < record.nValues; ++v) {
        numbers_.push_back(record.Current(v, 1));
        if (record.dynamic)
            numbers_.push_back(record.Previous(v, 1));
    }
}

void OutputTape::AppendErrors(const ParameterRecord& record, int status) {
    if (!record.output)
        return;
    ops_.push_back(Op{Kind::Errors, false, false, false, record.nValues * (record.dynamic ? 2 : 1),
                      status, 0, 0});
}

void OutputTape::AppendEmpty(const ParameterRecord& record) {
    if (!record.output)
        return;
    ops_.push_back(
        Op{Kind::Empty, false, false, false, record.nValues * (record.dynamic ? 2 : 1), 0, 0, 0});
}

void OutputTape::EndLine() {
    ops_.push_back(Op{Kind::EndLine});
    ++lines_;
}

void OutputTape::AppendNotice(std::string_view line) {
    AddText(Kind::Notice, line);
}

void OutputTape::EndPart(const std::optional<std::string>& meansLine) {
    if (meansLine) {
        AddText(Kind::EndPart, *meansLine);
    } else {
        ops_.push_back(Op{Kind::EndPart});
    }
}

bool OutputTape::Play(const OutputFormat& format, TapeTarget& target, std::string& line) const {
    bool finite = true;
    for (const Op& op : ops_) {
        const std::string_view text(text_.data() + op.offset, op.hasText ? op.length : 0);
        switch (op.kind) {
            case Kind::Text:
                line += text;
                break;
            case Kind::Values: {
                const double* numbers = numbers_.data() + op.offset;
                for (int v = 0; v < op.count; ++v) {
                    const double current = *numbers++;
                    const double previous = op.dynamic ? *numbers++ : 0.0;
                    finite = AppendValueItem(line, current, previous, op.dynamic, op.firstFrame,
                                             format) &&
                             finite;
                }
                break;
            }
            case Kind::Errors: {
                const std::string_view errorText = StatusErrorText(op.status);
                for (int i = 0; i < op.count; ++i)
                    AppendErrorItem(line, errorText, format.separator);
                break;
            }
            case Kind::Empty:
                line.append(static_cast<std::size_t>(op.count), format.separator);
                break;
            case Kind::EndLine:
                target.DataLine(line);
                line.clear();
                break;
            case Kind::Notice:
                target.NoticeLine(text);
                break;
            case Kind::EndPart:
                target.PartEnd(op.hasText ? std::optional(text) : std::nullopt);
                break;
        }
    }
    return finite;
}

}  // namespace kivo
