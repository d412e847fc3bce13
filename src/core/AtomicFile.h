#pragma once

#include <string>
#include <string_view>

namespace kivo {

// Throws FileError when something other than a regular file stands at `path`
// (a symbolic link, a folder, a device, a pipe): no save ever replaces it.
void RequireReplaceable(const std::string& path);

// A file written under a temporary name beside its target and renamed over
// the target only by Commit(), so that the target holds either its old
// content or the whole new one, and a reader never sees it half written. Only
// a regular file is ever replaced. An uncommitted file is removed when the
// object goes. Failures throw FileError naming the target and the system's
// reason; the temporary file is then removed.
class AtomicFile {
  public:
    AtomicFile() = default;
    explicit AtomicFile(const std::string& path) { Create(path); }
    ~AtomicFile();
    AtomicFile(AtomicFile&& other) noexcept;
    AtomicFile& operator=(AtomicFile&& other) noexcept;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file for `path` (discarding one still pending).
    void Create(const std::string& path);
    // Appends through a buffer.
    void Append(std::string_view text);
    // Writes the rest and closes the temporary file; it waits for Commit.
    void Finish();
    // Finishes the file and renames it over its target. With `durable` the
    // data reach the disk before the rename.
    void Commit(bool durable = true);
    // Removes the temporary file; the target stays as it was.
    void Discard() noexcept;

    // True from Create until Finish, Commit or Discard.
    bool IsOpen() const { return descriptor_ >= 0; }
    // True from Create until Commit or Discard.
    bool IsPending() const { return !temporary_.empty(); }
    const std::string& Path() const { return path_; }

  private:
    void Flush();
    [[noreturn]] void Fail(std::string_view what, int error);

    std::string path_;
    std::string temporary_;
    int descriptor_ = -1;
    std::string buffer_;
};

}  // namespace kivo
