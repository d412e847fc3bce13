#pragma once

#include <string>
#include <string_view>

namespace kivo {

// A file written under a temporary name beside its target and renamed over
// the target only by Commit(), so that the target holds either its old
// content or the whole new one. An uncommitted file is removed when the
// object goes. Failures throw FileError naming the target.
class AtomicFile {
  public:
    AtomicFile() = default;
    explicit AtomicFile(const std::string& path) { Create(path); }
    ~AtomicFile();
    AtomicFile(AtomicFile&& other) noexcept;
    AtomicFile& operator=(AtomicFile&& other) noexcept;
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file for `path`.
    void Create(const std::string& path);
    // Appends through a buffer.
    void Append(std::string_view text);
    // Writes the rest, syncs, closes and renames the file over its target.
    void Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();

    const std::string& Path() const { return path_; }

  private:
    void Flush();
    [[noreturn]] void Fail(int error);

    std::string path_;
    std::string temporary_;
    int descriptor_ = -1;
    std::string buffer_;
};

}  // namespace kivo
