#include "ui/ShortcutCaptions.h"

#include <array>

namespace kivo::ui {
namespace {

constexpr std::array<ShortcutCaption, 38> kCaptions = {{
    {"cmdInfo", "Info", "Info [F1]"},
    {"cmdExit", "Exit", "Exit [Esc]"},
    {"cmdBrowseFolder", "Browse...", "Browse [Ctrl+B]"},
    {"cmdLoadSettings", "Load...", "Load [Ctrl+O]"},
    {"cmdSaveSettings", "Save...", "Save [Ctrl+S]"},
    {"cmdAddFileBrowse", "Add Data Files...", "Add Data Files [Ctrl+N]"},
    {"cmdAssignPartnerFile", "Assign Partner File...", "Assign Partner File [Ctrl+P]"},
    {"cmdSelectAVIFile", "Assign Video File...", "Assign Video File [Ctrl+F]"},
    {"cmdOpenDataFiles", "Open Data Files...", "Open Data Files [Ctrl+D]"},
    {"cmdRemoveFile", "Remove Data File", "Remove Data File [Del]"},
    {"cmdRemoveAllFiles", "Clear File List", "Clear File List [Ctrl+Del]"},
    {"optDistancesHeight", "&Height", "[Ctrl+H]"},
    {"optDistancesLength", "&Length", "[Ctrl+L]"},
    {"cmdApplyToAllFiles", "Apply to All Files", "Apply to All Files [Ctrl+A]"},
    {"cmdRestoreFileList", "Restore File List", "Restore File List [F8]"},
    {"cmdRestoreDataFieldAssignments", "Restore Assignments", "Restore Assignments [F8]"},
    {"cmdClearDataFieldsLists", "Clear Data Field Lists", "Clear Data Field Lists [Del]"},
    {"cmdDeleteUserDefinedVariables", "Delete User Variables", "Delete User Variables [Ctrl+Del]"},
    {"cmdUpper", "Upper", "[Ctrl+U]"},
    {"cmdLower", "Lower", "[Ctrl+W]"},
    {"cmdLeft", "Left", "[Ctrl+L]"},
    {"cmdRight", "Right", "[Ctrl+R]"},
    {"cmdAll", "All", "[Ctrl+A]"},
    {"cmdNone", "None", "[Ctrl+0]"},
    {"cmdAddVariable", "Add", "[C+H]"},
    {"cmdRemoveVariable", "Remove", "[Ctrl+J]"},
    {"cmdClearVariable", "Clear", "[C+K]"},
    {"cmdCheckAll", "Enable All", "[Ctrl+E]"},
    {"cmdUncheckAll", "Disable All", "[Ctrl+D]"},
    {"cmdCheckDyadic", "Enable Dyad", "[Ctrl+F]"},
    {"cmdUncheckDyadic", "Disable Dyad", "[Ctrl+G]"},
    {"cmdCreateParameter", "New", "[Ctrl+N]"},
    {"cmdRemoveParameter", "Delete", "[Del]"},
    {"cmdUp", "Up", "+U"},
    {"cmdDown", "Dn", "+D"},
    {"cmdRestoreParameterList", "Restore", "[F8]"},
    {"cmdResetParameterList", "Reset", "[F7]"},
    {"cmdClearParameterList", "Clear", "[C+Del]"},
}};

}  // namespace

std::span<const ShortcutCaption> ShortcutCaptions() {
    return kCaptions;
}

}  // namespace kivo::ui
