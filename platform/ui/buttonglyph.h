#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/geometry.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/textmetrics.h"

namespace vex {

// Where a button's glyph sits against its caption.
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The looks of a button with a glyph: up, disabled, pressed, and latched down.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// How many looks a glyph bitmap holds, side by side in the order of TButtonState.
using TNumGlyphs = int32_t;

// Where the glyph and the caption go in Client. Margin is the space between the edge the glyph
// faces and the glyph, -1 to centre both; Spacing the space between glyph and caption, -1 to
// share what is left out evenly. Without a glyph or a caption there is no spacing.
struct TButtonLayoutResult {
    TPoint GlyphPos;
    TRect TextBounds;
};
TButtonLayoutResult CalcButtonLayout(const TRect& Client, TSize GlyphSize, TSize TextSize,
                                     TButtonLayout Layout, int32_t Margin, int32_t Spacing);

// A glyph bitmap cut into its looks, and where it goes against a caption. The colour of the
// bitmap's bottom-left pixel is transparent; a look the bitmap lacks is made from the first: the
// disabled one etched in the shadow and highlight colours, the others the same as up.
class TButtonGlyph {
public:
    const TBitmap& Glyph() const { return FOriginal; }
    void SetGlyph(const TBitmap& Value);
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    // Values outside 1 to 4 are ignored.
    void SetNumGlyphs(TNumGlyphs Value);
    bool Empty() const { return FOriginal.Empty(); }
    // The size of one look.
    TSize GlyphSize() const;

    // The placement CalcButtonLayout takes. Each setter answers whether the value changed; a
    // Margin or Spacing below -1 is ignored.
    TButtonLayout Layout() const { return FLayout; }
    bool SetLayout(TButtonLayout Value);
    int32_t Margin() const { return FMargin; }
    bool SetMargin(int32_t Value);
    int32_t Spacing() const { return FSpacing; }
    bool SetSpacing(int32_t Value);

    // Draws the glyph and Caption (with its "&" accelerator) in Client moved by Offset;
    // answers where the caption went.
    TRect Draw(TCanvas& Canvas, const TRect& Client, TPoint Offset, const std::string& Caption,
               TButtonState State);

private:
    // The look for State, transparent where the bitmap's bottom-left colour is.
    const TBitmap& Look(TButtonState State);

    TBitmap FOriginal;
    TNumGlyphs FNumGlyphs = 1;
    std::array<std::unique_ptr<TBitmap>, 4> FLooks;
    TButtonLayout FLayout = blGlyphLeft;
    int32_t FMargin = -1;
    int32_t FSpacing = 4;
};

}  // namespace vex
