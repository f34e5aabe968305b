#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
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

inline constexpr int32_t TwipsPerInch = 1440;

// Twips to pixels at a resolution, kept within what a coordinate can hold.
int32_t TwipsToPixels(int64_t Twips, int32_t PixelsPerInch);

// The logical font a character format is drawn with at a resolution: the document's own face
// name (the font engine maps the original names to installed families), its size as a
// character height of at least one pixel, bold as 700.
TLogFont RichLogFont(const TRichCharFormat& Format, int32_t PixelsPerInch);

// What laying out needs of a font.
struct TRichFontMeasures {
    int32_t Ascent = 0;
    int32_t Descent = 0;
    std::array<int32_t, 256> Advances{};
};

// The measures of each character format at one resolution. Formats are interned and never
// change, so measures once taken for a number stay right until the resolution changes.
// Formats that differ only in colour or lines share one set, and no realised font is kept: a
// document of thousands of sizes costs a kilobyte each, not a font engine's face each.
class TRichFontCache {
public:
    TRichFontCache(const TCharFormatPool& Formats, int32_t PixelsPerInch);

    int32_t PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int32_t Value);
    const TRichFontMeasures& Measures(int32_t Format) { return *Entry(Format).Measures; }
    // How far the character moves the pen as DisplayChar draws it: this runs for every
    // character laid out, so the format's face is looked at once, not each time.
    int32_t Advance(int32_t Format, uint8_t Ch) {
        const TEntry& entry = Entry(Format);
        return entry.Measures
            ->Advances[Ch == SymbolBulletChar && entry.Symbol ? RichBulletChar : Ch];
    }

private:
    struct TEntry {
        const TRichFontMeasures* Measures = nullptr;
        bool Symbol = false;
    };
    // Face, height, weight, italic, character set, pitch: what the measures depend on.
    using TFontKey = std::tuple<std::string, int32_t, int32_t, uint8_t, uint8_t, uint8_t>;

    const TEntry& Entry(int32_t Format) {
        const auto index = static_cast<size_t>(Format);
        if (index < FEntries.size() && FEntries[index].Measures) return FEntries[index];
        return Take(Format);
    }
    const TEntry& Take(int32_t Format);

    const TCharFormatPool& FFormats;
    int32_t FPixelsPerInch;
    std::vector<TEntry> FEntries;
    std::map<TFontKey, std::unique_ptr<TRichFontMeasures>> FMeasures;
};

}  // namespace vex
