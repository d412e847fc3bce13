#pragma once

#include <string>
#include <string_view>

#include "params/Catalogue.h"

namespace kivo {

// The column of the selected row that the variable controls edit.
enum class EditorColumn { Variables, Target };

// Which editor controls a function offers for the chosen column.
struct EditorConfiguration {
    bool knownFunction = false;                     // false: every editor control is unavailable
    EditorColumn column = EditorColumn::Variables;  // the column actually edited
    bool optVariables = false;
    bool optTarget = false;
    bool joints = false;  // the body-part boxes
    bool groups = false;  // Upper, Lower, Left, Right, All, None
    EntryMode entryMode = EntryMode::Single;
    bool referenceSystem = false;
    int limit = kNoEntryLimit;  // greatest number of entries of the column
    bool variableBox = false;
    bool output = false;
    bool statistics = false;
    bool dynamic = false;  // only while Output or Statistics is ticked

    bool operator==(const EditorConfiguration&) const = default;
};

// The configuration of the editor controls for a function index (0 or an
// unknown index: nothing available) and the chosen column. A function whose
// Target is not edited falls back to its Variables column.
EditorConfiguration ConfigureEditor(int functionIndex, EditorColumn chosen);

// Whether the function edits its Target column at all.
bool EditsTarget(int functionIndex);

// The tool tip of the variable box.
std::string VariableBoxToolTip(EntryMode mode, EditorColumn column);

// "variable" or "target".
std::string_view ColumnWord(EditorColumn column);
// "Variables" or "Target".
std::string_view ColumnCaption(EditorColumn column);

}  // namespace kivo
