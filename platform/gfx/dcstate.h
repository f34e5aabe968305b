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

// The canvas's state stack (TCanvas::SaveDC); 0 and false for a null context.
inline int32_t SaveDC(HDC DC) {
    return DC ? DC->SaveDC() : 0;
}
inline bool RestoreDC(HDC DC, int32_t Index) {
    return DC && DC->RestoreDC(Index);
}

// Saves the context's state and restores it when the scope ends, however it ends and whatever
// the code inside did to the state. Code inside that restores past it leaves nothing to restore.
class TSavedDC {
public:
    explicit TSavedDC(HDC DC) : FDC(DC), FIndex(SaveDC(DC)) {}
    ~TSavedDC() {
        if (FIndex > 0) FDC->RestoreDC(FIndex);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int32_t FIndex;
};

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

// The mapping under the original's names (TCanvas's mapping, mapmode.h). SetMapMode answers the
// mode it replaced, 0 for a null context or a mode the canvas does not have.
inline int32_t SetMapMode(HDC DC, int32_t Mode) {
    return DC ? DC->SetMapMode(Mode) : 0;
}
inline int32_t GetMapMode(HDC DC) {
    return DC ? DC->MapMode() : 0;
}
// Old, when given, receives the origin replaced.
inline bool SetWindowOrgEx(HDC DC, int32_t X, int32_t Y, TPoint* Old) {
    if (!DC) return false;
    if (Old) *Old = DC->WindowOrg();
    DC->SetWindowOrg(Point(X, Y));
    return true;
}
inline bool SetViewportOrgEx(HDC DC, int32_t X, int32_t Y, TPoint* Old) {
    if (!DC) return false;
    if (Old) *Old = DC->ViewportOrg();
    DC->SetViewportOrg(Point(X, Y));
    return true;
}
inline bool GetWindowOrgEx(HDC DC, TPoint& Origin) {
    if (DC) Origin = DC->WindowOrg();
    return DC != nullptr;
}
inline bool GetViewportOrgEx(HDC DC, TPoint& Origin) {
    if (DC) Origin = DC->ViewportOrg();
    return DC != nullptr;
}
// Converts Count points in place; false for a null context or a negative count.
bool LPtoDP(HDC DC, TPoint* Points, int32_t Count);
bool DPtoLP(HDC DC, TPoint* Points, int32_t Count);
// The device values GetDeviceCaps answers besides LOGPIXELSX and LOGPIXELSY (mapmode.h): the
// printable area's size, and the sheet's size and where the printable area lies on it, in
// device pixels.
inline constexpr int32_t HORZRES = 8;
inline constexpr int32_t VERTRES = 10;
inline constexpr int32_t PHYSICALWIDTH = 110;
inline constexpr int32_t PHYSICALHEIGHT = 111;
inline constexpr int32_t PHYSICALOFFSETX = 112;
inline constexpr int32_t PHYSICALOFFSETY = 113;

// A device value of the canvas. HORZRES and VERTRES are the printable area on a device sheet
// (TCanvas::DeviceSheet) and the bitmap's size elsewhere; the PHYSICAL* values are a sheet's, 0
// on a screen as for any capability the device lacks. 0 for any other index or a null context.
int32_t GetDeviceCaps(HDC DC, int32_t Index);

}  // namespace vex
