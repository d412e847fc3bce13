#pragma once

#include <string_view>

namespace kivo::ui {

// The geometry rules of proportional resizing, free of any widget toolkit.
//
// Each control is recorded once, at the form's design size, and re-placed on
// every resize. Its tag text chooses the behaviour:
//  - the empty tag: left, width, top and height scale with the form's inner
//    size (labels, combo boxes, check boxes and option buttons keep their
//    height);
//  - "*": the control never moves;
//  - an anchor code of up to five characters, counted from 1 (a missing
//    character counts as not matching): 1 "L" keeps the left edge (else the
//    control keeps its distance to the right edge), 2 "L" keeps the width
//    (else the right edge keeps its distance to the right edge), 3 "T" keeps
//    the top (else the distance to the bottom edge), 4 "T" keeps the height
//    (else the bottom edge keeps its distance to the bottom edge), 5 "F"
//    leaves top and height alone whatever 3 and 4 say.
// Values are computed in single precision.

struct ControlBox {
    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    bool operator==(const ControlBox&) const = default;
};

// What is recorded of a control: proportional controls keep percentages of
// the inner size in a, c, d, f; anchored ones keep left (a), the distance of
// the left edge to the right edge (b), width (c), top (d), the distance of
// the top edge to the bottom edge (e) and height (f).
struct ResizeRecord {
    float a = 0.0f, b = 0.0f, c = 0.0f, d = 0.0f, e = 0.0f, f = 0.0f;
};

// Labels, combo boxes, check boxes and option buttons keep their height.
enum class ControlKind { Sized, FixedHeight };

ResizeRecord RecordControl(std::string_view tag, const ControlBox& box, float innerWidth,
                           float innerHeight);

// The control's box for the inner size. `current` is the box it has now: a
// value that is not changed, or a size that would be negative (which a
// control rejects), stays as it is.
ControlBox ResizeControl(const ResizeRecord& record, std::string_view tag, ControlKind kind,
                         const ControlBox& current, float innerWidth, float innerHeight);

// The widths of the parameter list's Variables and Target columns, in twips:
// 1600 and 800 up to a list 9595 twips wide; otherwise the list width less
// the other columns and 24 pixels, a third of it for Target and two thirds
// for Variables. When the other columns leave no room the narrow widths stay.
struct VariableColumnWidths {
    int variables = 1600;
    int target = 800;
};
VariableColumnWidths FitVariableColumns(int listWidthTwips, int otherColumnsTwips,
                                        int twipsPerPixel);

}  // namespace kivo::ui
