#pragma once

#include <string>

namespace kivo::cli {

// The decimal symbol of the user's environment (LC_ALL, LC_NUMERIC, LANG), or
// the period when the environment names no usable locale. Read once at start.
std::string UserDecimalSymbol();

}  // namespace kivo::cli
