#pragma once

#include <span>
#include <string_view>

namespace kivo::ui {

// While Ctrl alone is held, the commands show their keys in their captions.
struct ShortcutCaption {
    std::string_view control;  // object name
    std::string_view plain;
    std::string_view annotated;
};

// The captions of the buttons, check boxes and option buttons that keep one
// plain caption. chkDistances (plain caption after its state), the
// Calculate/Cancel button (after the run) and the page tabs are set apart.
std::span<const ShortcutCaption> ShortcutCaptions();

inline constexpr std::string_view kDistancesAnnotated = "Distances [Ctrl+R]";
inline constexpr std::string_view kCalculateAnnotated = "Calculate [F5]";
inline constexpr std::string_view kCancelAnnotated = "Cancel [Esc]";
inline constexpr std::string_view kPageCaptions[3] = {"Input Files", "Data Fields", "Parameters"};
inline constexpr std::string_view kPageCaptionsAnnotated[3] = {
    "Input Files [F2]", "Data Fields [F3]", "Parameters [F4]"};

}  // namespace kivo::ui
