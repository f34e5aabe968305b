#pragma once

#include <cstdint>

#include "platform/win/messages.h"

namespace vex {

inline constexpr int32_t SM_CXSCREEN = 0;
inline constexpr int32_t SM_CYSCREEN = 1;
inline constexpr int32_t SM_CXVSCROLL = 2;
inline constexpr int32_t SM_CYHSCROLL = 3;
inline constexpr int32_t SM_CYCAPTION = 4;
inline constexpr int32_t SM_CXBORDER = 5;
inline constexpr int32_t SM_CYBORDER = 6;
inline constexpr int32_t SM_CXDLGFRAME = 7;
inline constexpr int32_t SM_CYDLGFRAME = 8;
inline constexpr int32_t SM_CYVTHUMB = 9;
inline constexpr int32_t SM_CXHTHUMB = 10;
inline constexpr int32_t SM_CXICON = 11;
inline constexpr int32_t SM_CYICON = 12;
inline constexpr int32_t SM_CXCURSOR = 13;
inline constexpr int32_t SM_CYCURSOR = 14;
inline constexpr int32_t SM_CYMENU = 15;
inline constexpr int32_t SM_CYVSCROLL = 20;
inline constexpr int32_t SM_CXHSCROLL = 21;
inline constexpr int32_t SM_SWAPBUTTON = 23;
inline constexpr int32_t SM_CXDOUBLECLK = 36;
inline constexpr int32_t SM_CYDOUBLECLK = 37;
inline constexpr int32_t SM_CXFRAME = 32;
inline constexpr int32_t SM_CYFRAME = 33;
inline constexpr int32_t SM_CXEDGE = 45;
inline constexpr int32_t SM_CYEDGE = 46;
inline constexpr int32_t SM_CXSMICON = 49;
inline constexpr int32_t SM_CYSMICON = 50;

// The system settings the components ask about. There is no desktop to ask, so each is the
// classic value of the original at 96 dots per inch, or a value of the process that a settings
// dialog or a test sets; the screen's size is the presenter's. An index nobody supports reads
// 0, as the original's unknown indexes did. Main thread only, but SM_SWAPBUTTON.
int32_t GetSystemMetrics(int32_t Index);
// Only SM_SWAPBUTTON can be set; any other index raises ERangeError.
void SetSystemMetrics(int32_t Index, int32_t Value);

// The height in pixels of the system font, which the user-interface layer sets; 16 at first.
int32_t GetSystemFontHeight();
void SetSystemFontHeight(int32_t Value);

// The version of the common controls the user-interface layer provides, as the original's
// library answered it: 5.81.
struct DLLVERSIONINFO {
    DWORD cbSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
};
inline constexpr DWORD DLLVER_PLATFORM_WINDOWS = 1;
// Fills Info; false when its cbSize is not sizeof(DLLVERSIONINFO).
bool GetCommonControlsVersion(DLLVERSIONINFO& Info);

// Sounds nothing: counts the beeps, so tests can see that one was asked for.
bool MessageBeep(UINT Type);
uint32_t MessageBeepCount();

}  // namespace vex
