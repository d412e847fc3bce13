#pragma once

#include <optional>
#include <string_view>

namespace kivo::ui {

// The keyboard commands of the main window, which sees keys before its
// controls. A command names the button it clicks (its object name) or one of
// the actions below.
inline constexpr std::string_view kSelectPage1 = "selectPage1";
inline constexpr std::string_view kSelectPage2 = "selectPage2";
inline constexpr std::string_view kSelectPage3 = "selectPage3";
inline constexpr std::string_view kToggleDistances = "toggleDistances";
inline constexpr std::string_view kDistancesHeight = "distancesHeight";
inline constexpr std::string_view kDistancesLength = "distancesLength";

// The keys, as the toolkit numbers them (Qt::Key values); only those the
// table needs.
enum class Key {
    F1,
    F2,
    F3,
    F4,
    F5,
    F7,
    F8,
    Delete,
    O,
    S,
    B,
    N,
    P,
    F,
    D,
    A,
    R,
    H,
    L,
    U,
    W,
    Zero,
    J,
    K,
    E,
    G,
    Up,
    Down
};

struct KeyCommand {
    std::string_view command;
    bool exceptInTextBox = false;  // a text box with the focus gets the key instead
    bool duringRun = false;        // acts while a run is in progress
};

// The command of `key` on page 1, 2 or 3, pressed with Ctrl alone (`ctrl`)
// or without any modifier; nothing when the key has none there.
std::optional<KeyCommand> FindKeyCommand(int page, Key key, bool ctrl);

}  // namespace kivo::ui
