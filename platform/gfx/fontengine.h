#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/font.h"
#include "platform/gfx/textmetrics.h"

namespace vex {

// One character's picture: grey-level coverage (0 none, 255 full), Width x Height bytes row
// by row, placed Left pixels right of the pen and Top rows above the baseline.
struct TGlyph {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint8_t> Coverage;
};

// A font at one size and weight, ready to measure and draw Windows-1252 text. Underline,
// strike-out and escapement are not part of it: the canvas draws those.
class TRealizedFont {
public:
    virtual ~TRealizedFont() = default;

    const TTextMetric& Metrics() const { return FMetrics; }
    int32_t Advance(uint8_t Ch) const { return FAdvances[Ch]; }
    // The sum of the advances; 64 bits because a long string at a large size passes 2^31.
    int64_t Width(std::string_view Text) const;
    // Never null; a character the face lacks gets the face's missing-glyph picture.
    virtual std::shared_ptr<const TGlyph> Glyph(uint8_t Ch) const = 0;

    // Rows below the baseline where the underline starts, and rows above it for the
    // strike-out; both LineThickness rows thick.
    int32_t UnderlineOffset() const { return FUnderlineOffset; }
    int32_t StrikeOutOffset() const { return FStrikeOutOffset; }
    int32_t LineThickness() const { return FLineThickness; }

    // What an outline renderer needs to draw this font as the canvas measured it: the face's
    // file and its index there (no file for the built-in font, which only has its pictures),
    // the em in pixels, and whether bold is made by thickening a regular face's outlines.
    const std::string& FileName() const { return FFileName; }
    int32_t FaceIndex() const { return FFaceIndex; }
    int32_t PixelSize() const { return FPixelSize; }
    bool Emboldened() const { return FEmboldened; }

protected:
    TTextMetric FMetrics;
    std::array<int32_t, 256> FAdvances{};
    int32_t FUnderlineOffset = 1;
    int32_t FStrikeOutOffset = 1;
    int32_t FLineThickness = 1;
    std::string FFileName;
    int32_t FFaceIndex = 0;
    int32_t FPixelSize = 0;
    bool FEmboldened = false;
};

// Where the reference point of a text Width pixels wide lies in its unrotated box (top-left
// (0, 0)) under the TA_ alignment flags: every renderer of a text call places it by this.
struct TTextAnchor {
    int64_t X = 0;
    int64_t Y = 0;
};
TTextAnchor TextAnchor(const TTextMetric& Metrics, int64_t Width, uint32_t TextAlign);

// The font drawn for a description: the built-in fixed-metric font for its face name, else an
// installed face chosen through fontconfig, never null. Realized fonts are cached, a bounded
// number of them.
std::shared_ptr<const TRealizedFont> RealizeFont(const TLogFont& LogFont);

// The installed family a face name of the original is drawn with; Fixed asks for fixed pitch.
std::string MapFaceName(const std::string& FaceName, bool Fixed);
// The face names of the original that MapFaceName maps to another family.
std::vector<std::string> MappedFaceNames();

struct TFontFamily {
    std::string Name;
    bool FixedPitch = false;
};
// The installed families, sorted by name, each once; the built-in fixed font is among them.
std::vector<TFontFamily> InstalledFontFamilies();

}  // namespace vex
