#pragma once

#include <string>
#include <string_view>

namespace kivo::cli {

// `text` as one shell word: unchanged when it needs no quoting, otherwise in
// single quotes.
std::string ShellWord(std::string_view text);

// True for a BVH recording (extension .bvh in any case).
bool IsBvhFile(const std::string& path);

// "the format line seems to be line N, starting with 'Time'; use --time-label
// Time" for a data file whose format line was not found with the label given;
// empty when no line looks like one. A BVH recording gets the hint to convert it.
std::string FormatLineHint(const std::string& path);

}  // namespace kivo::cli
