#include "platform/rich/richlayoutfonts.h"

#include <algorithm>

#include "platform/core/stringutils.h"

namespace vex {

namespace {

// Far enough for any page, short enough that sums of a few of them stay in 32 bits.
constexpr int64_t MaxCoordinate = 1 << 28;

}  // namespace

bool IsSymbolFormat(const TRichCharFormat& Format) {
    return Format.Charset == SYMBOL_CHARSET || SameText(Format.Face, "Symbol");
}

int32_t TwipsToPixels(int64_t Twips, int32_t PixelsPerInch) {
    const int64_t pixels = Twips * PixelsPerInch / TwipsPerInch;
    return static_cast<int32_t>(std::clamp(pixels, -MaxCoordinate, MaxCoordinate));
}

TLogFont RichLogFont(const TRichCharFormat& Format, int32_t PixelsPerInch) {
    TLogFont lf;
    lf.lfHeight = -std::max(1, TwipsToPixels(Format.Size, PixelsPerInch));
    lf.lfWeight = Format.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = Format.Italic;
    lf.lfUnderline = Format.Underline;
    lf.lfStrikeOut = Format.StrikeOut;
    lf.lfCharSet = Format.Charset;
    lf.lfPitchAndFamily = Format.Pitch;
    // A font has a name; a format without one is drawn as the engine draws a nameless face.
    lf.lfFaceName = Format.Face.empty() ? MapFaceName("", false) : Format.Face;
    return lf;
}

TRichFontCache::TRichFontCache(const TCharFormatPool& Formats, int32_t PixelsPerInch)
    : FFormats(Formats), FPixelsPerInch(PixelsPerInch) {}

void TRichFontCache::SetPixelsPerInch(int32_t Value) {
    if (Value == FPixelsPerInch) return;
    FPixelsPerInch = Value;
    FEntries.clear();
    FMeasures.clear();
}

const TRichFontCache::TEntry& TRichFontCache::Take(int32_t Format) {
    const TRichCharFormat& format = FFormats[Format];
    const TLogFont lf = RichLogFont(format, FPixelsPerInch);
    std::unique_ptr<TRichFontMeasures>& measures = FMeasures[TFontKey{
        lf.lfFaceName, lf.lfHeight, lf.lfWeight, lf.lfItalic, lf.lfCharSet, lf.lfPitchAndFamily}];
    if (!measures) {
        const std::shared_ptr<const TRealizedFont> font = RealizeFont(lf);
        measures = std::make_unique<TRichFontMeasures>();
        measures->Ascent = font->Metrics().tmAscent;
        measures->Descent = font->Metrics().tmDescent;
        for (int ch = 0; ch < 256; ++ch)
            measures->Advances[ch] = font->Advance(static_cast<uint8_t>(ch));
    }
    if (static_cast<size_t>(Format) >= FEntries.size()) FEntries.resize(FFormats.size());
    TEntry& entry = FEntries[static_cast<size_t>(Format)];
    entry.Measures = measures.get();
    entry.Symbol = IsSymbolFormat(format);
    return entry;
}

}  // namespace vex
