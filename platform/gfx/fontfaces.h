#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/gfx/font.h"

namespace vex {

// The character sets a face can be asked for, beside the ANSI, default and symbol ones of
// font.h.
inline constexpr TFontCharset TURKISH_CHARSET = 162;
inline constexpr TFontCharset VIETNAMESE_CHARSET = 163;
inline constexpr TFontCharset HEBREW_CHARSET = 177;
inline constexpr TFontCharset ARABIC_CHARSET = 178;
inline constexpr TFontCharset BALTIC_CHARSET = 186;
inline constexpr TFontCharset GREEK_CHARSET = 161;
inline constexpr TFontCharset RUSSIAN_CHARSET = 204;
inline constexpr TFontCharset THAI_CHARSET = 222;
inline constexpr TFontCharset EASTEUROPE_CHARSET = 238;

// One installed family in one character set it covers, as an enumeration of a device's fonts
// hands it out: a family covering five sets comes five times, its best-covered set first.
struct TFontFace {
    std::string FaceName;
    TFontCharset CharSet = ANSI_CHARSET;
    uint8_t PitchAndFamily = VARIABLE_PITCH;  // FIXED_PITCH when every face of it is
    bool Scalable = true;  // drawn at any size; false for a family of fixed bitmap sizes

    friend bool operator==(const TFontFace&, const TFontFace&) = default;
};

// The character sets a face covers, told by whether it has the letters each set adds to ASCII.
// HasChar answers for a Unicode code point. A face with no Latin letters at all is a symbol
// face; one of ASCII alone is ANSI. ANSI comes first, the others in a fixed order.
std::vector<TFontCharset> CharsetsCovered(const std::function<bool(uint32_t CodePoint)>& HasChar);

// The families of the screen, sorted by name, each in every set it covers; the built-in fixed
// font is among them, in the ANSI set.
std::vector<TFontFace> ScreenFontFaces();

// Calls Proc for each of Faces whose name is FaceName (case ignored), or for every one when
// FaceName is empty, until Proc answers false; answers the last answer of Proc, true when it
// was never called.
bool EnumFontFamilies(const std::vector<TFontFace>& Faces, const std::string& FaceName,
                      const std::function<bool(const TFontFace& Face)>& Proc);

// The character set of the first face named FaceName, or Fallback when no face has that name.
TFontCharset CharsetOfFace(const std::vector<TFontFace>& Faces, const std::string& FaceName,
                           TFontCharset Fallback);

}  // namespace vex
