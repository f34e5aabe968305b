#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vex {

// The shell's numbers of the special folders that have a place here.
inline constexpr int32_t CSIDL_DESKTOP = 0;            // the top of everything: "/"
inline constexpr int32_t CSIDL_PERSONAL = 5;           // the home folder
inline constexpr int32_t CSIDL_DESKTOPDIRECTORY = 16;  // the desktop folder of the user's places
inline constexpr int32_t CSIDL_DRIVES = 17;            // every disk: "/"

// The folder a special folder number stands for, as an absolute path without a trailing "/"
// (but "/" itself); nothing for a number with no place on this system, or whose folder does
// not exist.
std::optional<std::string> SpecialFolderPath(int32_t Folder);

// $HOME, else the password entry's home; "" when neither names one.
std::string HomeFolder();
// What `xdg-user-dir DESKTOP` answers, else the home folder's Desktop.
std::string DesktopFolder();

}  // namespace vex
