#pragma once

#include <string>
#include <string_view>

#include "core/AtomicFile.h"

namespace kivo {

// A file of a run, written line by line through a large buffer under a
// temporary name; every line ends with CR LF. Only Close puts it in place, so
// a run that fails or is cancelled leaves the previous file as it was. Write
// failures (a full disk, a vanished folder) throw FileError naming the file and
// the system's reason.
class OutputFile {
  public:
    // Creates the temporary file; throws FileError when that fails or when
    // something other than a regular file stands at `path`.
    void Open(const std::string& path) { file_.Create(path); }
    void WriteLine(std::string_view line) {
        file_.Append(line);
        file_.Append("\r\n");
    }
    // Flushes and closes the file without putting it in place yet.
    void Finish() { file_.Finish(); }
    // Finishes the file and puts it in place of the previous one (without
    // waiting for the disk: a run's files can be made again).
    void Close() { file_.Commit(false); }
    // Drops the file; the previous one stays.
    void Discard() noexcept { file_.Discard(); }

    bool IsOpen() const { return file_.IsOpen(); }
    bool IsPending() const { return file_.IsPending(); }
    const std::string& Path() const { return file_.Path(); }

  private:
    AtomicFile file_;
};

}  // namespace kivo
