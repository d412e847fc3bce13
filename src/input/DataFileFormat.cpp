#include "input/DataFileFormat.h"

#include <unordered_map>
#include <unordered_set>

#include "core/Text.h"
#include "input/InputMessages.h"
#include "input/TextLineReader.h"

namespace kivo {
namespace {

constexpr std::string_view kWoodyPrefix = "Woody";

bool IsComponentName(std::string_view part) {
    for (std::string_view name : ComponentNames(true)) {
        if (part == name)
            return true;
    }
    return false;
}

}  // namespace

std::string GetSeparator(std::string_view formatLine, std::string_view timeLabel) {
    if (formatLine.size() <= timeLabel.size())
        return {};
    return std::string(1, formatLine[timeLabel.size()]);
}

void SplitAtSeparator(std::string_view line, std::string_view separator,
                      std::vector<std::string_view>& fields) {
    if (separator.empty()) {
        fields.assign(1, line);
        return;
    }
    SplitFields(line, separator.front(), fields);
}

bool IsColonLayout(std::string_view formatLine) {
    return formatLine.find(':') != std::string_view::npos;
}

const std::array<std::string_view, 6>& ComponentNames(bool colonLayout) {
    static const std::array<std::string_view, 6> colon = {"Tx", "Ty", "Tz", "Rx", "Ry", "Rz"};
    static const std::array<std::string_view, 6> blank = {
        "TranslationX", "TranslationY", "TranslationZ", "RotationX", "RotationY", "RotationZ"};
    return colonLayout ? colon : blank;
}

void FindFormatLine(TextLineReader& reader, std::string_view timeLabel, std::string& candidate) {
    candidate.clear();
    for (int count = 0; count < kFormatLineSearchLimit && reader.ReadLine(candidate); ++count) {
        if (std::string_view(candidate).starts_with(timeLabel))
            return;
    }
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool ReadFrameLine(TextLineReader& reader, std::string& line) {
    while (reader.ReadLine(line)) {
        if (!IsBlankLine(line))
            return true;
    }
    return false;
}

std::vector<std::string> DataFieldNamesOfFormatLine(const std::vector<std::string_view>& fields,
                                                    bool colonLayout) {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    seen.reserve(fields.size());
    auto add = [&](std::string name) {
        if (name.empty() || seen.contains(name))
            return;
        seen.insert(name);
        names.push_back(std::move(name));
    };
    std::vector<std::string_view> parts;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        if (colonLayout) {
            SplitFields(fields[i], ':', parts);
            for (std::string_view part : parts) {
                part = TrimBlanks(part);
                if (IsComponentName(part) || part.starts_with(kWoodyPrefix))
                    continue;
                add(std::string(part));
            }
        } else {
            SplitFields(fields[i], ' ', parts);
            if (parts.size() <= 2) {
                add(std::string(parts.front()));
            } else {
                std::string name(parts.front());
                for (std::size_t j = 1; j + 1 < parts.size(); ++j) {
                    name += ' ';
                    name += parts[j];
                }
                add(std::move(name));
            }
        }
    }
    return names;
}

std::optional<DuplicateDataField> FindDuplicateDataField(
    const std::vector<std::string_view>& fields, bool colonLayout) {
    std::optional<DuplicateDataField> found;
    std::unordered_map<std::string, int> columns;
    columns.reserve(fields.size());
    DataFieldLabelParser parser(colonLayout);
    std::string key;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        if (fields[i].empty())
            continue;
        parser.Parse(fields[i]);
        if (parser.Slot() < 0)
            continue;
        key = parser.BodyPartName();
        key += '\n';
        key += parser.Component();
        const auto [entry, added] = columns.emplace(key, static_cast<int>(i) + 1);
        if (added)
            continue;
        if (found) {
            ++found->furtherDuplicates;
        } else {
            found = DuplicateDataField{std::string(fields[i]), entry->second,
                                       static_cast<int>(i) + 1, 0};
        }
    }
    return found;
}

std::string DuplicateDataFieldMessage(std::string_view fileName,
                                      const DuplicateDataField& duplicate) {
    std::string text = "The format line of the file '@' names the data field '#' twice (columns " +
                       std::to_string(duplicate.firstColumn) + " and " +
                       std::to_string(duplicate.secondColumn) +
                       "); the values of the later column are used.";
    if (duplicate.furtherDuplicates > 0) {
        text += "\r\n" + std::to_string(duplicate.furtherDuplicates) +
                " further data fields of the line are named twice as well.";
    }
    return FillPlaceholders(text, {{'@', fileName}, {'#', duplicate.label}});
}

void DataFieldLabelParser::Parse(std::string_view field) {
    if (colonLayout_) {
        SplitFields(field, ':', parts_);
        if (parts_.size() == 1) {
            component_ = TrimBlanks(parts_[0]);
        } else if (parts_.size() == 2) {
            bodyPartName_ = TrimBlanks(parts_[0]);
            component_ = TrimBlanks(parts_[1]);
        } else {
            bodyPartName_ = TrimBlanks(parts_[1]);
            component_ = TrimBlanks(parts_[2]);
        }
        return;
    }
    // Blank layout: the last word is the component, the words before it (joined
    // by single blanks) the body-part name, as the file check offers it.
    SplitFields(field, ' ', parts_);
    component_ = parts_.back();
    const std::size_t last = parts_.size() - 1;
    if (last == 0 || (last == 1 && parts_[0].empty()))
        return;
    bodyPartName_ = parts_[0];
    for (std::size_t j = 1; j < last; ++j) {
        bodyPartName_ += ' ';
        bodyPartName_ += parts_[j];
    }
}

int DataFieldLabelParser::Slot() const {
    const auto& components = ComponentNames(colonLayout_);
    for (std::size_t s = 0; s < components.size(); ++s) {
        if (components[s] == component_)
            return static_cast<int>(s);
    }
    return -1;
}

}  // namespace kivo
