#include "params/EditorConfiguration.h"

#include <array>

#include "params/Catalogue.h"

namespace kivo {
namespace {

// How a function edits one of its columns; `edited` false: not at all.
struct ColumnTraits {
    bool edited = false;
    bool joints = false;
    bool groups = false;
    EntryMode mode = EntryMode::Single;
    bool referenceSystem = false;
    int limit = kNoEntryLimit;
};

struct FunctionEditorTraits {
    ColumnTraits variables;
    ColumnTraits target;
    bool output = true;
    bool dynamic = true;
};

constexpr EntryMode kSingle = EntryMode::Single;
constexpr EntryMode kList = EntryMode::List;
constexpr int kAny = kNoEntryLimit;
constexpr ColumnTraits kNotEdited{};

constexpr ColumnTraits Edited(bool joints, bool groups, EntryMode mode, bool referenceSystem,
                              int limit = kAny) {
    return {true, joints, groups, mode, referenceSystem, limit};
}

// Indexed by function index 1..29 (entry 0: no function).
constexpr std::array<FunctionEditorTraits, kFunctionCount + 1> kTraits = {{
    {},
    /* Static SRL */ {Edited(true, false, kSingle, true), kNotEdited, true, false},
    /* Dynamic SRL */ {Edited(true, false, kSingle, true), kNotEdited, true, false},
    /* Complexity */ {Edited(true, true, kList, false), kNotEdited},
    /* TSM */ {Edited(false, false, kSingle, false), kNotEdited, false, true},
    /* Magnitude */ {Edited(true, true, kList, false), kNotEdited},
    /* Activation */ {Edited(false, false, kSingle, false), kNotEdited, false, false},
    /* Direction (forward) */
    {Edited(true, false, kList, false, 3), Edited(true, false, kSingle, false)},
    /* Direction (backward) */
    {Edited(true, false, kList, false, 3), Edited(true, false, kSingle, false)},
    /* Symmetry */ {Edited(true, false, kSingle, true), Edited(true, false, kSingle, true)},
    /* Expansion */ {Edited(true, true, kList, false), Edited(true, false, kSingle, true)},
    /* Distance */ {Edited(true, false, kSingle, false), Edited(true, false, kSingle, false)},
    /* Openness */
    {Edited(false, false, kList, false, 2), Edited(false, false, kList, false, 2)},
    /* Folded */ {Edited(false, false, kSingle, false), Edited(false, false, kSingle, false)},
    /* Crossed */ {Edited(false, false, kSingle, false), Edited(false, false, kSingle, false)},
    /* Dyadic Mimicry */ {Edited(true, true, kList, true), kNotEdited},
    /* Dyadic Proxemics */ {Edited(true, true, kList, false), Edited(true, true, kList, false)},
    /* Dyadic Parameter */ {Edited(false, false, kSingle, false), kNotEdited},
    /* Dynamic Parameter */ {Edited(false, false, kSingle, false), kNotEdited},
    /* Camera Framing */
    {Edited(true, false, kSingle, false), Edited(true, false, kSingle, false)},
    /* Camera Proxemics */
    {Edited(true, false, kSingle, false), Edited(true, false, kSingle, false)},
    /* Pixel Difference: nothing to choose */ {kNotEdited, kNotEdited},
    /* Addition */ {Edited(false, false, kList, false), kNotEdited},
    /* Subtraction */
    {Edited(false, false, kList, false), Edited(false, false, kSingle, false)},
    /* Multiplication */ {Edited(false, false, kList, false), kNotEdited},
    /* Division */ {Edited(false, false, kList, false), Edited(false, false, kSingle, false)},
    /* Absolute Value */ {Edited(false, false, kSingle, false), kNotEdited},
    /* Less Than */ {Edited(false, false, kSingle, false), Edited(true, false, kList, false, 2)},
    /* Greater Than */
    {Edited(false, false, kSingle, false), Edited(true, false, kList, false, 2)},
    /* Coord. Transform. */ {Edited(true, false, kSingle, true), kNotEdited},
}};

}  // namespace

bool EditsTarget(int functionIndex) {
    return functionIndex >= 1 && functionIndex <= kFunctionCount &&
           kTraits[static_cast<std::size_t>(functionIndex)].target.edited;
}

EditorConfiguration ConfigureEditor(int functionIndex, EditorColumn chosen) {
    EditorConfiguration configuration;
    if (functionIndex < 1 || functionIndex > kFunctionCount)
        return configuration;
    const FunctionEditorTraits& traits = kTraits[static_cast<std::size_t>(functionIndex)];
    const bool target = chosen == EditorColumn::Target && traits.target.edited;
    const ColumnTraits& column = target ? traits.target : traits.variables;
    configuration.knownFunction = true;
    configuration.column = target ? EditorColumn::Target : EditorColumn::Variables;
    // Pixel Difference has neither operand: its Variables controls stay off too.
    configuration.optVariables = traits.variables.edited;
    configuration.optTarget = traits.target.edited;
    configuration.joints = column.joints;
    configuration.groups = column.groups;
    configuration.entryMode = column.mode;
    configuration.referenceSystem = column.referenceSystem;
    configuration.limit = column.limit;
    configuration.variableBox = column.edited;
    configuration.output = target || traits.output;
    configuration.statistics = true;
    configuration.dynamic = target || traits.dynamic;
    return configuration;
}

std::string VariableBoxToolTip(EntryMode mode, EditorColumn column) {
    if (mode == EntryMode::List)
        return "Choose item from list and then select 'Add', 'Remove', or 'Clear'.";
    return "Choose item from list to change " + std::string(ColumnWord(column)) + ".";
}

std::string_view ColumnWord(EditorColumn column) {
    return column == EditorColumn::Target ? "target" : "variable";
}

std::string_view ColumnCaption(EditorColumn column) {
    return column == EditorColumn::Target ? "Target" : "Variables";
}

}  // namespace kivo
