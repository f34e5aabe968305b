#pragma once

#include <cstdint>

#include "platform/win/messages.h"

namespace vex {

inline constexpr UINT SPI_SETWORKAREA = 0x002F;
inline constexpr UINT SPI_GETWORKAREA = 0x0030;
inline constexpr UINT SPI_GETANIMATION = 0x0048;
inline constexpr UINT SPI_SETANIMATION = 0x0049;
inline constexpr UINT SPI_GETWHEELSCROLLLINES = 0x0068;

struct ANIMATIONINFO {
    UINT cbSize;
    int32_t iMinAnimate;  // the minimise animation is on
};

// The desktop settings the components read and write; each is a value of the process.
// SPI_GETWORKAREA and SPI_SETWORKAREA: Param points at a TRect in screen coordinates (the
// presenter's whole screen until one is set; an empty one is refused). SPI_GETWHEELSCROLLLINES:
// at a UINT, 3. SPI_GETANIMATION and SPI_SETANIMATION: at an ANIMATIONINFO whose cbSize is
// sizeof(ANIMATIONINFO), stored only. False for a null Param, a wrong size or another action.
// Main thread only.
bool SystemParametersInfo(UINT Action, UINT UiParam, void* Param, UINT WinIni);

}  // namespace vex
