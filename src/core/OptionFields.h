#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/Workspace.h"

namespace kivo {

// How an option of the window is held, written and read back.
enum class OptionKind {
    Folder,        // a working folder: taken over only when that folder exists
    Text,          // a text box, kept as typed
    Number,        // a text box that holds a number
    CheckBox,      // a check box: 0 or 1
    OptionButton,  // an option button: True or False
    Flag,          // a remembered answer (True or False); kept in the store, not in settings files
};

// One of the options that settings files and the settings store keep.
struct OptionField {
    std::string_view caption;  // key in the store and field name in messages
    OptionKind kind;
    std::string WorkspaceOptions::*text;  // Folder, Text and Number
    bool WorkspaceOptions::*state;        // CheckBox, OptionButton and Flag
    // The value a fresh window starts with, as the store holds it ("1",
    // "True", a text); a Number's period stands for the decimal symbol.
    std::string_view startValue;
    // A key missing from the store gives the start value; otherwise the
    // option keeps its current value (a folder: takes the output folder).
    bool missingGivesStartValue;

    bool HoldsText() const { return text != nullptr; }
};

// The 24 options in settings-file order: the four folders, the processing
// and output options, then the show-warning flag.
std::span<const OptionField> OptionFields();

// The option's value as the store holds it: the text, "0" or "1" for a check
// box, "True" or "False" for an option button or flag.
std::string StoredOptionText(const WorkspaceOptions& options, const OptionField& field);

// Sets the option from its stored text (a check box from the number, an
// option button or flag from "True" or "False" in any case). Returns false
// and leaves the option unchanged when the text cannot be read as its kind.
bool SetOptionFromStoredText(WorkspaceOptions& options, const OptionField& field,
                             std::string_view text);

}  // namespace kivo
