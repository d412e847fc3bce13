#include "input/BvhReader.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "core/FileError.h"

namespace kivo {
namespace {

constexpr std::string_view kWhitespace = " \t\r\v\f";

void SplitWords(std::string_view line, std::vector<std::string_view>& words) {
    words.clear();
    for (std::size_t start = line.find_first_not_of(kWhitespace);
         start != std::string_view::npos;) {
        const std::size_t end = line.find_first_of(kWhitespace, start);
        words.push_back(line.substr(start, end - start));
        start = end == std::string_view::npos ? end : line.find_first_not_of(kWhitespace, end);
    }
}

// A number written as in BVH files ("-1.5", ".0083333", "1e-3"), the whole text.
std::optional<double> ParseNumber(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<BvhChannel> ChannelOf(std::string_view name) {
    static constexpr std::array<std::string_view, 6> kNames = {
        "Xposition", "Yposition", "Zposition", "Xrotation", "Yrotation", "Zrotation"};
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (name == kNames[i])
            return static_cast<BvhChannel>(i);
    }
    return std::nullopt;
}

std::string Quoted(std::string_view text) {
    constexpr std::size_t kShown = 40;
    std::string quoted = "'" + std::string(text.substr(0, kShown));
    return quoted + (text.size() > kShown ? "...'" : "'");
}

}  // namespace

void BvhReader::Fail(long line, std::string_view field, const std::string& what) const {
    throw FileError(path_, line, std::string(field), what);
}

bool BvhReader::NextLine() {
    if (!reader_.ReadLine(line_))
        return false;
    SplitWords(line_, tokens_);
    nextToken_ = 0;
    return true;
}

BvhReader::Token BvhReader::Next() {
    while (nextToken_ >= tokens_.size()) {
        if (!NextLine())
            return {std::string_view(), reader_.LineNumber()};
    }
    return {tokens_[nextToken_++], reader_.LineNumber()};
}

BvhReader::Token BvhReader::Expect(std::string_view word) {
    const Token token = Next();
    if (token.text != word) {
        Fail(token.line, word,
             token.text.empty()
                 ? "the file ends where '" + std::string(word) + "' is expected"
                 : "'" + std::string(word) + "' is expected, not " + Quoted(token.text));
    }
    return token;
}

double BvhReader::Number(const Token& token, std::string_view field) const {
    if (token.text.empty())
        Fail(token.line, field, "the file ends where a number is expected");
    const std::optional<double> value = ParseNumber(token.text);
    if (!value)
        Fail(token.line, field, Quoted(token.text) + " is not a number");
    return *value;
}

long BvhReader::Count(const Token& token, std::string_view field) const {
    long value = -1;
    const auto [end, error] =
        std::from_chars(token.text.data(), token.text.data() + token.text.size(), value);
    if (token.text.empty() || error != std::errc() ||
        end != token.text.data() + token.text.size() || value < 0) {
        Fail(token.line, field,
             (token.text.empty() ? std::string("nothing") : Quoted(token.text)) +
                 " is not a whole number of at least 0");
    }
    return value;
}

// The words after a ROOT or JOINT keyword on its line, without an opening brace.
std::string BvhReader::RestOfLine() {
    std::string name;
    while (nextToken_ < tokens_.size() && tokens_[nextToken_] != "{") {
        name += (name.empty() ? "" : " ") + std::string(tokens_[nextToken_]);
        ++nextToken_;
    }
    return name;
}

void BvhReader::ReadChannels(BvhJoint& joint, long line) {
    const long count = Count(Next(), "CHANNELS");
    if (count != 3 && count != 6) {
        Fail(line, "CHANNELS", "a joint has 3 or 6 channels, not " + std::to_string(count));
    }
    for (long i = 0; i < count; ++i) {
        const Token token = Next();
        const std::optional<BvhChannel> channel = ChannelOf(token.text);
        if (!channel) {
            Fail(token.line, "CHANNELS",
                 (token.text.empty() ? std::string("the end of the file") : Quoted(token.text)) +
                     " is not a channel (Xposition ... Zrotation)");
        }
        for (BvhChannel known : joint.channels) {
            if (known == *channel)
                Fail(token.line, "CHANNELS", Quoted(token.text) + " is listed twice");
        }
        joint.channels.push_back(*channel);
    }
    joint.firstValue = hierarchy_.channelCount;
    hierarchy_.channelCount += joint.channels.size();
}

void BvhReader::ReadHierarchy() {
    // An open block: a joint (its index) or an end site (-1).
    struct Block {
        int joint;
        bool hasOffset = false;
        long line;
    };
    std::vector<Block> open;
    Expect("HIERARCHY");
    for (;;) {
        const Token token = Next();
        if (token.text.empty())
            Fail(token.line, "MOTION", "the file ends before its MOTION block");
        if (token.text == "MOTION") {
            if (!open.empty())
                Fail(token.line, "}",
                     "the block opened on line " + std::to_string(open.back().line) +
                         " is not closed");
            if (hierarchy_.joints.empty())
                Fail(token.line, "ROOT", "the hierarchy has no joint");
            return;
        }
        if (token.text == "ROOT" || token.text == "JOINT") {
            const bool root = token.text == "ROOT";
            if (root != open.empty() || (!open.empty() && open.back().joint < 0)) {
                Fail(token.line, token.text,
                     root ? "a ROOT inside another joint" : "a JOINT outside a joint");
            }
            if (hierarchy_.joints.size() >= kMaxJoints) {
                Fail(token.line, token.text,
                     "the hierarchy has more than " + std::to_string(kMaxJoints) + " joints");
            }
            BvhJoint joint;
            joint.name = RestOfLine();
            joint.parent = open.empty() ? -1 : open.back().joint;
            joint.line = token.line;
            if (joint.name.empty())
                Fail(token.line, token.text, "the joint has no name");
            Expect("{");
            hierarchy_.joints.push_back(std::move(joint));
            open.push_back({static_cast<int>(hierarchy_.joints.size() - 1), false, token.line});
        } else if (token.text == "End") {
            if (open.empty() || open.back().joint < 0)
                Fail(token.line, "End Site", "an end site outside a joint");
            Expect("Site");
            Expect("{");
            open.push_back({-1, false, token.line});
        } else if (token.text == "OFFSET") {
            if (open.empty() || open.back().hasOffset)
                Fail(token.line, "OFFSET",
                     open.empty() ? "an OFFSET outside a joint" : "a second OFFSET in one block");
            std::array<double, 3> offset{};
            for (double& value : offset)
                value = Number(Next(), "OFFSET");
            if (open.back().joint >= 0)
                hierarchy_.joints[open.back().joint].offset = offset;
            open.back().hasOffset = true;
        } else if (token.text == "CHANNELS") {
            if (open.empty() || open.back().joint < 0 ||
                !hierarchy_.joints[open.back().joint].channels.empty()) {
                Fail(token.line, "CHANNELS",
                     open.empty() || open.back().joint >= 0 ? "CHANNELS outside a joint or twice"
                                                            : "an end site has no channels");
            }
            ReadChannels(hierarchy_.joints[open.back().joint], token.line);
        } else if (token.text == "}") {
            if (open.empty())
                Fail(token.line, "}", "a closing brace without an open block");
            const Block& block = open.back();
            if (!block.hasOffset)
                Fail(block.line, "OFFSET", "the block has no OFFSET");
            if (block.joint >= 0 && hierarchy_.joints[block.joint].channels.empty())
                Fail(block.line, "CHANNELS", "the joint has no CHANNELS");
            open.pop_back();
        } else {
            Fail(token.line, "", Quoted(token.text) + " is not part of a BVH hierarchy");
        }
    }
}

void BvhReader::ReadMotionHeader() {
    const Token frames = Expect("Frames:");
    hierarchy_.framesLine = frames.line;
    hierarchy_.frameCount = Count(Next(), "Frames");
    Expect("Frame");
    Expect("Time:");
    const Token time = Next();
    hierarchy_.frameTime = Number(time, "Frame Time");
    hierarchy_.frameTimeLine = time.line;
    if (!(hierarchy_.frameTime > 0.0))
        Fail(time.line, "Frame Time", "the frame time must be greater than 0");
    if (!std::isfinite(hierarchy_.frameTime * static_cast<double>(hierarchy_.frameCount))) {
        Fail(time.line, "Frame Time",
             "the frame time is too large for the time of " +
                 std::to_string(hierarchy_.frameCount) + " frames");
    }
    if (nextToken_ < tokens_.size())
        Fail(time.line, "Frame Time", Quoted(tokens_[nextToken_]) + " follows the frame time");
}

void BvhReader::Open(const std::string& path) {
    path_ = path;
    hierarchy_ = BvhHierarchy();
    framesRead_ = 0;
    tokens_.clear();
    nextToken_ = 0;
    if (!reader_.Open(path))
        Fail(0, "", "the file cannot be opened");
    ReadHierarchy();
    ReadMotionHeader();
}

bool BvhReader::ReadFrame(std::vector<double>& values) {
    for (;;) {
        if (!NextLine()) {
            if (framesRead_ < hierarchy_.frameCount) {
                Fail(hierarchy_.framesLine, "Frames",
                     "the file ends after " + std::to_string(framesRead_) + " of the " +
                         std::to_string(hierarchy_.frameCount) + " frames announced here");
            }
            return false;
        }
        if (!tokens_.empty())
            break;
    }
    const long line = reader_.LineNumber();
    if (framesRead_ == hierarchy_.frameCount) {
        Fail(line, "Frames",
             "the file holds more than the " + std::to_string(hierarchy_.frameCount) +
                 " frames announced on line " + std::to_string(hierarchy_.framesLine));
    }
    if (tokens_.size() != hierarchy_.channelCount) {
        Fail(line, "",
             "the frame has " + std::to_string(tokens_.size()) + " values; the hierarchy has " +
                 std::to_string(hierarchy_.channelCount) + " channels");
    }
    values.resize(tokens_.size());
    for (std::size_t i = 0; i < tokens_.size(); ++i) {
        const std::optional<double> value = ParseNumber(tokens_[i]);
        if (!value) {
            Fail(line, "value " + std::to_string(i + 1), Quoted(tokens_[i]) + " is not a number");
        }
        values[i] = *value;
    }
    ++framesRead_;
    return true;
}

}  // namespace kivo
