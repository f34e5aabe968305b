#pragma once

#include <cstdint>

#include "platform/gfx/colors.h"
#include "platform/gfx/font.h"
#include "platform/rich/richformats.h"

namespace vex {

// A character format keeps its pitch as the number RTF and the format record use.
inline TFontPitch FontPitchOf(uint8_t Pitch) {
    return Pitch == 1 ? fpFixed : Pitch == 2 ? fpVariable : fpDefault;
}

inline uint8_t RichPitchOf(TFontPitch Pitch) {
    return Pitch == fpFixed ? 1 : Pitch == fpVariable ? 2 : 0;
}

// AutoText stands for the colour a format leaves to its reader.
inline TColor FontColorOf(const TRichCharFormat& Format, TColor AutoText) {
    return Format.AutoColor ? AutoText : static_cast<TColor>(Format.Color & 0xFFFFFF);
}

// clWindowText is the automatic colour, which follows the system's.
inline void SetFontColor(TRichCharFormat& Format, TColor Color) {
    Format.AutoColor = Color == clWindowText;
    if (!Format.AutoColor) Format.Color = static_cast<uint32_t>(ColorToRGB(Color)) & 0xFFFFFF;
}

inline TFontStyles FontStylesOf(const TRichCharFormat& Format) {
    TFontStyles styles;
    if (Format.Bold) styles.Include(fsBold);
    if (Format.Italic) styles.Include(fsItalic);
    if (Format.Underline) styles.Include(fsUnderline);
    if (Format.StrikeOut) styles.Include(fsStrikeOut);
    return styles;
}

inline void SetFontStyles(TRichCharFormat& Format, TFontStyles Styles) {
    Format.Bold = Styles.Contains(fsBold);
    Format.Italic = Styles.Contains(fsItalic);
    Format.Underline = Styles.Contains(fsUnderline);
    Format.StrikeOut = Styles.Contains(fsStrikeOut);
}

}  // namespace vex
