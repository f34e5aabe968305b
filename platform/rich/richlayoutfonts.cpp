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
    const int64_t pixels = Twips * PixelsPerInch / 1440;
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
    FFonts.clear();
}

const std::shared_ptr<const TRealizedFont>& TRichFontCache::Font(int32_t Format) {
    const auto index = static_cast<size_t>(Format);
    if (index >= FFonts.size()) FFonts.resize(FFormats.size());
    std::shared_ptr<const TRealizedFont>& font = FFonts.at(index);
    if (!font) font = RealizeFont(RichLogFont(FFormats[Format], FPixelsPerInch));
    return font;
}

int32_t TRichFontCache::Advance(int32_t Format, uint8_t Ch) {
    return Font(Format)->Advance(DisplayChar(FFormats[Format], Ch));
}

}  // namespace vex
