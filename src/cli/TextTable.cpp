#include "cli/TextTable.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace kivo::cli {
namespace {

constexpr std::string_view kEllipsis = "…";
constexpr std::size_t kNarrowest = 4;  // a shortened column keeps three characters and "…"
constexpr std::size_t kGap = 2;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t DisplayWidth(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

// The text cut to `width` characters, the last one being "…".
std::string Shortened(std::string_view text, std::size_t width) {
    if (DisplayWidth(text) <= width)
        return std::string(text);
    std::size_t kept = 0;
    std::size_t end = 0;
    while (end < text.size() && kept + 1 < width) {
        ++end;
        while (end < text.size() && IsContinuationByte(text[end]))
            ++end;
        ++kept;
    }
    return std::string(text.substr(0, end)) + std::string(kEllipsis);
}

// Narrows the columns that give way, the widest first, until they fit
// `budget`: down to their keep widths, then down to the narrowest.
void Narrow(std::vector<std::size_t>& widths, const std::vector<std::size_t>& keep,
            std::size_t budget) {
    std::size_t total = 0;
    for (std::size_t c = 0; c < widths.size() && c < keep.size(); ++c) {
        if (keep[c] > 0)
            total += widths[c];
    }
    for (const bool keepFirst : {true, false}) {
        while (total > budget) {
            std::size_t widest = widths.size();
            for (std::size_t c = 0; c < widths.size() && c < keep.size(); ++c) {
                const std::size_t floor = keepFirst ? std::max(keep[c], kNarrowest) : kNarrowest;
                if (keep[c] > 0 && widths[c] > floor &&
                    (widest == widths.size() || widths[c] > widths[widest])) {
                    widest = c;
                }
            }
            if (widest == widths.size())
                break;
            --widths[widest];
            --total;
        }
    }
}

}  // namespace

std::string FormatTextTable(const std::vector<std::vector<std::string>>& rows, std::size_t width,
                            const std::vector<std::size_t>& keep) {
    std::vector<std::size_t> widths;
    for (const auto& cells : rows) {
        if (widths.size() < cells.size())
            widths.resize(cells.size(), 0);
        for (std::size_t c = 0; c < cells.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(cells[c]));
    }
    if (width > 0 && !widths.empty()) {
        std::size_t fixed = kGap * (widths.size() - 1);
        for (std::size_t c = 0; c < widths.size(); ++c) {
            if (c >= keep.size() || keep[c] == 0)
                fixed += widths[c];
        }
        Narrow(widths, keep, width > fixed ? width - fixed : 0);
    }
    std::string text;
    std::string line;
    for (const auto& cells : rows) {
        line.clear();
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0)
                line.append(kGap, ' ');
            const std::string cell = Shortened(cells[c], widths[c]);
            line += cell;
            if (c + 1 < cells.size())
                line.append(widths[c] - DisplayWidth(cell), ' ');
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        text += line;
        text += '\n';
    }
    return text;
}

std::size_t TerminalWidth() {
    winsize size{};
    if (isatty(STDOUT_FILENO) && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    if (const char* columns = std::getenv("COLUMNS")) {
        const long value = std::strtol(columns, nullptr, 10);
        if (value > 0)
            return static_cast<std::size_t>(value);
    }
    return 0;
}

}  // namespace kivo::cli
