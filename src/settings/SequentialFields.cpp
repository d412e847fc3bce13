#include "settings/SequentialFields.h"

#include <charconv>
#include <system_error>

#include "core/ErrorTrap.h"
#include "core/Text.h"

namespace kivo {

void SequentialFieldWriter::Text(std::string_view text) {
    content_ += '"';
    content_ += text;
    content_ += "\"\r\n";
}

void SequentialFieldWriter::Integer(long long value) {
    content_ += std::to_string(value);
    content_ += "\r\n";
}

void SequentialFieldWriter::Boolean(bool value) {
    content_ += value ? "#TRUE#\r\n" : "#FALSE#\r\n";
}

void SequentialFieldReader::Fail(int number, std::string_view field,
                                 const std::string& what) const {
    throw SettingsFileError(number, path_, fieldLine_, std::string(field), what);
}

// Skips what follows a closing quote up to and including the delimiter.
void SequentialFieldReader::SkipToDelimiter() {
    for (;;) {
        const int c = std::getc(file_);
        if (c == EOF || c == ',')
            return;
        if (c == '\n') {
            ++line_;
            return;
        }
        if (c == '\r') {
            const int next = std::getc(file_);
            if (next != '\n' && next != EOF)
                std::ungetc(next, file_);
            ++line_;
            return;
        }
    }
}

SequentialFieldReader::Field SequentialFieldReader::Next(std::string_view field) {
    int c = std::getc(file_);
    while (c == ' ' || c == '\t')
        c = std::getc(file_);
    fieldLine_ = line_;
    if (c == EOF) {
        if (std::ferror(file_))
            Fail(kErrorPathFileAccess, field, "The file cannot be read");
        Fail(kErrorInputPastEndOfFile, field, "Input past end of file");
    }
    Field result;
    if (c == '"') {
        result.quoted = true;
        for (c = std::getc(file_); c != '"'; c = std::getc(file_)) {
            if (c == EOF)
                Fail(kErrorInputPastEndOfFile, field, "Input past end of file");
            if (c == '\n')
                ++line_;
            if (result.text.size() >= kMaxFieldLength) {
                Fail(kErrorTypeMismatch, field,
                     "The field is longer than " + std::to_string(kMaxFieldLength) + " characters");
            }
            result.text += static_cast<char>(c);
        }
        SkipToDelimiter();
        return result;
    }
    for (;; c = std::getc(file_)) {
        if (c == EOF || c == ',')
            break;
        if (c == '\n') {
            ++line_;
            break;
        }
        if (c == '\r') {
            const int next = std::getc(file_);
            if (next != '\n' && next != EOF)
                std::ungetc(next, file_);
            ++line_;
            break;
        }
        if (result.text.size() >= kMaxFieldLength) {
            Fail(kErrorTypeMismatch, field,
                 "The field is longer than " + std::to_string(kMaxFieldLength) + " characters");
        }
        result.text += static_cast<char>(c);
    }
    result.text = std::string(TrimBlanks(result.text));
    return result;
}

bool SequentialFieldReader::AtEnd() {
    for (;;) {
        const int c = std::getc(file_);
        if (c == EOF)
            return true;
        if (c == '\n')
            ++line_;
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            std::ungetc(c, file_);
            fieldLine_ = line_;
            return false;
        }
    }
}

std::string SequentialFieldReader::Text(std::string_view field) {
    return Next(field).text;
}

long long SequentialFieldReader::Integer(std::string_view field) {
    const std::string text = Next(field).text;
    std::string_view digits = TrimBlanks(text);
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    long long value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        Fail(kErrorOverflow, field, "Overflow");
    if (digits.empty() || result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
        Fail(kErrorTypeMismatch, field, "Type mismatch: '" + text + "' is no whole number");
    }
    return value;
}

bool SequentialFieldReader::Boolean(std::string_view field) {
    const std::string text = Next(field).text;
    if (EqualsIgnoringCase(text, "#TRUE#") || EqualsIgnoringCase(text, "True"))
        return true;
    if (EqualsIgnoringCase(text, "#FALSE#") || EqualsIgnoringCase(text, "False"))
        return false;
    std::string_view digits = TrimBlanks(text);
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    long long value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || result.ec != std::errc() || result.ptr != digits.data() + digits.size()) {
        Fail(kErrorTypeMismatch, field, "Type mismatch: '" + text + "' is no Boolean");
    }
    return value != 0;
}

}  // namespace kivo
