#pragma once

#include <stdexcept>
#include <string>

namespace kivo {

// A problem with a file the user gave (data, settings, output): names the file
// and, where known, the line (1-based, 0 = unknown) and the field.
class FileError : public std::runtime_error {
  public:
    FileError(std::string file, long line, std::string field, const std::string& what)
        : std::runtime_error(Compose(file, line, field, what)),
          file_(std::move(file)),
          line_(line),
          field_(std::move(field)) {}

    const std::string& File() const { return file_; }
    long Line() const { return line_; }
    const std::string& Field() const { return field_; }

  private:
    static std::string Compose(const std::string& file, long line, const std::string& field,
                               const std::string& what) {
        std::string text = file;
        if (line > 0)
            text += ", line " + std::to_string(line);
        if (!field.empty())
            text += ", field '" + field + "'";
        return text + ": " + what;
    }

    std::string file_;
    long line_;
    std::string field_;
};

}  // namespace kivo
