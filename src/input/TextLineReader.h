#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/RegularFile.h"

namespace kivo {

// Reads a text file line by line through its own buffer (no iostreams). A line
// ends at a line feed; one carriage return before it is not part of the line,
// and neither is a UTF-8 byte-order mark at the very start of the file. The
// last line needs no line end. A line longer than the limit is refused with a
// FileError naming the file and the line, so that a binary file or a file
// without line ends cannot make the reader hold the whole file.
class TextLineReader {
  public:
    static constexpr std::size_t kDefaultMaxLineLength = kMaxLineLength;

    TextLineReader() = default;
    ~TextLineReader();
    TextLineReader(const TextLineReader&) = delete;
    TextLineReader& operator=(const TextLineReader&) = delete;

    // Opens `path` for reading; false when it cannot be opened or is not a
    // regular file (a folder, device or pipe), with the reason in Problem().
    bool Open(const std::string& path);
    const std::string& Problem() const { return problem_; }
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    // Reads the next line into `line` (its capacity is reused). Returns false,
    // leaving `line` unchanged, when no line is left. Throws FileError on a
    // read error or a line longer than the limit.
    bool ReadLine(std::string& line);

    // True when no further line can be read.
    bool AtEnd();

    // Number of lines read so far (the line number of the last line read).
    long LineNumber() const { return lineNumber_; }
    // Bytes consumed so far, line ends included.
    std::uint64_t BytesRead() const { return bytesRead_; }
    // Size of the file in bytes when it was opened.
    std::uint64_t FileSize() const { return fileSize_; }
    const std::string& Path() const { return path_; }

    void SetMaxLineLength(std::size_t length) { maxLineLength_ = length; }

  private:
    bool Refill();

    std::FILE* file_ = nullptr;
    std::string path_;
    std::string problem_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    long lineNumber_ = 0;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t fileSize_ = 0;
    std::size_t maxLineLength_ = kDefaultMaxLineLength;
};

}  // namespace kivo
