#pragma once

#include <cstdint>
#include <string>

namespace vex {

// The texts of the shell's shortcuts, as resource strings of this library.
inline constexpr int32_t SShellSelectAll = 65158;  // "Ctrl+A"
inline constexpr int32_t SShellDelete = 65159;     // "Del"
inline constexpr int32_t SShellCopy = 65160;       // "Ctrl+C"
inline constexpr int32_t SShellCut = 65161;        // "Ctrl+X"
inline constexpr int32_t SShellPaste = 65162;      // "Ctrl+V"
inline constexpr int32_t SShellRefresh = 65163;    // "F5"
inline constexpr int32_t SShellRename = 65164;     // "F2"

// The names of the keys that shortcuts are written with, beside those texts.
inline constexpr const char* ShellKeyNames[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                                "Left",  "Up",   "Right", "Down"};

// The shortcut texts, read from the resources once, at the first call.
struct TShellShortcutTexts {
    std::string SelectAll, Delete, Copy, Cut, Paste, Refresh, Rename;
};
const TShellShortcutTexts& ShellShortcutTexts();

}  // namespace vex
