#pragma once

#include <cstdint>

namespace vex {

struct TSize {
    int32_t cx = 0;
    int32_t cy = 0;

    friend bool operator==(const TSize&, const TSize&) = default;
};

// Bits of tmPitchAndFamily. TMPF_FIXED_PITCH set means the font is *not* fixed pitch, a
// reversal kept from the original because callers test the bit that way.
inline constexpr uint8_t TMPF_FIXED_PITCH = 0x01;
inline constexpr uint8_t TMPF_VECTOR = 0x02;
inline constexpr uint8_t TMPF_TRUETYPE = 0x04;

// The measures of a font as drawn, in pixels. Height = Ascent + Descent; the internal leading
// is the part of the cell above the character height.
struct TTextMetric {
    int32_t tmHeight = 0;
    int32_t tmAscent = 0;
    int32_t tmDescent = 0;
    int32_t tmInternalLeading = 0;
    int32_t tmExternalLeading = 0;
    int32_t tmAveCharWidth = 0;
    int32_t tmMaxCharWidth = 0;
    int32_t tmWeight = 0;
    int32_t tmOverhang = 0;
    int32_t tmDigitizedAspectX = 96;
    int32_t tmDigitizedAspectY = 96;
    uint8_t tmFirstChar = 0x20;
    uint8_t tmLastChar = 0xFF;
    uint8_t tmDefaultChar = 0x1F;
    uint8_t tmBreakChar = 0x20;
    uint8_t tmItalic = 0;
    uint8_t tmUnderlined = 0;
    uint8_t tmStruckOut = 0;
    uint8_t tmPitchAndFamily = 0;
    uint8_t tmCharSet = 0;
};

}  // namespace vex
