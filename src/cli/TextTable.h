#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kivo::cli {

// Formats rows of cells as columns padded to their widest cell, two blanks
// apart, without trailing blanks. With a width above 0, columns with a
// `keep` width above 0 give way until each line fits: first the widest of
// them down to their keep width, then further; a cell that no longer fits
// ends in "…". Widths count UTF-8 characters.
std::string FormatTextTable(const std::vector<std::vector<std::string>>& rows,
                            std::size_t width = 0, const std::vector<std::size_t>& keep = {});

// The width of the terminal on standard output; the COLUMNS variable when
// standard output is no terminal; 0 (no limit) when neither is known.
std::size_t TerminalWidth();

}  // namespace kivo::cli
