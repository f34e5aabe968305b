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

// The clip calls of the canvas under the original's names; each answers the kind of clip it
// leaves (canvas.h), RGN_ERROR for a null context.
inline int IntersectClipRect(HDC DC, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
    return DC ? DC->IntersectClipRect(Rect(Left, Top, Right, Bottom)) : RGN_ERROR;
}
inline int ExcludeClipRect(HDC DC, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
    return DC ? DC->ExcludeClipRect(Rect(Left, Top, Right, Bottom)) : RGN_ERROR;
}
inline int SelectClipRgn(HDC DC, const TRegion* Region) {
    return DC ? DC->SelectClipRgn(Region) : RGN_ERROR;
}
inline int GetClipBox(HDC DC, TRect& Box) {
    return DC ? DC->GetClipBox(Box) : RGN_ERROR;
}

}  // namespace vex
