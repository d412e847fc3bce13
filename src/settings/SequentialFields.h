#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "core/FileError.h"
#include "core/RegularFile.h"

namespace kivo {

// A settings file that cannot be read: names the file, the line and the
// field, and carries the error number the error message shows.
class SettingsFileError : public FileError {
  public:
    SettingsFileError(int number, std::string file, long line, std::string field,
                      const std::string& what)
        : FileError(std::move(file), line, std::move(field), what), number_(number) {}
    int Number() const { return number_; }

  private:
    int number_;
};

// Writes fields in the comma-delimited sequential-file convention: texts in
// double quotes (unescaped), integers as bare numbers, Booleans as #TRUE# or
// #FALSE#. Each field is ended with CR LF.
class SequentialFieldWriter {
  public:
    void Text(std::string_view text);
    void Integer(long long value);
    void Boolean(bool value);

    const std::string& Content() const { return content_; }

  private:
    std::string content_;
};

// Reads the fields of a sequential file in order. A field ends at a comma, a
// line break or the end of the file; a text in double quotes runs to the next
// double quote. Failures throw SettingsFileError naming `field`.
class SequentialFieldReader {
  public:
    // `file` stays owned by the caller.
    SequentialFieldReader(std::FILE* file, std::string path)
        : file_(file), path_(std::move(path)) {}

    // The next field as text (quotes removed). Throws at the end of the file.
    std::string Text(std::string_view field);
    // The next field as a whole number.
    long long Integer(std::string_view field);
    // The next field as a Boolean: #TRUE#, #FALSE#, True, False or a number
    // (not 0 = true).
    bool Boolean(std::string_view field);

    // True when only blanks and line breaks are left.
    bool AtEnd();

    // Line (1-based) on which the last field read began.
    long Line() const { return fieldLine_; }

    // Longest field accepted: the line limit of every reader of Kivo.
    static constexpr std::size_t kMaxFieldLength = kMaxLineLength;

  private:
    struct Field {
        std::string text;
        bool quoted = false;
    };
    Field Next(std::string_view field);
    void SkipToDelimiter();
    [[noreturn]] void Fail(int number, std::string_view field, const std::string& what) const;

    std::FILE* file_;
    std::string path_;
    long line_ = 1;
    long fieldLine_ = 1;
};

}  // namespace kivo
