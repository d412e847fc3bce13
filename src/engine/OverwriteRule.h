#pragma once

#include <string>

#include "core/UserPrompt.h"

namespace kivo {

// The run's rule for files it writes: a file that does not exist yet may be
// written; an existing one only after Yes to "Do you want to overwrite all
// files in the output directory?", which is asked once per run (`overwriteAll`
// keeps the Yes).
bool MayReplaceFile(const std::string& path, bool& overwriteAll, UserPrompt& prompt);

}  // namespace kivo
