#include "core/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "core/FileError.h"

namespace kivo {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

}  // namespace

AtomicFile::~AtomicFile() {
    Discard();
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : path_(std::move(other.path_)),
      temporary_(std::move(other.temporary_)),
      descriptor_(std::exchange(other.descriptor_, -1)),
      buffer_(std::move(other.buffer_)) {
    other.temporary_.clear();
}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
    if (this != &other) {
        Discard();
        path_ = std::move(other.path_);
        temporary_ = std::move(other.temporary_);
        descriptor_ = std::exchange(other.descriptor_, -1);
        buffer_ = std::move(other.buffer_);
        other.temporary_.clear();
    }
    return *this;
}

void AtomicFile::Create(const std::string& path) {
    Discard();
    path_ = path;
    const std::filesystem::path target(path);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
        const std::string name = "." + target.filename().string() + "." +
                                 std::to_string(::getpid()) + "." + std::to_string(attempt) +
                                 ".tmp";
        temporary_ = (folder / name).string();
        descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST)
            break;
    }
    if (descriptor_ < 0) {
        temporary_.clear();
        Fail(errno);
    }
    buffer_.reserve(kBufferSize);
}

void AtomicFile::Append(std::string_view text) {
    buffer_.append(text);
    if (buffer_.size() >= kBufferSize)
        Flush();
}

void AtomicFile::Flush() {
    const char* data = buffer_.data();
    std::size_t left = buffer_.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor_, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno);
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    buffer_.clear();
}

void AtomicFile::Commit() {
    Flush();
    if (::fsync(descriptor_) != 0)
        Fail(errno);
    const int closed = ::close(descriptor_);
    descriptor_ = -1;
    if (closed != 0)
        Fail(errno);
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0)
        Fail(errno);
    temporary_.clear();
}

void AtomicFile::Discard() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    buffer_.clear();
}

void AtomicFile::Fail(int error) {
    Discard();
    throw FileError(path_, 0, "", std::string("The file cannot be written: ") + std::strerror(error));
}

}  // namespace kivo
