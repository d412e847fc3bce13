#include "input/InputMessages.h"

namespace kivo {

std::string FillPlaceholders(std::string_view text,
                             std::initializer_list<std::pair<char, std::string_view>> values) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        bool replaced = false;
        for (const auto& [placeholder, value] : values) {
            if (c == placeholder) {
                result += value;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            result += c;
    }
    return result;
}

}  // namespace kivo
