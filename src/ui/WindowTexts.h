#pragma once

#include <string_view>

namespace kivo::ui {

// The window's own texts.

#ifndef KIVO_VERSION
#define KIVO_VERSION "0.0.0"
#endif
inline constexpr const char* kVersion = KIVO_VERSION;

inline constexpr std::string_view kWindowSubtitle = "Nonverbal Parameters from 3D Motion Data";

inline constexpr std::string_view kParameterPageWarning =
    "You are entering the core settings of Kivo: the definitions for the calculations of the "
    "nonverbal parameters. Be careful, because any changes to these definitions and settings "
    "take immediately effect.\r\n"
    "\r\n"
    "Recommended strategies:\r\n"
    "- You can read the meanings of the controls by holding the mouse pointer above them for "
    "more than one second.\r\n"
    "- You can save any changes by leaving Kivo and answering 'Yes' to the question for saving "
    "the settings.\r\n"
    "- You can drop any changes by leaving Kivo and answering 'No' to the question for saving "
    "the settings.\r\n"
    "- You can restore to the set of nonverbal parameters loaded at program start by clicking "
    "on 'Restore'.\r\n"
    "- You can load the default set of nonverbal parameters by clicking on 'Reset'.\r\n"
    "- You can save your own set of nonverbal parameters in a file by clicking on 'Save'.\r\n"
    "- You can load your saved set of nonverbal parameters by clicking on 'Load'.\r\n"
    "\r\n"
    "Do you want to disable this message?";

inline constexpr std::string_view kSystemInformationUnavailable =
    "Systeminformationen sind momentan nicht verfügbar";

}  // namespace kivo::ui
