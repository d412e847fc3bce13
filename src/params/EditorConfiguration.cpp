#include "params/EditorConfiguration.h"

#include "params/Catalogue.h"

namespace kivo {

bool EditsTarget(int functionIndex) {
    return CatalogueEntryOf(functionIndex).editTarget.edited;
}

EditorConfiguration ConfigureEditor(int functionIndex, EditorColumn chosen) {
    EditorConfiguration configuration;
    if (functionIndex < 1 || functionIndex > kFunctionCount)
        return configuration;
    const CatalogueEntry& entry = CatalogueEntryOf(functionIndex);
    const bool target = chosen == EditorColumn::Target && entry.editTarget.edited;
    const ColumnEditing& column = target ? entry.editTarget : entry.editVariables;
    configuration.knownFunction = true;
    configuration.column = target ? EditorColumn::Target : EditorColumn::Variables;
    // Pixel Difference has neither operand: its Variables controls stay off too.
    configuration.optVariables = entry.editVariables.edited;
    configuration.optTarget = entry.editTarget.edited;
    configuration.joints = column.joints;
    configuration.groups = column.groups;
    configuration.entryMode = column.mode;
    configuration.referenceSystem = column.referenceSystem;
    configuration.limit = column.limit;
    configuration.variableBox = column.edited;
    configuration.output = target || entry.editOutput;
    configuration.statistics = true;
    configuration.dynamic = target || entry.editDynamic;
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
