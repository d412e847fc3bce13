#include "ui/KeyMap.h"

#include <array>

namespace kivo::ui {
namespace {

struct Binding {
    int page;  // 0: every page
    Key key;
    bool ctrl;
    KeyCommand command;
};

constexpr bool kCtrl = true;
constexpr bool kPlain = false;

constexpr std::array kBindings = {
    Binding{0, Key::F1, kPlain, {"cmdInfo", false, true}},
    Binding{0, Key::F2, kPlain, {kSelectPage1, false, true}},
    Binding{0, Key::F3, kPlain, {kSelectPage2, false, true}},
    Binding{0, Key::F4, kPlain, {kSelectPage3, false, true}},
    Binding{0, Key::F5, kPlain, {"cmdCalculateData"}},
    Binding{3, Key::F7, kPlain, {"cmdResetParameterList"}},
    Binding{1, Key::F8, kPlain, {"cmdRestoreFileList"}},
    Binding{2, Key::F8, kPlain, {"cmdRestoreDataFieldAssignments"}},
    Binding{3, Key::F8, kPlain, {"cmdRestoreParameterList"}},
    Binding{1, Key::Delete, kPlain, {"cmdRemoveFile", true}},
    Binding{2, Key::Delete, kPlain, {"cmdClearDataFieldsLists", true}},
    Binding{3, Key::Delete, kPlain, {"cmdRemoveParameter", true}},
    Binding{1, Key::Delete, kCtrl, {"cmdRemoveAllFiles"}},
    Binding{2, Key::Delete, kCtrl, {"cmdDeleteUserDefinedVariables"}},
    Binding{3, Key::Delete, kCtrl, {"cmdClearParameterList"}},
    Binding{0, Key::O, kCtrl, {"cmdLoadSettings"}},
    Binding{0, Key::S, kCtrl, {"cmdSaveSettings"}},
    Binding{0, Key::B, kCtrl, {"cmdBrowseFolder"}},
    Binding{1, Key::N, kCtrl, {"cmdAddFileBrowse"}},
    Binding{3, Key::N, kCtrl, {"cmdCreateParameter"}},
    Binding{1, Key::P, kCtrl, {"cmdAssignPartnerFile"}},
    Binding{1, Key::F, kCtrl, {"cmdSelectAVIFile"}},
    Binding{3, Key::F, kCtrl, {"cmdCheckDyadic"}},
    Binding{1, Key::D, kCtrl, {"cmdOpenDataFiles"}},
    Binding{3, Key::D, kCtrl, {"cmdUncheckAll"}},
    Binding{1, Key::A, kCtrl, {"cmdApplyToAllFiles"}},
    Binding{3, Key::A, kCtrl, {"cmdAll"}},
    Binding{1, Key::R, kCtrl, {kToggleDistances}},
    Binding{3, Key::R, kCtrl, {"cmdRight"}},
    Binding{1, Key::H, kCtrl, {kDistancesHeight}},
    Binding{3, Key::H, kCtrl, {"cmdAddVariable"}},
    Binding{1, Key::L, kCtrl, {kDistancesLength}},
    Binding{3, Key::L, kCtrl, {"cmdLeft"}},
    Binding{3, Key::U, kCtrl, {"cmdUpper"}},
    Binding{3, Key::W, kCtrl, {"cmdLower"}},
    Binding{3, Key::Zero, kCtrl, {"cmdNone"}},
    Binding{3, Key::J, kCtrl, {"cmdRemoveVariable"}},
    Binding{3, Key::K, kCtrl, {"cmdClearVariable"}},
    Binding{3, Key::E, kCtrl, {"cmdCheckAll"}},
    Binding{3, Key::G, kCtrl, {"cmdUncheckDyadic"}},
    Binding{3, Key::Up, kCtrl, {"cmdUp"}},
    Binding{3, Key::Down, kCtrl, {"cmdDown"}},
};

}  // namespace

std::optional<KeyCommand> FindKeyCommand(int page, Key key, bool ctrl) {
    for (const Binding& binding : kBindings) {
        if (binding.key == key && binding.ctrl == ctrl &&
            (binding.page == 0 || binding.page == page)) {
            return binding.command;
        }
    }
    return std::nullopt;
}

}  // namespace kivo::ui
