#include "cli/CommandHints.h"

#include <filesystem>

#include "input/FormatLineGuess.h"

namespace kivo::cli {

std::string ShellWord(std::string_view text) {
    const bool plain = !text.empty() && text.find_first_not_of(
                                            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                            "0123456789_-+.,/:@%=") == std::string_view::npos;
    if (plain)
        return std::string(text);
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool IsBvhFile(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".bvh";
}

std::string FormatLineHint(const std::string& path) {
    if (IsBvhFile(path))
        return "this is a BVH recording; 'kivo convert' turns it into a data file";
    const auto guess = GuessFormatLine(path);
    if (!guess)
        return {};
    return "the format line seems to be line " + std::to_string(guess->line) + ", starting with '" +
           guess->timeLabel + "'; use --time-label " + ShellWord(guess->timeLabel);
}

}  // namespace kivo::cli
