#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/fontengine.h"
#include "platform/rich/richformats.h"

namespace vex {

// The character drawn for the paragraph bullet, and for the bullet character of a Symbol run:
// the installed families have no Symbol encoding, so that character would show as a dot in
// the middle of the line and the rest as letters.
constexpr uint8_t RichBulletChar = 0x95;
constexpr uint8_t SymbolBulletChar = 0xB7;

bool IsSymbolFormat(const TRichCharFormat& Format);
// The byte drawn for Ch in Format.
inline uint8_t DisplayChar(const TRichCharFormat& Format, uint8_t Ch) {
    return Ch == SymbolBulletChar && IsSymbolFormat(Format) ? RichBulletChar : Ch;
}

// Twips to pixels at a resolution, kept within what a coordinate can hold.
int32_t TwipsToPixels(int64_t Twips, int32_t PixelsPerInch);

// The logical font a character format is drawn with at a resolution: the document's own face
// name (the font engine maps the original names to installed families), its size as a
// character height of at least one pixel, bold as 700.
TLogFont RichLogFont(const TRichCharFormat& Format, int32_t PixelsPerInch);

// Realised fonts by character-format number at one resolution. Formats are interned and never
// change, so a font once realised for a number stays right until the resolution changes.
class TRichFontCache {
public:
    TRichFontCache(const TCharFormatPool& Formats, int32_t PixelsPerInch);

    int32_t PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int32_t Value);
    const std::shared_ptr<const TRealizedFont>& Font(int32_t Format);
    int32_t Advance(int32_t Format, uint8_t Ch);

private:
    const TCharFormatPool& FFormats;
    int32_t FPixelsPerInch;
    std::vector<std::shared_ptr<const TRealizedFont>> FFonts;
};

}  // namespace vex
