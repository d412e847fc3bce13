#include "core/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
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

void RequireReplaceable(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode))
        return;  // nothing there yet, or a regular file
    const char* kind = S_ISLNK(status.st_mode)   ? "a symbolic link"
                       : S_ISDIR(status.st_mode) ? "a folder"
                                                 : "a device, pipe or socket";
    throw FileError(path, 0, "",
                    std::string("is ") + kind + ", not a regular file, and is not replaced");
}

AtomicFile::~AtomicFile() {
    Discard();
}

AtomicFile::AtomicFile(AtomicFile&& other) noexcept
    : path_(std::move(other.path_)),
      temporary_(std::exchange(other.temporary_, std::string())),
      descriptor_(std::exchange(other.descriptor_, -1)),
      buffer_(std::move(other.buffer_)) {}

AtomicFile& AtomicFile::operator=(AtomicFile&& other) noexcept {
    if (this != &other) {
        Discard();
        path_ = std::move(other.path_);
        temporary_ = std::exchange(other.temporary_, std::string());
        descriptor_ = std::exchange(other.descriptor_, -1);
        buffer_ = std::move(other.buffer_);
    }
    return *this;
}

void AtomicFile::Create(const std::string& path) {
    Discard();
    path_ = path;
    RequireReplaceable(path);
    // A name no other writer uses, also another run in this process.
    static std::atomic<unsigned> count{0};
    const std::filesystem::path target(path);
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    for (int attempt = 0; attempt < 100 && descriptor_ < 0; ++attempt) {
        const std::string name = "." + target.filename().string() + "." +
                                 std::to_string(::getpid()) + "." + std::to_string(++count) +
                                 ".tmp";
        temporary_ = (folder / name).string();
        descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ < 0 && errno != EEXIST)
            break;
    }
    if (descriptor_ < 0) {
        const int error = errno;
        temporary_.clear();
        Fail("The file cannot be written", error);
    }
    buffer_.reserve(kBufferSize);
}

void AtomicFile::Append(std::string_view text) {
    if (descriptor_ < 0)
        Fail("The file cannot be written", EBADF);
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
            Fail("The file cannot be written", errno);
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    buffer_.clear();
}

void AtomicFile::Finish() {
    if (descriptor_ < 0)
        return;
    Flush();
    const int closed = ::close(std::exchange(descriptor_, -1));
    if (closed != 0)
        Fail("The file cannot be written", errno);
}

void AtomicFile::Commit(bool durable) {
    if (temporary_.empty())
        return;
    if (descriptor_ >= 0) {
        Flush();
        if (durable && ::fsync(descriptor_) != 0)
            Fail("The file cannot be written", errno);
        Finish();
    }
    RequireReplaceable(path_);  // nothing else took the name meanwhile
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0)
        Fail("The file cannot be written", errno);
    temporary_.clear();
}

void AtomicFile::Discard() noexcept {
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

void AtomicFile::Fail(std::string_view what, int error) {
    Discard();
    throw FileError(path_, 0, "", std::string(what) + ": " + std::strerror(error));
}

}  // namespace kivo
