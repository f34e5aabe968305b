#pragma once

#include <cstdint>
#include <string>

namespace vex {

// $00BBGGRR for a plain colour; the high bit marks a system colour whose low byte is the index
// into the colour scheme. clNone and clDefault are markers, not colours.
using TColor = int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor SystemColor(int32_t Index) {
    return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(Index));
}

inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

// The identifiers of the named and system colours ("clRed", "clBtnFace", "clNone"). A colour
// without one gives False and leaves Ident alone; identifiers are matched without regard to case.
bool ColorToIdent(TColor Color, std::string& Ident);
bool IdentToColor(const std::string& Ident, TColor& Color);

// A system colour becomes its value in the one colour scheme this platform has (the classic grey
// 3-D look), an unknown system index black; anything else, clNone and clDefault included, comes
// back as it is, so callers can still tell those markers apart.
TColor ColorToRGB(TColor Color);

inline constexpr TColor RGB(uint8_t R, uint8_t G, uint8_t B) {
    return static_cast<TColor>(R | (G << 8) | (B << 16));
}
inline constexpr uint8_t GetRValue(TColor Color) {
    return static_cast<uint8_t>(Color);
}
inline constexpr uint8_t GetGValue(TColor Color) {
    return static_cast<uint8_t>(Color >> 8);
}
inline constexpr uint8_t GetBValue(TColor Color) {
    return static_cast<uint8_t>(Color >> 16);
}

// A bitmap's pixel word (0x00RRGGBB) for a colour, system colours resolved, and back.
inline uint32_t ColorToPixel(TColor Color) {
    const TColor rgb = ColorToRGB(Color);
    return (uint32_t{GetRValue(rgb)} << 16) | (uint32_t{GetGValue(rgb)} << 8) | GetBValue(rgb);
}
inline constexpr TColor PixelToColor(uint32_t Pixel) {
    return RGB(static_cast<uint8_t>(Pixel >> 16), static_cast<uint8_t>(Pixel >> 8),
               static_cast<uint8_t>(Pixel));
}

}  // namespace vex
