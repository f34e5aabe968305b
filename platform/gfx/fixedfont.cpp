#include "platform/gfx/fixedfont.h"

#include <algorithm>

namespace vex {

namespace {

bool Printable(uint8_t Ch) {
    return Ch > 0x20 && Ch != 0x7F && Ch != 0xA0;
}

}  // namespace

TFixedFont::TFixedFont(const TLogFont& LogFont) {
    const int32_t cell =
        LogFont.lfHeight == 0 ? 16 : std::clamp(std::abs(LogFont.lfHeight), 1, MaxFontHeight);
    const int32_t descent = cell / 4;
    const int32_t ascent = cell - descent;
    const int32_t width = (cell + 1) / 2;

    FMetrics.tmHeight = cell;
    FMetrics.tmAscent = ascent;
    FMetrics.tmDescent = descent;
    FMetrics.tmAveCharWidth = width;
    FMetrics.tmMaxCharWidth = width;
    FMetrics.tmWeight = LogFont.lfWeight >= FW_SEMIBOLD ? FW_BOLD : FW_NORMAL;
    FMetrics.tmItalic = LogFont.lfItalic ? 1 : 0;
    FMetrics.tmUnderlined = LogFont.lfUnderline ? 1 : 0;
    FMetrics.tmStruckOut = LogFont.lfStrikeOut ? 1 : 0;
    // Fixed pitch (the bit clear), not TrueType.
    FMetrics.tmPitchAndFamily = FF_MODERN;
    FMetrics.tmCharSet = LogFont.lfCharSet;
    FAdvances.fill(width);
    FUnderlineOffset = descent / 2;
    FStrikeOutOffset = std::max(1, ascent / 2);
    FLineThickness = 1;
    FPixelSize = cell;

    auto block = std::make_shared<TGlyph>();
    block->Top = ascent;
    block->Width = width;
    block->Height = ascent;
    block->Coverage.assign(static_cast<size_t>(width) * ascent, 255);
    FBlock = std::move(block);
    FBlank = std::make_shared<TGlyph>();
}

std::shared_ptr<const TGlyph> TFixedFont::Glyph(uint8_t Ch) const {
    return Printable(Ch) ? FBlock : FBlank;
}

}  // namespace vex
