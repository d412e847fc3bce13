#include "input/TextLineReader.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "core/FileError.h"

namespace kivo {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

TextLineReader::~TextLineReader() {
    Close();
}

bool TextLineReader::Open(const std::string& path) {
    Close();
    problem_.clear();
    file_ = OpenRegularFile(path, &problem_);
    if (file_ == nullptr)
        return false;
    path_ = path;
    buffer_.resize(kBufferSize);
    position_ = 0;
    end_ = 0;
    lineNumber_ = 0;
    bytesRead_ = 0;
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    fileSize_ = error ? 0 : static_cast<std::uint64_t>(size);
    return true;
}

void TextLineReader::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    position_ = 0;
    end_ = 0;
}

bool TextLineReader::Refill() {
    if (file_ == nullptr)
        return false;
    position_ = 0;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    if (end_ == 0 && std::ferror(file_)) {
        throw FileError(path_, lineNumber_ + 1, "", "the file could not be read");
    }
    return end_ > 0;
}

bool TextLineReader::AtEnd() {
    return position_ >= end_ && !Refill();
}

bool TextLineReader::ReadLine(std::string& line) {
    if (AtEnd())
        return false;
    line.clear();
    for (;;) {
        const char* start = buffer_.data() + position_;
        const std::size_t available = end_ - position_;
        const void* found = std::memchr(start, '\n', available);
        const std::size_t take =
            found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - start)
                             : available;
        // One more character is allowed for the carriage return before the line feed.
        if (line.size() + take > maxLineLength_ + 1) {
            throw FileError(path_, lineNumber_ + 1, "",
                            "the line is longer than " + std::to_string(maxLineLength_) +
                                " characters (is this a text data file?)");
        }
        line.append(start, take);
        position_ += take;
        bytesRead_ += take;
        if (found != nullptr) {
            ++position_;
            ++bytesRead_;
            break;
        }
        if (!Refill())
            break;
    }
    ++lineNumber_;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > maxLineLength_) {
        throw FileError(path_, lineNumber_, "",
                        "the line is longer than " + std::to_string(maxLineLength_) +
                            " characters (is this a text data file?)");
    }
    if (lineNumber_ == 1 && std::string_view(line).starts_with(kByteOrderMark)) {
        line.erase(0, kByteOrderMark.size());
    }
    return true;
}

}  // namespace kivo
