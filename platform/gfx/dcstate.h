#pragma once

#include "platform/gfx/canvas.h"

namespace vex {

// The background modes of text output.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Each setter returns the value it replaced, as the original's did.
inline TColor SetTextColor(HDC DC, TColor Color) {
    const TColor old = DC->TextColor();
    DC->SetTextColor(Color);
    return old;
}
inline TColor GetTextColor(HDC DC) {
    return DC->TextColor();
}
inline TColor SetBkColor(HDC DC, TColor Color) {
    const TColor old = DC->BkColor();
    DC->SetBkColor(Color);
    return old;
}
inline TColor GetBkColor(HDC DC) {
    return DC->BkColor();
}
// Any mode but TRANSPARENT is opaque.
inline int SetBkMode(HDC DC, int Mode) {
    const int old = DC->BkTransparent() ? TRANSPARENT : OPAQUE;
    DC->SetBkTransparent(Mode == TRANSPARENT);
    return old;
}
inline int GetBkMode(HDC DC) {
    return DC->BkTransparent() ? TRANSPARENT : OPAQUE;
}

}  // namespace vex
