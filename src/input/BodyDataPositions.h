#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/InputVariableTable.h"
#include "core/UserPrompt.h"
#include "input/DataFileFormat.h"

namespace kivo {

// Outcome of the column-position search: Complete when the format line is
// valid and every bound input variable has all six components; otherwise the
// button the user chose in the message that was shown.
enum class PositionsAnswer : int { Complete = 0, Ok, Cancel, Yes, No };

PositionsAnswer ToPositionsAnswer(PromptAnswer answer);

struct BodyDataPositionsResult {
    PositionsAnswer answer = PositionsAnswer::Complete;
    std::string separator;              // the file's separator (GetSeparator)
    std::vector<int> missingVariables;  // bound variables lacking a component, by position
    std::string missingBodyParts;       // their names, joined by ", "
    // A data field the format line names twice (the caller tells the user).
    std::optional<DuplicateDataField> duplicate;
};

// Finds, for one person (1 = the input file, 2 = the partner file), the data
// field of each of the six components of every bound input variable (those
// with a data-field name) and stores it in the person's field indices (other
// positions of that person are set to 0 first). `formatLine` is the line the
// caller found with FindFormatLine; `fileName` is used only in messages.
//
// A format line whose first field is not `timeLabel` is reported with OK and
// Cancel; bound variables without all six components are listed in a Yes/No/
// Cancel question. The answer is returned; the run decides what it means.
BodyDataPositionsResult GetBodyDataPositions(int person, std::string_view formatLine,
                                             std::string_view timeLabel, std::string_view fileName,
                                             InputVariableTable& table, UserPrompt& prompt);

}  // namespace kivo
