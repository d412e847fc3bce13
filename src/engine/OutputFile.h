#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kivo {

// A text file written line by line through a large buffer; every line ends
// with CR LF. Write failures (a full disk, a vanished folder) throw FileError.
class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates (or truncates) the file; throws FileError when that fails.
    void Open(const std::string& path);
    void WriteLine(std::string_view line);
    // Flushes and closes; throws FileError when the data could not be written.
    void Close();
    bool IsOpen() const { return file_ != nullptr; }
    const std::string& Path() const { return path_; }

  private:
    std::FILE* file_ = nullptr;
    std::string path_;
};

}  // namespace kivo
