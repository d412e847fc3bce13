#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace kivo {

// Messages of the data-file input. "@" stands for a file name, "#" for a list,
// "*" for a label.
inline constexpr std::string_view kFormatLineNotFoundMessage =
    "The format line starting with the time identifier '*' could not be found in the file:\r\n@.";
inline constexpr std::string_view kTimeValuesIncorrectMessage =
    "The values of the time field, the first column in the file '@', seem not to be correct.";
inline constexpr std::string_view kMissingBodyPartsMessage =
    "Data to the following body parts are missing in the file '@':\r\n\r\n#\r\n\r\nShould the "
    "data be processed anyway?";
inline constexpr std::string_view kTimeLabelMissingMessage =
    "Please enter the label of the first field of the format line (Time field).";

// Replaces the placeholders of a message in one pass: each occurrence of a
// placeholder character is replaced by its value, and the inserted values are
// never searched again (a file name may itself contain "#" or "*").
std::string FillPlaceholders(std::string_view text,
                             std::initializer_list<std::pair<char, std::string_view>> values);

}  // namespace kivo
