#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/DataFieldNameList.h"
#include "core/UserPrompt.h"
#include "input/DataFileFormat.h"

namespace kivo {

// What the file check found out about a file.
struct FileCheckResult {
    bool accepted = false;
    std::string separator;  // one character when the format line was found
    bool colonLayout = false;
    std::string framesPerSecond;          // with the user's decimal symbol; empty when no rate
                                          // could be derived
    std::vector<std::string> fieldNames;  // data-field names the format line offers
};

// Checks a data file before it joins the input file list: finds the format
// line (among the first 100 lines, starting with `timeLabel`), derives the
// frame rate from the first two frames. When `dataFieldNames` is given (the
// input file list is empty) the file's data-field names are added to it, but
// only when the file is accepted. Every message goes through `prompt`; an
// unexpected failure (for example a file that ends before two frames) is
// reported through the error trap and the file is refused.
//
// A missing file is refused without a message. When the first two times are
// equal, or the second is not later than the first, the user is told, the
// file is still accepted and `framesPerSecond` stays empty (the caller keeps
// its previous rate).
FileCheckResult CheckFile(const std::string& path, std::string_view timeLabel,
                          std::string_view decimalSymbol, UserPrompt& prompt,
                          DataFieldNameList* dataFieldNames = nullptr);

}  // namespace kivo
