#pragma once

#include <string>
#include <string_view>

namespace kivo {

// The rules of the option boxes for option values that a settings file or
// the settings store brings back: a value passes as the box would hold it
// after the user typed it and left the box, and a value the box would refuse
// is refused here too. Numbers are read with the period or the comma as
// decimal point, whichever the computer that stored them used (they never hold
// thousands separators), and come back with the period, which every box reads.

enum class StoredOptionRule {
    None,            // any text (time field, prefix, ...)
    FrameRate,       // a number greater than 0, up to 32767 (Frames/Sec)
    UseEvery,        // a whole number from 1 to 32767 (rounded as the box rounds)
    BodyHeight,      // empty or a number
    DistanceOption,  // "Height", "Length", "unmodified" or a body height
    Threshold,       // a number; 0 or less becomes 0.1
    DecimalPlaces,   // a whole number, held to 1..15
    LinesPerPart,    // empty or a whole number from 2 to 32767
    Camera,          // empty or WidthxHeight/NearPlane/FarPlane/FieldOfView
};

// The rule of an option field (by its caption in OptionFields) and of a
// column of the input file list.
StoredOptionRule RuleOfOptionField(std::string_view caption);
StoredOptionRule RuleOfInputFileColumn(int column);

struct StoredOptionValue {
    std::string text;     // the value as the box holds it
    std::string refusal;  // why the box would refuse the value; empty when it passes
};

StoredOptionValue ApplyStoredOptionRule(StoredOptionRule rule, std::string_view text);

// A number as settings files and the store keep it: the whole text (blanks
// around it allowed) is one number with an optional sign, at most one decimal
// point ("." or ","), and an optional exponent.
bool ReadStoredNumber(std::string_view text, double& value);

}  // namespace kivo
