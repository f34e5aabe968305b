#pragma once

#include <cstdint>

namespace vex {

// The classes of the common controls a program asks for before it makes their windows.
inline constexpr uint32_t ICC_DATE_CLASSES = 0x100;  // the month calendar ("SysMonthCal32")

struct INITCOMMONCONTROLSEX {
    uint32_t dwSize = sizeof(INITCOMMONCONTROLSEX);
    uint32_t dwICC = 0;
};

// Registers the window classes of the bits in dwICC; asking again is harmless. False when
// dwICC holds no class this layer has.
bool InitCommonControlsEx(const INITCOMMONCONTROLSEX& Init);

// The version of the common controls, as a file version's major and minor numbers.
struct TComCtlVersion {
    uint32_t Major = 0;
    uint32_t Minor = 0;
};

// What this layer's common controls answer: every feature a program tests for is there.
TComCtlVersion ComCtlVersion();

// Whether Version is Major.Minor or later, major number first.
constexpr bool ComCtlVersionAtLeast(TComCtlVersion Version, uint32_t Major, uint32_t Minor) {
    return Version.Major != Major ? Version.Major > Major : Version.Minor >= Minor;
}

}  // namespace vex
