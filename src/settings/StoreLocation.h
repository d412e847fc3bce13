#pragma once

#include <string>

namespace kivo {

// The environment variable that points both front ends at another store
// file (tests, or a second set of stored settings).
inline constexpr const char* kStoreVariable = "KIVO_STORE";

// Where the per-user settings store lives: $KIVO_STORE when it is set and
// not empty, else $XDG_CONFIG_HOME/kivo/settings.sqlite (when that is an
// absolute folder), else ~/.config/kivo/settings.sqlite. Throws
// std::runtime_error when none of them can be found.
std::string PerUserStorePath();

}  // namespace kivo
