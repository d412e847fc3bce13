#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

class TextLineReader;

// The format line is searched among this many lines at the start of a file.
inline constexpr int kFormatLineSearchLimit = 100;

// The character after the time label in a format line, or the empty text when
// the line is no longer than the label.
std::string GetSeparator(std::string_view formatLine, std::string_view timeLabel);

// The separator as one character for splitting data lines; '\0' for the empty
// separator (a format line that holds only the time label), so that every line
// of such a file is one field.
inline char SeparatorChar(std::string_view separator) {
    return separator.empty() ? '\0' : separator.front();
}

// Splits a line of a data file at its separator (see SplitFields); with the
// empty separator the whole line is the only field.
void SplitAtSeparator(std::string_view line, std::string_view separator,
                      std::vector<std::string_view>& fields);

// True when the format line uses the colon layout (it contains a colon).
bool IsColonLayout(std::string_view formatLine);

// The component names of the six pose slots (Tx..Rz or TranslationX..RotationZ).
const std::array<std::string_view, 6>& ComponentNames(bool colonLayout);

// Reads lines until one begins with `timeLabel`, 100 lines have been read, or
// the file ends. `candidate` receives the last line read (empty when the file
// holds no line): the format line when its first field equals the label.
void FindFormatLine(TextLineReader& reader, std::string_view timeLabel, std::string& candidate);

// True when a data line holds no frame: it is empty or holds only blanks and tabs.
bool IsBlankLine(std::string_view line);

// Reads the next data line that is a frame, passing over blank lines (an
// empty line inside a file, or at its end, is no frame). False at the end of
// the file.
bool ReadFrameLine(TextLineReader& reader, std::string& line);

// The data-field names a format line offers for binding, in order of first
// appearance, without repetitions and without the empty name. `fields` is the
// split format line (field 0 is the time field).
//   colon layout: every ":"-separated part of a field, trimmed, except the
//   component names and parts that begin with "Woody";
//   blank layout: the words of a field without the last one (the component),
//   or the whole field when it has at most two words.
std::vector<std::string> DataFieldNamesOfFormatLine(const std::vector<std::string_view>& fields,
                                                    bool colonLayout);

// A data field the format line names twice: two columns with the same body
// part and component, as the column search reads them (the later one wins).
struct DuplicateDataField {
    std::string label;    // the later field as written
    int firstColumn = 0;  // columns counted from 1 (the time field is column 1)
    int secondColumn = 0;
    int furtherDuplicates = 0;  // other fields named twice in the same line
};

// The first data field named twice in a split format line, if any.
std::optional<DuplicateDataField> FindDuplicateDataField(
    const std::vector<std::string_view>& fields, bool colonLayout);

// "The format line of the file '<file>' names the data field ... twice ..."
std::string DuplicateDataFieldMessage(std::string_view fileName,
                                      const DuplicateDataField& duplicate);

// Body-part name and component of one data field while the format line is read
// field by field for the column positions. Both persist from field to field:
// a field without a body-part name (colon layout: no colon; blank layout: one
// word, or a leading blank and one word) keeps the previous field's name.
class DataFieldLabelParser {
  public:
    explicit DataFieldLabelParser(bool colonLayout) : colonLayout_(colonLayout) {}

    void Parse(std::string_view field);

    const std::string& BodyPartName() const { return bodyPartName_; }
    const std::string& Component() const { return component_; }
    // The pose slot of the component (0..5 for Tx..Rz), or -1 when it is none.
    int Slot() const;

  private:
    bool colonLayout_;
    std::string bodyPartName_;
    std::string component_;
    std::vector<std::string_view> parts_;
};

}  // namespace kivo
